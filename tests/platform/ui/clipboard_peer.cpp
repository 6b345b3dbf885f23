// Another X client for the clipboard tests, on the same display:
//   clipboard_peer get FILE           writes the clipboard's text to FILE (status 1 when it holds none)
//   clipboard_peer set TEXT SECONDS   puts TEXT on the clipboard and serves it for SECONDS
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/qt/qt_host.h"

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    const std::string argument = argv[2];
    const int seconds = argc > 3 ? std::stoi(argv[3]) : 0;
    int qtArgc = 1;
    platform::ui::QtHost host(qtArgc, argv);
    if (command == "get") {
        std::ofstream(argument) << Clipboard()->AsText();
        return Clipboard()->HasText() ? 0 : 1;
    }
    if (command != "set")
        return 2;
    Clipboard()->SetAsText(argument);
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}
