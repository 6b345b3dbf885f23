// The texts footers show: sums and averages formatted by their field's kind and the footer's or
// field's display format, counts, field values and fixed texts, and a field the dataset does not
// have.
#include <gtest/gtest.h>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/numeric_fields.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

struct FooterTexts : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TMemoryDataSet ds;
    TDataSource source;
    TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);

    FooterTexts() {
        ds.SetColumns({"QTY", "PRICE", "COST", "AMOUNT"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftFloat);
        ds.SetColumnType(2, ftCurrency);
        ds.SetColumnType(3, ftBCD);
        ds.AddRow({Variant(1), Variant(1.5), Variant(10.0), Variant(1.1)});
        ds.AddRow({Variant(2), Variant(2.25), Variant(20.5), Variant(2.2)});
        ds.AddRow({Variant(4), Variant(3.0), Variant(0.25), Variant(3.3)});
        source.SetDataSet(&ds);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (const char* name : {"QTY", "PRICE", "COST", "AMOUNT"}) columns.Add()->SetFieldName(name);
        ds.Open();
        grid->SetDataSource(&source);
    }
    ~FooterTexts() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    TColumnFooterEh& Footer(int column) {
        return static_cast<TColumnFooterEh&>(
            *static_cast<TColumnEh*>(grid->Columns()->Items(column))->Footer());
    }
};

TEST_F(FooterTexts, EachValueTypeAndFieldKind) {
    struct Case {
        const char* what;
        int column;
        TFooterValueType type;
        const char* fieldName;
        const char* format;
        const char* fieldFormat;
        const char* expected;
    };
    const Case cases[] = {
        {"an integer sum", 0, fvtSum, "", "", "", "7"},
        {"an integer average shows a whole number", 0, fvtAvg, "", "", "", "2"},
        {"an integer average with the footer's format", 0, fvtAvg, "", "0.0", "", "2.3"},
        {"an integer sum with the field's format", 0, fvtSum, "", "", "#,##0' шт'", "7 шт"},
        {"a float sum", 1, fvtSum, "", "", "", "6.75"},
        {"a float average with the footer's format", 1, fvtAvg, "", "0.000", "", "2.250"},
        {"a money sum", 2, fvtSum, "", "", "", "30.75"},
        {"a decimal sum", 3, fvtSum, "", "", "", "6.6"},
        {"a decimal sum with the footer's format", 3, fvtSum, "", "0.000", "", "6.600"},
        {"another field's sum", 0, fvtSum, "PRICE", "", "", "6.75"},
        {"a count", 0, fvtCount, "", "", "", "3"},
        {"a count with a format", 0, fvtCount, "", "0' зап.'", "", "3 зап."},
        {"the current record's value", 0, fvtFieldValue, "PRICE", "0.00", "", "1.50"},
        {"a value of a field the dataset lacks", 0, fvtFieldValue, "NO_SUCH_FIELD", "", "", ""},
        {"nothing", 0, fvtNon, "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TColumnFooterEh& footer = Footer(c.column);
        footer.SetValueType(c.type);
        footer.SetFieldName(c.fieldName);
        footer.SetDisplayFormat(c.format);
        static_cast<TNumericField*>(ds.Fields().Fields(c.column))->DisplayFormat = c.fieldFormat;
        grid->SumList()->SetActive(false);
        grid->SumList()->SetActive(true);
        EXPECT_EQ(grid->GetFooterText(c.column, 0), c.expected);
        static_cast<TNumericField*>(ds.Fields().Fields(c.column))->DisplayFormat.clear();
    }
}

TEST_F(FooterTexts, AStaticFooterShowsItsValueAndFooterRowsPastTheLastShowTheSingleFooter) {
    Footer(0).SetValueType(fvtStaticText);
    Footer(0).SetValue("Итого");
    EXPECT_EQ(grid->GetFooterText(0, 0), "Итого");
    EXPECT_EQ(grid->GetFooterText(0, 3), "Итого");
    EXPECT_EQ(grid->GetFooterText(7, 0), "");
}

}  // namespace
