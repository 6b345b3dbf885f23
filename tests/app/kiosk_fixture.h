#pragma once
// A kiosk window on the headless host, with its settings file and logging in a temporary folder,
// English day names, and (for the checks) the TLS JSON-RPC test server on 127.0.0.1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "api_client/token_cache.h"
#include "app/main_form.h"
#include "logging/log_setup.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/temp_dir.h"
#include "tools/jsonrpc_server/jsonrpc_test_server.h"

// Logging is configured once per process, so its files live in one folder for the whole run.
inline const std::filesystem::path& LogDir() {
    struct ProcessDir {
        std::filesystem::path path;
        ProcessDir()
            : path(std::filesystem::temp_directory_path() / ("kiosk_log_" + std::to_string(::getpid()))) {
            std::filesystem::create_directories(path);
        }
        ~ProcessDir() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const ProcessDir dir;
    return dir.path;
}

class KioskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previousDir_ = std::filesystem::current_path();
        std::filesystem::current_path(LogDir());  // the log file goes to the current folder
        setenv("LC_ALL", "C", 1);
        ReloadFormatSettings();
        SetLogConfigDirectory(LogDir().string());
        platform::ui::InstallQtImageCodec();
        TokenCache().clear();
        ui_ = std::make_unique<platform::ui::HeadlessSession>();
        ui_->System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        TMainForm::SetSettingsFileNameForTests((dir_ / "kiosk.ini").string());
    }

    void TearDown() override {
        ui_.reset();
        TokenCache().clear();
        TMainForm::SetSettingsFileNameForTests("");
        unsetenv("LC_ALL");
        ReloadFormatSettings();
        std::filesystem::current_path(previousDir_);
    }

    // The settings file: "[options]" and the given lines.
    void WriteSettings(const std::string& lines) {
        std::ofstream((dir_ / "kiosk.ini").string(), std::ios::binary) << "[options]\r\n" << lines;
    }

    TMainForm* CreateForm() {
        TMainForm* form = nullptr;
        Application->CreateForm(&form);
        return form;
    }

    TMainForm* CreateAndShow() {
        TMainForm* form = CreateForm();
        form->Show();
        ui_->ProcessMessages();
        return form;
    }

    platform::ui::HeadlessSession& ui() { return *ui_; }
    const std::filesystem::path& dir() const { return dir_.Path(); }

  private:
    testsupport::TempDir dir_{"kiosk_test"};
    std::filesystem::path previousDir_;
    std::unique_ptr<platform::ui::HeadlessSession> ui_;
};

// A kiosk whose settings point at a running test server.
class TicketCheckTest : public KioskTest {
  protected:
    void SetUp() override {
        KioskTest::SetUp();
        server_.Start();
    }
    void TearDown() override {
        server_.Stop();
        KioskTest::TearDown();
    }

    std::string ServerSettings(const std::string& more = "") const {
        return "host=" + server_.HostPort() + "\r\nuser=7\r\npassword=secret\r\nclinic_id=3\r\n" + more;
    }

    TMainForm* StartKiosk(const std::string& moreSettings = "") {
        WriteSettings(ServerSettings(moreSettings));
        return CreateAndShow();
    }

    // The scanner types its text; one second later the check runs.
    void Scan(const std::string& text) {
        ui().TypeText(text);
        ui().Advance(1000);
    }

    void ExpectLogin(const std::string& token = "tok-1") {
        auto reply = testpeer::ResultReply("\"" + token + "\"");
        reply.method = "Auth.Login";
        server_.Enqueue(reply);
    }

    void ExpectCheck(testpeer::TScriptedReply reply) {
        reply.method = "Tickets.Check";
        server_.Enqueue(reply);
    }

    testpeer::TJsonRpcTestServer server_;
};
