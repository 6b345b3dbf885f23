#include "platform/ui/message_queue.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <set>

#include "platform/os/clock.h"
#include "platform/rtl/value_scope.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/timers.h"
#include "platform/ui/win_control.h"

namespace platform::ui {
namespace {

struct State {
    std::recursive_mutex lock;
    std::deque<QueuedMessage> queue;
    std::map<HWND, std::shared_ptr<TWndMethod>> windows;
    std::set<HWND> utilityWindows;  // made by AllocateHWnd
    HWND nextHandle = 0x1000;
    TShiftState shift;
    DWORD time = 0;  // of the message being handled
};

// Kept for the whole run: windows may still go away while the program's statics are torn down.
State& S() {
    static auto* state = new State();
    return *state;
}

std::shared_ptr<TWndMethod> MethodOf(HWND wnd) {
    std::lock_guard guard(S().lock);
    auto it = S().windows.find(wnd);
    return it == S().windows.end() ? nullptr : it->second;
}

// The control that takes keyboard input for a form: an open menu, its focused control, or the form itself.
HWND FocusTargetOf(HWND formWnd) {
    if (TWinControl* grab = KeyboardGrab())
        return grab->Handle();
    auto* form = dynamic_cast<TCustomForm*>(FindControl(formWnd));
    if (form == nullptr)
        return formWnd;
    TWinControl* active = form->ActiveControl();
    if (active != nullptr && active->CanFocus())
        return active->Handle();
    return formWnd;
}

bool Matches(const TMsg& m, HWND wnd, UINT filterMin, UINT filterMax) {
    if (wnd != 0 && m.hwnd != wnd)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return m.message >= filterMin && m.message <= filterMax;
}

}  // namespace

HWND RegisterWindowHandle(TWndMethod method) {
    std::lock_guard guard(S().lock);
    HWND wnd = S().nextHandle++;
    S().windows[wnd] = std::make_shared<TWndMethod>(std::move(method));
    return wnd;
}

void UnregisterWindowHandle(HWND wnd) {
    KillWindowTimers(wnd);
    std::lock_guard guard(S().lock);
    S().windows.erase(wnd);
    auto& q = S().queue;
    q.erase(std::remove_if(q.begin(), q.end(), [wnd](const QueuedMessage& m) { return m.Msg.hwnd == wnd; }),
            q.end());
}

void PostQueued(QueuedMessage message, bool toFront) {
    std::lock_guard guard(S().lock);
    message.Msg.time = static_cast<DWORD>(platform::CurrentClock().TickMillis());
    if (toFront)
        S().queue.push_front(std::move(message));
    else
        S().queue.push_back(std::move(message));
}

bool TakeQueued(QueuedMessage& message) {
    PostDueTimers();
    std::lock_guard guard(S().lock);
    if (S().queue.empty())
        return false;
    message = std::move(S().queue.front());
    S().queue.pop_front();
    if (message.ToFocus)
        message.Msg.hwnd = FocusTargetOf(message.Msg.hwnd);
    return true;
}

LRESULT DispatchQueued(const QueuedMessage& message) {
    TValueScope shift(S().shift, message.Shift);
    TValueScope time(S().time, message.Msg.time);
    return SendMessage(message.Msg.hwnd, message.Msg.message, message.Msg.wParam, message.Msg.lParam);
}

TShiftState MessageShiftState() {
    return S().shift;
}
void SetMessageShiftState(TShiftState shift) {
    S().shift = shift;
}

void RemoveQueued(HWND wnd, UINT msg, WPARAM wParam) {
    std::lock_guard guard(S().lock);
    auto& q = S().queue;
    q.erase(std::remove_if(q.begin(), q.end(),
                           [&](const QueuedMessage& m) {
                               return m.Msg.hwnd == wnd && m.Msg.message == msg &&
                                      (wParam == 0 || m.Msg.wParam == wParam);
                           }),
            q.end());
}

bool QueueEmpty() {
    std::lock_guard guard(S().lock);
    return S().queue.empty();
}

std::vector<HWND> UtilityWindows() {
    std::lock_guard guard(S().lock);
    return {S().utilityWindows.begin(), S().utilityWindows.end()};
}

void ResetMessageQueue() {
    KillAllTimers();
    std::lock_guard guard(S().lock);
    S().queue.clear();
    S().shift = {};
}

}  // namespace platform::ui

DWORD GetMessageTime() {
    return platform::ui::S().time;
}

using platform::ui::S;

HWND AllocateHWnd(TWndMethod method) {
    HWND wnd = platform::ui::RegisterWindowHandle(std::move(method));
    std::lock_guard guard(platform::ui::S().lock);
    platform::ui::S().utilityWindows.insert(wnd);
    return wnd;
}

void DeallocateHWnd(HWND wnd) {
    {
        std::lock_guard guard(platform::ui::S().lock);
        platform::ui::S().utilityWindows.erase(wnd);
    }
    platform::ui::UnregisterWindowHandle(wnd);
}

bool IsWindow(HWND wnd) {
    return platform::ui::MethodOf(wnd) != nullptr;
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(wnd))
        return false;
    platform::ui::QueuedMessage m;
    m.Msg = TMsg{wnd, msg, wParam, lParam, 0, {}};
    m.Shift = platform::ui::MessageShiftState();
    platform::ui::PostQueued(std::move(m));
    return true;
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto method = platform::ui::MethodOf(wnd);
    if (method == nullptr || !*method)
        return 0;
    TMessage m{msg, wParam, lParam, 0};
    (*method)(m);
    return m.Result;
}

void PostQuitMessage(int exitCode) {
    platform::ui::QueuedMessage m;
    m.Msg = TMsg{0, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, {}};
    platform::ui::PostQueued(std::move(m));
}

bool PeekMessage(TMsg& msg, HWND wnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    platform::ui::PostDueTimers();
    std::lock_guard guard(S().lock);
    auto& q = S().queue;
    for (auto it = q.begin(); it != q.end(); ++it) {
        // Keyboard input is for the control that has the focus now, as the loop would deliver it.
        TMsg m = it->Msg;
        if (it->ToFocus)
            m.hwnd = platform::ui::FocusTargetOf(m.hwnd);
        if (!platform::ui::Matches(m, wnd, filterMin, filterMax))
            continue;
        msg = m;
        if (removeMsg & PM_REMOVE)
            q.erase(it);
        return true;
    }
    return false;
}

LRESULT DispatchMessage(const TMsg& msg) {
    return SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}
