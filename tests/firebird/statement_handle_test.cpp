// A statement handle drops its server statement once, whichever object holds it last.
#include "firebird/statement_handle.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

// Hands out handles 1, 2, ... and counts the drops of each.
class TCountingClient : public IIBClientLibrary {
  public:
    std::string GetLibraryName() const override { return "counting"; }
    int ClientMajorVersion() const override { return 3; }
    int ClientMinorVersion() const override { return 0; }
    void FreeClientLibrary() override {}
    ISC_STATUS isc_dsql_alloc_statement2(ISC_STATUS*, isc_db_handle*, isc_stmt_handle* handle) override {
        *handle = ++allocated_;
        return 0;
    }
    ISC_STATUS isc_dsql_free_statement(ISC_STATUS*, isc_stmt_handle* handle, unsigned short option) override {
        if (option == DSQL_drop) {
            ++Drops[*handle];
            *handle = 0;
        } else {
            ++CursorCloses;
        }
        return 0;
    }

    std::map<isc_stmt_handle, int> Drops;
    int CursorCloses = 0;

  private:
    isc_stmt_handle allocated_ = 0;
};

TEST(StatementHandle, MovedHandlesDropTheirStatementOnce) {
    TCountingClient client;
    isc_db_handle database = 1;
    {
        TStatementHandle first;
        first.Allocate(client, &database);
        TStatementHandle second(std::move(first));
        EXPECT_FALSE(first.Held());
        EXPECT_TRUE(second.Held());
        TStatementHandle third;
        third.Allocate(client, &database);
        third = std::move(second);  // the statement third held goes now
        EXPECT_EQ(client.Drops, (std::map<isc_stmt_handle, int>{{2, 1}}));
    }
    EXPECT_EQ(client.Drops, (std::map<isc_stmt_handle, int>{{1, 1}, {2, 1}}));
}

TEST(StatementHandle, DropAndCursorCloseEachCallOnce) {
    TCountingClient client;
    isc_db_handle database = 1;
    {
        TStatementHandle handle;
        handle.Allocate(client, &database);
        handle.CloseCursor();
        EXPECT_TRUE(handle.Held());  // closing the cursor keeps the statement
        handle.Drop();
        EXPECT_FALSE(handle.Held());
        handle.Drop();
        TStatementHandle forgotten;
        forgotten.Allocate(client, &database);
        forgotten.Forget();
    }
    EXPECT_EQ(client.CursorCloses, 1);
    EXPECT_EQ(client.Drops, (std::map<isc_stmt_handle, int>{{1, 1}}));
}

}  // namespace
