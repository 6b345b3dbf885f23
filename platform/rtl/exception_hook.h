#pragma once
// The program's report of an exception that no caller can take: one escaping a timer's tick or
// another handler the loop called. The window system's Application installs its own report (a
// message box, or its OnException); without one, the message goes to the debug output. An EAbort
// ends an operation quietly and is never reported.
#include <exception>
#include <functional>

class TObject;

namespace platform {

class ExceptionHook {
  public:
    using Handler = std::function<void(TObject* Sender, std::exception_ptr error)>;

    // Call inside a catch block: reports the exception being handled.
    void HandleException(TObject* Sender);
    // Never raises: a handler that fails has its own failure written to the debug output.
    void Report(TObject* Sender, std::exception_ptr error);
    // Returns the previous handler; an empty one puts the debug-output report back.
    Handler SetHandler(Handler handler);

  private:
    Handler handler_;
};

}  // namespace platform
