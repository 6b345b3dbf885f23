#include "tests/support/xvfb_server.h"

#include <unistd.h>

namespace testsupport {

XvfbServer::XvfbServer(const std::string& screen) {
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    // The server writes the number of the display it chose into the pipe once it is ready.
    server_.Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"},
                  {}, {}, fds[1]);
    ::close(fds[1]);
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

bool XvfbServer::Run(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
    ChildProcess helper;
    helper.Start(argv, {"DISPLAY=" + display_});
    return helper.WaitExit(timeout) == 0;
}

}  // namespace testsupport
