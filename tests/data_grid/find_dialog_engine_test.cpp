// The find dialog over a TpFIBDataSet on the embedded engine: Cyrillic names found whatever their
// letter case, a number column found by its formatted or its raw text as the format check box says,
// and a lookup column found by the text it looks up.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "firebird_datasets/fib_fields.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"
#include "tests/support/add_field.h"

namespace {

class FindDialogEngine : public dstest::DatasetEngine {
  protected:
    static void SetUpTestSuite() {
        DatasetEngine::SetUpTestSuite();
        static const char* const cities[] = {"(1, 'Москва')", "(2, 'Тверь')"};
        CreateTable("RECREATE TABLE FIND_CITIES (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))",
                    "FIND_CITIES", cities);
        static const char* const patients[] = {"(1, 'Петров', 15.25, 2)", "(2, 'ИВАНОВ', 1234.5, 1)",
                                               "(3, 'Сидорова', 7, 2)"};
        CreateTable(
            "RECREATE TABLE FIND_PATIENTS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(30), "
            "AMOUNT DOUBLE PRECISION, CITY_ID INTEGER)",
            "FIND_PATIENTS", patients);
    }

    void SetUp() override {
        DatasetEngine::SetUp();
        cities_->SetDatabase(&Database());
        cities_->SetTransaction(&Transaction());
        cities_->SelectSQL().SetText("SELECT ID, NAME FROM FIND_CITIES");
        auto& ds = DataSet<TpFIBDataSet>("SELECT ID, NAME, AMOUNT, CITY_ID FROM FIND_PATIENTS ORDER BY ID");
        AddField<TFIBIntegerField>(ds, "ID");
        AddField<TFIBstringField>(ds, "NAME", fkData, 30);
        AddField<TFIBFloatField>(ds, "AMOUNT");
        AddField<TFIBIntegerField>(ds, "CITY_ID");
        AddLookupField<TFIBstringField>(ds, "CITY", 20, *cities_, "CITY_ID", "ID", "NAME");
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 500, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 480, 280);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"NAME", "AMOUNT", "CITY"}) columns.Add()->SetFieldName(name);
        columns.ColumnAt(1)->SetDisplayFormat("#,##0.00");
        source_->SetDataSet(&ds);
        grid_->SetDataSource(source_.get());
        Transaction().StartTransaction();
        cities_->Open();
        ds.Open();
        form_->Show();
        ui_.ProcessMessages();
    }

    void TearDown() override {
        grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        DatasetEngine::TearDown();
        cities_.reset();
    }

    // Searches all columns from the first record; the found record's ID and column, or 0 and "".
    std::pair<int, std::string> Find(const std::string& pattern, bool matchCase, bool useFormat) {
        ShowGridFindDialog(grid_, pattern, {}, false);
        TDBGridEhFindDlg& dialog = *GridFindDialog();
        dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
        dialog.cbFindDirection->SetItemIndex(fdAllEh);
        dialog.cbCharCase->SetChecked(matchCase);
        dialog.cbUseFormat->SetChecked(useFormat);
        const std::size_t messages = ui_.System().MessageBoxes().size();
        ui_.PressKey(VK_RETURN);
        if (ui_.System().MessageBoxes().size() != messages)
            return {0, ""};
        auto* column = static_cast<TColumnEh*>(grid_->Columns()->Items(grid_->SelectedColumnIndex()));
        return {dataSet_->FieldByName("ID")->AsInteger(), column->FieldName()};
    }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TpFIBDataSet> cities_ = MakeComponent<TpFIBDataSet>(nullptr);
    TObjectPtr<TDataSource> source_ = MakeComponent<TDataSource>(nullptr);
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};

TEST_F(FindDialogEngine, FindsCyrillicTextsFormattedOrRawAndLookedUp) {
    struct Case {
        const char* pattern;
        bool matchCase;
        bool useFormat;
        int id;
        const char* column;
    };
    const Case cases[] = {
        {"иванов", false, true, 2, "NAME"},     {"иванов", true, true, 0, ""},
        {"ИВАНОВ", true, false, 2, "NAME"},     {"сидоров", false, false, 3, "NAME"},
        {"1,234.50", false, true, 2, "AMOUNT"}, {"1,234.50", false, false, 0, ""},
        {"1234.5", false, false, 2, "AMOUNT"},  {"1234.5", false, true, 0, ""},
        {"15.25", false, true, 1, "AMOUNT"},    {"москва", false, true, 2, "CITY"},
        {"ТВЕРЬ", false, false, 1, "CITY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + (c.matchCase ? " case" : "") +
                     (c.useFormat ? " format" : " raw"));
        const auto [id, column] = Find(c.pattern, c.matchCase, c.useFormat);
        EXPECT_EQ(id, c.id);
        EXPECT_EQ(column, c.column);
    }
}

}  // namespace
