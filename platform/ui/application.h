#pragma once
// TApplication: the program's forms and its message loop. The first form made by CreateForm is
// the main form; Run shows it and dispatches messages until the program is terminated (closing
// the main form does that). An exception escaping a handler is reported in a message box (or
// passed to OnException) and the loop goes on; the application is also the runtime's exception
// report (platform/rtl/exception_hook.h) while it exists.
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/messages.h"

class TCustomForm;
class THintController;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;
    std::string ClassName() const override { return "TApplication"; }

    void Initialize();
    // Makes a form owned by the application and stores it in *reference before OnCreate fires.
    template <class T>
    void CreateForm(T** reference);
    TCustomForm* MainForm() const { return mainForm_; }

    void Run();
    // Dispatches every queued message (and due timers), then paints what is invalid; never waits.
    void ProcessMessages();
    // Dispatches one message, or waits for the host's next event or the next timer.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Call inside a catch block: reports the exception being handled. Never raises: when OnException
    // itself fails, its failure is shown in the message box instead.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;
    std::string Title;

    // Hints: shown after HintPause (HintShortPause when one already shows), hidden after HintHidePause.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    void CancelHint();
    THintController* Hints();

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
    // Frees every form (the end of the program, or of a test) and starts afresh.
    void DestroyForms();
    // Runs one queued message through the loop's rules (keys translated into characters); false when none.
    bool ProcessMessage();

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    void Report(TObject* Sender, std::exception_ptr error);
    void ReportSafely(TObject* Sender, std::exception_ptr error);
    void FormCreated(TCustomForm* form);
    void PaintForms();
    void Idle();
    TCustomForm* mainForm_ = nullptr;
    TObjectPtr<THintController> hints_;
    bool showHint_ = true;
    bool terminated_ = false;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T** reference) {
    T* form = new T(this);
    if (reference != nullptr)
        *reference = form;
    FormCreated(form);
    form->AfterConstruction();
}
