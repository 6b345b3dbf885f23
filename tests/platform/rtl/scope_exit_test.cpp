// Undo work at the end of a scope: it runs on every way out, a failing undo raises on a normal exit,
// and while the scope's own failure unwinds, that failure is the one the caller gets.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/rtl/scope_exit.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/update_scope.h"

namespace {

std::string Outcome(bool BodyRaises, bool UndoRaises, int& Undone) {
    try {
        TScopeExit undo([&] {
            ++Undone;
            if (UndoRaises)
                throw std::runtime_error("undo");
        });
        if (BodyRaises)
            throw std::runtime_error("body");
    } catch (const std::exception& e) {
        return e.what();
    }
    return "none";
}

TEST(ScopeExit, UndoesOnEveryWayOutAndTheFirstFailureWins) {
    struct Case {
        bool bodyRaises;
        bool undoRaises;
        const char* caught;
    };
    const Case cases[] = {
        {false, false, "none"},
        {true, false, "body"},
        {false, true, "undo"},
        {true, true, "body"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bodyRaises ? "body raises" : "body ends") +
                     (c.undoRaises ? ", undo raises" : ""));
        int undone = 0;
        EXPECT_EQ(Outcome(c.bodyRaises, c.undoRaises, undone), c.caught);
        EXPECT_EQ(undone, 1);
    }
}

// Nested brackets send one notice, at the outermost end, also when the work inside fails.
TEST(UpdateScope, EndsTheUpdateOnEveryWayOut) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    EXPECT_THROW(
        {
            const auto outer = UpdateScope(list);
            const auto inner = UpdateScope(list);
            list.Add("a");
            EXPECT_EQ(changes, 0);
            throw std::runtime_error("work");
        },
        std::runtime_error);
    EXPECT_EQ(changes, 1);
    list.Add("b");
    EXPECT_EQ(changes, 2);
}

}  // namespace
