// A column's cells over the in-memory dataset: check states from value lists, key and pick list
// texts and image indexes, stepping values both ways, edit styles, the editing test and the
// store through OnUpdateData.
#include <string>
#include <vector>

#include "data_controls/edit_button.h"
#include "data_controls/edit_button_metrics.h"
#include "data_controls/mru_list.h"
#include "platform/db/numeric_fields.h"
#include "platform/ui/image_list.h"
#include "platform/ui/system_metrics.h"
#include "tests/data_grid/column_cell_fixture.h"

namespace {

using ColumnCells = CellsOverData;

TEST_F(ColumnCells, CheckStatesReadFromTheKeyListsAndWriteTheirFirstItems) {
    TColumnEh* column = ColumnFor("CODE");
    column->SetCheckboxes(true);
    SetItems(column->KeyList(), {"1;Y", "0;N"});
    struct Case {
        Variant value;
        TCheckBoxState state;
    };
    const std::vector<Case> reads = {
        {Variant("Y"), cbChecked},   {Variant("1"), cbChecked}, {Variant("n"), cbUnchecked},
        {Variant("0"), cbUnchecked}, {Variant("?"), cbGrayed},  {Variant::Null(), cbGrayed},
    };
    for (const Case& c : reads) {
        Store("CODE", c.value);
        EXPECT_EQ(column->ReadCheckState(), c.state) << VarToStr(c.value);
    }
    struct Write {
        TCheckBoxState state;
        Variant stored;
    };
    for (const Write& w : std::vector<Write>{
             {cbChecked, Variant("1")}, {cbUnchecked, Variant("0")}, {cbGrayed, Variant::Null()}}) {
        ds.Edit();
        column->WriteCheckState(w.state);
        EXPECT_EQ(ds.FieldByName("CODE")->Value(), w.stored) << w.state;
        ds.Cancel();
    }
    // With one list only, a value that is not in it reads grayed and unchecked writes empty text.
    SetItems(column->KeyList(), {"1;Y"});
    Store("CODE", Variant("N"));
    EXPECT_EQ(column->ReadCheckState(), cbGrayed);
    ds.Edit();
    column->WriteCheckState(cbUnchecked);
    EXPECT_EQ(ds.FieldByName("CODE")->AsString(), "");
}

TEST_F(ColumnCells, BooleanFieldsShowCheckBoxesUnlessTurnedOff) {
    TColumnEh* column = ColumnFor("PAID");
    EXPECT_EQ(column->CellKind(), ckCheckboxesEh);
    EXPECT_EQ(column->ReadCheckState(), cbChecked);
    column->StepValue(1);
    EXPECT_FALSE(ds.FieldByName("PAID")->AsBoolean());
    column->StepValue(1);
    EXPECT_TRUE(ds.FieldByName("PAID")->AsBoolean());
    column->SetCheckboxes(false);
    EXPECT_EQ(column->CellKind(), ckPlainEh);
    EXPECT_EQ(column->CellDisplayText(), ds.FieldByName("PAID")->DisplayText());
    EXPECT_FALSE(column->CellDisplayText().empty());
}

TEST_F(ColumnCells, KeyAndPickListsGiveTextsAndImageIndexes) {
    TColumnEh* column = ColumnFor("CODE");
    struct Case {
        std::vector<std::string> keys, picks;
        int notInKeyList;
        const char* value;
        std::string text;
        int image;
    };
    const std::vector<Case> cases = {
        {{"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, -1, "B", "Beta", 1},
        {{"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, -1, "Z", "", -1},
        {{"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, 2, "Z", "Gamma", 2},
        {{"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, 5, "Z", "", 5},
        {{"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, -1, "c", "Gamma", 2},
        // A pick list longer than the key list still names every key.
        {{"A", "B"}, {"Alpha", "Beta", "Gamma"}, -1, "B", "Beta", 1},
        // A key without a pick text shows the not-in-list text.
        {{"A", "B", "C", "D"}, {"Alpha", "Beta"}, 0, "D", "Alpha", 3},
        // A pick list alone is its own key list.
        {{}, {"A", "B", "C"}, -1, "C", "C", 2},
    };
    for (const Case& c : cases) {
        SetItems(column->KeyList(), c.keys);
        SetItems(column->PickList(), c.picks);
        column->SetNotInKeyListIndex(c.notInKeyList);
        Store("CODE", Variant(c.value));
        EXPECT_EQ(column->CellDisplayText(), c.text) << c.value << " " << c.keys.size();
        EXPECT_EQ(column->ValueListIndex(), c.image) << c.value << " " << c.keys.size();
    }
}

TEST_F(ColumnCells, IntegerValuesAreTheirOwnImageIndexes) {
    TColumnEh* column = ColumnFor("QTY");
    column->SetNotInKeyListIndex(7);
    struct Case {
        Variant value;
        int image;
    };
    for (const Case& c : std::vector<Case>{{Variant(3), 3}, {Variant(-1), 7}, {Variant(0), 0}}) {
        Store("QTY", c.value);
        EXPECT_EQ(column->ValueListIndex(), c.image) << VarToStr(c.value);
    }
    EXPECT_EQ(ColumnFor("CODE")->ValueListIndex(), -1) << "a text field without lists has no image";
}

TEST_F(ColumnCells, ListsStepBothWaysAndWrapAround) {
    TColumnEh* column = ColumnFor("CODE");
    struct Case {
        std::vector<std::string> keys, picks;
        const char* from;
        double delta;
        const char* to;
    };
    const std::vector<std::string> abc = {"A", "B", "C"};
    const std::vector<std::string> names = {"Alpha", "Beta", "Gamma"};
    const std::vector<Case> cases = {
        {abc, names, "A", 1, "B"},
        {abc, names, "C", 1, "A"},
        {abc, names, "A", -1, "C"},
        {abc, names, "B", -1, "A"},
        {abc, names, "Z", 1, "A"},
        {abc, names, "Z", -1, "C"},
        // Only a Delta of exactly 1 is next: anything else steps back.
        {abc, names, "B", 2, "A"},
        {{}, abc, "C", 1, "A"},
        {{}, abc, "A", -1, "C"},
        {{}, abc, "A", 1, "B"},
        {{}, abc, "Z", 1, "A"},
        {{}, abc, "Z", -1, "C"},
    };
    for (const Case& c : cases) {
        SetItems(column->KeyList(), c.keys);
        SetItems(column->PickList(), c.picks);
        Store("CODE", Variant(c.from));
        column->StepValue(c.delta);
        EXPECT_EQ(ds.FieldByName("CODE")->AsString(), c.to)
            << c.from << " " << c.delta << " " << c.keys.size();
        ds.Cancel();
    }
}

TEST_F(ColumnCells, NumbersStepByDeltaAndNullStepsToZero) {
    struct Case {
        const char* field;
        Variant from;
        double delta;
        Variant to;
    };
    const std::vector<Case> cases = {
        {"QTY", Variant(5), 1, Variant(6)},           {"QTY", Variant(5), -1, Variant(4)},
        {"QTY", Variant(5), 10, Variant(15)},         {"QTY", Variant::Null(), 1, Variant(0)},
        {"QTY", Variant::Null(), -1, Variant(0)},     {"RATE", Variant(1.5), 0.25, Variant(1.75)},
        {"RATE", Variant::Null(), 0.5, Variant(0.0)},
    };
    for (const Case& c : cases) {
        TColumnEh* column = ColumnFor(c.field);
        Store(c.field, c.from);
        column->StepValue(c.delta);
        EXPECT_EQ(ds.FieldByName(c.field)->Value(), c.to)
            << c.field << " " << VarToStr(c.from) << " " << c.delta;
        ds.Cancel();
    }
}

TEST_F(ColumnCells, AStepOutOfTheFieldsRangeLeavesTheValue) {
    TColumnEh* column = ColumnFor("QTY");
    auto* qty = static_cast<TIntegerField*>(ds.FieldByName("QTY"));
    qty->MinValue = 0;
    qty->MaxValue = 5;
    Store("QTY", Variant(5));
    EXPECT_NO_THROW(column->StepValue(1));
    EXPECT_EQ(qty->AsInteger(), 5);
}

TEST_F(ColumnCells, StepsOnlyEditableCellsAndPutsTheDataSetIntoEditMode) {
    TColumnEh* column = ColumnFor("QTY");
    Store("QTY", Variant(1));
    grid->allowsEdit = false;
    column->StepValue(1);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(grid->calls, std::vector<std::string>{"GridAllowsCellEdit"});
    grid->allowsEdit = true;
    grid->SetReadOnly(true);
    EXPECT_FALSE(column->IsEditable(false));
    grid->SetReadOnly(false);
    ds.FieldByName("QTY")->ReadOnly = true;
    EXPECT_FALSE(column->IsEditable(false));
    ds.FieldByName("QTY")->ReadOnly = false;
    EXPECT_TRUE(column->IsEditable(false));
    EXPECT_EQ(ds.State(), dsBrowse) << "asking only does not start an edit";
    EXPECT_TRUE(column->IsEditable(true));
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_TRUE(grid->DataLink()->Modified());
    EXPECT_FALSE(ColumnFor("")->IsEditable(false)) << "a column without field";
}

TEST_F(ColumnCells, EditStylesFollowButtonStyleFieldTypeAndReadOnly) {
    struct Case {
        const char* field;
        TColumnButtonStyleEh style;
        bool pickList;
        bool readOnly;
        TInplaceEditStyleEh expected;
    };
    const std::vector<Case> cases = {
        {"DAY", cbsAuto, false, false, esDateCalendarEh},
        {"AT", cbsAuto, false, false, esSimpleEh},
        {"DAY", cbsAuto, false, true, esSimpleEh},
        {"CODE", cbsAuto, true, false, esPickListEh},
        {"CODE", cbsAuto, true, true, esSimpleEh},
        {"CODE", cbsAuto, false, false, esSimpleEh},
        {"QTY", cbsEllipsis, false, true, esEllipsisEh},
        {"QTY", cbsUpDown, false, false, esUpDownEh},
        {"RATE", cbsDropDown, false, false, esDropDownEh},
        {"DAY", cbsNone, false, false, esSimpleEh},
        {"", cbsAuto, true, false, esSimpleEh},
    };
    for (const Case& c : cases) {
        TColumnEh* column = ColumnFor(c.field);
        column->SetButtonStyle(c.style);
        if (c.pickList)
            SetItems(column->PickList(), {"A", "B"});
        column->SetReadOnly(c.readOnly);
        EXPECT_EQ(ColumnEditStyle(*column), c.expected) << c.field << " " << c.style << " " << c.readOnly;
    }
}

TEST_F(ColumnCells, EditButtonsWidthCountsTheMainButtonAndEachVisibleButton) {
    TColumnEh* column = ColumnFor("DAY");
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    const int flatButton = ComputeFlatButtonWidth();
    EXPECT_EQ(column->EditButtonsWidth(), scroll);
    auto* sized = static_cast<TEditButtonEh*>(column->EditButtons()->Add());
    sized->SetWidth(11);
    static_cast<TEditButtonEh*>(column->EditButtons()->Add());
    auto* hidden = static_cast<TEditButtonEh*>(column->EditButtons()->Add());
    hidden->SetVisible(false);
    EXPECT_EQ(column->EditButtonsWidth(), scroll + 11 + scroll);
    grid->SetFlat(true);
    EXPECT_EQ(column->EditButtonsWidth(), (flatButton + 1) + (11 + 1) + (flatButton + 1));
    column->SetButtonStyle(cbsNone);
    EXPECT_EQ(column->EditButtonsWidth(), (11 + 1) + (flatButton + 1));
}

TEST_F(ColumnCells, OnUpdateDataTakesOverTheStoreWrapIncluded) {
    TColumnEh* column = ColumnFor("CODE");
    SetItems(column->PickList(), {"Alpha", "Beta", "Gamma"});
    std::vector<std::string> heard;
    column->OnUpdateData = [&](TObject*, std::string& Text, Variant&, bool& UseText, bool& Handled) {
        heard.push_back(Text + (UseText ? "/text" : "/value"));
        Handled = true;
    };
    for (const char* from : {"Gamma", "Alpha", "Beta"}) {
        Store("CODE", Variant(from));
        column->StepValue(from == std::string("Alpha") ? -1 : 1);
        EXPECT_EQ(ds.FieldByName("CODE")->AsString(), from) << "the handler kept the store";
        ds.Cancel();
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"Alpha/text", "Gamma/text", "Gamma/text"}));
    // A handler that only changes the value lets the column store what it made.
    column->OnUpdateData = [](TObject*, std::string&, Variant& Value, bool& UseText, bool&) {
        Value = Variant("Z-" + VarToStr(Value));
        UseText = false;
    };
    Store("CODE", Variant("Gamma"));
    column->StepValue(1);
    EXPECT_EQ(ds.FieldByName("CODE")->AsString(), "Z-Alpha");
}

TEST_F(ColumnCells, StoresTextFromTheShownEditorAndRemembersItInTheMRUList) {
    TColumnEh* column = ColumnFor("QTY");
    column->MRUList()->SetActive(true);
    std::string heardText;
    column->OnUpdateData = [&](TObject*, std::string& Text, Variant&, bool&, bool&) { heardText = Text; };
    Store("QTY", Variant(1));
    column->StepValue(1);
    EXPECT_EQ(heardText, "1");
    EXPECT_EQ(column->MRUList()->Items()->Count(), 0) << "no editor shown";
    ds.Cancel();
    grid->editorShown = true;
    grid->editorText = "17";
    column->StepValue(1);
    EXPECT_EQ(heardText, "17");
    EXPECT_EQ(ds.FieldByName("QTY")->AsInteger(), 2);
    ASSERT_EQ(column->MRUList()->Items()->Count(), 1);
    EXPECT_EQ(column->MRUList()->Items()->Get(0), "17");
    column->MRUList()->SetAutoAdd(false);
    column->PutCellValue("25", Variant(25), true);
    EXPECT_EQ(column->MRUList()->Items()->Count(), 1);
}

TEST_F(ColumnCells, CellParamsCarryTheColumnsValues) {
    TColumnEh* column = ColumnFor("CODE");
    SetItems(column->KeyList(), {"A", "B"});
    SetItems(column->PickList(), {"Alpha", "Beta"});
    column->SetColor(clYellow);
    column->SetAlignment(taRightJustify);
    column->SetReadOnly(true);
    TColCellParamsEh params;
    params.GridCol = 4;
    params.GridRow = 2;
    params.State = {gdFocused};
    column->InitCellParams(params);
    EXPECT_EQ(params.GridCol, -1);
    EXPECT_EQ(params.GridRow, -1);
    EXPECT_TRUE(params.State.Empty());
    EXPECT_EQ(params.Font, column->Font());
    EXPECT_EQ(params.Background, clYellow);
    EXPECT_EQ(params.Alignment, taRightJustify);
    EXPECT_EQ(params.ImageIndex, 1);
    EXPECT_EQ(params.Text, "Beta");
    EXPECT_EQ(params.BoxState, cbUnchecked) << "the second key list item means unchecked";
    EXPECT_TRUE(params.ReadOnly);
}

TEST(ColumnCellTexts, VariantListText) {
    struct Case {
        Variant value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {VarArrayOf({Variant(1), Variant("x")}), "'1','x'"},
        {Variant(5), "5"},
        {Variant::Null(), ""},
        {VarArrayCreate({0, -1}, varVariant), ""},
        {VarArrayOf({Variant("only")}), "'only'"},
    };
    for (const Case& c : cases) EXPECT_EQ(VariantListText(c.value), c.text) << c.text;
}

TEST(ColumnCellTexts, SemicolonListContains) {
    struct Case {
        const char* list;
        const char* value;
        bool contains;
    };
    const std::vector<Case> cases = {
        {"1;Y", "y", true}, {"1;Y", "1", true},  {"1;Y", "N", false},
        {"", "", false},    {"1;;Y", "Y", true}, {"Да;Нет", "да", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SemicolonListContains(c.list, c.value), c.contains) << c.list << " " << c.value;
}

}  // namespace

namespace {

TEST_F(ColumnCells, GridAllowsCellEditByItsAllowedOperations) {
    struct Case {
        TDBGridEhAllowedOperations operations;
        bool empty;
        bool inserting;
        bool allowed;
    };
    const std::vector<Case> cases = {
        {{alopUpdateEh}, false, false, true},
        {{alopInsertEh, alopAppendEh, alopDeleteEh}, false, false, false},
        {{alopInsertEh}, false, true, true},
        {{alopUpdateEh}, true, false, false},
        {{alopUpdateEh, alopAppendEh}, true, false, true},
        {{alopUpdateEh, alopInsertEh}, true, false, true},
    };
    for (const Case& c : cases) {
        if (c.empty && !ds.IsEmpty())
            ds.Delete();
        if (c.inserting)
            ds.Append();
        grid->SetAllowedOperations(c.operations);
        EXPECT_EQ(grid->TCustomDBGridEh::GridAllowsCellEdit(), c.allowed)
            << c.operations.Bits() << " " << c.empty << " " << c.inserting;
        ds.Cancel();
    }
    ds.Close();
    grid->SetAllowedOperations({alopUpdateEh});
    EXPECT_FALSE(grid->TCustomDBGridEh::GridAllowsCellEdit()) << "an inactive link";
}

}  // namespace

namespace {

TEST_F(ColumnCells, ImageColumnsStepThroughTheirKeysAndShowNoText) {
    TColumnEh* column = ColumnFor("CODE");
    auto* images = NewComponent<TImageList>(form);
    column->SetImageList(images);
    SetItems(column->KeyList(), {"A", "B", "C"});
    Store("CODE", Variant("C"));
    EXPECT_EQ(column->CellKind(), ckImageListEh);
    EXPECT_EQ(column->CellDisplayText(), "");
    EXPECT_EQ(column->ValueListIndex(), 2);
    column->StepValue(1);
    EXPECT_EQ(ds.FieldByName("CODE")->AsString(), "A");
    column->StepValue(-1);
    EXPECT_EQ(ds.FieldByName("CODE")->AsString(), "C");
    ds.Cancel();
    column->SetShowImageAndText(true);
    EXPECT_EQ(column->CellKind(), ckPlainEh) << "keys without pick texts";
    SetItems(column->PickList(), {"Alpha", "Beta", "Gamma"});
    EXPECT_EQ(column->CellKind(), ckKeyPickListEh);
    EXPECT_EQ(column->CellDisplayText(), "Gamma");
}

}  // namespace
