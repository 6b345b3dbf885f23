// The exporters' walk over the grid: what each selection kind exports, the data position and the
// dataset's controls restored on every path, footer sums over the exported records, the cell
// parameters the grid's and the columns' events give, and the text and CSV forms of the cells.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/db/dataset.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/grid_export_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using grid_export_test::BookmarkOf;
using grid_export_test::GridExport;

// ID, NAME and QTY over rows 1..count: "n<id>" and id * 10.
struct ExportOverRows : ::testing::Test, GridExport {
    void Fill(int count) {
        Define({{"ID", ftInteger}, {"NAME", ftString, 20}, {"QTY", ftInteger}});
        for (int id = 1; id <= count; ++id)
            ds.AddRow({Variant(id), Variant("n" + std::to_string(id)), Variant(id * 10)});
        Open();
        AddColumn("ID");
        AddColumn("NAME");
        AddColumn("QTY");
        SetTitles(false);
    }
};

TEST_F(ExportOverRows, EachSelectionKindExportsItsColumnsAndRecords) {
    Fill(6);
    struct Case {
        const char* what;
        std::function<void(ExportOverRows&)> select;
        bool all;
        const char* text;
    };
    const Case cases[] = {
        {"nothing selected writes nothing", [](ExportOverRows&) {}, false, ""},
        {"rows in the dataset's order",
         [](ExportOverRows& f) {
             f.SelectRows({5, 2});
         },
         false, "2\tn2\t20\r\n5\tn5\t50"},
        {"a rectangle from its top record to its bottom one",
         [](ExportOverRows& f) {
             f.Selection().Rect().ExtendTo(2, BookmarkOf(5), false);
             f.Selection().Rect().ExtendTo(1, BookmarkOf(3), true);
         },
         false, "n3\t30\r\nn4\t40\r\nn5\t50"},
        {"a rectangle leaves out its hidden columns",
         [](ExportOverRows& f) {
             f.Column(1)->SetVisible(false);
             f.Selection().Rect().ExtendTo(0, BookmarkOf(6), false);
             f.Selection().Rect().ExtendTo(2, BookmarkOf(6), true);
         },
         false, "6\t60"},
        {"selected columns over every record",
         [](ExportOverRows& f) {
             f.Selection().Columns().SelectColumn(f.Column(2), false);
             f.Selection().Columns().SelectColumn(f.Column(0), true);
         },
         false, "1\t10\r\n2\t20\r\n3\t30\r\n4\t40\r\n5\t50\r\n6\t60"},
        {"the whole grid", [](ExportOverRows& f) { f.Selection().SelectWholeGrid(); }, false,
         "1\tn1\t10\r\n2\tn2\t20\r\n3\tn3\t30\r\n4\tn4\t40\r\n5\tn5\t50\r\n6\tn6\t60"},
        {"export all whatever is selected", [](ExportOverRows& f) { f.SelectRows({4}); }, true,
         "1\tn1\t10\r\n2\tn2\t20\r\n3\tn3\t30\r\n4\tn4\t40\r\n5\tn5\t50\r\n6\tn6\t60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Column(1)->SetVisible(true);
        Selection().Reset();
        c.select(*this);
        EXPECT_EQ(Text(c.all), c.text);
    }
}

TEST_F(ExportOverRows, NoSelectionWritesNoFormatAtAll) {
    Fill(2);
    // RTF still writes its header and tables (see its own tests).
    for (const auto& exportClass :
         {ExportClass<TDBGridEhExportAsCSV>(), ExportClass<TDBGridEhExportAsVCLDBIF>()})
        EXPECT_EQ(Export(exportClass, false), "");
}

// Where the dataset stands: its record, and the place of that record in the grid's window.
struct Place {
    int recNo;
    int activeInWindow;
    bool operator==(const Place&) const = default;
};

TEST_F(ExportOverRows, PositionAndControlsComeBackOnEveryPathOfEveryKind) {
    Fill(12);
    struct Case {
        const char* what;
        std::function<void(ExportOverRows&)> select;
    };
    const Case kinds[] = {
        {"rows",
         [](ExportOverRows& f) {
             f.SelectRows({3, 6, 8});
         }},
        {"rectangle",
         [](ExportOverRows& f) {
             f.Selection().Rect().ExtendTo(0, BookmarkOf(2), false);
             f.Selection().Rect().ExtendTo(1, BookmarkOf(8), true);
         }},
        {"columns", [](ExportOverRows& f) { f.Selection().Columns().SelectColumn(f.Column(1), false); }},
        {"all", [](ExportOverRows& f) { f.Selection().SelectWholeGrid(); }},
    };
    for (const Case& kind : kinds) {
        for (const bool raise : {false, true}) {
            SCOPED_TRACE(std::string(kind.what) + (raise ? ", raising" : ""));
            Selection().Reset();
            kind.select(*this);
            GoTo(12);
            GoTo(9);
            const Place before{ds.RecNo(), grid->DataLink()->ActiveRecord()};
            int cells = 0;
            grid->OnCellParams = [&](TObject*, IGridColumnEh*, TFont*, TColor&, TGridDrawState) {
                if (raise && ++cells == 3)
                    throw Exception("cell failed");
            };
            if (raise)
                EXPECT_THROW(Text(false), Exception);
            else
                EXPECT_FALSE(Text(false).empty());
            EXPECT_EQ((Place{ds.RecNo(), grid->DataLink()->ActiveRecord()}), before);
            EXPECT_FALSE(ds.ControlsDisabled());
        }
    }
    grid->OnCellParams = nullptr;
}

TEST_F(ExportOverRows, TitlesAndRecordsAsTabSeparatedLines) {
    Define({{"ID", ftInteger}, {"NAME", ftString, 20}});
    ds.AddRow({Variant(1), Variant("Anna")});
    ds.AddRow({Variant(2), Variant("Boris")});
    Open();
    AddColumn("ID", "Номер");
    AddColumn("NAME", "Пациент|Имя");
    EXPECT_EQ(Text(), "Номер\tПациент|Имя\r\n1\tAnna\r\n2\tBoris");
}

TEST_F(ExportOverRows, CellsThatWouldBreakALineOrACellAreQuoted) {
    struct Case {
        const char* cell;
        const char* text;
        const char* csv;
    };
    const Case cases[] = {
        {"plain", "plain", "\"plain\""},
        {"tab\there", "\"tab\there\"", "\"tab\there\""},
        {"two\r\nlines", "\"two\r\nlines\"", "\"two\r\nlines\""},
        {"line\nfeed", "\"line\nfeed\"", "\"line\nfeed\""},
        {"lone\rreturn", "\"lone\rreturn\"", "\"lone\rreturn\""},
        {"\"quoted\" first", "\"\"\"quoted\"\" first\"", "\"\"\"quoted\"\" first\""},
        {"say \"hi\"", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a;b", "a;b", "\"a;b\""},
        {"", "", "\"\""},
    };
    Define({{"NOTE", ftMemo}});
    for (const Case& c : cases) ds.AddRow({Variant(c.cell)});
    Open();
    AddColumn("NOTE");
    SetTitles(false);
    grid->SetMemoAsText(true);
    std::string text;
    std::string csv;
    for (const Case& c : cases) {
        text += std::string(text.empty() && csv.empty() ? "" : "\r\n") + c.text;
        csv += std::string(csv.empty() ? "" : "\r\n") + c.csv;
    }
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(Export(ExportClass<TDBGridEhExportAsCSV>()), csv);
}

TEST_F(ExportOverRows, CsvTakesTheSeparatorSetWhenTheExporterIsMade) {
    Fill(1);
    SetTitles(true);
    Column(1)->Title()->SetCaption("Name \"short\"");
    const char saved = ExportCsvSeparator;
    ExportCsvSeparator = ',';
    const std::string csv = Export(ExportClass<TDBGridEhExportAsCSV>());
    ExportCsvSeparator = saved;
    EXPECT_EQ(csv, "\"ID\",\"Name \"\"short\"\"\",\"QTY\"\r\n\"1\",\"n1\",\"10\"");
    EXPECT_EQ(Export(ExportClass<TDBGridEhExportAsCSV>()),
              "\"ID\";\"Name \"\"short\"\"\";\"QTY\"\r\n\"1\";\"n1\";\"10\"");
}

TEST_F(ExportOverRows, FooterSumsCoverTheExportedRecordsAndSkipNulls) {
    Define({{"ID", ftInteger}, {"QTY", ftInteger}});
    ds.AddRow({Variant(1), Variant(5)});
    ds.AddRow({Variant(2), Variant::Null()});
    ds.AddRow({Variant(3), Variant(7)});
    ds.AddRow({Variant(4), Variant(100)});
    Open();
    AddColumn("ID");
    AddColumn("QTY");
    SetTitles(false);
    grid->SetFooterRowCount(2);
    auto* idFooters = static_cast<TColumnFootersEh*>(Column(0)->Footers());
    idFooters->Add();
    idFooters->Add();
    idFooters->FooterItem(0)->SetValueType(fvtCount);
    idFooters->FooterItem(1)->SetValueType(fvtStaticText);
    // QTY: its one Footers item on row 0, its single Footer past it on row 1.
    static_cast<TColumnFootersEh*>(Column(1)->Footers())->Add();
    Footer(1, 0)->SetValueType(fvtCount);
    Footer(1, 1)->SetValueType(fvtSum);
    SelectRows({1, 2, 3});
    // Row 0 counts every exported record, NULL or not; row 1 sums QTY without its NULL.
    EXPECT_EQ(Text(false), "1\t5\r\n2\t\r\n3\t7\r\n3\t3\r\nfooter 0/1\t12");
    EXPECT_EQ(Text(true), "1\t5\r\n2\t\r\n3\t7\r\n4\t100\r\n4\t4\r\nfooter 0/1\t112");
}

TEST_F(ExportOverRows, ASumBeyondTheFixedPointRangeRaisesAndRestores) {
    Define({{"ID", ftInteger}, {"V", ftFloat}});
    ds.AddRow({Variant(1), Variant(9.0e14)});
    ds.AddRow({Variant(2), Variant(9.0e14)});
    Open();
    AddColumn("ID");
    AddColumn("V");
    grid->SetFooterRowCount(1);
    Footer(1)->SetValueType(fvtSum);
    GoTo(2);
    EXPECT_THROW(Text(), EVariantOverflowError);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_FALSE(ds.ControlsDisabled());
}

TEST_F(ExportOverRows, EventsShapeDataAndFooterCells) {
    Fill(2);
    grid->SetFooterRowCount(1);
    Footer(2)->SetValueType(fvtSum);
    Column(1)->SetOnGetCellParams([](TObject*, bool editMode, TColCellParamsEh* params) {
        if (!editMode)
            params->Text = "<" + params->Text + ">";
    });
    std::vector<int> footerColumns;
    grid->OnFooterCellParams = [&](TObject*, int dataCol, int row, IGridColumnEh*, TFont*, TColor&,
                                   TAlignment&, TGridDrawState, std::string& text) {
        footerColumns.push_back(dataCol * 10 + row);
        if (dataCol == 2)
            text = "Σ " + text;
    };
    EXPECT_EQ(Text(), "1\t<n1>\t10\r\n2\t<n2>\t20\r\nfooter 0/0\tfooter 1/0\tΣ 30");
    EXPECT_EQ(footerColumns, (std::vector<int>{0, 10, 20}));
}

int OpenFileCount() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(ExportOverRows, AFileIsReplacedWholeOrNotAtAllAndClosedOnEveryPath) {
    Fill(3);
    testsupport::TempDir dir("grid_export_file");
    const std::filesystem::path path = dir / "grid.txt";
    const int files = OpenFileCount();
    TDBGridEhExportAsText exporter;
    exporter.SetGrid(grid);
    exporter.ExportFile(path.string(), true);
    EXPECT_EQ(FileText(path), "1\tn1\t10\r\n2\tn2\t20\r\n3\tn3\t30");
    SelectRows({2});
    exporter.ExportFile(path.string(), false);
    EXPECT_EQ(FileText(path), "2\tn2\t20");
    grid->OnCellParams = [](TObject*, IGridColumnEh*, TFont*, TColor&, TGridDrawState) {
        throw Exception("cell failed");
    };
    EXPECT_THROW(exporter.ExportFile(path.string(), true), Exception);
    grid->OnCellParams = nullptr;
    EXPECT_EQ(OpenFileCount(), files);
    // A failed export leaves the earlier file as it was and nothing beside it.
    EXPECT_EQ(FileText(path), "2\tn2\t20");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    // Neither a folder nor a link at the path is written through.
    EXPECT_THROW(exporter.ExportFile(dir.Path().string(), true), Exception);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    const std::filesystem::path victim = dir / "victim.txt";
    std::ofstream(victim) << "precious";
    std::filesystem::remove(path);
    std::filesystem::create_symlink(victim, path);
    exporter.ExportFile(path.string(), true);
    EXPECT_EQ(FileText(victim), "precious");
    EXPECT_EQ(FileText(path), "1\tn1\t10\r\n2\tn2\t20\r\n3\tn3\t30");
}

}  // namespace
