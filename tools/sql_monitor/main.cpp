// fib_sql_monitor: listens on the SQL trace channel of this machine's programs and writes every
// text it receives to standard output as it comes, until interrupted.
//
//   fib_sql_monitor [--prefix <name prefix>] [--categories <0-4, comma-separated>]
//
// Without --categories it listens to all of prepare (0), execute (1), fetch (2), connect (3) and
// transactions (4); service texts (5) reach every listener.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "firebird/sql_monitor_reader.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

struct Options {
    std::string prefix;
    std::vector<int> categories{mcPrepare, mcExecute, mcFetch, mcConnect, mcTransaction};
};

std::vector<int> ParseCategories(const std::string& list) {
    std::vector<int> categories;
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        if (item.size() != 1 || item[0] < '0' || item[0] > '4')
            throw std::invalid_argument("categories are 0 to 4: " + item);
        categories.push_back(item[0] - '0');
    }
    return categories;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc)
            throw std::invalid_argument("missing value after " + std::string(arg));
        if (arg == "--prefix")
            options.prefix = argv[++i];
        else if (arg == "--categories")
            options.categories = ParseCategories(argv[++i]);
        else
            throw std::invalid_argument("unknown option " + std::string(arg));
    }
    return options;
}

int Listen(const Options& options) {
    TMonitorReader reader(options.prefix, options.categories);
    std::fputs("listening\n", stderr);
    while (!stopRequested) {
        if (const auto chunk = reader.ReadChunk(std::chrono::milliseconds(100))) {
            std::fwrite(chunk->Text.data(), 1, chunk->Text.size(), stdout);
            std::fflush(stdout);
        }
    }
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    try {
        return Listen(ParseOptions(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fib_sql_monitor: %s\n", error.what());
        return EXIT_FAILURE;
    }
}
