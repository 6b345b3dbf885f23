// A grid column's filter over the in-memory datasets: people with a city id, a "City" lookup field
// into a list of cities, a name, a birth date, a flag and a photo. Typed texts become conditions
// by the field's kind and show as display text; through a key field they become the keys of the
// list entry they name; the filter row's settings and what they ask of the grid.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "data_controls/dataset_field_value_list.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_filter.h"
#include "platform/db/data_source.h"
#include "platform/db/expr_parser.h"
#include "platform/db/typed_fields.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"

namespace {

// The literals and fields of a local filter as the dataset's own parser reads them, in order.
void CollectOperands(const TExprNode& node, std::vector<std::string>& out) {
    if (node.NodeClass == nodeCONST)
        out.push_back(VarToStr(node.Value));
    if (node.NodeClass == nodeFIELD)
        out.push_back("field " + node.FieldName);
    for (const auto& arg : node.Args) CollectOperands(*arg, out);
}

std::vector<std::string> OperandsOf(TDataSet* dataSet, const std::string& localFilter) {
    TExprParser parser(dataSet, localFilter);
    std::vector<std::string> out;
    CollectOperands(parser.Root(), out);
    return out;
}

// Records what the filters ask of the grid.
class FilterTestGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }
    TSTDBGridEhFilter& FilterRow() { return static_cast<TSTDBGridEhFilter&>(*STFilter()); }
    bool FilterEditingActive() override { return filterEditing; }
    void StopFilterEditing() override { calls.push_back("stop editing"); }
    void PlaceFilterEditor(bool /*Focus*/) override { calls.push_back("place editor"); }
    void RebuildGridLayout() override { calls.push_back("layout"); }
    void RefreshEditors() override { calls.push_back("editors"); }
    bool filterEditing = false;
    std::vector<std::string> calls;
};

struct ColumnFilters : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    FilterTestGrid* grid = nullptr;
    TMemoryDataSet cities;
    TMemoryDataSet people;
    TDataSource* source = nullptr;
    TDataSource* citySource = nullptr;

    ColumnFilters() {
        cities.SetColumns({"ID", "NAME"});
        cities.SetColumnType(0, ftInteger);
        cities.SetColumnType(1, ftString, 20);
        cities.AddRow({1, "Омск"});
        cities.AddRow({2, "Tver"});
        cities.AddRow({3, "Kazan"});
        cities.AddRow({4, "Tver"});
        cities.Open();
        people.SetColumns({"ID", "CITY_ID", "NAME", "BORN", "PAID", "PHOTO"});
        const TFieldType types[] = {ftInteger, ftInteger, ftString, ftDate, ftBoolean, ftBlob};
        for (int i = 0; i < 6; ++i) people.SetColumnType(i, types[i], types[i] == ftString ? 20 : 0);
        people.AddRow({10, 2, "Ivanov", Variant::FromDateTime(EncodeDate(1990, 5, 1)), true, ""});
        AddField<TIntegerField>(people, "ID", fkData);
        AddField<TIntegerField>(people, "CITY_ID", fkData);
        AddField<TStringField>(people, "NAME", fkData, 20);
        AddField<TDateField>(people, "BORN", fkData);
        AddField<TBooleanField>(people, "PAID", fkData);
        AddField<TBlobField>(people, "PHOTO", fkData);
        AddLookupField<TStringField>(people, "City", 20, cities, "CITY_ID", "ID", "NAME");
        people.Open();
        Application->CreateForm(&form);
        grid = NewComponent<FilterTestGrid>(form);
        grid->SetParent(form);
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&people);
        citySource = NewComponent<TDataSource>(form);
        citySource->SetDataSet(&cities);
        grid->SetDataSource(source);
    }
    ~ColumnFilters() override {
        grid->SetDataSource(nullptr);
        people.BeforeDestruction();
        cities.BeforeDestruction();
    }
    TSTColumnFilterEh& FilterOf(const std::string& fieldName) {
        TColumnEh* column = grid->GridColumns().Add();
        column->SetFieldName(fieldName);
        return static_cast<TSTColumnFilterEh&>(*column->STFilter());
    }
};

TEST_F(ColumnFilters, TypedTextsShowAsDisplayTextByTheFieldsKind) {
    struct Case {
        const char* field;
        std::string text;
        std::string shown;
    };
    // A date typed and shown in the locale's own order.
    const std::string date = DateToStr(EncodeDate(2024, 2, 1));
    const std::vector<Case> cases = {
        {"ID", ">1 and <5", "> 1 AND < 5"},
        {"ID", "1.5", "= " + FloatToStr(1.5)},
        {"ID", "<>null or 5", "<>Null OR = 5"},
        {"ID", "!in (1,2)", "!In (1,2)"},
        {"ID", "in (7)", "In (7)"},
        {"NAME", "abc", "~ 'abc'"},
        {"NAME", "a,b", "In ('a','b')"},
        {"NAME", "=null", "=Null"},
        {"NAME", "not like x% | = 'a > b'", "!~ 'x%' OR = 'a > b'"},
        {"NAME", "abc and", "~ 'abc'"},
        {"BORN", ">= " + date, ">= " + date},
        {"PAID", "true", "= 'true'"},
        {"PHOTO", "x", ""},
        {"NAME", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + ": " + c.text);
        TSTColumnFilterEh& filter = FilterOf(c.field);
        filter.ParseExpressionText(c.text);
        EXPECT_EQ(filter.FilterText(), c.text);
        EXPECT_EQ(filter.RenderExpression(), c.shown);
        EXPECT_TRUE(filter.FirstFilterValue() == filter.Expression().FirstOperand);
    }
}

TEST_F(ColumnFilters, ARefusedTextKeepsTheTextBefore) {
    TSTColumnFilterEh& filter = FilterOf("ID");
    filter.ParseExpressionText(">1");
    EXPECT_THROW(filter.ParseExpressionText("> 'x"), Exception);
    EXPECT_THROW(filter.ParseExpressionText("abc"), EConvertError);
    EXPECT_EQ(filter.FilterText(), ">1");
}

// The lookup column's text names a city; the condition is on the city ids that name has.
TEST_F(ColumnFilters, ALookupColumnFiltersByTheKeysOfTheNamedListEntry) {
    TSTColumnFilterEh& filter = FilterOf("City");
    EXPECT_EQ(filter.FilterFieldName(), "CITY_ID");
    EXPECT_EQ(filter.FilterKeyField(), "ID");
    EXPECT_EQ(filter.ListDataSet(), &cities);
    EXPECT_EQ(filter.ListResultField(), "NAME");
    struct Case {
        const char* text;
        Variant keys;
        TFilterOperatorKindEh first;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"Омск", Variant(1), fokInEh, "In ('Омск')"},    {"Tver", Variant(2), fokInEh, "In ('Tver')"},
        {"Москва", Variant::Null(), fokNullEh, "=Null"}, {"", Variant::Null(), fokNoneEh, ""},
        {">5", Variant::Null(), fokNullEh, "=Null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        filter.ParseExpressionText(c.text);
        EXPECT_TRUE(filter.KeyValueList() == c.keys) << VarToStr(filter.KeyValueList());
        EXPECT_TRUE(filter.FirstFilterValue() == c.keys);
        EXPECT_EQ(filter.Expression().DataKind, fdkStringEh);
        EXPECT_EQ(filter.Expression().FirstOperator, c.first);
        EXPECT_EQ(filter.RenderExpression(), c.shown);
    }
    // A null test is kept as typed.
    filter.ParseExpressionText("<> null");
    EXPECT_EQ(filter.Expression().FirstOperator, fokNotNullEh);
    EXPECT_EQ(filter.RenderExpression(), "<>Null");
    // Closed, the grid filters by the lookup field itself.
    grid->SetDataSource(nullptr);
    EXPECT_EQ(filter.FilterFieldName(), "City");
}

// A key column with a list of its own: city names typed into the integer CITY_ID column.
TEST_F(ColumnFilters, AListSourceWithAKeyFieldTakesNamesInAKeyColumn) {
    TSTColumnFilterEh& filter = FilterOf("CITY_ID");
    filter.SetListSource(citySource);
    filter.SetKeyField("ID");
    filter.SetListField("NAME");
    EXPECT_TRUE(filter.HasDropDownButton());
    filter.ParseExpressionText("Kazan");
    EXPECT_TRUE(filter.KeyValueList() == Variant(3));
    EXPECT_EQ(filter.Expression().FirstOperator, fokInEh);
    EXPECT_EQ(filter.RenderExpression(), "Kazan");
    EXPECT_EQ(filter.FilterFieldName(), "CITY_ID");
    // Without a list to look in, the keys of the earlier text go.
    filter.SetListSource(nullptr);
    filter.ParseExpressionText("Tver");
    EXPECT_TRUE(filter.KeyValueList().IsNull());
    EXPECT_EQ(filter.Expression().FirstOperator, fokNullEh);
    EXPECT_FALSE(filter.HasDropDownButton());
    filter.SetDataField("CITY_CODE");
    EXPECT_EQ(filter.FilterFieldName(), "CITY_CODE");
}

TEST_F(ColumnFilters, TheValueListComesFromAnActiveListDataSet) {
    TSTColumnFilterEh& filter = FilterOf("NAME");
    EXPECT_EQ(filter.BuildValueList(), nullptr) << "no list source";
    filter.SetListSource(citySource);
    auto values = filter.BuildValueList();
    ASSERT_NE(values, nullptr) << "the column's field name in the list";
    EXPECT_EQ(values->FieldName(), "NAME");
    EXPECT_EQ(values->DistinctValues()->Count(), 3);
    filter.SetListField("ID");
    ASSERT_NE(filter.BuildValueList(), nullptr);
    EXPECT_EQ(filter.BuildValueList()->FieldName(), "ID");
    filter.SetListField("NO_SUCH_FIELD");
    EXPECT_EQ(filter.BuildValueList(), nullptr);
    filter.SetListField("");
    cities.Close();
    EXPECT_EQ(filter.BuildValueList(), nullptr) << "a closed list";
    cities.Open();
    grid->SetDataSource(nullptr);
    EXPECT_EQ(filter.BuildValueList(), nullptr) << "the grid without data";
}

TEST_F(ColumnFilters, SettingTheTextRepaintsAndPlacesTheFilterEditor) {
    TSTColumnFilterEh& filter = FilterOf("NAME");
    grid->calls.clear();
    filter.SetExpressionText("abc");
    EXPECT_EQ(grid->calls, std::vector<std::string>{});
    grid->filterEditing = true;
    filter.SetExpressionText("abc");
    EXPECT_EQ(grid->calls, std::vector<std::string>{"place editor"});
    filter.Reset();
    EXPECT_EQ(filter.FilterText(), "");
    EXPECT_EQ(filter.Expression().FirstOperator, fokNoneEh);
    EXPECT_TRUE(filter.KeyValueList().IsNull());
}

TEST_F(ColumnFilters, AssignCopiesTheSettingsButNotTheCondition) {
    TSTColumnFilterEh& from = FilterOf("NAME");
    TSTColumnFilterEh& to = FilterOf("ID");
    from.ParseExpressionText("abc");
    from.SetDataField("D");
    from.SetKeyField("K");
    from.SetListField("L");
    from.SetListSource(citySource);
    from.SetVisible(false);
    to.Assign(from);
    EXPECT_EQ(to.DataField(), "D");
    EXPECT_EQ(to.KeyField(), "K");
    EXPECT_EQ(to.ListField(), "L");
    EXPECT_EQ(to.ListSource(), citySource);
    EXPECT_FALSE(to.Visible());
    EXPECT_EQ(to.FilterText(), "");
    EXPECT_EQ(to.Expression().FirstOperator, fokNoneEh);
    // A freed list source leaves the filter without one.
    delete citySource;
    citySource = nullptr;
    EXPECT_EQ(to.ListSource(), nullptr);
    EXPECT_EQ(from.ListSource(), nullptr);
}

// The settings are stored with the column, only where they differ from a new filter's.
TEST_F(ColumnFilters, TheSettingsAreStoredWithTheColumnAndReadBack) {
    grid->SetName("Grid1");
    citySource->SetName("Cities");
    FilterOf("ID");
    TSTColumnFilterEh& filter = FilterOf("CITY_ID");
    filter.SetDataField("CITY_CODE");
    filter.SetKeyField("ID");
    filter.SetListField("NAME");
    filter.SetListSource(citySource);
    filter.SetVisible(false);
    filter.ParseExpressionText("Kazan");
    const std::string text = ComponentToText(*grid);
    EXPECT_EQ(text.find("STFilter."), text.find("STFilter.DataField = 'CITY_CODE'")) << text;
    for (const char* part : {"STFilter.KeyField = 'ID'", "STFilter.ListField = 'NAME'",
                             "STFilter.ListSource = Cities", "STFilter.Visible = False"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.find("Kazan"), std::string::npos) << "the typed text is not stored";

    // Read into a grid of its own, where the form's list source is not to be found.
    filter.SetListSource(nullptr);
    auto copy = MakeComponent<FilterTestGrid>(nullptr);
    TReader(ComponentToText(*grid)).ReadRootComponent(*copy);
    ASSERT_EQ(copy->GridColumns().Count(), 2);
    auto& read = static_cast<TSTColumnFilterEh&>(*copy->GridColumns().ColumnAt(1)->STFilter());
    EXPECT_EQ(read.DataField(), "CITY_CODE");
    EXPECT_EQ(read.KeyField(), "ID");
    EXPECT_EQ(read.ListField(), "NAME");
    EXPECT_FALSE(read.Visible());
    EXPECT_TRUE(static_cast<TSTColumnFilterEh&>(*copy->GridColumns().ColumnAt(0)->STFilter()).Visible());
}

TEST_F(ColumnFilters, AColumnFilterShownOrHiddenChangesTheColumn) {
    TSTColumnFilterEh& filter = FilterOf("NAME");
    grid->calls.clear();
    filter.SetVisible(true);
    EXPECT_EQ(grid->calls, std::vector<std::string>{}) << "no change";
    filter.SetVisible(false);
    EXPECT_NE(grid->calls, std::vector<std::string>{});
}

TEST_F(ColumnFilters, TheFilterRowShowsAndHidesThroughTheGrid) {
    using Calls = std::vector<std::string>;
    TSTDBGridEhFilter& row = grid->FilterRow();
    EXPECT_FALSE(row.Visible());
    EXPECT_EQ(grid->SubTitleRowCount(), 0);
    grid->calls.clear();
    row.SetVisible(true);
    EXPECT_EQ(grid->SubTitleRowCount(), 1);
    const Calls shown = grid->calls;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "layout");
    grid->calls.clear();
    row.SetVisible(true);
    EXPECT_EQ(grid->calls, Calls{}) << "no change";
    row.SetVisible(false);
    Calls hidden{"stop editing"};
    hidden.insert(hidden.end(), shown.begin(), shown.end());
    EXPECT_EQ(grid->calls, hidden);
    // With the cell editor up, its editors follow the new layout.
    grid->SetEditorMode(true);
    grid->calls.clear();
    row.SetVisible(true);
    Calls withEditor = shown;
    withEditor.push_back("editors");
    EXPECT_EQ(grid->calls, withEditor);
    row.SetVisible(false);
    grid->SetEditorMode(false);

    row.LockUpdate();
    row.LockUpdate();
    EXPECT_EQ(grid->STFilter()->UpdateCount(), 2);
    row.UnlockUpdate();
    row.UnlockUpdate();
    EXPECT_EQ(row.UpdateCount(), 0);

    TSTDBGridEhFilter other(nullptr);
    other.SetLocal(true);
    other.SetVisible(true);
    grid->calls.clear();
    row.Assign(other);
    EXPECT_TRUE(row.Local());
    EXPECT_TRUE(grid->STFilter()->Visible());
    EXPECT_EQ(grid->calls, shown);
}

// What is typed into a cell stays a value in the dataset's own filter: apostrophes are doubled,
// so neither an unmatched one nor a crafted text changes what the filter tests.
TEST_F(ColumnFilters, TypedValuesBecomeLiteralsOfTheLocalFilter) {
    struct Case {
        const char* field;
        std::string typed;
        std::string local;
        std::vector<std::string> operands;
    };
    const std::string date = DateToStr(EncodeDate(2024, 2, 1));
    const std::vector<Case> cases = {
        {"NAME", "O'Brien", R"("NAME" LIKE 'O''Brien')", {"field NAME", "O'Brien"}},
        {"NAME", "x'or'1'='1", R"("NAME" LIKE 'x''or''1''=''1')", {"field NAME", "x'or'1'='1"}},
        {"NAME",
         "in (O'Neil, D'Arcy)",
         R"("NAME" IN ('O''Neil', 'D''Arcy'))",
         {"field NAME", "O'Neil", "D'Arcy"}},
        {"NAME", R"(a"b\)", R"("NAME" LIKE 'a"b\')", {"field NAME", R"(a"b\)"}},
        {"NAME",
         "'a' or 'b'",
         R"(("NAME" LIKE 'a' OR "NAME" LIKE 'b'))",
         {"field NAME", "a", "field NAME", "b"}},
        {"NAME", "<>null", R"("NAME" IS NOT NULL)", {"field NAME"}},
        {"ID", ">= 2 and < 1e3", R"(("ID" >= 2 AND "ID" < 1000))", {"field ID", "2", "field ID", "1000"}},
        {"BORN", "<" + date, R"("BORN" < ')" + date + "'", {"field BORN"}},
        {"City", "Kazan", R"("CITY_ID" IN (3))", {"field CITY_ID", "3"}},
        {"NAME", "", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + ": " + c.typed);
        TSTColumnFilterEh& filter = FilterOf(c.field);
        filter.ParseExpressionText(c.typed);
        const std::string local = LocalFilterText(filter);
        EXPECT_EQ(local, c.local);
        if (local.empty())
            continue;
        std::vector<std::string> operands = OperandsOf(&people, local);
        // A date constant is read into the field's own form; only the field is compared.
        if (std::string(c.field) == "BORN")
            operands.resize(1);
        EXPECT_EQ(operands, c.operands);
    }
}

TEST(LocalFilterConditions, NumbersAreWrittenWithAPointWhateverTheSeparatorTyped) {
    TFilterTextSettingsEh settings = SystemFilterTextSettings();
    settings.Number = {',', ' '};
    TSTFilterExpressionEh e;
    e.DataKind = fdkNumberEh;
    ParseFilterExpression(">= 250,25 and < 0,1", e, settings);
    EXPECT_EQ(LocalFilterCondition("AMOUNT", e), R"(("AMOUNT" >= 250.25 AND "AMOUNT" < 0.1))");
}

TEST(LocalFilterConditions, FieldNamesAreQuotedAndWhatCannotBeWrittenIsRefused) {
    TSTFilterExpressionEh e;
    e.DataKind = fdkStringEh;
    e.FirstOperator = fokEqualEh;
    e.FirstOperand = "a";
    EXPECT_EQ(LocalFilterCondition("AND", e), R"("AND" = 'a')");
    EXPECT_EQ(LocalFilterCondition("a\"b", e), R"([a"b] = 'a')");
    EXPECT_THROW(LocalFilterCondition("a\"b]", e), Exception);
    e.DataKind = fdkNumberEh;
    for (double bad : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        e.FirstOperand = bad;
        EXPECT_THROW(LocalFilterCondition("N", e), Exception) << bad;
    }
}

}  // namespace
