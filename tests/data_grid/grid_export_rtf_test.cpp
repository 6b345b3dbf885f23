// The RTF export headless: its colour and font tables, the exact form of a table row, escaping of
// what would break the document, cell colours from the grid's events, and merged multi-row titles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/head_tree.h"
#include "platform/rtl/variant.h"
#include "platform/ui/font.h"
#include "tests/data_grid/grid_export_fixture.h"

namespace {

using grid_export_test::GridExport;

std::string Rtf(GridExport& f, bool all = true) {
    return f.Export(ExportClass<TDBGridEhExportAsRTF>(), all);
}

// One table row as "text:borders" per cell, borders by their letters l, t, b, r.
std::vector<std::string> RowCells(const std::string& row) {
    std::vector<std::string> borders;
    std::size_t pos = 0;
    std::string current;
    const std::size_t textPart = row.find("{\\trrh0");
    while ((pos = row.find("\\cl", pos)) != std::string::npos && pos < textPart) {
        const std::string word = row.substr(pos, 8);
        if (word == "\\clbrdrl" || word == "\\clbrdrt" || word == "\\clbrdrb" || word == "\\clbrdrr")
            current += word.back();
        if (row.compare(pos, 8, "\\clshdng") == 0) {
            borders.push_back(current);
            current.clear();
        }
        pos += 3;
    }
    std::vector<std::string> cells;
    pos = textPart;
    for (const std::string& border : borders) {
        const std::size_t start = row.find("\\pard\\intbl{", pos);
        const std::size_t end = row.find("\\cell}", start);
        const std::size_t space = row.find(' ', start);
        const std::string text = space < end ? row.substr(space + 1, end - space - 1) : std::string();
        cells.push_back(text + ":" + border);
        pos = end;
    }
    return cells;
}

std::vector<std::vector<std::string>> Rows(const std::string& rtf) {
    std::vector<std::vector<std::string>> rows;
    std::size_t pos = 0;
    while ((pos = rtf.find("\\trowd", pos)) != std::string::npos) {
        const std::size_t end = rtf.find("\\row}", pos);
        rows.push_back(RowCells(rtf.substr(pos, end - pos)));
        pos = end;
    }
    return rows;
}

TEST(GridExportRtf, ATableRowIsWrittenWordForWord) {
    GridExport f;
    f.Define({{"NAME", ftString, 20}});
    f.ds.AddRow({Variant("Anna")});
    f.Open();
    TColumnEh* column = f.AddColumn("NAME", "Имя");
    column->SetWidth(96);
    column->SetColor(clYellow);
    f.grid->SetFlat(true);
    const std::string cellDefinition =
        "\\clbrdrl\\brdrs\\brdrcf0\r\n\\clbrdrt\\brdrs\\brdrcf0\r\n\\clbrdrb\\brdrs\\brdrcf0\r\n"
        "\\clbrdrr\\brdrs\\brdrcf0\r\n";
    const std::string expected =
        "{\\rtf0\\ansi\r\n"
        "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red212\\green208\\blue200;"
        "\\red255\\green255\\blue0;}\r\n"
        "{\\fonttbl\\f0\\fnil MS Sans Serif;}\r\n"
        "\\trowd\\trgaph40\r\n" +
        cellDefinition + "\\clshdng10000\\clcfpat2\\cellx1440\r\n" +
        "{\\trrh0\r\n"
        "\\pard\\intbl{\\ql\\sb12\\sa12\\fs16\\f0\\cf0\\cb2 \\u1048?\\u1084?\\u1103?\\cell}\r\n"
        "\\pard\\intbl\\row}\r\n"
        "\\trowd\\trgaph40\r\n" +
        cellDefinition + "\\clshdng10000\\clcfpat3\\cellx1440\r\n" +
        "{\\trrh0\r\n"
        "\\pard\\intbl{\\ql\\sb12\\sa12\\fs16\\f0\\cf0\\cb3 Anna\\cell}\r\n"
        "\\pard\\intbl\\row}\r\n"
        "}";
    EXPECT_EQ(Rtf(f), expected);
}

TEST(GridExportRtf, TheThreeBaseColoursAreAlwaysThere) {
    GridExport f;
    f.Define({{"ID", ftInteger}});
    f.Open();
    f.AddColumn("ID")->SetColor(clRed);
    f.SetTitles(false);
    const std::string rtf = Rtf(f);
    EXPECT_NE(
        rtf.find(
            "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red212\\green208\\blue200;}"),
        std::string::npos)
        << rtf;
}

// The other formats write nothing at all for no selection; RTF still writes its header and tables.
TEST(GridExportRtf, NothingSelectedGivesTheHeaderAndTablesWithoutTheClosingBrace) {
    GridExport f;
    f.Define({{"ID", ftInteger}});
    f.ds.AddRow({Variant(1)});
    f.Open();
    f.AddColumn("ID");
    EXPECT_EQ(Rtf(f, false),
              "{\\rtf0\\ansi\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red212\\green208\\blue200;}\r\n"
              "{\\fonttbl}\r\n");
}

TEST(GridExportRtf, TextsThatWouldBreakTheDocumentAreEscaped) {
    struct Case {
        const char* text;
        const char* rtf;
    };
    const Case cases[] = {
        {"a\\b", "a\\\\b"},
        {"{x}", "\\{x\\}"},
        {"one\r\ntwo\nthree\rfour", "one\\line two\\line three\\line four"},
        {"a\tb", "a\\tab b"},
        {"Ёж", "\\u1025?\\u1078?"},
        {"€", "\\u8364?"},
        {"\xEF\xBF\xBF", "\\u-1?"},
        {"😀", "\\u-10179?\\u-8704?"},
        {"bad\xFF", "bad\\u-3?"},
        {"cut\xD0", "cut\\u-3?"},
        {"\xC0\xAF", "\\u-3?\\u-3?"},
        {"bell\x07", "bell\\'07"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(RtfText(c.text), c.rtf) << c.text;
}

TEST(GridExportRtf, CellsTakeTheirColoursAndFontsFromTheEvents) {
    GridExport f;
    f.Define({{"ID", ftInteger}, {"NOTE", ftString, 20}});
    f.ds.AddRow({Variant(1), Variant("{a}")});
    f.Open();
    f.AddColumn("ID");
    TColumnEh* note = f.AddColumn("NOTE");
    f.SetTitles(false);
    f.grid->OnCellParams = [](TObject*, IGridColumnEh*, TFont* font, TColor& background, TGridDrawState) {
        background = clAqua;
        font->SetStyle(TFontStyles{fsBold, fsUnderline});
    };
    // The column's own handler changes the text and the font; its background does not reach the cell.
    note->SetOnGetCellParams([](TObject*, bool, TColCellParamsEh* params) {
        params->Background = clRed;
        params->Font->SetName("Arial");
        params->Font->SetColor(clNavy);
        params->Text += "\\";
    });
    const std::string rtf = Rtf(f);
    EXPECT_NE(rtf.find("\\clshdng10000\\clcfpat3\\cellx"), std::string::npos);
    EXPECT_EQ(rtf.find("\\red255\\green0\\blue0"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\fonttbl\\f0\\fnil MS Sans Serif;\\f1\\fnil Arial;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fs16\\b\\ul\\f1\\cf4\\cb3 \\{a\\}\\\\\\cell}"), std::string::npos) << rtf;
}

TEST(GridExportRtf, FooterRowsCarryTheFooterColours) {
    GridExport f;
    f.Define({{"QTY", ftInteger}});
    f.ds.AddRow({Variant(2)});
    f.ds.AddRow({Variant(3)});
    f.Open();
    f.AddColumn("QTY");
    f.SetTitles(false);
    f.grid->SetFooterRowCount(1);
    f.Footer(0)->SetValueType(fvtSum);
    f.Footer(0)->SetColor(clLime);
    f.Footer(0)->SetAlignment(taRightJustify);
    const std::vector<std::vector<std::string>> rows = Rows(Rtf(f));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], std::vector<std::string>{"5:ltbr"});
    const std::string rtf = Rtf(f);
    EXPECT_NE(rtf.find("\\red0\\green255\\blue0;"), std::string::npos);
    EXPECT_NE(rtf.find("{\\qr\\sb24\\sa24\\fs16\\f0\\cf0\\cb3 5\\cell}"), std::string::npos) << rtf;
}

struct MultiTitleCase {
    const char* what;
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows;
    // The selected columns to export; empty: the whole grid.
    std::vector<int> selected;
};

TEST(GridExportRtf, MultiRowTitlesMergeGroupCellsAndDropInnerBorders) {
    const MultiTitleCase cases[] = {
        {"a group over two columns beside a tall title",
         {"A|x", "A|y", "B"},
         {{"A:ltb", ":tbr", "B:ltr"}, {"x:ltbr", "y:ltbr", ":lbr"}},
         {}},
        {"nested groups",
         {"A|B|x", "A|B|y", "A|z"},
         {{"A:ltb", ":tb", ":tbr"}, {"B:ltb", ":tbr", "z:ltr"}, {"x:ltbr", "y:ltbr", ":lbr"}},
         {}},
        {"flat captions stay one row", {"x", "y"}, {{"x:ltbr", "y:ltbr"}}, {}},
        {"selected columns take only their part of a group",
         {"A|x", "A|y", "B"},
         {{"A:ltbr", "B:ltr"}, {"y:ltbr", ":lbr"}},
         {1, 2}},
        {"cyrillic groups",
         {"Пациент|Фамилия", "Пациент|Имя"},
         {{"\\u1055?\\u1072?\\u1094?\\u1080?\\u1077?\\u1085?\\u1090?:ltb", ":tbr"},
          {"\\u1060?\\u1072?\\u1084?\\u1080?\\u1083?\\u1080?\\u1103?:ltbr", "\\u1048?\\u1084?\\u1103?:ltbr"}},
         {}},
    };
    for (const MultiTitleCase& c : cases) {
        SCOPED_TRACE(c.what);
        GridExport f;
        f.Define({{"V", ftInteger}});
        f.Open();
        for (const std::string& caption : c.captions) f.AddColumn("V", caption);
        f.grid->SetRowHeights(0, 60);
        f.grid->SetUseMultiTitle(true);
        f.grid->HeadTree()->BuildFromColumns(*f.grid);
        for (int column : c.selected) f.Selection().Columns().SelectColumn(f.Column(column), true);
        EXPECT_EQ(Rows(Rtf(f, c.selected.empty())), c.rows);
    }
}

TEST(GridExportRtf, TitleSpansEmptyTheCellsTheyCover) {
    THeadTreeNode a("A", 20, 60);
    THeadTreeNode b("B", 20, 30);
    THeadTreeNode x("x", 10, 30);
    TTitleMatrixEh matrix{{&x, &b, &b}, {&a, &a, &b}, {&a, &a, &b}};
    const TTitleSpanEh span = TDBGridEhExportAsRTF::TitleCellSpan(matrix, 0, 2);
    EXPECT_EQ((std::vector<int>{span.Left, span.Right, span.Bottom, span.Top}),
              (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(matrix, (TTitleMatrixEh{{&x, &b, &b}, {nullptr, nullptr, &b}, {&a, nullptr, &b}}));
    const TTitleSpanEh tall = TDBGridEhExportAsRTF::TitleCellSpan(matrix, 2, 2);
    EXPECT_EQ((std::vector<int>{tall.Left, tall.Right, tall.Bottom, tall.Top}),
              (std::vector<int>{2, 2, 0, 2}));
    EXPECT_EQ(matrix, (TTitleMatrixEh{{&x, &b, nullptr}, {nullptr, nullptr, nullptr}, {&a, nullptr, &b}}));
}

}  // namespace
