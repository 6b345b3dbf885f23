// What part of its text an edit shows: a text selected whole shows from its start, a text that fits
// never stays scrolled, one unwrapped line stands in the middle of its rectangle, and a line that
// fits stands where the edit's alignment puts it.
//
// Headless metrics at the default font: characters 7 pixels wide, lines 13 high.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Lays its line out in a formatting rectangle, as the data-aware edits ask: multi-line, unwrapped.
class RectEdit : public TEdit {
  public:
    using TEdit::TEdit;

  protected:
    void CreateParams(TCreateParams& params) override {
        TEdit::CreateParams(params);
        params.Style |= ES_MULTILINE | ES_AUTOHSCROLL;
    }
};

class EditForm : public TForm {
  public:
    explicit EditForm(TComponent* owner) : TForm(owner) {
        plain = NewComponent<TEdit>(this);
        boxed = NewComponent<RectEdit>(this);
        for (TEdit* edit : {plain, boxed}) {
            edit->SetParent(this);
            edit->SetAutoSize(false);
            edit->AutoSelect = false;
        }
        plain->SetBounds(10, 10, 76, 24);
        boxed->SetBounds(10, 40, 100, 30);
    }
    TEdit* plain;
    TEdit* boxed;
};

class EditViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    static TPoint CharPos(TEdit* edit, int index) {
        const LRESULT r = SendMessage(edit->Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        return {static_cast<short>(r & 0xFFFF), static_cast<short>((r >> 16) & 0xFFFF)};
    }
    static TRect FormatRect(TEdit* edit) {
        TRect rect;
        SendMessage(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static void SetFormatRect(TEdit* edit, TRect rect) {
        SendMessage(edit->Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
    }
    platform::ui::HeadlessSession ui;
    EditForm* form = nullptr;
};

TEST_F(EditViewTest, ATextSelectedWholeShowsFromItsStart) {
    for (TEdit* edit : {form->plain, form->boxed}) {
        SCOPED_TRACE(edit == form->plain ? "single-line" : "in a rectangle");
        edit->SetFocus();
        edit->SetText("Ivanova Anna Petrovna");  // wider than either edit
        const int left = FormatRect(edit).Left;
        edit->SelectAll();
        EXPECT_EQ(CharPos(edit, 0).X, left) << "the start scrolled out of view";
        // The caret moved by the user is kept in view again.
        SendMessage(edit->Handle(), WM_KEYDOWN, VK_END, 0);
        EXPECT_LT(CharPos(edit, 0).X, left);
        EXPECT_LE(CharPos(edit, 21).X, FormatRect(edit).Right);
    }
}

TEST_F(EditViewTest, ATextThatFitsComesBackAfterANarrowRectangle) {
    // The filter row collapses its editor, selects the text, then puts it onto the cell.
    TEdit* edit = form->boxed;
    edit->SetFocus();
    edit->SetText("205");
    SetFormatRect(edit, {2, 0, 2, 30});
    edit->SetSelStart(3);
    SetFormatRect(edit, {2, 0, 98, 30});
    SendMessage(edit->Handle(), EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(CharPos(edit, 0).X, 2) << "the text stayed scrolled out to the left";
}

TEST_F(EditViewTest, OneUnwrappedLineStandsInTheMiddleOfItsRectangle) {
    TEdit* edit = form->boxed;
    edit->SetText("05.03.2024");
    SetFormatRect(edit, {0, 0, 100, 30});
    EXPECT_EQ(CharPos(edit, 0).Y, (30 - 13) / 2);
    // Two lines start at the top.
    edit->SetText("a\r\nb");
    EXPECT_EQ(CharPos(edit, 0).Y, 0);
}

TEST_F(EditViewTest, ALineThatFitsStandsWhereTheAlignmentPutsIt) {
    TEdit* edit = form->plain;
    edit->SetText("700");  // 21 pixels
    const TRect rect = FormatRect(edit);
    const int room = rect.Width() - 1 - 21;
    struct Case {
        TAlignment alignment;
        int left;
    };
    for (const Case& c : {Case{taLeftJustify, rect.Left}, Case{taRightJustify, rect.Left + room},
                          Case{taCenter, rect.Left + room / 2}}) {
        SCOPED_TRACE(static_cast<int>(c.alignment));
        edit->SetTextAlignment(c.alignment);
        EXPECT_EQ(CharPos(edit, 0).X, c.left);
        // A click names the character under it wherever the text stands.
        const LRESULT hit = SendMessage(edit->Handle(), EM_CHARFROMPOS, 0, MakeLong(c.left + 7 + 5, 10));
        EXPECT_EQ(hit & 0xFFFF, 2);
    }
    // A text wider than the edit starts at the left whatever the alignment.
    edit->SetTextAlignment(taRightJustify);
    edit->SetText("1234567890123");
    EXPECT_EQ(CharPos(edit, 0).X, rect.Left);
}

}  // namespace
