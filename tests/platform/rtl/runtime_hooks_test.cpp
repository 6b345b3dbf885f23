// The screen cursor and the report of unhandled exceptions, below the window system: what they do
// with nobody listening, and what an installed listener or handler gets.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/runtime.h"
#include "tests/platform/rtl/debug_lines.h"

namespace {

TEST(ScreenCursor, AScopedCursorIsPutBackOnEveryPathAndTheListenerHearsOnlyChanges) {
    std::vector<TCursor> shown;
    auto previous = platform::Runtime().Cursor.SetListener([&](TCursor c) { shown.push_back(c); });
    try {
        TScopedCursor wait(crSQLWait);
        TScopedCursor again(crSQLWait);  // already shown: nothing to tell
        EXPECT_EQ(GetScreenCursor(), crSQLWait);
        throw Exception("the statement failed");
    } catch (const Exception&) {
    }
    platform::Runtime().Cursor.SetListener(previous);
    EXPECT_EQ(GetScreenCursor(), crDefault);
    EXPECT_EQ(shown, (std::vector<TCursor>{crSQLWait, crDefault}));
}

void Raise(std::function<void()> raise, platform::ExceptionHook& hook, TObject* sender) {
    try {
        raise();
    } catch (...) {
        hook.HandleException(sender);
    }
}

TEST(ExceptionHook, WithoutAHandlerTheMessageGoesToTheDebugOutputAndAnAbortNowhere) {
    struct Case {
        const char* what;
        std::function<void()> raise;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"platform exception",
         [] { throw Exception("Ошибка чтения"); },
         {"Exception in TObject: Ошибка чтения"}},
        {"standard exception",
         [] { throw std::runtime_error("disk full"); },
         {"Exception in TObject: disk full"}},
        {"anything else", [] { throw 42; }, {"Exception in TObject: Unknown exception"}},
        {"abort", [] { Abort(); }, {}},
    };
    platform::ExceptionHook hook;
    TObject sender;
    for (const Case& c : cases) {
        DebugLines debug;
        Raise(c.raise, hook, &sender);
        EXPECT_EQ(debug.Lines, c.lines) << c.what;
    }
    DebugLines debug;
    hook.HandleException(nullptr);  // outside a catch block: nothing is being handled
    EXPECT_TRUE(debug.Lines.empty());
}

TEST(ExceptionHook, AnInstalledHandlerGetsTheSenderAndItsOwnFailureIsWrittenOut) {
    platform::ExceptionHook hook;
    TObject sender;
    std::vector<std::string> reported;
    hook.SetHandler([&](TObject* s, std::exception_ptr error) {
        EXPECT_EQ(s, &sender);
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            reported.push_back(e.what());
        }
    });
    DebugLines debug;
    Raise([] { throw Exception("first"); }, hook, &sender);
    Raise([] { Abort(); }, hook, &sender);
    EXPECT_EQ(reported, std::vector<std::string>{"first"});

    hook.SetHandler([](TObject*, std::exception_ptr) { throw Exception("Журнал недоступен"); });
    EXPECT_NO_THROW(Raise([] { throw Exception("second"); }, hook, &sender));
    EXPECT_EQ(debug.Lines, std::vector<std::string>{"Exception in TObject: Журнал недоступен"});
}

}  // namespace
