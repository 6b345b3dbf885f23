// A column's drop-down box: the settings it keeps itself, those it reads and writes in the column's
// pop-up data grid, its copies and its stored form.
#include <functional>
#include <string>

#include "data_controls/spec_row.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_def_values.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "tests/data_grid/column_fixture.h"
#include "tests/data_grid/grid_unit_scope.h"

namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// An owner that offers the box its interface but has no drop-down grid; it counts the watches.
class WatchCountingOwner : public TPersistent, public IDropDownBoxOwnerEh {
  public:
    void WatchComponent(TComponent* /*Component*/) override { ++watches; }
    TCustomDBGridEh* DropDownGrid() override { return nullptr; }
    TDBLookupGridEhOptions GetDropDownOptions() override { return {}; }
    void SetDropDownOptions(TDBLookupGridEhOptions /*Options*/) override {}
    int watches = 0;
};

// The grid unit runs, so the columns' drop-down grids are pop-up data grids.
struct DropDownBoxes : ColumnsOverData {
    GridUnitScope unit;

    TColumnDropDownBoxEh& BoxOf(TColumnEh& column) { return *column.DropDownBox(); }
    void AddBoxColumns(TColumnEh& column, std::initializer_list<const char*> names, bool automatic) {
        TDBGridColumnsEh& columns = *BoxOf(column).Columns();
        for (const char* name : names)
            (automatic ? columns.AddAutoColumn() : columns.Add())->SetFieldName(name);
    }
};

TEST_F(DropDownBoxes, EdgeCases) {
    struct Case {
        const char* what;
        std::function<void(DropDownBoxes&)> check;
    };
    const Case cases[] = {
        {"an owner that is not a column has no columns and ignores options",
         [](DropDownBoxes&) {
             TPersistent notAColumn;
             TColumnDropDownBoxEh box(&notAColumn);
             EXPECT_EQ(box.Columns(), nullptr);
             EXPECT_EQ(box.ColumnDefValues(), nullptr);
             box.SetOptions({dlgRowLinesEh, dlgColumnResizeEh});
             EXPECT_EQ(box.Options(), TDBLookupGridEhOptions{});
             EXPECT_FALSE(TColumnDropDownBoxEh::Published().Find("Options")->IsStored(box))
                 << "nothing to read it back into";
         }},
        {"the same list source twice is watched once",
         [](DropDownBoxes& f) {
             WatchCountingOwner owner;
             TColumnDropDownBoxEh box(&owner);
             box.SetListSource(f.source);
             box.SetListSource(f.source);
             EXPECT_EQ(owner.watches, 1);
             box.SetListSource(nullptr);
             EXPECT_EQ(owner.watches, 2);
             EXPECT_EQ(box.ListSource(), nullptr);
         }},
        {"a box whose columns are automatic empties the target's columns",
         [](DropDownBoxes& f) {
             TColumnEh* target = f.ColumnFor("ID");
             TColumnEh* automatic = f.ColumnFor("NAME");
             f.AddBoxColumns(*target, {"ID", "NAME"}, false);
             f.AddBoxColumns(*automatic, {"NAME"}, true);
             ASSERT_TRUE(f.BoxOf(*target).ColumnsCustomized());
             f.BoxOf(*target).Assign(f.BoxOf(*automatic));
             // The grid keeps one placeholder column of its own while it has none of the user's.
             const TDBGridColumnsEh& left = *f.BoxOf(*target).Columns();
             EXPECT_FALSE(left.IsCustomized());
             for (int i = 0; i < left.Count(); ++i) EXPECT_TRUE(left.ColumnAt(i)->IsAutoColumn());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.check(*this);
    }
}

TEST_F(DropDownBoxes, AssignCopiesEverySettingAndTheUsersColumns) {
    TColumnEh* from = ColumnFor("ID");
    TColumnEh* to = ColumnFor("NAME");
    TColumnDropDownBoxEh& source = BoxOf(*from);
    source.SetAutoFitColWidths(false);
    source.SetUseMultiTitle(true);
    source.SetOptions({dlgRowLinesEh, dlgMultiSortMarkingEh});
    source.SetListSource(this->source);
    source.ColumnDefValues()->SetEndEllipsis(true);
    AddBoxColumns(*from, {"NAME", "ID"}, false);
    BoxOf(*to).SetOptions({dlgColumnResizeEh});

    to->Assign(*from);

    const TColumnDropDownBoxEh& copy = BoxOf(*to);
    EXPECT_FALSE(copy.AutoFitColWidths());
    EXPECT_TRUE(copy.UseMultiTitle());
    EXPECT_EQ(copy.Options(), (TDBLookupGridEhOptions{dlgRowLinesEh, dlgMultiSortMarkingEh}));
    EXPECT_EQ(copy.ListSource(), this->source);
    EXPECT_TRUE(copy.ColumnDefValues()->EndEllipsis());
    ASSERT_EQ(copy.Columns()->Count(), 2);
    EXPECT_EQ(copy.Columns()->ColumnAt(0)->FieldName(), "NAME");
    EXPECT_EQ(copy.Columns()->ColumnAt(1)->FieldName(), "ID");
    EXPECT_NE(copy.Columns(), source.Columns()) << "the columns are copied, not shared";
}

TEST_F(DropDownBoxes, TheColumnsDropDownGridIsAPopupDataGridThatFollowsTheBox) {
    TColumnEh* column = ColumnFor("NAME");
    auto* popup = dynamic_cast<TPopupDataGridEh*>(column->DropDownGrid());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Name(), "DataList");
    EXPECT_EQ(column->DropDownGrid(), popup) << "made once";
    EXPECT_EQ(BoxOf(*column).Options(), TDBLookupGridEhOptions{dlgColLinesEh}) << "the grid's own default";

    BoxOf(*column).SetOptions({dlgRowLinesEh, dlgAutoSortMarkingEh});
    EXPECT_EQ(popup->Options(), (TDBLookupGridEhOptions{dlgRowLinesEh, dlgAutoSortMarkingEh}));
    popup->SetOptions({dlgColumnResizeEh});
    EXPECT_EQ(BoxOf(*column).Options(), TDBLookupGridEhOptions{dlgColumnResizeEh});
    EXPECT_EQ(BoxOf(*column).Columns(), &popup->Columns()->Stored());
    EXPECT_EQ(static_cast<IGridColumnDefValuesEh*>(BoxOf(*column).ColumnDefValues()),
              popup->ColumnDefValues());

    column->SetLookupDisplayFields("NAME;ID");
    EXPECT_EQ(popup->ListField(), "NAME;ID");
    column->DropDownSpecRow()->SetCellsText("(none)");
    EXPECT_EQ(popup->SpecRow()->CellsText(), "(none)");
}

TEST_F(ColumnsOverData, WithoutTheGridUnitAColumnsBoxHasNoDropDownGrid) {
    TColumnEh* column = ColumnFor("NAME");
    EXPECT_EQ(column->DropDownGrid(), nullptr);
    EXPECT_EQ(column->DropDownBox()->Columns(), nullptr);
    EXPECT_FALSE(Has(ComponentToText(*grid), "DropDownBox.")) << ComponentToText(*grid);
}

TEST_F(DropDownBoxes, TheListSourceGivesTheListDatasetUntilItIsFreed) {
    OpenData();
    TColumnEh* column = ColumnFor("NAME");
    EXPECT_EQ(ColumnListDataSet(*column), nullptr) << "a plain field has no lookup dataset";
    TMemoryDataSet list;
    auto* listSource = NewComponent<TDataSource>(form);
    listSource->SetDataSet(&list);
    BoxOf(*column).SetListSource(listSource);
    EXPECT_EQ(ColumnListDataSet(*column), &list);

    Free(listSource);
    EXPECT_EQ(BoxOf(*column).ListSource(), nullptr) << "the grid heard of it and the box forgot it";
    EXPECT_EQ(ColumnListDataSet(*column), nullptr);
}

TEST_F(DropDownBoxes, AStoredFormKeepsTheBoxAndOnlyCustomizedColumns) {
    auto* listSource = NewComponent<TDataSource>(grid);
    listSource->SetName("Clients");
    TColumnEh* edited = ColumnFor("ID");
    ColumnFor("NAME");
    TColumnEh* automatic = ColumnFor("PAID");
    TColumnDropDownBoxEh& box = BoxOf(*edited);
    box.SetAutoFitColWidths(false);
    box.SetUseMultiTitle(true);
    box.SetOptions({dlgColumnResizeEh, dlgRowLinesEh});
    box.SetListSource(listSource);
    box.ColumnDefValues()->SetEndEllipsis(true);
    AddBoxColumns(*edited, {"NAME"}, false);
    AddBoxColumns(*automatic, {"NAME"}, true);

    const std::string text = ComponentToText(*grid);
    EXPECT_TRUE(Has(text, "DropDownBox.AutoFitColWidths = False")) << text;
    EXPECT_TRUE(Has(text, "DropDownBox.UseMultiTitle = True")) << text;
    EXPECT_TRUE(Has(text, "DropDownBox.Options = [dlgColumnResizeEh, dlgRowLinesEh]")) << text;
    EXPECT_TRUE(Has(text, "DropDownBox.ListSource = Clients")) << text;
    EXPECT_TRUE(Has(text, "DropDownBox.ColumnDefValues.EndEllipsis = True")) << text;
    const auto first = text.find("DropDownBox.Columns");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_EQ(text.find("DropDownBox.Columns", first + 1), std::string::npos)
        << "automatic columns are not written" << text;

    TClassRegistry classes;
    classes.RegisterClass<TDataSource>("TDataSource");
    auto copy = MakeComponent<ColumnsTestGrid>(nullptr);
    TReader(text, classes).ReadRootComponent(*copy);
    ASSERT_EQ(copy->GridColumns().Count(), 3);
    const TColumnDropDownBoxEh& read = *copy->GridColumns().ColumnAt(0)->DropDownBox();
    EXPECT_FALSE(read.AutoFitColWidths());
    EXPECT_TRUE(read.UseMultiTitle());
    EXPECT_EQ(read.Options(), (TDBLookupGridEhOptions{dlgColumnResizeEh, dlgRowLinesEh}));
    ASSERT_NE(read.ListSource(), nullptr);
    EXPECT_EQ(read.ListSource()->Name(), "Clients");
    EXPECT_TRUE(read.ColumnDefValues()->EndEllipsis());
    ASSERT_EQ(read.Columns()->Count(), 1);
    EXPECT_EQ(read.Columns()->ColumnAt(0)->FieldName(), "NAME");
    EXPECT_EQ(ComponentToText(*copy), text);
}

}  // namespace
