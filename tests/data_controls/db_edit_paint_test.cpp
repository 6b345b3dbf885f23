// How the data-aware edit looks on the headless host: the flat border, its own aligned text while
// unfocused, the dotted mark under an empty required field, and the tool-tip for a text that does
// not fit, shown after the hint pause on the hand-driven clock.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_edit.h"
#include "data_controls/tool_tips_window.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/colors.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/hint_controller.h"
#include "platform/ui/input.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr std::uint32_t kRedArgb = 0xFFFF0000;

// A form with the edit control and a plain edit that can take the focus from it; the dataset has
// one text column.
struct EditPaint : ::testing::Test {
    TMemoryDataSet ds;
    TDataSource source;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* other = nullptr;
    TDBEditEh* edit = nullptr;

    EditPaint() {
        ds.SetColumns({"NAME"});
        ds.SetColumnType(0, ftString, 30);
        ds.AddRow({Variant::Null()});
        source.SetDataSet(&ds);
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 200);
        other = NewComponent<TEdit>(form);
        other->SetParent(form);
        other->SetBounds(10, 150, 100, 24);
        edit = NewComponent<TDBEditEh>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 24);
        form->Show();
        other->SetFocus();
        ui.ProcessMessages();
    }
    ~EditPaint() override { ds.BeforeDestruction(); }

    void Bind() {
        ds.Open();
        edit->SetDataSource(&source);
        edit->SetDataField("NAME");
    }
    // The pixels of the edit's client area as last painted, through a canvas on it.
    std::uint32_t ClientPixel(int x, int y) {
        TControlCanvas canvas;
        canvas.SetControl(edit);
        return ColorToArgb(canvas.Pixel(x, y));
    }
    // Red pixels on the client area's last row: first and last column, and how many.
    struct Mark {
        int First = -1, Last = -1, Count = 0;
    };
    Mark RequiredMark() {
        edit->Repaint();
        Mark m;
        const int row = edit->ClientHeight() - 1;
        for (int x = 0; x < edit->ClientWidth(); ++x) {
            if (ClientPixel(x, row) != kRedArgb)
                continue;
            if (m.First < 0)
                m.First = x;
            m.Last = x;
            ++m.Count;
        }
        return m;
    }
    // Where the last painting drew text in the edit's client coordinates, and in what colour.
    struct Drawn {
        bool Found = false;
        int X = 0;
        std::uint32_t Argb = 0;
    };
    Drawn TextDrawn(const std::string& text) {
        auto& log = ui.System().TextLog();
        log.Drawn.clear();
        edit->Repaint();
        TControlCanvas canvas;
        canvas.SetControl(edit);
        TPoint origin;
        canvas.Surface(&origin);
        for (const auto& d : log.Drawn)
            if (d.Text == text)
                return {true, d.At.X - origin.X, d.Argb};
        return {};
    }
    int TextWidth(const std::string& text) {
        TControlCanvas canvas;
        canvas.SetControl(edit);
        canvas.Font()->Assign(*edit->Font());
        return canvas.TextWidth(text);
    }
};

enum class DataState { Browse, Edit, Insert, Unbound };

TEST_F(EditPaint, RequiredMarkShowsForAnEmptyRequiredValueWhileEditing) {
    struct Case {
        const char* what;
        DataState state;
        bool highlight;
        bool required;
        const char* value;  // nullptr: Null
        bool right;         // right-aligned: painted by the control itself while unfocused
        bool marked;
    };
    const Case cases[] = {
        {"browsing", DataState::Browse, true, true, nullptr, false, false},
        {"editing", DataState::Edit, true, true, nullptr, false, true},
        {"inserting", DataState::Insert, true, true, nullptr, false, true},
        {"inserting, painted by the control", DataState::Insert, true, true, nullptr, true, true},
        {"editing a filled value", DataState::Edit, true, true, "Иванов", false, false},
        {"highlighting off", DataState::Edit, false, true, nullptr, false, false},
        {"field not required", DataState::Edit, true, false, nullptr, false, false},
        {"unbound and empty", DataState::Unbound, true, false, "", false, true},
        {"unbound and empty, painted by the control", DataState::Unbound, true, false, "", true, true},
        {"unbound with text", DataState::Unbound, true, false, "x", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ds.Close();
        edit->SetDataSource(nullptr);
        edit->SetDataField("");
        edit->SetText(c.value != nullptr ? c.value : "");
        if (c.state != DataState::Unbound) {
            Bind();
            ds.FieldByName("NAME")->Required = c.required;
            if (c.state == DataState::Edit)
                ds.Edit();
            if (c.state == DataState::Insert)
                ds.Append();
            if (c.value != nullptr)
                ds.FieldByName("NAME")->SetAsString(c.value);
        }
        edit->SetAlignment(c.right ? taRightJustify : taLeftJustify);
        edit->SetHighlightRequired(c.highlight);
        const Mark mark = RequiredMark();
        if (!c.marked) {
            EXPECT_EQ(mark.Count, 0);
        } else {
            const TRect text = edit->ComputeTextRect();
            EXPECT_EQ(mark.First, text.Left + 2);
            EXPECT_LE(mark.Last, text.Right - 4) << "the line ends before its last point";
            EXPECT_GE(mark.Last, text.Right - 10);
            EXPECT_LT(mark.Count, mark.Last - mark.First + 1) << "dotted, not solid";
        }
        if (ds.State() != dsBrowse && ds.State() != dsInactive)
            ds.Cancel();
    }
}

TEST_F(EditPaint, RequiredStateCanBeDecidedByTheHandler) {
    Bind();
    ds.FieldByName("NAME")->Required = true;
    ds.Edit();
    edit->SetHighlightRequired(true);
    edit->OnCheckDrawRequiredState = [](TObject*, bool& draw) { draw = false; };
    EXPECT_EQ(RequiredMark().Count, 0);
    ds.Cancel();
    edit->OnCheckDrawRequiredState = [](TObject*, bool& draw) { draw = true; };
    EXPECT_GT(RequiredMark().Count, 0) << "even while browsing";
}

TEST_F(EditPaint, UnfocusedTextTakesTheAlignmentAndGreysWhenDisabled) {
    edit->SetText("1234");
    edit->SetAlignment(taLeftJustify);
    const Drawn left = TextDrawn("1234");
    ASSERT_TRUE(left.Found);
    const int width = TextWidth("1234");
    const int margin = 1 + 1;  // the edit window's left margin and the single 3-D border
    struct Case {
        const char* what;
        TAlignment alignment;
        bool enabled;
        int expectedX;
        TColor colour;
    };
    const TRect area = edit->TextAreaRect();
    const Case cases[] = {
        {"right", taRightJustify, true, area.Right - width - margin, clWindowText},
        {"centre", taCenter, true, (area.Right - width) / 2, clWindowText},
        {"centre, disabled", taCenter, false, (area.Right - width) / 2, clGrayText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        edit->SetAlignment(c.alignment);
        edit->SetEnabled(c.enabled);
        const Drawn drawn = TextDrawn("1234");
        ASSERT_TRUE(drawn.Found);
        EXPECT_EQ(drawn.X, c.expectedX);
        EXPECT_EQ(drawn.Argb, ColorToArgb(c.colour));
    }
    edit->SetEnabled(true);
    edit->SetAlignment(taRightJustify);
    edit->SetFocus();
    ui.ProcessMessages();
    const Drawn focused = TextDrawn("1234");
    ASSERT_TRUE(focused.Found);
    EXPECT_EQ(focused.X, left.X) << "focused, the edit window shows the text for editing";
}

// Painted as a copy (a grid's rows) the control shows the field's text in its case, not the edit's.
TEST_F(EditPaint, CopyShowsTheFieldsTextInTheEditsCase) {
    ds.Close();
    ds.AddRow({Variant("Сидоров")});
    Bind();
    ds.Last();
    edit->SetCharCase(ecUpperCase);
    edit->SetFocus();
    ui.TypeText("x");
    ui.ProcessMessages();
    ASSERT_NE(edit->Text(), "СИДОРОВ") << "typed, not yet written";
    edit->ControlState.Include(csPaintCopy);
    EXPECT_TRUE(TextDrawn("СИДОРОВ").Found);
    edit->ControlState.Exclude(csPaintCopy);
    EXPECT_FALSE(TextDrawn("СИДОРОВ").Found) << "the window shows what was typed";
}

TEST_F(EditPaint, PasswordIsPaintedAsItsCharacterOncePerCharacter) {
    edit->SetText("тайна");
    edit->SetPasswordChar(U'*');
    edit->SetAlignment(taRightJustify);
    EXPECT_TRUE(TextDrawn("*****").Found);
    EXPECT_FALSE(TextDrawn("тайна").Found);
}

TEST_F(EditPaint, FlatBorderLightsUpWhenFocusedUnderTheMouseOrAlways) {
    // The frame's outer ring at the window's top-left corner, and the ring inside it, as the form paints.
    auto frame = [&] {
        form->Repaint();
        TRect window = edit->WindowArea();
        const auto& image = form->SurfaceImage();
        return std::pair{image.Pixel(window.Left, window.Top), image.Pixel(window.Left + 1, window.Top + 1)};
    };
    const auto shadow = ColorToArgb(clBtnShadow);
    const auto face = ColorToArgb(clBtnFace);
    struct Case {
        const char* what;
        bool flat, always, mouse, focused;
        std::uint32_t outer, inner;
    };
    const Case cases[] = {
        {"flat, idle", true, false, false, false, face, face},
        {"flat, the mouse over it", true, false, true, false, shadow, face},
        {"flat, focused", true, false, false, true, shadow, face},
        {"flat, always shown", true, true, false, false, shadow, face},
        {"flat, always shown, the mouse over it", true, true, true, false, shadow, face},
        {"not flat", false, false, false, false, shadow, ColorToArgb(cl3DDkShadow)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        edit->SetFlat(c.flat);
        edit->SetAlwaysShowBorder(c.always);
        edit->Perform(c.mouse ? CM_MOUSEENTER : CM_MOUSELEAVE);
        (c.focused ? static_cast<TWinControl*>(edit) : other)->SetFocus();
        ui.ProcessMessages();
        EXPECT_EQ(edit->BorderActive(), c.always || c.mouse || c.focused);
        auto [outer, inner] = frame();
        EXPECT_EQ(outer, c.outer);
        EXPECT_EQ(inner, c.inner);
    }
}

// The tool-tip shows after the pause only when the text is wider than the text rectangle less two
// pixels; it shows the whole text below the control in the control's font.
TEST_F(EditPaint, ToolTipShowsTheWholeTextOnlyWhenItOverflows) {
    const std::string text = "12345678";
    edit->Font()->SetSize(12);
    edit->SetText(text);
    edit->SetTooltips(true);
    EXPECT_TRUE(edit->ShowHint);
    const int width = TextWidth(text);
    // Exactly as wide as the text rectangle allows.
    for (int i = 0; i < 3; ++i) edit->SetWidth(edit->Width() + width + 2 - edit->ComputeTextRect().Width());
    ASSERT_EQ(edit->ComputeTextRect().Width(), width + 2);

    auto hover = [&] {
        TPoint away = other->FormOrigin();
        platform::ui::PostMouseMove(*form, {}, {away.X + 5, away.Y + 5});
        ui.ProcessMessages();
        TPoint o = edit->FormOrigin();
        platform::ui::PostMouseMove(*form, {}, {o.X + 5, o.Y + 5});
        ui.ProcessMessages();
        ui.Advance(Application->HintPause + 10);
        return Application->Hints()->ShownHintWindow();
    };
    EXPECT_EQ(hover(), nullptr) << "fits: no tool-tip, and no hint without the own ShowHint";

    edit->SetWidth(edit->Width() - 1);
    THintWindow* shown = hover();
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(dynamic_cast<TToolTipsWindow*>(shown), nullptr);
    EXPECT_EQ(shown->Caption(), text);
    const TPoint below = edit->ClientToScreen({0, edit->Height()});
    EXPECT_EQ(shown->Left(), below.X);
    EXPECT_EQ(shown->Top(), below.Y);
    EXPECT_EQ(shown->Width(), width + 2 * 3) << "measured in the edit's font";

    edit->SetPasswordChar(U'*');
    EXPECT_EQ(hover(), nullptr) << "a password's text is never shown";
    edit->Hint = "Номер полиса";
    edit->SetShowHint(true);
    shown = hover();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Caption(), "Номер полиса") << "the ordinary hint";
}

}  // namespace
