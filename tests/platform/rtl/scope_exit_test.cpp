// Undo work at the end of a scope: it runs on every way out (or only on the way out by an exception),
// a failing undo raises on a normal exit, and while the scope's own failure unwinds, that failure is
// the one the caller gets.
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

// The undo runs only on the way out by an exception; the body's failure is the one the caller gets.
TEST(ScopeFail, UndoesOnlyWhenTheScopeFails) {
    struct Case {
        bool bodyRaises;
        bool undoRaises;
        const char* caught;
        int undone;
    };
    const Case cases[] = {
        {false, false, "none", 0},
        {false, true, "none", 0},
        {true, false, "body", 1},
        {true, true, "body", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bodyRaises ? "body raises" : "body ends") +
                     (c.undoRaises ? ", undo raises" : ""));
        int undone = 0;
        std::string caught = "none";
        try {
            const TScopeFail undo([&] {
                ++undone;
                if (c.undoRaises)
                    throw std::runtime_error("undo");
            });
            if (c.bodyRaises)
                throw std::runtime_error("body");
        } catch (const std::exception& e) {
            caught = e.what();
        }
        EXPECT_EQ(caught, c.caught);
        EXPECT_EQ(undone, c.undone);
    }
}

// A scope that ends normally inside a handler that is still running for an earlier exception keeps
// its work: only exceptions thrown after the scope began count.
TEST(ScopeFail, AnExceptionAlreadyBeingHandledIsNotTheScopesFailure) {
    int undone = 0;
    struct Unwinder {
        int& undone;
        ~Unwinder() {
            const TScopeFail undo([this] { ++undone; });
        }
    };
    try {
        Unwinder unwinder{undone};
        throw std::runtime_error("earlier");
    } catch (const std::exception&) {
    }
    EXPECT_EQ(undone, 0);
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
