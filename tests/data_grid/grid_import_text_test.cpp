// Text pasted into the grid by Ctrl+V: over the records from the current one and the columns from
// the current one, appending or stopping at the end, quoted cells whole, line ends of either kind,
// and the text's end wherever it falls.
#include "tests/data_grid/grid_import_fixture.h"

#include "platform/rtl/exceptions.h"

namespace {

using grid_import_test::ImportGrid;
using grid_import_test::Person;
using grid_import_test::ThreePeople;

struct PasteCase {
    const char* name;
    std::vector<Person> people;
    int startId;
    int startCol;
    bool allowAppend;
    std::string text;
    std::vector<std::string> rows;
};

TEST(GridImportText, PastedTextOverwritesFromTheCurrentCell) {
    const std::string tail("a\0zzz", 5);
    const PasteCase cases[] = {
        {"two lines over two records, surplus cell dropped",
         ThreePeople,
         2,
         ImportGrid::NameCol,
         true,
         "x2\ty2\tsurplus\r\nx3\ty3\r\n",
         {"1|Alpha|Москва", "2|x2|y2", "3|x3|y3"}},
        {"more lines than records append the rest",
         ThreePeople,
         3,
         ImportGrid::NameCol,
         true,
         "x3\ty3\r\nx4\ty4\r\n",
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|x3|y3", "~|x4|y4"}},
        {"without appending the walk stops at the end",
         ThreePeople,
         3,
         ImportGrid::NameCol,
         false,
         "x3\ty3\r\nx4\ty4\r\n",
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|x3|y3"}},
        {"an empty dataset takes every line",
         {},
         0,
         ImportGrid::IdCol,
         true,
         "7\ta\tb\r\n8\tc\td\r\n",
         {"7|a|b", "8|c|d"}},
        {"a last line without a line break keeps its last character",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "xy\tzw",
         {"1|xy|zw", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"LF alone ends a line",
         ThreePeople,
         1,
         ImportGrid::CityCol,
         true,
         "c1\nc2\n",
         {"1|Alpha|c1", "2|Bravo|c2", "3|Gamma|Омск"}},
        {"a quoted cell reads back whole",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "\"a\tb\r\nc \"\"q\"\"\"\tz\r\n",
         {"1|a\tb\r\nc \"q\"|z", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a quote that never closes is plain text",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "\"ab\tz\r\n",
         {"1|\"ab|z", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a quote closed inside the cell is plain text",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "\"ab\"c\tz",
         {"1|\"ab\"c|z", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a leading empty cell clears the first column",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "\tz",
         {"1||z", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a TAB before the line end leaves the last column",
         ThreePeople,
         1,
         ImportGrid::NameCol,
         true,
         "n\t\r\n",
         {"1|n|Москва", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a zero byte ends the text",
         ThreePeople,
         1,
         ImportGrid::CityCol,
         true,
         tail,
         {"1|Alpha|a", "2|Bravo|Тверь", "3|Gamma|Омск"}},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportGrid f(c.people);
        if (!c.allowAppend)
            f.grid->SetAllowedOperations(f.grid->AllowedOperations() -
                                         TDBGridEhAllowedOperations{alopAppendEh});
        if (c.startId > 0)
            f.Place(c.startId, c.startCol);
        Clipboard()->SetAsText(c.text);
        f.Ctrl('V');
        EXPECT_EQ(f.Rows(), c.rows);
    }
}

TEST(GridImportText, LoneCarriageReturnIsAFormatErrorAfterTheRowsBeforeIt) {
    ImportGrid f;
    f.Place(2, ImportGrid::CityCol);
    try {
        f.ImportText("c2\r\nc3\rx\r\n");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "TDBGridEhImportAsText.CheckState: Неверный формат текста");
    }
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"1|Alpha|Москва", "2|Bravo|c2", "3|Gamma|Омск"}));
    EXPECT_EQ(f.ds.FieldByName("ID")->AsInteger(), 2);
    EXPECT_FALSE(f.ds.ControlsDisabled());
}

TEST(GridImportText, ImportAllStartsAtTheFirstRecordAndColumn) {
    ImportGrid f;
    f.Place(3, ImportGrid::CityCol);
    f.ImportText("10\tk\r\n20\tl\r\n", true);
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"10|k|Москва", "20|l|Тверь", "3|Gamma|Омск"}));
}

TEST(GridImportText, SelectionKindsChooseRecordsAndColumns) {
    struct Case {
        const char* name;
        std::function<void(ImportGrid&)> select;
        std::string text;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"rows: each selected record in list order, every column",
         [](ImportGrid& f) {
             f.SelectRows({3, 1});
         },
         "5\ta\tb\r\n6\tc\td\r\n",
         {"5|a|b", "2|Bravo|Тверь", "6|c|d"}},
        {"block: its columns and records, the source's end leaving the rest",
         [](ImportGrid& f) { f.SelectBlock(1, 1, 2, 3); },
         "a\tb\r\n",
         {"1|a|b", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"columns: the selected ones over every record",
         [](ImportGrid& f) { f.SelectColumns({2}); },
         "x\r\ny\r\nz\r\n",
         {"1|Alpha|x", "2|Bravo|y", "3|Gamma|z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportGrid f;
        c.select(f);
        f.ImportText(c.text);
        EXPECT_EQ(f.Rows(), c.rows);
    }
}

}  // namespace
