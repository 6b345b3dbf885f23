#include "platform/ui/application.h"

#include "platform/os/paths.h"
#include "platform/rtl/runtime.h"
#include "platform/rtl/scope_exit.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/hint_controller.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/timers.h"
#include "platform/ui/window_system.h"

namespace {
TApplication g_application;
}

TApplication* Application = &g_application;

TApplication::TApplication() : TComponent(nullptr) {
    // What fails below the window system (a TTimer's tick ...) is reported like a handler's failure.
    platform::Runtime().Exceptions.SetHandler(
        [this](TObject* Sender, std::exception_ptr error) { ReportSafely(Sender, error); });
}

TApplication::~TApplication() {
    DestroyForms();
    platform::Runtime().Exceptions.SetHandler(nullptr);
}

void TApplication::Initialize() {
    if (Title.empty()) {
        std::string name = ExtractFileName(ExecutablePath());
        Title = ChangeFileExt(name, "");
    }
}

void TApplication::FormCreated(TCustomForm* form) {
    if (mainForm_ == nullptr)
        mainForm_ = form;
}

void TApplication::Run() {
    terminated_ = false;
    try {
        if (mainForm_ != nullptr && !mainForm_->Visible())
            mainForm_->Show();
    } catch (...) {
        HandleException(this);
    }
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
    terminated_ = true;
}

bool TApplication::ProcessMessage() {
    platform::ui::QueuedMessage q;
    if (!platform::ui::TakeQueued(q))
        return false;
    const TMsg& msg = q.Msg;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        if (msg.message == CM_RELEASE) {
            // A form asked to be freed once its own handlers had returned.
            if (auto* form = dynamic_cast<TCustomForm*>(FindControl(msg.hwnd)))
                Free(form);
            return true;
        }
        if (IsMouseMessage(msg.message) && (hints_ != nullptr || showHint_)) {
            // The control asked for its hint reads the keys held with this message.
            const TShiftState outer = platform::ui::MessageShiftState();
            platform::ui::SetMessageShiftState(q.Shift);
            TScopeExit restore([outer] { platform::ui::SetMessageShiftState(outer); });
            Hints()->MouseMessage(msg.message, msg.hwnd, PointFromLParam(msg.lParam));
        }
        LRESULT handled = platform::ui::DispatchQueued(q);
        bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
        if (keyDown && handled == 0 && !q.Text.empty()) {
            // The key was not taken by the key handlers: it types its characters next.
            UINT charMsg = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
            for (auto it = q.Text.rbegin(); it != q.Text.rend(); ++it) {
                platform::ui::QueuedMessage ch;
                ch.Msg = TMsg{msg.hwnd, charMsg, static_cast<WPARAM>(*it), msg.lParam, 0, {}};
                ch.Shift = q.Shift;
                platform::ui::PostQueued(std::move(ch), true);
            }
        }
    } catch (...) {
        HandleException(this);
    }
    // Forms and controls freed inside the handlers that just returned go now.
    FreePendingComponents();
    return true;
}

void TApplication::PaintForms() {
    for (TCustomForm* form : std::vector<TCustomForm*>(platform::ui::LiveForms())) {
        try {
            form->PaintInvalid();
        } catch (...) {
            HandleException(form);
        }
    }
    platform::ui::PaintPopupWindows();
}

void TApplication::ProcessMessages() {
    auto& host = platform::ui::CurrentWindowSystem();
    host.PumpEvents();
    while (ProcessMessage()) {
    }
    FreePendingComponents();
    PaintForms();
}

void TApplication::HandleMessage() {
    if (!ProcessMessage())
        Idle();
}

void TApplication::Idle() {
    FreePendingComponents();
    PaintForms();
    if (terminated_)
        return;
    auto& host = platform::ui::CurrentWindowSystem();
    host.PumpEvents();
    if (!platform::ui::QueueEmpty())
        return;
    host.WaitForEvents(platform::ui::MillisUntilNextTimer());
    host.PumpEvents();
}

void TApplication::HandleException(TObject* Sender) {
    if (std::exception_ptr current = std::current_exception())
        ReportSafely(Sender, current);
}

void TApplication::ReportSafely(TObject* Sender, std::exception_ptr error) {
    try {
        Report(Sender, error);
    } catch (...) {
        // The report itself failed: show that failure plainly; nothing may escape into the loop.
        try {
            try {
                throw;
            } catch (const std::exception& e) {
                ShowException(e);
            } catch (...) {
                ShowException(Exception("Unknown exception"));
            }
        } catch (...) {
        }
    }
}

void TApplication::Report(TObject* Sender, std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // Abort is how an operation ends quietly: nothing to report.
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& E) {
    std::string text = E.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    if (Title.empty())
        Initialize();
    MessageBox(text, Title, 0x10 /* MB_ICONSTOP */);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return platform::ui::CurrentWindowSystem().ShowMessageBox(text, caption, flags);
}

void TApplication::DestroyForms() {
    DestroyComponents();
    mainForm_ = nullptr;
    hints_.reset();
    terminated_ = false;
}

void TApplication::SetShowHint(bool value) {
    showHint_ = value;
    if (!value)
        CancelHint();
}

void TApplication::CancelHint() {
    if (hints_ != nullptr)
        hints_->CancelHint();
}

THintController* TApplication::Hints() {
    // Made on first use (and again after DestroyForms), once the runtime's clock and timers are up.
    if (hints_ == nullptr)
        hints_ = MakeComponent<THintController>(nullptr);
    return hints_.get();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == mainForm_)
        mainForm_ = nullptr;

    TComponent::Notification(AComponent, Operation);
}
