#include "platform/rtl/exception_hook.h"

#include <string>
#include <utility>

#include "platform/os/debug_output.h"
#include "platform/rtl/component.h"

namespace platform {
namespace {

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

bool IsAbort(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}

void WriteToDebugOutput(TObject* Sender, std::exception_ptr error) {
    std::string from = Sender != nullptr ? " in " + Sender->ClassName() : std::string();
    OutputDebugString("Exception" + from + ": " + MessageOf(error));
}

}  // namespace

void ExceptionHook::HandleException(TObject* Sender) {
    if (std::exception_ptr current = std::current_exception())
        Report(Sender, current);
}

void ExceptionHook::Report(TObject* Sender, std::exception_ptr error) {
    if (!error || IsAbort(error))
        return;
    try {
        if (handler_)
            handler_(Sender, error);
        else
            WriteToDebugOutput(Sender, error);
    } catch (...) {
        // The report itself failed: nothing may escape into the loop that called us.
        try {
            WriteToDebugOutput(Sender, std::current_exception());
        } catch (...) {
        }
    }
}

ExceptionHook::Handler ExceptionHook::SetHandler(Handler handler) {
    return std::exchange(handler_, std::move(handler));
}

}  // namespace platform
