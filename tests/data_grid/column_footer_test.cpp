// Column footers and the grid's column defaults: footers bound to the grid's sum list as their
// value type asks, the values they fall back on, and what the stored form keeps of them.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_def_values.h"
#include "data_grid/column_footer.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/sum_list_grid.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/reader.h"
#include "platform/ui/headless.h"

namespace {

// Holds a grid's column defaults as a stored form would: the grid keeps its own in its published
// properties, which come with the grid's stored form.
class DefaultsHolder : public TComponent {
  public:
    DefaultsHolder() : TComponent(nullptr) { SetName("Holder"); }
    std::string ClassName() const override { return "DefaultsHolder"; }
    static const TPropertyList& Published() {
        static const TPropertyList list =
            TPublish<DefaultsHolder>(TComponent::Published())
                .Object("ColumnDefValues", [](const DefaultsHolder& h) { return &h.defaults; });
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }
    mutable TDBGridEhColumnDefValuesEh defaults{nullptr};
};

struct FooterRig {
    platform::ui::HeadlessSession ui;
    TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);
    TDBGridColumnsEh& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
    TColumnEh* column = nullptr;

    FooterRig() {
        grid->SetName("Grid1");
        column = columns.Add();
        column->SetFieldName("AMOUNT");
    }
    TColumnFooterEh& Footer() { return static_cast<TColumnFooterEh&>(*column->Footer()); }
    TDBSumCollection& Sums() { return grid->SumList()->SumCollection(); }
    TColumnDefValuesEh& Defaults() { return static_cast<TColumnDefValuesEh&>(*grid->ColumnDefValues()); }
};

TEST(ColumnFooter, EdgeCases) {
    struct Case {
        const char* what;
        std::function<void(FooterRig&)> check;
    };
    const Case cases[] = {
        {"a sum without a field name sums the column's field; a field name re-targets it; static text drops "
         "it",
         [](FooterRig& r) {
             r.Footer().SetValueType(fvtSum);
             ASSERT_EQ(r.Sums().Count(), 1);
             TDBSum* item = r.Sums().Items(0);
             EXPECT_EQ(item->GroupOperation(), goSum);
             EXPECT_EQ(item->FieldName(), "AMOUNT");
             EXPECT_EQ(r.Footer().SumItem(), item);
             r.Footer().SetFieldName("PRICE");
             ASSERT_EQ(r.Sums().Count(), 1);
             EXPECT_EQ(r.Sums().Items(0), item);
             EXPECT_EQ(item->FieldName(), "PRICE");
             r.Footer().SetValueType(fvtStaticText);
             EXPECT_EQ(r.Sums().Count(), 0);
             EXPECT_EQ(r.Footer().SumItem(), nullptr);
         }},
        {"a sum switched to a count keeps its item with no field",
         [](FooterRig& r) {
             r.Footer().SetValueType(fvtSum);
             TDBSum* item = r.Footer().SumItem();
             r.Footer().SetValueType(fvtCount);
             ASSERT_EQ(r.Sums().Count(), 1);
             EXPECT_EQ(r.Footer().SumItem(), item);
             EXPECT_EQ(item->GroupOperation(), goCount);
             EXPECT_EQ(item->FieldName(), "");
         }},
        {"a freed column frees its footers' sums",
         [](FooterRig& r) {
             r.Footer().SetValueType(fvtAvg);
             auto* extra = static_cast<TColumnFooterEh*>(r.column->Footers()->Add());
             extra->SetValueType(fvtCount);
             EXPECT_EQ(r.Sums().Count(), 2);
             r.columns.Delete(r.column->Index());
             EXPECT_EQ(r.Sums().Count(), 0);
         }},
        {"footer row 2 of a column with two footer items is the single footer",
         [](FooterRig& r) {
             r.column->Footers()->Add();
             r.column->Footers()->Add();
             EXPECT_EQ(r.column->FooterAt(1), r.column->Footers()->Items(1));
             EXPECT_EQ(r.column->FooterAt(2), r.column->Footer());
         }},
        {"title defaults centre under multi-line titles until set, and keep a set centre",
         [](FooterRig& r) {
             r.grid->SetUseMultiTitle(true);
             EXPECT_EQ(r.Defaults().Title()->Alignment(), taCenter);
             r.Defaults().Title()->SetAlignment(taCenter);
             r.grid->SetUseMultiTitle(false);
             EXPECT_EQ(r.Defaults().Title()->Alignment(), taCenter);
         }},
        {"assigned title defaults bring a set colour into a target without one",
         [](FooterRig& r) {
             TColumnDefValuesEh source(nullptr);
             source.Title()->SetColor(clRed);
             r.Defaults().Title()->Assign(*source.Title());
             EXPECT_EQ(r.Defaults().Title()->Color(), clRed);
             EXPECT_TRUE(r.Defaults().Title()->TitleDefOwnValues().Contains(tdovColor));
         }},
        {"a footer follows the grid's footer colour and the field's alignment until set",
         [](FooterRig& r) {
             r.grid->SetFooterColor(clYellow);
             EXPECT_EQ(r.Footer().Color(), clYellow);
             r.Footer().SetColor(clAqua);
             r.grid->SetFooterColor(clLime);
             EXPECT_EQ(r.Footer().Color(), clAqua);
             r.Footer().ResetToDefaults();
             EXPECT_EQ(r.Footer().Color(), clLime);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FooterRig rig;
        c.check(rig);
    }
}

TEST(ColumnFooter, ToolTipsAreWrittenWhenTrueOrUnlikeTheDefault) {
    struct Case {
        const char* what;
        bool defaults;
        bool set;
        bool written;
    };
    const Case cases[] = {
        {"false under false defaults", false, false, false},
        {"true under false defaults", false, true, true},
        {"false under true defaults", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FooterRig rig;
        rig.Defaults().Footer()->SetToolTips(c.defaults);
        rig.Footer().SetToolTips(c.set);
        const std::string text = ComponentToText(*rig.grid);
        EXPECT_EQ(text.find("Footer.ToolTips") != std::string::npos, c.written) << text;

        FooterRig back;
        back.Defaults().Footer()->SetToolTips(c.defaults);
        TReader(text).ReadRootComponent(*back.grid);
        ASSERT_EQ(back.columns.Count(), 1);
        EXPECT_EQ(static_cast<TColumnFooterEh*>(back.columns.ColumnAt(0)->Footer())->ToolTips(), c.set);
    }
}

TEST(ColumnFooter, FootersAndDefaultValuesSurviveTheStoredForm) {
    FooterRig rig;
    rig.Footer().SetValueType(fvtSum);
    rig.Footer().SetDisplayFormat("#,##0.00");
    rig.Footer().SetColor(clAqua);
    rig.Footer().SetAlignment(taRightJustify);
    auto* second = static_cast<TColumnFooterEh*>(rig.column->Footers()->Add());
    second->SetValueType(fvtStaticText);
    second->SetValue("Итого");
    const std::string text = ComponentToText(*rig.grid);

    FooterRig back;
    TReader(text).ReadRootComponent(*back.grid);
    ASSERT_EQ(back.columns.Count(), 1);
    TColumnEh* column = back.columns.ColumnAt(0);
    auto& footer = static_cast<TColumnFooterEh&>(*column->Footer());
    EXPECT_EQ(footer.ValueType(), fvtSum);
    EXPECT_EQ(footer.DisplayFormat(), "#,##0.00");
    EXPECT_EQ(footer.Color(), clAqua);
    EXPECT_EQ(footer.Alignment(), taRightJustify);
    ASSERT_EQ(column->Footers()->Count(), 1);
    auto* backSecond = static_cast<TColumnFooterEh*>(column->Footers()->Items(0));
    EXPECT_EQ(backSecond->ValueType(), fvtStaticText);
    EXPECT_EQ(backSecond->Value(), "Итого");
    // The read footer is bound to the grid's sum list again.
    ASSERT_EQ(back.Sums().Count(), 1);
    EXPECT_EQ(back.Sums().Items(0)->FieldName(), "AMOUNT");
}

TEST(ColumnDefValues, SurviveTheStoredFormWithOnlyWhatDiffers) {
    platform::ui::HeadlessSession ui;
    DefaultsHolder holder;
    const std::string untouched = ComponentToText(holder);
    EXPECT_EQ(untouched.find("ColumnDefValues"), std::string::npos) << untouched;

    holder.defaults.SetEndEllipsis(true);
    holder.defaults.SetLayout(tlCenter);
    holder.defaults.SetAutoDropDown(true);
    holder.defaults.Title()->SetOrientation(tohVertical);
    holder.defaults.Title()->SetColor(clRed);
    holder.defaults.Footer()->SetToolTips(true);
    const std::string text = ComponentToText(holder);

    DefaultsHolder back;
    TReader(text).ReadRootComponent(back);
    EXPECT_TRUE(back.defaults.EndEllipsis());
    EXPECT_EQ(back.defaults.Layout(), tlCenter);
    EXPECT_TRUE(back.defaults.AutoDropDown());
    EXPECT_EQ(back.defaults.Title()->Orientation(), tohVertical);
    EXPECT_EQ(back.defaults.Title()->Color(), clRed);
    EXPECT_TRUE(back.defaults.Footer()->ToolTips());
}

}  // namespace
