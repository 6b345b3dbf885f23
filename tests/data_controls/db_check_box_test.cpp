// The data-aware check box on the headless host: the state it reads from a field or keeps unbound,
// clicks, keys, the accelerator and focus, what it writes back, and how it lays out its painting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/db_check_box.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/form_stream.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"
#include "tests/support/memory_dataset.h"

namespace {

// Keeps what each painting asked of the box and the caption.
class TRecordingCheckBox : public TDBCheckBoxEh {
  public:
    using TDBCheckBoxEh::TDBCheckBoxEh;
    struct BoxPainted {
        TRect Rect;
        TCheckBoxState State;
        bool Pressed, Hot, Focused;
    };
    std::vector<BoxPainted> Boxes;
    std::vector<TRect> CaptionAreas;
    void QuietClicks(bool value) { SetClicksDisabled(value); }

  protected:
    void DrawCheckGlyphBox(TRect rect, TCheckBoxState state, bool pressed, bool hot, bool focused) override {
        Boxes.push_back({rect, state, pressed, hot, focused});
        TDBCheckBoxEh::DrawCheckGlyphBox(rect, state, pressed, hot, focused);
    }
    void DrawCaption(TRect rect, bool focused, bool pressed, bool hot) override {
        CaptionAreas.push_back(rect);
        TDBCheckBoxEh::DrawCaption(rect, focused, pressed, hot);
    }
};

class TReadOnlyDataSet : public TMemoryDataSet {
  public:
    using TMemoryDataSet::TMemoryDataSet;
    bool CanModify() const override { return false; }
};

enum Column { kFlag, kText };

// A form with the check box and an edit beside it; the dataset has a Boolean and a text column.
template <class DataSet>
struct CheckBoxOn : ::testing::Test {
    DataSet ds;
    TDataSource source;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TRecordingCheckBox* box = nullptr;
    int clicks = 0;

    CheckBoxOn() {
        ds.SetColumns({"FLAG", "TEXT"});
        ds.SetColumnType(kFlag, ftBoolean);
        ds.SetColumnType(kText, ftString, 20);
        source.SetDataSet(&ds);
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 300, 200);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 60, 100, 24);
        box = NewComponent<TRecordingCheckBox>(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 120, 20);
        box->SetCaption("&Paid");
        box->OnClick = [this](TObject*) { ++clicks; };
        form->Show();
        edit->SetFocus();
        ui.ProcessMessages();
    }
    ~CheckBoxOn() override { ds.BeforeDestruction(); }

    // A new last row holding value in column, the box bound to it there.
    void BindTo(Column column, Variant value) {
        Variant flag = column == kFlag ? value : Variant::Null();
        Variant text = column == kText ? value : Variant::Null();
        ds.Close();
        ds.AddRow({flag, text});
        ds.Open();
        ds.Last();
        box->SetDataSource(&source);
        box->SetDataField(column == kFlag ? "FLAG" : "TEXT");
        clicks = 0;
    }
    // Clicks apart in time, so that none is taken as the second of a double click.
    void ClickBox() {
        ui.Click(box);
        ui.Advance(1000);
    }
};

using CheckBox = CheckBoxOn<TMemoryDataSet>;
using CheckBoxOnReadOnlyData = CheckBoxOn<TReadOnlyDataSet>;

TEST(CheckBoxValueList, MatchesEntriesIgnoringCaseAndBlanks) {
    EXPECT_TRUE(CheckBoxValueInList("yes", "Yes;Y;1"));
    EXPECT_TRUE(CheckBoxValueInList("y", "Yes; Y ;1"));
    EXPECT_TRUE(CheckBoxValueInList("1", "Yes;Y;1"));
    EXPECT_TRUE(CheckBoxValueInList("да", "Нет;ДА"));
    EXPECT_FALSE(CheckBoxValueInList("ye", "Yes;Y;1"));
    EXPECT_FALSE(CheckBoxValueInList("", "Yes;Y;1"));
    EXPECT_FALSE(CheckBoxValueInList("yes", ""));
    EXPECT_EQ(CheckBoxFirstValue(" Yes ;Y"), "Yes");
    EXPECT_EQ(CheckBoxFirstValue(""), "");
}

TEST_F(CheckBox, StartsUnboundUncheckedWithItsDefaults) {
    EXPECT_TRUE(box->IsUnbound());
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(box->DataLink()->UnboundValue(), Variant(false));
    EXPECT_EQ(box->ValueChecked(), "True");
    EXPECT_EQ(box->ValueUnchecked(), "False");
    EXPECT_EQ(box->Alignment(), taRightJustify);
    EXPECT_TRUE(box->TabStop());
    EXPECT_TRUE(box->ParentColor());
    EXPECT_FALSE(box->ControlStyle.Contains(csDoubleClicks));
    EXPECT_TRUE(box->ControlStyle.Contains(csReplicatable));
    TDBCheckBoxEh fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 97);
    EXPECT_EQ(fresh.Height(), 17);
}

TEST_F(CheckBox, FieldStateFromTheData) {
    struct Case {
        const char* what;
        Column column;
        Variant value;
        std::string valueChecked;
        TCheckBoxState expected;
    };
    const Case cases[] = {
        {"Boolean true", kFlag, Variant(true), "True", cbChecked},
        {"Boolean false", kFlag, Variant(false), "True", cbUnchecked},
        {"Boolean null", kFlag, Variant::Null(), "True", cbGrayed},
        {"Boolean ignores the lists", kFlag, Variant(true), "Nope", cbChecked},
        {"text in the checked list", kText, Variant("yes"), "Yes;Y;1", cbChecked},
        {"text in the list's middle", kText, Variant("y"), "Yes;Y;1", cbChecked},
        {"text in neither list", kText, Variant("maybe"), "Yes;Y;1", cbGrayed},
        {"text in the unchecked list", kText, Variant("FALSE"), "Yes;Y;1", cbUnchecked},
        {"text null", kText, Variant::Null(), "Yes;Y;1", cbGrayed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box->SetValueChecked(c.valueChecked);
        BindTo(c.column, c.value);
        EXPECT_EQ(box->FieldState(), c.expected);
        EXPECT_EQ(box->State(), c.expected);
        EXPECT_FALSE(box->Modified());
    }
}

TEST_F(CheckBox, FieldStateUnboundAndWithoutAField) {
    struct Case {
        const char* what;
        Variant value;
        TCheckBoxState expected;
    };
    const Case cases[] = {
        {"true", Variant(true), cbChecked},
        {"false", Variant(false), cbUnchecked},
        {"null", Variant::Null(), cbGrayed},
        {"a text", Variant("True"), cbGrayed},
    };
    for (const Case& c : cases) {
        box->DataLink()->SetValue(c.value);
        EXPECT_EQ(box->State(), c.expected) << c.what;
    }
    // Bound to a closed dataset: no field, nothing to show.
    box->SetDataSource(&source);
    box->SetDataField("FLAG");
    EXPECT_FALSE(box->IsUnbound());
    EXPECT_EQ(box->FieldState(), cbUnchecked);
}

TEST_F(CheckBox, ChangingTheListsShowsTheDataAnew) {
    BindTo(kText, Variant("si"));
    EXPECT_EQ(box->State(), cbGrayed);
    box->SetValueChecked("Yes;Si");
    EXPECT_EQ(box->State(), cbChecked);
    box->SetValueUnchecked("No;si");
    box->SetValueChecked("Yes");
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBox, ThreeClicksWithAllowGrayedGoRoundAndWriteTheText) {
    BindTo(kText, Variant("False"));
    box->SetAllowGrayed(true);
    struct Step {
        TCheckBoxState state;
        Variant stored;
    };
    const Step steps[] = {
        {cbGrayed, Variant::Null()},
        {cbChecked, Variant("True")},
        {cbUnchecked, Variant("False")},
    };
    int step = 0;
    for (const Step& s : steps) {
        ClickBox();
        ++step;
        EXPECT_EQ(box->State(), s.state) << "click " << step;
        EXPECT_EQ(ds.GetValue(kText), s.stored) << "click " << step;
        EXPECT_EQ(clicks, step) << "OnClick once per click";
    }
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_TRUE(box->Focused());
}

TEST_F(CheckBox, WithoutAllowGrayedAClickChecksAndUnchecking) {
    BindTo(kText, Variant("yes"));
    box->SetValueChecked("Yes;Y;1");
    box->SetValueUnchecked("No;N;0");
    ClickBox();
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(ds.GetValue(kText), Variant("No")) << "the first entry of the list is written";
    ClickBox();
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(ds.GetValue(kText), Variant("Yes"));
    box->SetState(cbGrayed);
    EXPECT_TRUE(ds.GetValue(kText).IsNull());
}

TEST_F(CheckBox, BooleanFieldTakesTheCheckedFlag) {
    BindTo(kFlag, Variant(false));
    ClickBox();
    EXPECT_EQ(ds.GetValue(kFlag), Variant(true));
    box->SetChecked(false);
    EXPECT_EQ(ds.GetValue(kFlag), Variant(false));
}

TEST_F(CheckBox, UnboundClickStoresTrueInItsOwnValue) {
    ClickBox();
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(box->DataLink()->UnboundValue(), Variant(true));
    box->SetAllowGrayed(true);
    ClickBox();
    ClickBox();
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_TRUE(box->DataLink()->UnboundValue().IsNull());
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBoxOnReadOnlyData, DoesNotToggle) {
    BindTo(kFlag, Variant(false));
    ClickBox();
    box->SetFocus();
    ui.PressKey(VK_SPACE);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBox, ReadOnlyUnboundBoxDoesNotToggle) {
    box->SetReadOnly(true);
    ClickBox();
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBox, SpaceTogglesOnReleaseAndIsDrawnPressedWhileHeld) {
    BindTo(kFlag, Variant(false));
    box->SetFocus();
    ui.KeyDown(VK_SPACE, {}, " ");
    ui.ProcessMessages();
    EXPECT_EQ(box->State(), cbUnchecked) << "nothing before the release";
    EXPECT_EQ(ds.State(), dsEdit) << "the key began editing";
    box->Boxes.clear();
    box->Repaint();
    ASSERT_FALSE(box->Boxes.empty());
    EXPECT_TRUE(box->Boxes.back().Pressed);
    EXPECT_TRUE(box->Boxes.back().Focused);

    ui.KeyUp(VK_SPACE);
    ui.ProcessMessages();
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(ds.GetValue(kFlag), Variant(true));
    box->Boxes.clear();
    box->Repaint();
    ASSERT_FALSE(box->Boxes.empty());
    EXPECT_FALSE(box->Boxes.back().Pressed);
    EXPECT_EQ(box->Boxes.back().State, cbChecked);
}

TEST_F(CheckBox, EscapeShowsTheDataAgainAndIsClaimedWhileModified) {
    // A handler that keeps the state from the field leaves the box modified.
    BindTo(kFlag, Variant(false));
    box->OnUpdateData = [](TObject*, bool& handled) { handled = true; };
    box->SetFocus();
    ui.PressKey(VK_SPACE);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_TRUE(box->Modified());
    EXPECT_EQ(ds.GetValue(kFlag), Variant(false));
    EXPECT_NE(box->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);

    ui.PressKey(VK_ESCAPE);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_FALSE(box->Modified());
    EXPECT_EQ(box->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0) << "left to the dialog once unmodified";
}

TEST_F(CheckBox, AcceleratorFocusesAndToggles) {
    BindTo(kFlag, Variant(false));
    ASSERT_TRUE(edit->Focused());
    ui.PressKey('P', {ssAlt});
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->State(), cbChecked);
    ui.PressKey('Q', {ssAlt});
    EXPECT_EQ(box->State(), cbChecked) << "another letter is not the box's";
}

TEST_F(CheckBox, AcceleratorDoesNotToggleWhenTheFocusGoesElsewhere) {
    box->OnEnter = [this](TObject*) { edit->SetFocus(); };
    ui.PressKey('P', {ssAlt});
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBox, PressOnAnUnfocusedBoxTakesTheFocusAndTogglesOnce) {
    ClickBox();
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBox, PressIsSwallowedWhenTheFocusDoesNotArrive) {
    box->OnEnter = [this](TObject*) { edit->SetFocus(); };
    ClickBox();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(CheckBox, ClickNoticesWhileClicksAreDisabledAreSwallowed) {
    box->SetFocus();
    box->QuietClicks(true);
    box->Perform(BM_CLICK);
    EXPECT_EQ(box->State(), cbUnchecked);
    box->QuietClicks(false);
    box->Perform(BM_CLICK);
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(CheckBox, CancelModeEndsAPressWithoutAClick) {
    box->SetFocus();
    box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    ASSERT_EQ(GetCaptureControl(), box);
    box->Perform(WM_CANCELMODE);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_FALSE(box->ControlState.Contains(csLButtonDown));
    box->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBox, LeavingWritesTheStateAndAFailureKeepsTheFocus) {
    BindTo(kFlag, Variant(false));
    bool fail = false;
    int updates = 0;
    box->OnUpdateData = [&](TObject*, bool& handled) {
        ++updates;
        handled = true;
        if (fail)
            throw Exception("refused");
    };
    box->SetFocus();
    ui.PressKey(VK_SPACE);
    ASSERT_EQ(updates, 1);
    fail = true;
    EXPECT_THROW(edit->SetFocus(), Exception);
    EXPECT_EQ(updates, 2);
    EXPECT_TRUE(box->Focused());
}

TEST_F(CheckBox, AFailedWriteShowsTheFieldAgain) {
    BindTo(kFlag, Variant(false));
    box->OnUpdateData = [](TObject*, bool&) { throw Exception("refused"); };
    EXPECT_THROW(box->SetState(cbChecked), Exception);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(ds.GetValue(kFlag), Variant(false));
}

TEST_F(CheckBox, AnUpdateHandlerMaySetTheStateItselfWithoutPostingAgain) {
    BindTo(kFlag, Variant(false));
    int updates = 0;
    box->OnUpdateData = [&](TObject*, bool& handled) {
        if (++updates < 5)
            box->SetState(cbGrayed);
        handled = true;
    };
    box->SetState(cbChecked);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(ds.GetValue(kFlag), Variant(false)) << "handled: the field is left alone";
}

TEST_F(CheckBox, BoxAndCaptionStandOnTheirSides) {
    struct Case {
        const char* what;
        TLeftRight alignment;
        TBiDiMode biDi;
        bool boxAtRight;
    };
    const Case cases[] = {
        {"caption right", taRightJustify, bdLeftToRight, false},
        {"caption left", taLeftJustify, bdLeftToRight, true},
        {"caption right, right to left", taRightJustify, bdRightToLeft, true},
        {"caption left, right to left", taLeftJustify, bdRightToLeft, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box->SetParentBiDiMode(false);
        box->SetBiDiMode(c.biDi);
        box->SetAlignment(c.alignment);
        box->Boxes.clear();
        box->CaptionAreas.clear();
        box->Repaint();
        ASSERT_EQ(box->Boxes.size(), 1u);
        ASSERT_EQ(box->CaptionAreas.size(), 1u);
        const TRect glyph = box->Boxes[0].Rect;
        const TRect caption = box->CaptionAreas[0];
        EXPECT_NEAR(glyph.Top + glyph.Bottom, box->Height(), 1) << "centred";
        if (c.boxAtRight) {
            EXPECT_EQ(glyph.Right, box->Width());
            EXPECT_EQ(caption, Rect(0, 0, glyph.Left - 5, box->Height()));
        } else {
            EXPECT_EQ(glyph.Left, 0);
            EXPECT_EQ(caption, Rect(glyph.Right + 5, 0, box->Width(), box->Height()));
        }
    }
}

TEST_F(CheckBox, HotUnderTheMouseAndPressedOnlyWhileHeldOverIt) {
    box->SetFocus();
    auto last = [this] {
        box->Boxes.clear();
        box->Repaint();
        EXPECT_EQ(box->Boxes.size(), 1u);
        return box->Boxes.empty() ? TRecordingCheckBox::BoxPainted{} : box->Boxes.back();
    };
    EXPECT_FALSE(last().Hot);
    box->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(last().Hot);
    EXPECT_FALSE(last().Pressed);
    box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    EXPECT_TRUE(last().Pressed);
    box->Perform(CM_MOUSELEAVE);
    const auto away = last();
    EXPECT_FALSE(away.Hot);
    EXPECT_FALSE(away.Pressed) << "held, but no longer over the box";
    box->Perform(WM_LBUTTONUP, 0, MakeLParam(-1, -1));
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBox, CaptionIsCentredAndDisabledLooksEngraved) {
    auto& log = ui.System().TextLog();
    log.Drawn.clear();
    box->Repaint();
    ASSERT_EQ(log.Drawn.size(), 1u);
    EXPECT_EQ(log.Drawn[0].Text, "Paid");
    const TPoint enabledAt = log.Drawn[0].At;

    box->SetEnabled(false);
    log.Drawn.clear();
    box->Repaint();
    ASSERT_EQ(log.Drawn.size(), 2u);
    EXPECT_EQ(log.Drawn[0].Argb, ColorToArgb(clHighlightText));
    EXPECT_EQ(log.Drawn[0].At, (TPoint{enabledAt.X + 1, enabledAt.Y + 1}));
    EXPECT_EQ(log.Drawn[1].Argb, ColorToArgb(clGrayText));
    EXPECT_EQ(log.Drawn[1].At, enabledAt);
}

TEST_F(CheckBox, PaintedAsACopyShowsTheFieldNotTheControl) {
    BindTo(kFlag, Variant(true));
    box->OnUpdateData = [](TObject*, bool& handled) { handled = true; };
    box->SetState(cbUnchecked);
    box->Boxes.clear();
    box->ControlState.Include(csPaintCopy);
    box->Repaint();
    box->ControlState.Exclude(csPaintCopy);
    ASSERT_FALSE(box->Boxes.empty());
    EXPECT_EQ(box->Boxes.back().State, cbChecked);
}

TEST(DBCheckBoxProperties, StateIsStoredOnlyUnboundAndNotUnchecked) {
    TMemoryDataSet ds;
    TDataSource source;
    source.SetDataSet(&ds);
    TDBCheckBoxEh box(nullptr);
    const TPropInfo* state = box.PublishedProperties().Find("State");
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->IsStored(box));
    box.SetState(cbGrayed);
    EXPECT_TRUE(state->IsStored(box));
    box.SetDataSource(&source);
    EXPECT_FALSE(state->IsStored(box));
    box.SetDataSource(nullptr);
    const TPropInfo* checked = box.PublishedProperties().Find("ValueChecked");
    ASSERT_NE(checked, nullptr);
    EXPECT_FALSE(checked->IsDefault(checked->Get(box))) << "the default text is written";
    ds.BeforeDestruction();
}

TEST(DBCheckBoxProperties, SettingsAreWrittenAndReadBack) {
    TDBCheckBoxEh box(nullptr);
    box.SetName("Box1");
    box.SetAlignment(taLeftJustify);
    box.SetAllowGrayed(true);
    box.SetCaption("&Оплачено");
    box.SetFlat(true);
    box.SetState(cbGrayed);
    box.SetValueChecked("Да;Д");
    box.SetValueUnchecked("Нет");
    const std::string text = ComponentToText(box);
    EXPECT_EQ(text,
              "object Box1: TDBCheckBoxEh\n"
              "  Alignment = taLeftJustify\n"
              "  AllowGrayed = True\n"
              "  Caption = '&Оплачено'\n"
              "  Flat = True\n"
              "  State = cbGrayed\n"
              "  ValueChecked = 'Да;Д'\n"
              "  ValueUnchecked = 'Нет'\n"
              "end\n");

    TClassRegistry classes;
    classes.RegisterClass<TDBCheckBoxEh>("TDBCheckBoxEh");
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& copy = dynamic_cast<TDBCheckBoxEh&>(*read);
    EXPECT_EQ(copy.State(), cbGrayed) << "the lists read after the state keep it";
    EXPECT_EQ(copy.ValueChecked(), "Да;Д");
    EXPECT_EQ(ComponentToText(copy), text);
}

}  // namespace
