#include <gtest/gtest.h>

#include <algorithm>

#include "kiosk_fixture.h"
#include "platform/ui/cursors.h"
#include "platform/ui/input.h"

namespace {

using json = nlohmann::ordered_json;
using testpeer::ErrorReply;
using testpeer::ResultReply;

const char* kTicketReply = R"({"ticketNumber":"A-17","visitDate":"2024-03-05","visitTime":"09:30:00",
    "room":"214","workerName":"Терапевт","doctorName":"Иванова А. П."})";

TEST_F(TicketCheckTest, ScanIsCheckedEndToEnd) {
    TMainForm* form = StartKiosk("checkUserGroupIds=4, 5\r\ncheckLab=1\r\ncheckAreaMo=true\r\n");
    ExpectLogin("tok-1");
    ExpectCheck(ResultReply(kTicketReply));

    ui().TypeText("123456");
    EXPECT_FALSE(form->pnInfo->Visible());  // armed: the check waits for the rest of the scan
    EXPECT_EQ(server_.RequestCount(), 0u);
    ui().Advance(1000);

    EXPECT_TRUE(form->pnInfo->Visible());
    EXPECT_TRUE(form->btReturn->Visible());
    EXPECT_TRUE(form->ReturnTimer->Enabled());
    EXPECT_EQ(form->lbTicket->Caption(), "A-17");
    EXPECT_EQ(form->lbVisitDateTime->Caption(), "Tuesday 05.03.2024    09:30");
    EXPECT_EQ(form->lbRoom->Caption(), "214");
    EXPECT_EQ(form->lbSpec->Caption(), "Терапевт");
    EXPECT_EQ(form->lbFactDoctor->Caption(), "Иванова А. П.");
    EXPECT_EQ(form->lbMessage->Caption(), "Пройдите в кабинет 214");
    EXPECT_EQ(form->lbNote->Caption(), "");
    EXPECT_EQ(form->lbCount->Caption(), "1");
    EXPECT_EQ(form->edTicket->Text(), "");

    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/rest/v2/auth");
    EXPECT_EQ(requests[0].Json()["params"], json({{"user", "7"}, {"password", "secret"}}));
    EXPECT_EQ(requests[1].target, "/rest/v2/infomat");
    const json params = requests[1].Json()["params"];
    const json expected = {{"token", "tok-1"},          {"clinicId", 3},
                           {"ticketId", 12345},         {"checkUserGroupIds", {4, 5}},
                           {"checkTime", false},        {"checkLab", true},
                           {"checkDocument", false},    {"checkSocialStatus", false},
                           {"checkBirthplaces", false}, {"checkRoom", false},
                           {"checkOkato", false},       {"checkSmo", false},
                           {"checkEnp", false},         {"checkOmsNumber", false},
                           {"checkAreaMo", true}};
    EXPECT_EQ(params, expected);
    EXPECT_EQ(requests[1].Json()["method"], "Tickets.Check");
}

// The waiting text is painted before the server is asked, then replaced by the result.
TEST_F(TicketCheckTest, WaitingTextIsPaintedBeforeTheResult) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    auto& drawn = ui().System().TextLog().Drawn;
    drawn.clear();
    Scan("123456");
    auto at = [&](const std::string& text) {
        return std::find_if(drawn.begin(), drawn.end(), [&](const auto& d) { return d.Text == text; });
    };
    const auto waiting = at("Поиск талона в базе...");
    ASSERT_NE(waiting, drawn.end());
    ASSERT_NE(at("A-17"), drawn.end());
    EXPECT_LT(waiting, at("A-17"));
    EXPECT_EQ(form->lbTicket->Caption(), "A-17");
}

// The hourglass shows while the server is asked: for the login, then for the check.
TEST_F(TicketCheckTest, HourglassShowsWhileTheServerIsAsked) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    std::vector<TCursor> shown;
    SetScreenCursorListener([&](TCursor c) { shown.push_back(c); });
    Scan("123456");
    SetScreenCursorListener(nullptr);
    EXPECT_EQ(form->lbTicket->Caption(), "A-17");
    EXPECT_EQ(shown, (std::vector<TCursor>{crHourGlass, crDefault, crHourGlass, crDefault}));
    EXPECT_EQ(GetScreenCursor(), crDefault);
}

// Each boolean setting reaches its own member of the request, and only that one.
TEST_F(TicketCheckTest, EachCheckSettingReachesItsOwnMember) {
    const char* keys[] = {"checkTime",        "checkLab",       "checkDocument", "checkSocialStatus",
                          "checkBirthplaces", "checkRoom",      "checkOkato",    "checkSmo",
                          "checkEnp",         "checkOmsNumber", "checkAreaMo"};
    ExpectLogin();
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        ExpectCheck(ResultReply(kTicketReply));
        StartKiosk(std::string(key) + "=1\r\n");
        Scan("12345");
        const json params = server_.Requests().back().Json()["params"];
        for (const char* member : keys) EXPECT_EQ(params.at(member), member == key) << member;
        Application->DestroyForms();
    }
}

TEST_F(TicketCheckTest, NumberFormatErrorsSendNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "Ошибка числового формата ()"},       {"-2", "Ошибка числового формата (-)"},
        {"-12", "Ошибка числового формата (-1)"},   {"21474836489", "Ошибка числового формата (2147483648)"},
        {"12a4", "Ошибка числового формата (12a)"},
    };
    TMainForm* form = StartKiosk("messageTimeout=1\r\n");
    int checks = 0;
    for (const auto& [scan, shown] : cases) {
        Scan(scan);
        EXPECT_EQ(form->lbTicket->Caption(), shown) << scan;
        EXPECT_EQ(form->lbMessage->Caption(), "") << scan;
        EXPECT_EQ(form->lbCount->Caption(), std::to_string(++checks));
        EXPECT_TRUE(form->btReturn->Visible());
        ui().Advance(1000);  // back to idle
        EXPECT_FALSE(form->pnInfo->Visible());
    }
    EXPECT_EQ(server_.RequestCount(), 0u);
}

TEST_F(TicketCheckTest, HexadecimalScanIsANumber) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    Scan("x1F0");  // "x1F" is 31
    EXPECT_EQ(form->lbTicket->Caption(), "A-17");
    EXPECT_EQ(server_.Requests().at(1).Json()["params"]["ticketId"], 31);
}

TEST_F(TicketCheckTest, ServerErrorShowsTheServersMessage) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ErrorReply(404, "Талон не найден", R"({"ticketId":1234})"));
    Scan("12345");
    EXPECT_EQ(form->lbTicket->Caption(), "Талон не найден");
    EXPECT_EQ(form->lbMessage->Caption(), "Обратитесь в регистратуру");
    EXPECT_TRUE(form->btReturn->Visible());
    EXPECT_TRUE(form->ReturnTimer->Enabled());
}

struct FailureCase {
    const char* name;
    std::function<void(TicketCheckTest&)> script;
};

TEST_F(TicketCheckTest, OtherFailuresShowTheGenericText) {
    auto withStatus = [](int status) {
        testpeer::TScriptedReply r = ResultReply(kTicketReply);
        r.status = status;
        return r;
    };
    testpeer::TScriptedReply noResult;
    noResult.body = R"({"jsonrpc":"2.0","id":"1"})";
    testpeer::TScriptedReply notJson;
    notJson.body = "<html>Bad gateway</html>";
    notJson.contentType = "text/html";

    const std::pair<const char*, std::vector<testpeer::TScriptedReply>> cases[] = {
        {"status 503", {withStatus(503)}},
        {"reply without result", {noResult}},
        {"reply that is not JSON", {notJson}},
        {"visit date that cannot be converted",
         {ResultReply(
             R"({"ticketNumber":"A-1","room":"5","visitDate":"2024-13-45","visitTime":"10:00:00"})")}},
        {"result that is an array", {ResultReply(R"(["A-1","214"])")}},
        {"result that is null", {ResultReply("null")}},
    };
    TMainForm* form = StartKiosk("messageTimeout=1\r\n");
    for (const auto& [name, replies] : cases) {
        SCOPED_TRACE(name);
        TokenCache().clear();
        ExpectLogin();
        for (auto reply : replies) ExpectCheck(reply);
        Scan("12345");
        EXPECT_EQ(form->lbTicket->Caption(), "Произошла непредвиденная ошибка");
        EXPECT_EQ(form->lbMessage->Caption(), "Обратитесь в регистратуру");
        ui().Advance(1000);
    }
}

// Replies nested deep enough to exhaust the stack, were they walked level by level, are refused as
// not JSON: the kiosk shows its generic text and the next check goes through.
TEST_F(TicketCheckTest, DeepRepliesShowTheGenericTextAndTheKioskGoesOn) {
    auto nested = [](std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    testpeer::TScriptedReply deepError;
    deepError.body =
        R"({"jsonrpc":"2.0","id":"1","error":{"code":1,"message":"x","data":)" + nested(20000) + "}}";
    const std::pair<const char*, testpeer::TScriptedReply> cases[] = {
        {"result 50000 deep", ResultReply(nested(50000))},
        {"error data 20000 deep", deepError},
    };
    TMainForm* form = StartKiosk("messageTimeout=1\r\n");
    ExpectLogin();
    for (const auto& [name, reply] : cases) {
        SCOPED_TRACE(name);
        ExpectCheck(reply);
        Scan("12345");
        EXPECT_EQ(form->lbTicket->Caption(), "Произошла непредвиденная ошибка");
        EXPECT_EQ(form->lbMessage->Caption(), "Обратитесь в регистратуру");
        ui().Advance(1000);
        EXPECT_FALSE(form->pnInfo->Visible());
    }
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    EXPECT_EQ(form->lbTicket->Caption(), "A-17");
    EXPECT_EQ(form->lbCount->Caption(), "3");
}

TEST_F(TicketCheckTest, LabelsSetBeforeAFailedDateConversionKeepTheirTexts) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ResultReply(R"({"ticketNumber":"A-1","room":"5","visitDate":"2024-13-45"})"));
    Scan("12345");
    EXPECT_EQ(form->lbTicket->Caption(), "Произошла непредвиденная ошибка");
    EXPECT_EQ(form->lbMessage->Caption(), "Обратитесь в регистратуру");
    EXPECT_EQ(form->lbRoom->Caption(), "");  // set only after the date
}

TEST_F(KioskTest, UnreachableServerShowsTheGenericText) {
    WriteSettings("host=127.0.0.1:1\r\nuser=1\r\n");
    TMainForm* form = CreateAndShow();
    ui().TypeText("12345");
    ui().Advance(1000);
    EXPECT_EQ(form->lbTicket->Caption(), "Произошла непредвиденная ошибка");
    EXPECT_EQ(form->lbMessage->Caption(), "Обратитесь в регистратуру");
}

TEST_F(TicketCheckTest, MissingReplyMembersReadAsEmptyAndTheZeroDate) {
    TMainForm* form = StartKiosk("messageTemplate={ROOM} и {room}!\r\n");
    ExpectLogin();
    ExpectCheck(ResultReply(R"({"ticketNumber":17,"room":"3б"})"));
    Scan("12345");
    EXPECT_EQ(form->lbTicket->Caption(), "17");  // a number reads as its JSON text
    EXPECT_EQ(form->lbVisitDateTime->Caption(), "Saturday 30.12.1899    00:00");
    EXPECT_EQ(form->lbMessage->Caption(), "3б и 3б!");
    EXPECT_EQ(form->lbSpec->Caption(), "");
}

TEST_F(TicketCheckTest, OptionalChecksAreSentOnlyAboveZero) {
    struct Case {
        const char* settings;
        json visitAfter;  // null: left out
        json region;
    };
    const Case cases[] = {
        {"checkVisitAfter=0\r\ncheckRegion=0\r\n", nullptr, nullptr},
        {"checkVisitAfter=-1\r\ncheckRegion=-5\r\n", nullptr, nullptr},
        {"checkVisitAfter=3\r\ncheckRegion=77\r\n", "2024-02-27", 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        // 1 March 2024, noon local time.
        ui().Clock().SetUnixMillis(DateTimeToUnixMillis(LocalToUtc(EncodeDate(2024, 3, 1) + 0.5)));
        server_.Stop();
        server_.Start();
        TokenCache().clear();
        StartKiosk(c.settings);
        ExpectLogin();
        ExpectCheck(ResultReply(kTicketReply));
        Scan("12345");
        const json params = server_.Requests().back().Json()["params"];
        EXPECT_EQ(params.contains("checkVisitAfter"), !c.visitAfter.is_null());
        EXPECT_EQ(params.contains("checkRegion"), !c.region.is_null());
        if (!c.visitAfter.is_null()) {
            EXPECT_EQ(params["checkVisitAfter"], c.visitAfter);
            EXPECT_EQ(params["checkRegion"], c.region);
        }
        Application->DestroyForms();
    }
}

TEST_F(TicketCheckTest, OneLoginServesTwoChecks) {
    TMainForm* form = StartKiosk("messageTimeout=2\r\n");
    ExpectLogin("tok-9");
    ExpectCheck(ResultReply(kTicketReply));
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    ui().Advance(2000);
    Scan("12345");
    EXPECT_EQ(form->lbCount->Caption(), "2");
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2].Json()["params"]["token"], "tok-9");
}

TEST_F(TicketCheckTest, ReturnToIdleByTimeoutAndByOk) {
    TMainForm* form = StartKiosk("messageTimeout=5\r\n");
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    ExpectCheck(ResultReply(kTicketReply));

    Scan("12345");
    ui().Advance(4900);
    EXPECT_TRUE(form->pnInfo->Visible());
    ui().Advance(100);
    EXPECT_FALSE(form->pnInfo->Visible());
    EXPECT_FALSE(form->ReturnTimer->Enabled());
    for (TLabel* l : {form->lbTicket, form->lbVisitDateTime, form->lbRoom, form->lbSpec, form->lbFactDoctor,
                      form->lbMessage, form->lbNote})
        EXPECT_EQ(l->Caption(), "");
    EXPECT_EQ(form->lbCount->Caption(), "1");  // the count stays
    EXPECT_FALSE(form->edClear->Visible());

    Scan("12345");
    ASSERT_TRUE(form->pnInfo->Visible());
    ui().Click(form->btReturn);
    EXPECT_FALSE(form->pnInfo->Visible());
    EXPECT_FALSE(form->ReturnTimer->Enabled());
}

TEST_F(TicketCheckTest, ZeroTimeoutReturnsOnlyOnOk) {
    TMainForm* form = StartKiosk("messageTimeout=0\r\n");
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    ui().Advance(600000);
    EXPECT_TRUE(form->pnInfo->Visible());
    ui().Click(form->btReturn);
    EXPECT_FALSE(form->pnInfo->Visible());
}

TEST_F(TicketCheckTest, OkWhileIdleOnlyStopsTheReturnTimer) {
    TMainForm* form = StartKiosk();
    form->ReturnTimer->SetEnabled(true);
    form->btReturnClick(form->btReturn);
    EXPECT_FALSE(form->ReturnTimer->Enabled());
    EXPECT_FALSE(form->pnInfo->Visible());
}

TEST_F(TicketCheckTest, ScanWhileTheResultShowsIsDiscarded) {
    TMainForm* form = StartKiosk("messageTimeout=3\r\n");
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    ui().TypeText("999");
    EXPECT_TRUE(form->InfoTimer->Enabled());  // re-armed, and does nothing when it fires
    ui().Advance(1000);
    EXPECT_EQ(form->lbCount->Caption(), "1");
    ui().Advance(2000);  // back to idle
    EXPECT_EQ(form->edTicket->Text(), "");
    ui().Advance(5000);
    EXPECT_EQ(server_.RequestCount(), 2u);
    EXPECT_EQ(form->lbCount->Caption(), "1");
}

// A scan begun just before the time-out: the return comes before the check timer would fire, and the
// discarded scan must not start a check of an empty text afterwards.
TEST_F(TicketCheckTest, ScanJustBeforeTheReturnStartsNoCheckAfterIt) {
    TMainForm* form = StartKiosk("messageTimeout=3\r\n");
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    ui().Advance(2500);
    ui().TypeText("777");
    ui().Advance(600);  // the return to idle
    ASSERT_FALSE(form->pnInfo->Visible());
    ui().Advance(2000);
    EXPECT_FALSE(form->pnInfo->Visible());
    EXPECT_EQ(form->lbCount->Caption(), "1");
    EXPECT_EQ(server_.RequestCount(), 2u);
}

TEST_F(TicketCheckTest, KeysArrivingDuringTheReturnToIdleAreDiscarded) {
    TMainForm* form = StartKiosk();
    ExpectLogin();
    ExpectCheck(ResultReply(kTicketReply));
    Scan("12345");
    ASSERT_TRUE(form->pnInfo->Visible());
    // OK pressed, and the tail of a scan queued behind it while the return holds the thread.
    const TPoint origin = form->btReturn->FormOrigin();
    const TPoint okCentre{origin.X + form->btReturn->Width() / 2, origin.Y + form->btReturn->Height() / 2};
    platform::ui::PostMouseDown(*form, mbLeft, {}, okCentre);
    platform::ui::PostMouseUp(*form, mbLeft, {}, okCentre);
    for (char c : std::string("987")) {
        ui().KeyDown(static_cast<WORD>(c), {}, std::string(1, c));
        ui().KeyUp(static_cast<WORD>(c));
    }
    ui().ProcessMessages();
    EXPECT_FALSE(form->pnInfo->Visible());
    EXPECT_EQ(form->edTicket->Text(), "");
    EXPECT_FALSE(form->InfoTimer->Enabled());
    ui().Advance(5000);
    EXPECT_EQ(server_.RequestCount(), 2u);
}

TEST_F(TicketCheckTest, PanelIsPlacedByInfoPosition) {
    const std::pair<const char*, int> cases[] = {{"info_position=1\r\n", (984 - 425) / 2},
                                                 {"info_position=2\r\n", 984 - 425},
                                                 {"info_position=7\r\n", 0}};
    for (const auto& [settings, top] : cases) {
        SCOPED_TRACE(settings);
        TMainForm* form = StartKiosk(settings);
        Scan("1");  // a number-format error still shows the panel
        EXPECT_EQ(form->pnInfo->Top(), top);
        Application->DestroyForms();
    }
}

}  // namespace
