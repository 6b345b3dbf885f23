#pragma once
// Window handles and the program's message queue. Every windowed control and every utility window
// (timers) has a handle; messages posted to a handle wait in the queue until the message loop
// dispatches them to the handle's window procedure. A handle that was freed drops its messages.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/messages.h"
#include "platform/ui/shift_state.h"

using TWndMethod = std::function<void(TMessage&)>;

// A window that only receives messages (timers, notifications).
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);
bool IsWindow(HWND wnd);

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);     // false when wnd is no window
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);  // 0 when wnd is no window
void PostQuitMessage(int exitCode);

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
// The first queued message for wnd (0: any window) whose number lies in [filterMin, filterMax]
// (both 0: any number). Timer messages that are due are queued first.
bool PeekMessage(TMsg& msg, HWND wnd, UINT filterMin, UINT filterMax, UINT removeMsg);
LRESULT DispatchMessage(const TMsg& msg);
// The tick count (milliseconds) when the message being handled was queued.
DWORD GetMessageTime();

namespace platform::ui {

// A queued message with what the host knew when it was made: the held modifiers and, for a key
// press, the text it types (turned into WM_CHAR when the key is not taken by the key handlers).
struct QueuedMessage {
    TMsg Msg;
    TShiftState Shift;
    std::u32string Text;
    // Keyboard input: goes to the focused control of the form Msg.hwnd names, as it is when taken.
    bool ToFocus = false;
};
void PostQueued(QueuedMessage message, bool toFront = false);
// Takes the next message (timers that are due are queued first); false when the queue is empty.
bool TakeQueued(QueuedMessage& message);
// Dispatches with Shift as the modifier state the handlers see.
LRESULT DispatchQueued(const QueuedMessage& message);
// The modifiers held when the message being handled was made.
TShiftState MessageShiftState();
void SetMessageShiftState(TShiftState shift);
// Removes queued messages for wnd with this number (and, when not 0, this WParam).
void RemoveQueued(HWND wnd, UINT msg, WPARAM wParam);

// Registers a handle with its window procedure; used by windowed controls.
HWND RegisterWindowHandle(TWndMethod method);
void UnregisterWindowHandle(HWND wnd);
bool QueueEmpty();
// The windows AllocateHWnd made that still exist; they hear what is told to every top-level window.
std::vector<HWND> UtilityWindows();
// Removes every queued message and every handle's timers; for tests that start afresh.
void ResetMessageQueue();

}  // namespace platform::ui
