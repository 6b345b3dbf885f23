// One ticket check as the kiosk does it (the timer fires, the request goes out over HTTPS, the labels
// are set), beside a bare libcurl POST of the same request to the same TLS peer on loopback.
// Both open a new connection per request, as the kiosk does, so the difference is the kiosk's own work.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "api_client/token_cache.h"
#include "app/main_form.h"
#include "logging/log_setup.h"
#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "platform/ui/qt/qt_host.h"
#include "tools/jsonrpc_server/jsonrpc_test_server.h"

namespace {

namespace fs = std::filesystem;

const char* kReply = R"({"ticketNumber":"A-17","visitDate":"2024-03-05","visitTime":"09:30:00","room":"214",)"
                     R"("workerName":"Терапевт","doctorName":"Иванова А. П."})";

// The peer answers every login and every check.
struct Peer {
    testpeer::TJsonRpcTestServer server;
    Peer() {
        auto login = testpeer::ResultReply("\"tok-bench\"");
        login.method = "Auth.Login";
        login.repeat = true;
        server.Enqueue(login);
        auto check = testpeer::ResultReply(kReply);
        check.method = "Tickets.Check";
        check.repeat = true;
        server.Enqueue(check);
        server.Start();
    }
};

fs::path BenchDir() {
    fs::path dir = fs::temp_directory_path() / ("kiosk_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

void BM_KioskTicketCheck(benchmark::State& state) {
    Peer peer;
    const fs::path dir = BenchDir();
    SetLogConfigDirectory(dir.string());
    fs::current_path(dir);
    std::ofstream(dir / "kiosk.ini") << "[options]\nhost=" << peer.server.HostPort()
                                     << "\nuser=7\npassword=secret\nclinic_id=3\n";
    TMainForm::SetSettingsFileNameForTests((dir / "kiosk.ini").string());
    platform::ui::InstallQtImageCodec();
    {
        platform::ui::HeadlessSession ui;
        TMainForm* form = nullptr;
        Application->CreateForm(&form);
        form->Show();
        GetToken("7", "secret");  // the login is cached for 59 hours: a check is one request
        for (auto _ : state) {
            form->edTicket->SetText("123456");
            form->InfoTimerTimer(form->InfoTimer);
            state.PauseTiming();
            if (form->lbTicket->Caption() != "A-17") {
                state.SkipWithError(("the check failed: " + form->lbTicket->Caption()).c_str());
                break;
            }
            form->btReturnClick(form->btReturn);
            state.ResumeTiming();
        }
        if (form->lbCount->Caption().empty())
            state.SkipWithError("no check ran");
    }
    TokenCache().clear();
    fs::remove_all(dir);
}
BENCHMARK(BM_KioskTicketCheck)->Unit(benchmark::kMicrosecond)->UseRealTime();

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

void BM_BareCurlPost(benchmark::State& state) {
    Peer peer;
    const std::string url = "https://" + peer.server.HostPort() + "/rest/v2/infomat";
    const std::string body =
        R"({"jsonrpc":"2.0","id":"0123456789ABCDEF0123456789ABCDEF","method":"Tickets.Check","params":{)"
        R"("token":"tok-bench","clinicId":3,"ticketId":12345,"checkUserGroupIds":[],"checkTime":false,)"
        R"("checkLab":false,"checkDocument":false,"checkSocialStatus":false,"checkBirthplaces":false,)"
        R"("checkRoom":false,"checkOkato":false,"checkSmo":false,"checkEnp":false,"checkOmsNumber":false,)"
        R"("checkAreaMo":false}})";
    for (auto _ : state) {
        CURL* curl = curl_easy_init();
        std::string reply;
        curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json; charset=utf-8;");
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
        if (curl_easy_perform(curl) != CURLE_OK)
            state.SkipWithError("POST failed");
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BM_BareCurlPost)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
