// Cells the fields refuse: the question and its three answers, lookup texts matched whole to
// their keys, and key-list texts matched to their entries.
#include "tests/data_grid/grid_import_fixture.h"

#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/string_list.h"
#include "tests/support/add_field.h"

namespace {

using grid_import_test::ImportGrid;
using grid_import_test::Person;
using grid_import_test::ThreePeople;

const std::string QuestionStart = "Ошибка при вставки значения:\n";
const std::string QuestionEnd = "\n\nИгнорировать ошибку?";

// CITY shows "Moscow", "Tver" and "Omsk" and stores the Russian names.
void UseCityKeyList(ImportGrid& f) {
    TStringList picks;
    TStringList keys;
    for (const char* s : {"Moscow", "Tver", "Omsk"}) picks.Add(s);
    for (const char* s : {"Москва", "Тверь", "Омск"}) keys.Add(s);
    f.Column(ImportGrid::CityCol)->SetPickList(&picks);
    f.Column(ImportGrid::CityCol)->SetKeyList(&keys);
}

TEST(GridImportCells, EachAnswerToTheQuestion) {
    struct Case {
        const char* name;
        int answer;
        bool aborted;
        std::size_t questions;
        std::vector<std::string> rows;
    };
    // Record 1 gets a name, then a city not in the list; record 2's ID is refused.
    const std::string text = "1\tN1\tRome\r\nx\tN2\tTver\r\n3\tN3\tOmsk\r\n";
    const Case cases[] = {
        {"Yes goes on past each refused cell", IDYES, false, 2, {"1|N1|Москва", "2|N2|Тверь", "3|N3|Омск"}},
        {"All asks once and ignores the rest", IDALL, false, 1, {"1|N1|Москва", "2|N2|Тверь", "3|N3|Омск"}},
        {"No ends the import, dropping the half-written record",
         IDNO,
         true,
         1,
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|Gamma|Омск"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportGrid f;
        UseCityKeyList(f);
        f.Place(1, ImportGrid::IdCol);
        f.ui.System().MessageBoxAnswer = c.answer;
        bool aborted = false;
        try {
            f.ImportText(text);
        } catch (const EAbort&) {
            aborted = true;
        }
        EXPECT_EQ(aborted, c.aborted);
        ASSERT_EQ(f.Boxes().size(), c.questions);
        const std::string& question = f.Boxes()[0].Text;
        EXPECT_EQ(question.rfind(QuestionStart, 0), 0u) << question;
        EXPECT_EQ(question.substr(question.size() - QuestionEnd.size()), QuestionEnd);
        EXPECT_EQ(f.Boxes()[0].Flags & 0x0F, MB_YESNOALL);
        EXPECT_EQ(f.Rows(), c.rows);
        EXPECT_EQ(f.ds.State(), dsBrowse);
        EXPECT_FALSE(f.ds.ControlsDisabled());
    }
}

TEST(GridImportCells, NoLeavesRecordsPostedBeforeAndNoHalfAppendedRow) {
    ImportGrid f({{1, "Alpha", "Москва"}});
    f.Place(1, ImportGrid::IdCol);
    f.ui.System().MessageBoxAnswer = IDNO;
    EXPECT_THROW(f.ImportText("5\tN1\r\nbad\tN2\r\n"), EAbort);
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"5|N1|Москва"}));
}

TEST(GridImportCells, KeyListTextsSelectTheirEntries) {
    const struct {
        std::string text;
        std::string stored;
        bool asked;
    } cases[] = {
        {"Tver", "Тверь", false}, {"omsk", "Омск", false}, {"", "~", false}, {"Paris", "Москва", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ImportGrid f;
        UseCityKeyList(f);
        f.Place(1, ImportGrid::NameCol);
        f.ui.System().MessageBoxAnswer = IDYES;
        f.ImportText("N\t" + c.text + "\tdropped\r\n");
        EXPECT_EQ(f.Rows()[0], "1|N|" + c.stored);
        EXPECT_EQ(f.Boxes().size(), c.asked ? 1u : 0u);
    }
}

// People with a city key and a lookup field showing the city's name.
struct LookupImport : ImportGrid {
    TMemoryDataSet cities;
    LookupImport() : ImportGrid(grid_import_test::People{}) {
        cities.SetColumns({"ID", "NAME"});
        cities.SetColumnType(0, ftInteger);
        cities.SetColumnType(1, ftString, 20);
        cities.AddRow({1, "Anna"});
        cities.AddRow({2, "Ann"});
        cities.AddRow({3, "Борис"});
        cities.Open();
        grid->SetDataSource(nullptr);
        ds.Close();
        ds.SetColumns({"ID", "CITY_ID"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftInteger);
        ds.AddRow({10, 3});
        AddField<TIntegerField>(ds, "ID", fkData);
        AddField<TIntegerField>(ds, "CITY_ID", fkData);
        AddLookupField<TStringField>(ds, "City", 20, cities, "CITY_ID", "ID", "NAME");
        ds.Open();
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        columns.Clear();
        columns.Add()->SetFieldName("ID");
        columns.Add()->SetFieldName("City");
        grid->SetDataSource(source);
    }
    ~LookupImport() { cities.BeforeDestruction(); }
};

TEST(GridImportCells, LookupTextsMatchWholeAndCaseInsensitively) {
    const struct {
        std::string text;
        std::string key;
        bool asked;
    } cases[] = {{"Ann", "2", false},
                 {"ANNA", "1", false},
                 {"борис", "3", false},
                 {"", "~", false},
                 {"An", "3", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LookupImport f;
        f.ui.System().MessageBoxAnswer = IDYES;
        f.GoTo(10);
        f.grid->SelectColumnByIndex(0);
        f.ImportText("11\t" + c.text + "\tdropped\r\n");
        EXPECT_EQ(f.Rows()[0], "11|" + c.key);
        EXPECT_EQ(f.Boxes().size(), c.asked ? 1u : 0u);
    }
}

}  // namespace
