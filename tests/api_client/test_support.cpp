#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/api_client/system_gzip.h"
#include "tests/api_client/tls_peer_fixture.h"
#include "tests/support/temp_dir.h"

int RefusingPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

bool RunSystemGzip(const std::string& args, const std::string& input, std::string& output) {
    const testsupport::TempDir dir("api_client_gzip");
    const std::filesystem::path in = dir / "in", out = dir / "out";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = "gzip " + args + " < '" + in.string() + "' > '" + out.string() + "' 2>/dev/null";
    int status = std::system(command.c_str());
    std::ostringstream text;
    text << std::ifstream(out, std::ios::binary).rdbuf();
    output = text.str();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
