// The filter row over a TpFIBDataSet on the embedded engine: a condition typed into a filter cell
// reaches the program's OnFilterApply, which, as an application writes it, turns the columns'
// conditions into the dataset's local record filter; the rows kept are those a SELECT with the same
// condition returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

// One column's condition in the words of a filter text: "NAME LIKE 'B%'", "PHONE IS NULL".
std::string ConditionOf(const std::string& Field, TFilterOperatorKindEh Operator, const Variant& Operand) {
    const std::string word(FilterOperatorSQLWords[static_cast<std::size_t>(Operator)]);
    if (Operator == fokNullEh || Operator == fokNotNullEh)
        return Field + " " + word;
    return Field + " " + word + " " + FilterValueText(Operand);
}

// The application's handler: every column's first condition, joined by AND, filters the dataset.
void FilterFromColumns(TCustomDBGridEh& Grid, TDataSet& DataSet) {
    std::string text;
    for (int i = 0; i < Grid.Columns()->Count(); ++i) {
        auto* column = static_cast<TColumnEh*>(Grid.Columns()->Items(i));
        const auto& filter = dynamic_cast<const TSTColumnFilterEh&>(*column->STFilter());
        const TSTFilterExpressionEh& expression = filter.Expression();
        if (expression.FirstOperator == fokNoneEh)
            continue;
        text += (text.empty() ? "" : " AND ") +
                ConditionOf(filter.FilterFieldName(), expression.FirstOperator, expression.FirstOperand);
    }
    DataSet.SetFilterText(text);
    DataSet.SetFiltered(!text.empty());
}

class FilterRowEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"INSERT INTO CLIENTS VALUES (4, 'Bea', NULL)", "INSERT INTO CLIENTS VALUES (5, 'Dan', '555')"});
        InitializeDBGridEhUnit();
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        FinalizeDBGridEhUnit();
        GeneratedSQLEngine::TearDown();
    }

    TpFIBDataSet& ShowClients() {
        auto& clients = Clients();
        source_.SetDataSet(&clients);
        clients.Open();
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 400, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 380, 250);
        dynamic_cast<TSTDBGridEhFilter&>(*grid_->STFilter()).SetVisible(true);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"ID", "NAME", "PHONE"}) columns.Add()->SetFieldName(name);
        grid_->SetDataSource(&source_);
        grid_->OnFilterApply = [this, &clients](TObject*) {
            ++applies_;
            FilterFromColumns(*grid_, clients);
        };
        form_->Show();
        grid_->SetFocus();
        ui_.ProcessMessages();
        return clients;
    }
    // The dataset's rows as "ID|NAME|PHONE" (NULL as "-"), from the first on.
    static std::vector<std::string> Rows(TDataSet& DataSet) {
        std::vector<std::string> rows;
        for (DataSet.First(); !DataSet.Eof(); DataSet.Next()) {
            std::string row;
            for (const char* name : {"ID", "NAME", "PHONE"}) {
                TField* field = DataSet.FieldByName(name);
                row += (row.empty() ? "" : "|") + (field->IsNull() ? std::string("-") : field->AsString());
            }
            rows.push_back(row);
        }
        return rows;
    }

    platform::ui::HeadlessSession ui_;
    TDataSource source_{nullptr};
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
    int applies_ = 0;
};

TEST_F(FilterRowEngine, ATypedConditionKeepsTheRowsASelectWithTheSameConditionReturns) {
    struct Case {
        int column;
        const char* typed;
        const char* where;
    };
    const std::vector<Case> cases = {
        {1, "B%", "NAME LIKE 'B%'"},
        {2, "=Null", "PHONE IS NULL"},
        {0, ">2", "ID > 2"},
        {1, "<>Bob", "NAME <> 'Bob'"},
    };
    auto& clients = ShowClients();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        grid_->ClearAllFilters();
        clients.SetFiltered(false);
        grid_->SelectColumnByIndex(c.column);
        ui_.PressKey(VK_UP, {ssCtrl});
        ui_.TypeText(c.typed);
        ui_.PressKey(VK_RETURN);
        ui_.ProcessMessages();
        EXPECT_EQ(grid_->ColumnFilterText(c.column), c.typed);
        EXPECT_EQ(Rows(clients), ServerRows(std::string("SELECT ID, NAME, PHONE FROM CLIENTS WHERE ") +
                                            c.where + " ORDER BY ID"));
    }
    EXPECT_EQ(applies_, static_cast<int>(cases.size()));
}

}  // namespace
