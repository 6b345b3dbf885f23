#pragma once
// The Firebird server on 127.0.0.1:3050, as users run it. One already listening is used as it is;
// otherwise /usr/sbin/firebird is started for the test program, as the user "firebird" when the
// tests run as root, and stopped when the program ends. The SYSDBA password comes from the file
// the server package writes; the databases live in a scratch folder the server can write.
#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "firebird/client_library.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fbtest {

class TLocalServer {
  public:
    static TLocalServer& Get() {
        static TLocalServer server;
        return server;
    }
    // Empty when the server runs; otherwise why it could not be reached.
    const std::string& Unavailable() const { return unavailable_; }
    const std::string& Password() const { return password_; }

    // A new database made through the server; returns its connection string "127.0.0.1:<path>".
    std::string CreateDatabase(const std::string& name) {
        const std::string target = "127.0.0.1:" + (dir_ / (name + ".fdb")).string();
        std::filesystem::remove(dir_ / (name + ".fdb"));
        IIBClientLibraryPtr lib = GetClientLibrary(DefaultClientLibraryName);
        isc_db_handle db = 0;
        isc_tr_handle tr = 0;
        const std::string create =
            "CREATE DATABASE '" + target + "' USER 'SYSDBA' PASSWORD '" + password_ + "'";
        if (lib->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, create.c_str(), 3, nullptr) != 0)
            RaiseServerError(*lib, nullptr);
        lib->isc_detach_database(StatusVector(), &db);
        return target;
    }

  private:
    static constexpr const char* kPasswordFile = "/etc/firebird/3.0/SYSDBA.password";
    static constexpr const char* kServer = "/usr/sbin/firebird";

    TLocalServer() : dir_("fibserver") {
        // Test programs that run at once take turns: one must not stop the server another uses.
        turn_ = open("/tmp/kiosk-firebird-server.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
        if (turn_ >= 0)
            flock(turn_, LOCK_EX);
        password_ = ReadPassword();
        if (password_.empty()) {
            unavailable_ =
                std::string("no SYSDBA password in ") + kPasswordFile + " (run scripts/install-deps)";
            return;
        }
        GiveToServerUser(dir_.Path());
        if (!Listening())
            StartServer();
    }

    static std::string ReadPassword() {
        std::ifstream file(kPasswordFile);
        std::string line;
        while (std::getline(file, line)) {
            if (!line.starts_with("ISC_PASSWORD="))
                continue;
            std::string value = line.substr(13);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return value;
        }
        return {};
    }

    static bool Listening() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(3050);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        return connected;
    }

    static void GiveToServerUser(const std::filesystem::path& path) {
        const passwd* user = getpwnam("firebird");
        if (getuid() == 0 && user != nullptr && chown(path.c_str(), user->pw_uid, user->pw_gid) != 0)
            std::filesystem::permissions(path, std::filesystem::perms::all);
    }

    void StartServer() {
        if (!std::filesystem::exists(kServer)) {
            unavailable_ = std::string(kServer) + " is not installed (run scripts/install-deps)";
            return;
        }
        // A lock folder of its own, so no lock file another user left behind stops it.
        const std::filesystem::path locks = dir_ / "locks";
        std::filesystem::create_directories(locks);
        GiveToServerUser(locks);
        std::vector<std::string> argv = {kServer};
        if (getuid() == 0 && getpwnam("firebird") != nullptr) {
            std::filesystem::create_directories("/run/firebird3.0");
            GiveToServerUser("/run/firebird3.0");
            argv = {"setpriv", "--reuid=firebird", "--regid=firebird", "--init-groups", kServer};
        }
        try {
            process_.Start(argv, {"FIREBIRD_LOCK=" + locks.string()});
        } catch (const std::exception& e) {
            unavailable_ = std::string("could not start ") + kServer + ": " + e.what();
            return;
        }
        for (int i = 0; i < 300 && process_.Running(); ++i) {
            if (Listening())
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        unavailable_ = std::string(kServer) + " did not listen on 127.0.0.1:3050";
        process_.Stop();
    }

    int turn_ = -1;  // held until the program ends, after the server it started is stopped
    testsupport::TempDir dir_;
    testsupport::ChildProcess process_;
    std::string password_;
    std::string unavailable_;
};

}  // namespace fbtest
