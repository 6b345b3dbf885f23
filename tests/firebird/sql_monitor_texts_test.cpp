#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "firebird/sql_monitor_texts.h"
#include "sql_monitor_fakes.h"

namespace {

using monitor_test::FakeDatabase;
using monitor_test::FakeStatement;
using monitor_test::FakeTransaction;
using monitor_test::FakeValue;

TEST(SqlMonitorTexts, PrepareShowsThePlanOrWhyNot) {
    FakeStatement statement;
    EXPECT_EQ(PrepareTraceText(statement),
              "qryTickets: [Prepare] select * from TICKETS\r\n  Plan: PLAN (TICKETS NATURAL)");
    statement.planFails = true;
    EXPECT_EQ(PrepareTraceText(statement),
              "qryTickets: [Prepare] select * from TICKETS\r\n  Plan: Can't retrieve plan ");
}

TEST(SqlMonitorTexts, ExecuteShowsEachParameterByItsType) {
    struct Case {
        FakeValue value;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {{"ID", 496, "", true}, "<NULL>"},
        {{"NAME", 448, "Иванов"}, "'Иванов'"},
        {{"CODE", 452, "A1 "}, "'A1 '"},
        {{"PHOTO", 520, "bytes"}, "<BLOB>"},
        {{"DAYS", 540, "{1,2}"}, "<ARRAY>"},
        {{"SUM", 580, "12.50"}, "12.50"},
        {{"BAD", 496, "", false, true}, "<Can't print value>"},
        {{"BADTEXT", 448, "", false, true}, "<Can't print value>"},
    };
    for (const Case& c : cases) {
        FakeStatement statement;
        statement.sql = "execute procedure P";
        statement.params = {c.value};
        statement.executeMillis = 15;
        EXPECT_EQ(ExecuteTraceText(statement), "qryTickets: [Execute] execute procedure P\r\n  " +
                                                   c.value.name + " = " + c.shown +
                                                   "\r\nExecute tick count 15")
            << c.value.name;
    }
}

TEST(SqlMonitorTexts, ExecuteCountsRowsOnlyForStatementsThatChangeThem) {
    FakeStatement statement;
    statement.sql = "update TICKETS set USED = 1";
    statement.rowsAffected = 3;
    statement.executeMillis = 7;
    EXPECT_EQ(ExecuteTraceText(statement),
              "qryTickets: [Execute] update TICKETS set USED = 1\r\nExecute tick count 7");
    statement.changesRows = true;
    EXPECT_EQ(
        ExecuteTraceText(statement),
        "qryTickets: [Execute] update TICKETS set USED = 1\r\nRows Affected:  3\r\nExecute tick count 7");
}

TEST(SqlMonitorTexts, FetchListsTheColumnsAndTheEndOfTheCursor) {
    FakeStatement statement;
    // X fails after a part of its text: the part is taken back.
    statement.columns = {{"ID", 496, "7"}, {"NAME", 448, "", true}, {"X", 496, "12", false, true}};
    EXPECT_EQ(
        FetchTraceText(statement),
        "\r\nqryTickets: [Fetch] select * from TICKETSID = 7\r\nNAME = NULL\r\nX = <Can't print value>\r\n");
    statement.columns.clear();
    statement.eof = true;
    EXPECT_EQ(FetchTraceText(statement),
              "\r\nqryTickets: [Fetch] select * from TICKETS\r\n  End of file reached");
}

TEST(SqlMonitorTexts, ConnectionTransactionAndServiceSteps) {
    FakeDatabase database;
    FakeTransaction transaction;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {ConnectTraceText(database), "dbClinic: [Connect]"},
        {DisconnectTraceText(database), "dbClinic: [Disconnect]"},
        {TransactionTraceText(transaction, TTransactionStep::Start), "trWrite: [Start transaction](42)"},
        {TransactionTraceText(transaction, TTransactionStep::Commit), "trWrite: [Commit (Hard commit)](42)"},
        {TransactionTraceText(transaction, TTransactionStep::CommitRetaining),
         "trWrite: [Commit retaining (Soft commit)](42)"},
        {TransactionTraceText(transaction, TTransactionStep::Rollback), "trWrite: [Rollback](42)"},
        {TransactionTraceText(transaction, TTransactionStep::RollbackRetaining),
         "trWrite: [Rollback retaining (Soft rollback)](42)"},
        {SavepointTraceText(transaction, "SP1", TSavepointKind::Set),
         "trWrite: Transaction(42) - [SetSavePoint(\"SP1\")]"},
        {SavepointTraceText(transaction, "SP1", TSavepointKind::RollbackTo),
         "trWrite: Transaction(42) - [RollBackToSavePoint(\"SP1\")]"},
        {SavepointTraceText(transaction, "SP1", TSavepointKind::Release),
         "trWrite: Transaction(42) - [ReleaseSavePoint(\"SP1\")]"},
        {ServiceTraceText("svcBackup", TServiceStep::Attach), "svcBackup: [Attach]"},
        {ServiceTraceText("svcBackup", TServiceStep::Detach), "svcBackup: [Detach]"},
        {ServiceTraceText("svcBackup", TServiceStep::Query), "svcBackup: [Query]"},
        {ServiceTraceText("svcBackup", TServiceStep::Start), "svcBackup: [Start]"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

TEST(SqlMonitorTexts, ApplicationHeaderGoesInFront) {
    EXPECT_EQ(WithApplicationHeader("kiosk", "x: [Connect]"), "\r\n[Application: kiosk]\r\nx: [Connect]");
}

TEST(SqlMonitorTexts, ControlCharactersAreEscapedButLineBreaksStay) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a\tb", "a#$09b"},
        {std::string("\0", 1), "#$00"},
        {"\x1f\x01", "#$1F#$01"},
        {"line\r\nnext\n", "line\r\nnext\n"},
        {"\x7f space ~", "\x7f space ~"},
        {"Пациент", "Пациент"},
        {"", ""},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeTraceText(text), escaped);
}

TEST(SqlMonitorTexts, ChunksFitTheBlockAndKeepTheirOrder) {
    struct Case {
        std::size_t length;
        std::vector<std::size_t> chunks;
    };
    const std::vector<Case> cases = {
        {0, {}}, {1, {1}}, {2002, {2002}}, {2003, {2002, 1}}, {5000, {2002, 2002, 996}},
    };
    for (const Case& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
        const auto chunks = SplitTraceChunks(text);
        std::vector<std::size_t> sizes;
        std::string joined;
        for (const auto chunk : chunks) {
            sizes.push_back(chunk.size());
            joined += chunk;
        }
        EXPECT_EQ(sizes, c.chunks) << c.length;
        EXPECT_EQ(joined, text);
    }
}

}  // namespace
