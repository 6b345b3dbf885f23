// A grid over a TpFIBDataSet on the embedded engine exported in the four formats: INTEGER,
// NUMERIC(18,4), Cyrillic VARCHAR, DATE, TIMESTAMP, a text blob and NULLs, with the NUMERIC sum
// footer exact beyond what a double holds.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "platform/db/data_source.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/headless.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class ExportEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec(
            {"RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, AMOUNT NUMERIC(18,4), NAME VARCHAR(40),"
             " DAY_ON DATE, AT_TIME TIMESTAMP, NOTE BLOB SUB_TYPE TEXT)",
             "INSERT INTO VISITS VALUES (1, 90000000000000.0001, 'Иванов {И.}', '2024-03-01',"
             " '2024-03-01 10:30:00', 'first\nline')",
             "INSERT INTO VISITS VALUES (2, NULL, 'Пётр', NULL, NULL, NULL)",
             "INSERT INTO VISITS VALUES (3, 12345.6789, 'a;b', '1999-12-31', '2000-01-01 00:00:00', "
             "'x\\y')"});
    }
    void TearDown() override {
        grid_.reset();
        GeneratedSQLEngine::TearDown();
    }

    void ShowVisits() {
        auto& ds =
            Clients("SELECT ID, AMOUNT, NAME, DAY_ON, AT_TIME, NOTE FROM VISITS ORDER BY ID", "VISITS", "ID");
        source_.SetDataSet(&ds);
        ds.Open();
        grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"ID", "AMOUNT", "NAME", "DAY_ON", "AT_TIME", "NOTE"})
            columns.Add()->SetFieldName(name);
        grid_->SetMemoAsText(true);
        grid_->SetFooterRowCount(1);
        static_cast<TColumnFooterEh*>(columns.ColumnAt(1)->Footer())->SetValueType(fvtSum);
        static_cast<TColumnFooterEh*>(columns.ColumnAt(0)->Footer())->SetValueType(fvtCount);
        TDBGridEhOptions options = grid_->Options();
        options.Exclude(gdoTitlesEh);
        grid_->SetOptions(options);
        grid_->SetDataSource(&source_);
    }

    std::string Export(const TDBGridEhExportClass& exportClass) {
        TMemoryStream stream;
        ExportGridToStream(exportClass, grid_.get(), stream, true);
        return std::string(static_cast<const char*>(stream.Memory()),
                           static_cast<std::size_t>(stream.Size()));
    }

    // The texts the grid shows in a record's cells.
    std::string DisplayTexts(int id) {
        TDataSet& ds = *source_.DataSet();
        ds.Locate("ID", Variant(id), {});
        std::string line;
        for (int c = 0; c < grid_->Columns()->Count(); ++c) {
            auto* column = static_cast<TDBGridColumnsEh&>(*grid_->Columns()).ColumnAt(c);
            line += (c > 0 ? "\t" : "") + column->CellDisplayText();
        }
        return line;
    }

    platform::ui::HeadlessSession ui_;
    TDataSource source_{nullptr};
    TObjectPtr<TCustomDBGridEh> grid_;
};

std::string Double(double value) {
    std::string bytes;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>(bits >> (8 * i));
    return bytes;
}

TEST_F(ExportEngine, TheFourFormatsCarryEveryColumnKindAndAnExactSum) {
    ShowVisits();
    const std::string text = Export(ExportClass<TDBGridEhExportAsText>());
    EXPECT_EQ(text.rfind("1\t90,000,000,000,000.0001\tИванов {И.}\t", 0), 0u) << text;
    EXPECT_NE(text.find("\t\"first\nline\"\r\n2\t\tПётр\t\t\t\r\n3\t12,345.6789\ta;b\t"), std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), "3\t90,000,000,012,345.6790\t\t\t\t");
    // The cells are the grid's display texts, dates and times included.
    const std::string third = DisplayTexts(3);
    EXPECT_NE(text.find("\r\n" + third + "\r\n"), std::string::npos) << third;

    const std::string csv = Export(ExportClass<TDBGridEhExportAsCSV>());
    EXPECT_NE(csv.find("\"2\";\"\";\"Пётр\";\"\";\"\";\"\""), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"3\";\"90,000,000,012,345.6790\""), std::string::npos) << csv;

    const std::string rtf = Export(ExportClass<TDBGridEhExportAsRTF>());
    EXPECT_NE(rtf.find(" \\u1048?\\u1074?\\u1072?\\u1085?\\u1086?\\u1074? \\{\\u1048?.\\}\\cell}"),
              std::string::npos);
    EXPECT_NE(rtf.find(" first\\line line\\cell}"), std::string::npos);
    EXPECT_NE(rtf.find(" x\\\\y\\cell}"), std::string::npos);
    EXPECT_NE(rtf.find(" 90,000,000,012,345.6790\\cell}"), std::string::npos);

    const std::string binary = Export(ExportClass<TDBGridEhExportAsVCLDBIF>());
    const std::string name = "Иванов {И.}";
    const std::string firstRecord = std::string("\x03\x01\0\0\0", 5) + '\x04' + Double(90000000000000.0001) +
                                    '\x05' + static_cast<char>(name.size()) + std::string(3, '\0') + name +
                                    '\x04' + Double(45352.0) + '\x04' + Double(45352.4375) + '\x05' +
                                    std::string("\x0A\0\0\0", 4) + "first\nline";
    const std::string secondRecord = std::string("\x03\x02\0\0\0", 5) + "\x02\x05" +
                                     static_cast<char>(std::string("Пётр").size()) + std::string(3, '\0') +
                                     "Пётр" + "\x02\x02\x02";
    EXPECT_EQ(binary.substr(0, 24),
              std::string("VCLDBIF\x01\x06\0\0\0\x01\0\x01\0\x01\0\x01\0\x01\0\x01\0", 24));
    EXPECT_EQ(binary.substr(24, firstRecord.size() + secondRecord.size()), firstRecord + secondRecord);
    EXPECT_EQ(binary.back(), '\0');
}

}  // namespace
