// Databases and transactions in a stored form, read back against the embedded engine: a form
// stored while connected connects again when read, and starts its default transaction.
#include <gtest/gtest.h>

#include "firebird/database.h"
#include "firebird/pfib_transaction.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::TEngineFolder;

class DatabaseStreaming : public ::testing::Test {
  protected:
    DatabaseStreaming() {
        classes_.RegisterClass<TFIBDatabase>("TFIBDatabase");
        classes_.RegisterClass<TFIBTransaction>("TFIBTransaction");
        classes_.RegisterClass<TpFIBTransaction>("TpFIBTransaction");
        root_->SetName("Module");
        db_ = NewComponent<TFIBDatabase>(root_.get());
        db_->SetName("Clinic");
        tr_ = NewComponent<TpFIBTransaction>(root_.get());
        tr_->SetName("Work");
    }

    std::string Store() { return ComponentToText(*root_); }

    TObjectPtr<TComponent> Read(const std::string& text) {
        auto copy = MakeComponent<TComponent>(nullptr);
        TReader(text, classes_).ReadRootComponent(*copy);
        return copy;
    }

    TClassRegistry classes_;
    TObjectPtr<TComponent> root_ = MakeComponent<TComponent>(nullptr);
    TFIBDatabase* db_ = nullptr;
    TpFIBTransaction* tr_ = nullptr;
};

TEST_F(DatabaseStreaming, AFormStoredWhileConnectedConnectsWhenRead) {
    const std::string file = TEngineFolder::Get().CreateDatabase("streamed");
    db_->SetDBName(file);
    db_->DBParams().SetText("user_name=SYSDBA\r\nlc_ctype=UTF8");
    db_->SetSQLDialect(3);
    db_->SynchronizeTime = false;
    db_->SetDefaultTransaction(tr_);
    tr_->TPBMode = tpbDefault;
    tr_->TRParams().SetText("write\r\nconcurrency\r\nnowait");
    tr_->TimeoutAction = TACommit;
    db_->SetConnected(true);
    tr_->StartTransaction();
    const std::string text = Store();
    for (const char* line :
         {"    Connected = True\n", "    DefaultTransaction = Work\n", "    Active = True\n",
          "    TRParams.Strings = (\n      'write'\n      'concurrency'\n      'nowait')\n",
          "    DBParams.Strings = (\n      'user_name=SYSDBA'\n      'lc_ctype=UTF8')\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    tr_->Commit();
    db_->SetConnected(false);

    auto copy = Read(text);
    auto* db = dynamic_cast<TFIBDatabase*>(copy->FindComponent("Clinic"));
    auto* tr = dynamic_cast<TpFIBTransaction*>(copy->FindComponent("Work"));
    ASSERT_NE(db, nullptr);
    ASSERT_NE(tr, nullptr);
    EXPECT_TRUE(db->Connected());
    EXPECT_TRUE(tr->Active()) << "the default transaction stored active starts after the connect";
    EXPECT_EQ(db->DefaultTransaction(), tr);
    EXPECT_EQ(tr->MainDatabase(), db);
    EXPECT_EQ(db->DBParams().Text(), "user_name=SYSDBA\r\nlc_ctype=UTF8\r\n");
    EXPECT_EQ(tr->TRParams().Text(), "write\r\nconcurrency\r\nnowait\r\n");
    EXPECT_EQ(tr->TimeoutAction, TACommit);
    EXPECT_FALSE(db->SynchronizeTime);
}

TEST_F(DatabaseStreaming, ADisconnectedFormOrAModesLinesAreNotStored) {
    db_->SetDBName("clinic.fdb");
    db_->SetDefaultTransaction(tr_);
    tr_->TRParams().SetText("write\r\nnowait\r\nrec_version\r\nread_committed");
    db_->SetDesignDBOptions({});
    db_->SetLibraryName("libfbclient.so.3");
    tr_->SetUserKindTransaction("Reports");
    const std::string text = Store();
    EXPECT_EQ(text,
              "object Module: TComponent\n"
              "  object Clinic: TFIBDatabase\n"
              "    DBName = 'clinic.fdb'\n"
              "    DefaultTransaction = Work\n"
              "    SQLDialect = 1\n"
              "    DesignDBOptions = []\n"
              "    LibraryName = 'libfbclient.so.3'\n"
              "  end\n"
              "  object Work: TpFIBTransaction\n"
              "    DefaultDatabase = Clinic\n"
              "    UserKindTransaction = 'Reports'\n"
              "  end\n"
              "end\n");
    auto copy = Read(text);
    auto* db = dynamic_cast<TFIBDatabase*>(copy->FindComponent("Clinic"));
    ASSERT_NE(db, nullptr);
    EXPECT_FALSE(db->Connected());
    EXPECT_EQ(db->LibraryName(), "libfbclient.so.3");
    EXPECT_TRUE(db->DesignDBOptions().Empty());
}

}  // namespace
