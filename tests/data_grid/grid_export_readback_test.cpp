// Text and CSV exports of awkward cells read back by another program: Python's csv module must
// find exactly the grid's titles and display texts, cell for cell.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/grid_export_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace {

using grid_export_test::GridExport;

const char* const ReadbackScript = KIOSK_DATA_GRID_TESTS_DIR "/grid_export_readback.py";

struct AwkwardCells : ::testing::Test, GridExport {
    testsupport::TempDir dir{"grid_readback"};

    AwkwardCells() {
        Define({{"ID", ftInteger}, {"NOTE", ftMemo}, {"NAME", ftString, 40}});
        const std::vector<std::vector<Variant>> rows{
            {Variant(1), Variant("tab\there"), Variant("a;b")},
            {Variant(2), Variant("two\r\nlines"), Variant("Ёлкин Пётр")},
            {Variant(3), Variant("line\nfeed"), Variant("\"starts quoted")},
            {Variant(4), Variant("lone\rreturn"), Variant("says \"hi\"")},
            {Variant(5), Variant(""), Variant::Null()},
            {Variant::Null(), Variant("\"\""), Variant(";")},
        };
        for (const auto& row : rows) ds.AddRow(row);
        Open();
        AddColumn("ID", "№;\"id\"");
        AddColumn("NOTE", "Note\ttab");
        AddColumn("NAME", "Пациент|Имя");
        grid->SetMemoAsText(true);
    }

    // The titles, then each record's display texts as the grid shows them.
    nlohmann::json GridTexts() {
        nlohmann::json rows = nlohmann::json::array();
        nlohmann::json titles = nlohmann::json::array();
        for (int c = 0; c < 3; ++c) titles.push_back(Column(c)->Title()->Caption());
        rows.push_back(titles);
        for (ds.First(); !ds.Eof(); ds.Next()) {
            nlohmann::json row = nlohmann::json::array();
            for (int c = 0; c < 3; ++c) row.push_back(Column(c)->CellDisplayText());
            rows.push_back(row);
        }
        return rows;
    }

    // Exit status of the script reading the export of this class with this delimiter.
    int ReadBack(const TDBGridEhExportClass& exportClass, const std::string& delimiter,
                 const std::function<void(nlohmann::json&)>& tamper = {}) {
        const std::filesystem::path data = dir / "export.txt";
        const std::filesystem::path expected = dir / "expected.json";
        {
            TFileStream file(data.string(), fmCreate);
            ExportGridToStream(exportClass, grid, file, true);
        }
        nlohmann::json texts = GridTexts();
        if (tamper)
            tamper(texts);
        std::ofstream(expected) << texts.dump();
        testsupport::ChildProcess python;
        python.Start({"python3", ReadbackScript, data.string(), delimiter, expected.string()});
        return python.WaitExit(std::chrono::seconds(30)).value_or(-1);
    }
};

TEST_F(AwkwardCells, TextAndCsvReadBackAsTheGridShowsThem) {
    EXPECT_EQ(ReadBack(ExportClass<TDBGridEhExportAsText>(), "tab"), 0);
    EXPECT_EQ(ReadBack(ExportClass<TDBGridEhExportAsCSV>(), ";"), 0);
    const char saved = ExportCsvSeparator;
    ExportCsvSeparator = ',';
    EXPECT_EQ(ReadBack(ExportClass<TDBGridEhExportAsCSV>(), ","), 0);
    ExportCsvSeparator = saved;
}

TEST_F(AwkwardCells, TheReaderTellsADifferenceApart) {
    // The check itself fails when one cell differs, or when the cells are split another way.
    EXPECT_EQ(ReadBack(ExportClass<TDBGridEhExportAsText>(), "tab",
                       [](nlohmann::json& rows) { rows[2][1] = "two\nlines"; }),
              1);
    EXPECT_EQ(ReadBack(ExportClass<TDBGridEhExportAsCSV>(), ","), 1);
}

}  // namespace
