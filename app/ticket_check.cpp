// The ticket check: from the scanned number to the result panel and back to idle.
#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "app/main_form.h"
#include "app/settings_values.h"
#include "common/json_date_time.h"
#include "platform/os/clock.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/messages.h"
#include "platform/ui/window_system.h"

namespace {

using json = nlohmann::ordered_json;

// A member of the reply as text: missing or null is empty, a string is itself, anything else its JSON text.
std::string ReplyText(const json& reply, const char* member) {
    auto it = reply.find(member);
    if (it == reply.end() || it->is_null())
        return {};
    if (it->is_string())
        return it->get<std::string>();
    return it->dump(-1, ' ', false, json::error_handler_t::replace);
}

// The scanned text without its last character (a whole UTF-8 character).
std::string DropLastCharacter(const std::string& text) {
    const std::size_t length = Utf8Length(text);
    return length == 0 ? std::string() : std::string(Utf8Left(text, length - 1));
}

}  // namespace

void TMainForm::edTicketChange(TObject*) {
    if (!edTicket->Text().empty() && !InfoTimer->Enabled())
        InfoTimer->SetEnabled(true);
}

void TMainForm::InfoTimerTimer(TObject*) {
    InfoTimer->SetEnabled(false);
    if (!pnInfo->Visible())
        CheckTicket();
}

void TMainForm::CheckTicket() {
    btReturn->SetVisible(false);
    ReturnTimer->SetEnabled(false);
    // Whatever happens below, the check ends with OK shown and the return timer running.
    TScopeExit showResult([this] {
        btReturn->SetVisible(true);
        ReturnTimer->SetEnabled(true);
    });

    const int clientHeight = ClientHeight(), panelHeight = pnInfo->Height();
    pnInfo->SetTop(FSettings.InfoPosition == 1   ? (clientHeight - panelHeight) / 2
                   : FSettings.InfoPosition == 2 ? clientHeight - panelHeight
                                                 : 0);
    pnInfo->SetVisible(true);
    ++FCheckCount;
    lbCount->SetCaption(IntToStr(FCheckCount));
    lbTicket->SetCaption("Поиск талона в базе...");
    Application->ProcessMessages();
    const std::string text = DropLastCharacter(edTicket->Text());
    edTicket->SetText("");
    const std::int32_t number = StrToIntDef(text, -1);
    if (number == -1) {
        lbTicket->SetCaption("Ошибка числового формата (" + text + ")");
        return;
    }
    try {
        ShowTicket(RequestTicket(number));
    } catch (const ExceptionRestTransportV2& e) {
        lbTicket->SetCaption(e.Message);
        lbMessage->SetCaption("Обратитесь в регистратуру");
    } catch (const std::exception&) {
        lbTicket->SetCaption("Произошла непредвиденная ошибка");
        lbMessage->SetCaption("Обратитесь в регистратуру");
    }
}

void TMainForm::ShowTicket(const json& reply) {
    if (!reply.is_object())
        throw Exception("The reply carries no result");
    lbTicket->SetCaption(ReplyText(reply, "ticketNumber"));
    lbNote->SetCaption("");
    lbMessage->SetCaption(BuildRoomMessage(reply));
    const TDateTime visitDate = JsonToDateTime(ReplyText(reply, "visitDate"));
    const TDateTime visitTime = JsonToDateTime(ReplyText(reply, "visitTime"));
    lbVisitDateTime->SetCaption(FormatDateTime("dddd dd.mm.yyyy", visitDate) + "    " +
                                FormatDateTime("hh:nn", visitTime));
    lbRoom->SetCaption(ReplyText(reply, "room"));
    lbSpec->SetCaption(ReplyText(reply, "workerName"));
    lbFactDoctor->SetCaption(ReplyText(reply, "doctorName"));
}

json TMainForm::RequestTicket(std::int32_t number) {
    const TKioskSettings& s = FSettings;
    json params = json::object();
    params["token"] = FApiClient.GetToken(IntToStr(s.UserId), s.Password);
    params["clinicId"] = s.ClinicId;
    params["ticketId"] = number;
    params["checkUserGroupIds"] = ParseUserGroupIds(s.CheckUserGroupIds);
    params["checkTime"] = s.CheckTime;
    params["checkLab"] = s.CheckLab;
    if (s.CheckVisitAfter > 0)
        params["checkVisitAfter"] = FormatDateTime("yyyy-mm-dd", IncDay(Date(), -s.CheckVisitAfter));
    params["checkDocument"] = s.CheckDocument;
    params["checkSocialStatus"] = s.CheckSocialStatus;
    params["checkBirthplaces"] = s.CheckBirthplaces;
    if (s.CheckRegion > 0)
        params["checkRegion"] = s.CheckRegion;
    params["checkRoom"] = s.CheckRoom;
    params["checkOkato"] = s.CheckOkato;
    params["checkSmo"] = s.CheckSmo;
    params["checkEnp"] = s.CheckEnp;
    params["checkOmsNumber"] = s.CheckOmsNumber;
    params["checkAreaMo"] = s.CheckAreaMo;
    return FApiClient.CallMethod("infomat", "Tickets.Check", std::move(params));
}

std::string TMainForm::BuildRoomMessage(const json& reply) const {
    return StringReplace(FSettings.MessageTemplate, "{room}", ReplyText(reply, "room"),
                         rfReplaceAll | rfIgnoreCase);
}

void TMainForm::btReturnClick(TObject* Sender) {
    ReturnTimerTimer(Sender);
}

void TMainForm::ReturnTimerTimer(TObject*) {
    ReturnTimer->SetEnabled(false);
    if (!pnInfo->Visible())
        return;
    ClearValueLabels();
    edClear->SetText("");
    edClear->SetVisible(true);
    Sleep(500);
    edClear->SetVisible(false);
    DiscardPendingInput();
    edTicket->SetText("");
    // A scan made while the result showed may have armed the check timer; it is discarded with the scan.
    InfoTimer->SetEnabled(false);
    pnInfo->SetVisible(false);
}

// Keystrokes that arrived while the return to idle held the thread (the tail of a scan made while
// the result showed) would reach the emptied scan box afterwards and start a check for a wrong
// number: they are dropped here, before the scan box is emptied.
void TMainForm::DiscardPendingInput() {
    platform::ui::CurrentWindowSystem().PumpEvents();
    TMsg msg;
    constexpr UINT kLastKeyboardMessage = 0x0109;  // the platform's WM_KEYLAST
    while (PeekMessage(msg, 0, WM_KEYDOWN, kLastKeyboardMessage, PM_REMOVE)) {
    }
}

void TMainForm::ClearValueLabels() {
    for (TLabel* label : {lbTicket, lbVisitDateTime, lbRoom, lbSpec, lbFactDoctor, lbMessage, lbNote})
        label->SetCaption("");
}
