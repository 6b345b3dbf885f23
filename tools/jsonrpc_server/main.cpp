// jsonrpc_test_server: the JSON-RPC test peer as a program, for end-to-end tests.
//   jsonrpc_test_server [--host 127.0.0.1] [--port N] (--script FILE | --script-text JSON)
//                       [--log FILE] [--port-file FILE]
// Prints "listening on HOST:PORT" when ready, logs each request (request line, headers, body) to
// the log file or stdout, and runs until SIGINT or SIGTERM.
#include <csignal>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>

#include "tools/jsonrpc_server/jsonrpc_test_server.h"
#include "tools/jsonrpc_server/reply_script.h"

namespace {

struct TOptions {
    std::string host = "127.0.0.1";
    int port = 0;
    std::string script;
    std::string logFile;
    std::string portFile;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            throw std::runtime_error("missing value after " + arg);
        std::string value = argv[++i];
        if (arg == "--host")
            options.host = value;
        else if (arg == "--port")
            options.port = std::stoi(value);
        else if (arg == "--script")
            options.script = ReadFile(value);
        else if (arg == "--script-text")
            options.script = value;
        else if (arg == "--log")
            options.logFile = value;
        else if (arg == "--port-file")
            options.portFile = value;
        else
            throw std::runtime_error("unknown option " + arg);
    }
    if (options.script.empty())
        options.script = "[]";
    return options;
}

int WaitForSignal() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    int signal = 0;
    sigwait(&signals, &signal);
    return signal;
}

int Run(const TOptions& options) {
    testpeer::TJsonRpcTestServer server;
    for (auto& reply : testpeer::ParseReplyScript(options.script)) server.Enqueue(std::move(reply));

    std::ofstream logFile;
    if (!options.logFile.empty())
        logFile.open(options.logFile, std::ios::app);
    std::ostream& log = options.logFile.empty() ? std::cout : logFile;
    std::mutex logMutex;
    int count = 0;
    server.SetOnRequest([&](const testpeer::TReceivedRequest& r) {
        std::lock_guard<std::mutex> lock(logMutex);
        log << "--- request " << ++count << "\n" << r.ToText() << std::flush;
    });

    int port = server.Start(options.host, options.port);
    if (!options.portFile.empty())
        std::ofstream(options.portFile) << port << "\n";
    std::cout << "listening on " << options.host << ":" << port << std::endl;
    WaitForSignal();
    server.Stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Blocked before any thread starts, so only sigwait sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Run(ParseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "jsonrpc_test_server: " << e.what() << std::endl;
        return 2;
    }
}
