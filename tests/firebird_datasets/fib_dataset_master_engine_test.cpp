// Master-detail over two real tables: the detail's parameters as the server receives them, the
// detail following its master at once or after the master has rested (on a hand-driven clock),
// pending waits applied before editing, and what the detail does when its master closes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "firebird/fib_errors.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "platform/os/clock.h"
#include "platform/rtl/runtime.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

constexpr const char* kClientsTable =
    "RECREATE TABLE CLIENTS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20), BORN DATE,"
    " SEEN TIMESTAMP, RATE NUMERIC(9,2), BIG NUMERIC(18,0), SCORE DOUBLE PRECISION, SMALL SMALLINT,"
    " NOTE BLOB SUB_TYPE 1)";
constexpr const char* kClients[] = {
    "(1, 'Ivanov', '1970-05-17', '2024-02-29 10:20:30', 12.5, 9000000000000000001, 0.25, -7, 'first note')",
    "(2, 'Петрова', '1985-01-02', NULL, -3, 0, 1e10, 0, NULL)",
    "(3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
    "(4, 'Sidorov', '2001-02-03', '2001-02-03 00:00:00', 0.01, -5, -1.5, 32767, '')",
    "(5, 'Five', '2005-05-05', NULL, 5, 5, 5, 5, NULL)",
    "(6, 'Six', '2006-06-06', NULL, 6, 6, 6, 6, NULL)"};
constexpr const char* kVisitsTable =
    "RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER, TOPIC VARCHAR(20))";
constexpr const char* kVisits[] = {"(10, 1, 'teeth')", "(11, 1, 'eyes')", "(20, 2, 'heart')",
                                   "(40, 4, 'skin')",  "(60, 6, 'knee')", "(61, 6, 'back')"};

class MasterOnEngine : public dstest::DatasetEngine {
  protected:
    static void SetUpTestSuite() {
        DatasetEngine::SetUpTestSuite();
        CreateTable(kClientsTable, "CLIENTS", kClients);
        CreateTable(kVisitsTable, "VISITS", kVisits);
    }

    void SetUp() override {
        DatasetEngine::SetUp();
        master_ = MakeComponent<TpFIBDataSet>(nullptr);
        master_->SetName("Clients");
        master_->SetDatabase(&Database());
        master_->SetTransaction(&Transaction());
        master_->SelectSQL().SetText("SELECT * FROM CLIENTS ORDER BY ID");
        source_ = std::make_unique<TDataSource>();
        source_->SetDataSet(master_.get());
    }

    void TearDown() override {
        dataSet_.reset();
        source_.reset();
        master_.reset();
        DatasetEngine::TearDown();
    }

    // A detail of the clients over the select text, counting its opens; not yet open.
    TpFIBDataSet& Detail(const std::string& select) {
        auto& detail = DataSet<TpFIBDataSet>(select);
        detail.SetDataSource(source_.get());
        detail.AfterOpen = [this](TDataSet*) { ++opens_; };
        return detail;
    }

    TpFIBDataSet& Visits() {
        auto& detail = Detail("SELECT ID, TOPIC FROM VISITS WHERE CLIENT_ID = :ID ORDER BY ID");
        detail.UpdateSQL().SetText("UPDATE VISITS SET TOPIC = :TOPIC WHERE ID = :OLD_ID");
        return detail;
    }

    // Visits that wait for the master's scrolling to end.
    TpFIBDataSet& WaitingVisits() {
        auto& detail = Visits();
        WaitForMaster(detail);
        return detail;
    }

    // Master and waiting visits open, the opens counted from here.
    TpFIBDataSet& OpenWaitingVisits() {
        auto& detail = WaitingVisits();
        master_->Open();
        detail.Open();
        opens_ = 0;
        return detail;
    }

    static void WaitForMaster(TpFIBDataSet& detail) {
        detail.SetDetailConditions(detail.DetailConditions() + TDetailConditions{dcWaitEndMasterScroll});
    }

    static std::string Column(TDataSet& ds, const char* name) {
        std::string text;
        for (ds.First(); !ds.Eof(); ds.Next()) text += ds.FieldByName(name)->AsString() + " ";
        return text;
    }

    void GoToClient(int id) {
        for (master_->First(); master_->FieldByName("ID")->AsInteger() != id;) master_->Next();
    }

    TObjectPtr<TpFIBDataSet> master_;
    std::unique_ptr<TDataSource> source_;
    int opens_ = 0;
};

// The clock of the timers, moved by hand; due timers run as it moves.
class WaitClock {
  public:
    void Wait(int ms) {
        clock_.Advance(ms);
        platform::Runtime().Timers.ProcessDueTimers();
    }

  private:
    platform::ManualClock clock_;
    platform::ScopedClock scoped_{clock_};
};

TEST_F(MasterOnEngine, TheServerReceivesTheMasterValuesByType) {
    // Each MAS_ parameter is cast by the server to its column's type and sent back as text.
    auto& detail = Detail(
        "SELECT CAST(:ID AS INTEGER) || '|' || COALESCE(CAST(:MAS_NAME AS VARCHAR(20)), '-') || '|' ||"
        " COALESCE(CAST(:MAS_BORN AS DATE), '-') || '|' || COALESCE(CAST(:MAS_SEEN AS TIMESTAMP), '-') || "
        "'|' ||"
        " COALESCE(CAST(:MAS_RATE AS NUMERIC(9,2)), '-') || '|' || COALESCE(CAST(:MAS_BIG AS NUMERIC(18,0)), "
        "'-')"
        " || '|' || COALESCE(CAST(:MAS_SCORE AS DOUBLE PRECISION), '-') || '|' ||"
        " COALESCE(CAST(:MAS_SMALL AS SMALLINT), '-') || '|' || COALESCE(CAST(:MAS_NOTE AS BLOB SUB_TYPE 1), "
        "'-')"
        " AS GOT FROM RDB$DATABASE");
    const char* received[] = {
        "1|Ivanov|1970-05-17|2024-02-29 10:20:30.0000|12.50|9000000000000000001|0.2500000000000000|-7|first "
        "note",
        "2|Петрова|1985-01-02|-|-3.00|0|10000000000.00000|0|-",
        "3|-|-|-|-|-|-|-|-",
        "4|Sidorov|2001-02-03|2001-02-03 00:00:00.0000|0.01|-5|-1.500000000000000|32767|",
    };
    master_->Open();
    detail.Open();
    for (const char* expected : received) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(detail.FieldByName("GOT")->AsString(), expected);
        master_->Next();
    }
}

TEST_F(MasterOnEngine, AMasterFieldOfAnUnsupportedKindIsRefused) {
    master_->SelectSQL().SetText("SELECT ID, ARR_V FROM ALL_TYPES ORDER BY ID");
    auto& detail = Detail("SELECT ID FROM VISITS WHERE CAST(:MAS_ARR_V AS INTEGER) IS NULL");
    master_->Open();
    try {
        detail.Open();
        ADD_FAILURE() << "no error";
    } catch (const EFIBClientError& e) {
        EXPECT_STREQ(e.what(), "Unsupported feature.");
    }
    EXPECT_FALSE(detail.Active());
}

TEST_F(MasterOnEngine, WithoutWaitingTheDetailFollowsEachMove) {
    auto& detail = Visits();
    master_->UpdateSQL().SetText("UPDATE CLIENTS SET ID = :ID WHERE ID = :OLD_ID");
    master_->Open();
    detail.Open();
    EXPECT_EQ(Column(detail, "TOPIC"), "teeth eyes ");
    opens_ = 0;
    master_->Next();
    EXPECT_EQ(Column(detail, "TOPIC"), "heart ");
    master_->Next();
    EXPECT_EQ(Column(detail, "TOPIC"), "");
    EXPECT_EQ(opens_, 2);
    master_->Edit();  // an edit of the master's record is no move
    master_->FieldByName("ID")->SetAsInteger(4);
    master_->Cancel();
    EXPECT_EQ(opens_, 2);
}

TEST_F(MasterOnEngine, FiveScrollsWithinTheWaitReopenTheDetailOnce) {
    WaitClock clock;
    auto& detail = OpenWaitingVisits();
    for (int i = 0; i < 5; ++i) {
        master_->Next();
        clock.Wait(50);
    }
    EXPECT_EQ(opens_, 0);
    EXPECT_TRUE(detail.WaitingForMaster());
    EXPECT_EQ(Column(detail, "TOPIC"), "teeth eyes ");  // still the first client's visits
    clock.Wait(249);
    EXPECT_EQ(opens_, 0);
    clock.Wait(1);
    EXPECT_EQ(opens_, 1);
    EXPECT_FALSE(detail.WaitingForMaster());
    EXPECT_EQ(Column(detail, "TOPIC"), "knee back ");
    clock.Wait(1000);
    EXPECT_EQ(opens_, 1);
}

TEST_F(MasterOnEngine, EditingWhileTheWaitIsPendingFollowsTheMasterFirst) {
    WaitClock clock;
    auto& detail = OpenWaitingVisits();
    GoToClient(4);
    clock.Wait(100);
    ASSERT_TRUE(detail.WaitingForMaster());
    detail.Edit();
    EXPECT_EQ(opens_, 1);
    EXPECT_FALSE(detail.WaitingForMaster());
    EXPECT_EQ(detail.FieldByName("ID")->AsInteger(), 40);  // the record edited is client 4's
    detail.Cancel();
    clock.Wait(1000);
    EXPECT_EQ(opens_, 1);
}

TEST_F(MasterOnEngine, AWaitingDetailOfAReopeningDetailFollowsAtOnce) {
    WaitClock clock;
    auto& detail = WaitingVisits();
    TDataSource visitsSource;
    visitsSource.SetDataSet(&detail);
    TObjectPtr<TpFIBDataSet> topic = MakeComponent<TpFIBDataSet>(nullptr);
    topic->SetDatabase(&Database());
    topic->SetTransaction(&Transaction());
    topic->SelectSQL().SetText("SELECT UPPER(TOPIC) AS LOUD FROM VISITS WHERE ID = :ID");
    WaitForMaster(*topic);
    topic->SetDataSource(&visitsSource);
    master_->Open();
    detail.Open();
    topic->Open();
    EXPECT_EQ(Column(*topic, "LOUD"), "TEETH ");
    master_->Next();
    clock.Wait(300);  // the visits reopen for client 2; the topic follows without a wait of its own
    EXPECT_FALSE(topic->WaitingForMaster());
    EXPECT_EQ(Column(*topic, "LOUD"), "HEART ");
    // Both wait again; an edit of the last detail brings its masters up to date first.
    topic->UpdateSQL().SetText("UPDATE VISITS SET TOPIC = LOWER(:LOUD) WHERE ID = :ID");
    GoToClient(4);
    ASSERT_TRUE(detail.WaitingForMaster());
    topic->Edit();
    EXPECT_FALSE(detail.WaitingForMaster());
    EXPECT_EQ(detail.FieldByName("ID")->AsInteger(), 40);
    EXPECT_EQ(topic->FieldByName("LOUD")->AsString(), "SKIN");
    topic->Cancel();
    topic->SetDataSource(nullptr);
}

TEST_F(MasterOnEngine, WhenTheMasterClosesOrOpens) {
    struct TCase {
        TDetailConditions Conditions;
        bool OpenAfterMasterCloses;
        bool OpenWhenMasterMovesWhileClosed;
    };
    const TCase cases[] = {
        {{}, false, false},
        {{dcIgnoreMasterClose}, true, false},
        {{dcForceOpen}, false, true},
    };
    for (const TCase& c : cases) {
        auto& detail = Visits();
        detail.SetDetailConditions(c.Conditions);
        master_->Open();
        detail.Open();
        master_->Close();
        EXPECT_EQ(detail.Active(), c.OpenAfterMasterCloses);
        detail.Close();
        master_->Open();  // opening counts as a move of the master
        EXPECT_EQ(detail.Active(), c.OpenWhenMasterMovesWhileClosed);
        if (detail.Active()) {
            EXPECT_EQ(Column(detail, "TOPIC"), "teeth eyes ");
        }
        master_->Close();
    }
}

TEST_F(MasterOnEngine, ReopeningKeepsTheDetailsFields) {
    auto& detail = Visits();
    master_->Open();
    detail.Open();
    TField* topic = detail.FieldByName("TOPIC");
    master_->Next();
    EXPECT_EQ(detail.FieldByName("TOPIC"), topic);
    EXPECT_EQ(topic->AsString(), "heart");
    EXPECT_TRUE(detail.DefaultFields());
    detail.Close();
    EXPECT_EQ(detail.Fields().Count(), 0);  // an ordinary close still frees the fields it made
}

}  // namespace
