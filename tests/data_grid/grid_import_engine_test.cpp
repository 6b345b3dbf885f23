// Pasting between two grids over TpFIBDataSet tables on the embedded engine: the "VCLDBIF" copy of
// one table appended into an empty one holds the same rows on the server after commit, NULLs
// included, and answering No at a refused cell leaves no half row behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "data_grid/grid_import.h"
#include "platform/db/data_source.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

const char* const Columns = "ID, AMOUNT, NAME, DAY_ON, AT_TIME, QTY, RATE";

class ImportEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        const std::string shape =
            " (ID INTEGER NOT NULL PRIMARY KEY, AMOUNT NUMERIC(18,4), NAME VARCHAR(40), DAY_ON DATE,"
            " AT_TIME TIMESTAMP, QTY SMALLINT, RATE DOUBLE PRECISION)";
        Exec({"RECREATE TABLE SRC" + shape, "RECREATE TABLE DST" + shape,
              "INSERT INTO SRC VALUES (1, 12345.6789, 'Иванов {И.}', '2024-03-01', '2024-03-01 10:30:00', 5,"
              " 0.125)",
              "INSERT INTO SRC VALUES (2, NULL, NULL, NULL, NULL, NULL, NULL)",
              "INSERT INTO SRC VALUES (3, -1.5, 'a\tb', '1999-12-31', '2000-01-01 00:00:00', -7, 1e10)"});
        form_->SetBounds(0, 0, 600, 400);
    }
    void TearDown() override {
        for (TCustomDBGridEh* grid : {source_, target_})
            if (grid != nullptr)
                grid->SetDataSource(nullptr);
        dst_.reset();
        GeneratedSQLEngine::TearDown();
    }

    TCustomDBGridEh* ShowGrid(TDataSource& source, int top) {
        auto* grid = NewComponent<TCustomDBGridEh>(form_.get());
        grid->SetParent(form_.get());
        grid->SetBounds(0, top, 580, 180);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (const char* name : {"ID", "AMOUNT", "NAME", "DAY_ON", "AT_TIME", "QTY", "RATE"})
            columns.Add()->SetFieldName(name);
        grid->SetDataSource(&source);
        return grid;
    }

    // The source table behind one grid, the empty target table behind another.
    void ShowBoth() {
        auto& src = Clients(std::string("SELECT ") + Columns + " FROM SRC ORDER BY ID", "SRC", "ID");
        srcSource_.SetDataSet(&src);
        src.Open();
        dst_ = MakeComponent<TpFIBDataSet>(nullptr);
        dst_->SetDatabase(&Database());
        dst_->SetTransaction(&Transaction());
        dst_->SelectSQL().SetText(std::string("SELECT ") + Columns + " FROM DST ORDER BY ID");
        dst_->SetColumnRepository(repository_.get());
        dst_->SetUpdateTransaction(&Transaction());
        dst_->SetAutoCommit(true);
        dst_->AutoUpdateOptions().SetUpdateTableName("DST");
        dst_->AutoUpdateOptions().SetKeyFields("ID");
        dst_->AutoUpdateOptions().SetCanChangeSQLs(true);
        dst_->AutoUpdateOptions().SetAutoReWriteSqls(true);
        dstSource_.SetDataSet(dst_.get());
        dst_->Open();
        source_ = ShowGrid(srcSource_, 0);
        target_ = ShowGrid(dstSource_, 200);
        form_->Show();
        ui_.ProcessMessages();
    }

    void Import(const TDBGridEhImportClass& importClass, const std::string& bytes) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        stream.SetPosition(0);
        ImportGridFromStream(importClass, target_, stream, false);
    }

    std::vector<std::string> Rows(const std::string& table) {
        return ServerRows(std::string("SELECT ") + Columns + " FROM " + table + " ORDER BY ID");
    }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TForm> form_ = MakeComponent<TForm>(nullptr);
    TDataSource srcSource_{nullptr};
    TDataSource dstSource_{nullptr};
    TObjectPtr<TpFIBDataSet> dst_;
    TCustomDBGridEh* source_ = nullptr;
    TCustomDBGridEh* target_ = nullptr;
};

TEST_F(ImportEngine, TheBinaryCopyOfATableAppendsTheSameRowsIntoAnother) {
    ShowBoth();
    TMemoryStream stream;
    ExportGridToStream(ExportClass<TDBGridEhExportAsVCLDBIF>(), source_, stream, true);
    Import(ImportClass<TDBGridEhImportAsVCLDBIF>(),
           std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())));
    EXPECT_TRUE(ui_.System().MessageBoxes().empty());
    EXPECT_EQ(Rows("DST"), Rows("SRC"));
    EXPECT_EQ(Rows("DST").size(), 3u);
}

TEST_F(ImportEngine, NoAtARefusedCellLeavesNoHalfRowOnTheServer) {
    ShowBoth();
    ui_.System().MessageBoxAnswer = IDNO;
    EXPECT_THROW(Import(ImportClass<TDBGridEhImportAsText>(), "10\t2\tfirst\r\n11\tnot a number\tsecond\r\n"),
                 EAbort);
    ASSERT_EQ(ui_.System().MessageBoxes().size(), 1u);
    EXPECT_EQ(Rows("DST"), (std::vector<std::string>{"10|2|first|-|-|-|-"}));
    EXPECT_EQ(dst_->State(), dsBrowse);
}

}  // namespace
