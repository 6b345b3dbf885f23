// Selecting in TEdit by keys, mouse and EM_ messages; the clipboard, undo and the edit's flags.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/mask_edit.h"
#include "tests/platform/ui/edit_keys.h"

namespace {

class EditForm : public TForm {
  public:
    explicit EditForm(TComponent* owner) : TForm(owner) {
        edit = NewComponent<TMaskEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 200, 21);
        edit->AutoSelect = false;
        edit->OnChange = [this](TObject*) { ++changes; };
        other = NewComponent<TEdit>(this);
        other->SetParent(this);
        other->SetBounds(10, 50, 200, 21);
    }
    TMaskEdit* edit;
    TEdit* other;
    int changes = 0;
};

class EditSelectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Clipboard()->Clear();
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->edit->SetFocus();
    }
    void Keys(const std::string& keys) { edit_keys::Play(ui, keys); }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) {
        return SendMessage(form->edit->Handle(), msg, w, l);
    }
    std::pair<int, int> Sel() { return {form->edit->SelStart(), form->edit->SelLength()}; }
    platform::ui::HeadlessSession ui;
    EditForm* form = nullptr;
};

TEST_F(EditSelectionTest, KeysSelectAndTheClipboardCarriesText) {
    struct Case {
        const char* Keys;
        const char* Text;
        const char* Clipboard;
        std::pair<int, int> Selection;
    };
    const Case cases[] = {
        {"hello world{S-LEFT}{S-LEFT}{S-LEFT}{S-LEFT}{S-LEFT}{C-C}{END}{C-V}",
         "hello worldworld",
         "world",
         {16, 0}},
        {"hello world{HOME}{S-END}{C-X}", "", "hello world", {0, 0}},
        {"one two{C-LEFT}{S-END}{C-C}{HOME}{C-V}", "twoone two", "two", {3, 0}},
        {"abc{S-HOME}{RIGHT}", "abc", "", {3, 0}},
        {"abc{S-HOME}{LEFT}", "abc", "", {0, 0}},
        {"abcd{LEFT}{LEFT}{S-RIGHT}{S-DEL}", "abd", "c", {2, 0}},
        {"abcd{HOME}{S-RIGHT}{C-INS}{END}{S-INS}", "abcda", "a", {5, 0}},
        {"abc{S-LEFT}{DEL}", "ab", "", {2, 0}},
        {"abc{S-HOME}x", "x", "", {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Keys);
        Clipboard()->Clear();
        form->edit->Clear();
        Keys(c.Keys);
        EXPECT_EQ(form->edit->Text(), c.Text);
        EXPECT_EQ(Clipboard()->AsText(), c.Clipboard);
        EXPECT_EQ(Sel(), c.Selection);
    }
}

TEST_F(EditSelectionTest, ClipboardMessagesAndWhatForbidsThem) {
    form->edit->SetText("secret");
    Send(EM_SETSEL, 0, -1);
    Send(WM_COPY);
    EXPECT_EQ(Clipboard()->AsText(), "secret");
    Send(EM_SETSEL, 2, 4);
    Send(WM_CUT);
    EXPECT_EQ(form->edit->Text(), "seet");
    EXPECT_EQ(Clipboard()->AsText(), "cr");
    Send(EM_SETSEL, 4, 4);
    Send(WM_PASTE);
    EXPECT_EQ(form->edit->Text(), "seetcr");
    Send(EM_SETSEL, 0, 3);
    Send(WM_CLEAR);
    EXPECT_EQ(form->edit->Text(), "tcr");

    // A password never reaches the clipboard; a read-only edit copies but takes nothing.
    form->edit->SetPasswordChar(U'*');
    Send(EM_SETSEL, 0, -1);
    Send(WM_COPY);
    Send(WM_CUT);
    EXPECT_EQ(Clipboard()->AsText(), "cr");
    EXPECT_EQ(form->edit->Text(), "tcr");
    form->edit->SetPasswordChar(0);
    form->edit->ReadOnly = true;
    Send(WM_CUT);
    Send(WM_PASTE);
    Keys("x{BS}{DEL}");
    EXPECT_EQ(form->edit->Text(), "tcr");
    Send(WM_COPY);
    EXPECT_EQ(Clipboard()->AsText(), "tcr");
}

TEST_F(EditSelectionTest, PastingKeepsToMaxLengthAndToTheMask) {
    Clipboard()->SetAsText("123456789");
    form->edit->SetMaxLength(5);
    form->edit->SetText("ab");
    form->edit->SetSelStart(1);
    Send(WM_PASTE);
    EXPECT_EQ(form->edit->Text(), "a123b");
    Send(WM_PASTE);
    EXPECT_EQ(form->edit->Text(), "a123b");

    form->edit->SetMaxLength(0);
    form->edit->SetEditMask("000-00;0;_");
    form->edit->SetText("");
    Clipboard()->SetAsText("12a45");
    form->edit->SetSelStart(0);
    Send(WM_PASTE);
    EXPECT_EQ(form->edit->EditText(), "12_-__");
    Clipboard()->SetAsText("3-45");
    Send(WM_PASTE);
    EXPECT_EQ(form->edit->EditText(), "123-45");
}

TEST_F(EditSelectionTest, UndoTakesBackARunOfTypingAndUndoingAgainRedoes) {
    form->edit->SetText("start");
    EXPECT_FALSE(Send(EM_CANUNDO));
    Keys("{END} one");
    Keys("{S-HOME}{DEL}");
    EXPECT_EQ(form->edit->Text(), "");
    Send(WM_UNDO);
    EXPECT_EQ(form->edit->Text(), "start one");
    Send(WM_UNDO);
    EXPECT_EQ(form->edit->Text(), "");
    form->edit->SetText("fresh");
    EXPECT_FALSE(form->edit->CanUndo());
    Keys("{END}12");
    Keys("{C-Z}");
    EXPECT_EQ(form->edit->Text(), "fresh");
    Keys("{C-Z}");
    EXPECT_EQ(form->edit->Text(), "fresh12");

    // In a masked edit undo brings back the blanks and literals too.
    form->edit->SetEditMask("00-00;1;_");
    form->edit->SetText("");
    Keys("12");
    Send(EM_UNDO);
    EXPECT_EQ(form->edit->EditText(), "1_-__");
}

TEST_F(EditSelectionTest, SelectionMessages) {
    form->edit->SetText("0123456789");
    DWORD start = 99, end = 99;
    struct Case {
        WPARAM From;
        LPARAM To;
        DWORD Start;
        DWORD End;
    };
    const Case cases[] = {
        {2, 5, 2, 5}, {5, 2, 2, 5}, {3, -1, 3, 10}, {0, 100, 0, 10}, {static_cast<WPARAM>(-1), 0, 0, 0}};
    for (const Case& c : cases) {
        Send(EM_SETSEL, 0, 0);
        Send(EM_SETSEL, c.From, c.To);
        LRESULT packed = Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, c.Start) << c.From << ".." << c.To;
        EXPECT_EQ(end, c.End) << c.From << ".." << c.To;
        EXPECT_EQ(packed, MakeLong(static_cast<int>(c.Start), static_cast<int>(c.End)));
    }
    EXPECT_EQ(Send(EM_GETSEL), MakeLong(0, 0));
    EXPECT_EQ(Send(WM_GETDLGCODE) & DLGC_HASSETSEL, DLGC_HASSETSEL);
    EXPECT_EQ(Send(EM_GETMARGINS), MakeLong(1, 1));
}

TEST_F(EditSelectionTest, TheMouseSelectsByDraggingAndWordsByDoubleClicking) {
    // Headless text: 8-point characters are 7 pixels wide; the text starts 3 pixels in.
    form->other->SetFocus();
    form->edit->SetText("alpha beta gamma");
    TPoint origin{form->edit->Left() + 3, form->edit->Top() + 10};
    auto at = [&](int column) { return TPoint{origin.X + column * 7, origin.Y}; };
    platform::ui::PostMouseDown(*form, mbLeft, {}, at(6));
    platform::ui::PostMouseMove(*form, {ssLeft}, at(10));
    platform::ui::PostMouseUp(*form, mbLeft, {}, at(10));
    ui.ProcessMessages();
    EXPECT_TRUE(form->edit->Focused());
    EXPECT_EQ(Sel(), std::make_pair(6, 4));
    platform::ui::PostMouseDown(*form, mbLeft, {ssShift}, at(2));
    platform::ui::PostMouseUp(*form, mbLeft, {}, at(2));
    ui.ProcessMessages();
    EXPECT_EQ(Sel(), std::make_pair(2, 4));
    ui.Advance(1000);
    platform::ui::PostMouseDown(*form, mbLeft, {}, at(13));
    platform::ui::PostMouseUp(*form, mbLeft, {}, at(13));
    platform::ui::PostMouseDown(*form, mbLeft, {}, at(13));
    platform::ui::PostMouseUp(*form, mbLeft, {}, at(13));
    ui.ProcessMessages();
    EXPECT_EQ(form->edit->SelText(), "gamma");
}

TEST_F(EditSelectionTest, ALongLineScrollsToKeepTheCaretInView) {
    form->edit->SetWidth(60);
    ui.TypeText("abcdefghijklmnopqrstuvwxyz");
    TRect rect;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect, Rect(3, 2, 57, form->edit->Height() - 2));
    auto x = [&](int index) {
        return static_cast<int>(static_cast<short>(Send(EM_POSFROMCHAR, index) & 0xFFFF));
    };
    EXPECT_LT(x(0), rect.Left);
    EXPECT_GE(x(26), rect.Left);
    EXPECT_LT(x(26), rect.Right);
    Keys("{HOME}");
    EXPECT_EQ(x(0), rect.Left);
    // What is drawn starts scrolled too: the last letters are painted, the first are not.
    Keys("{END}");
    form->edit->Repaint();
    ui.System().TextLog().Drawn.clear();
    form->edit->Repaint();
    bool drawnFromLeft = false;
    for (const auto& d : ui.System().TextLog().Drawn)
        drawnFromLeft |= d.At.X >= form->edit->Left() + rect.Left && d.Text.rfind("abc", 0) == 0;
    EXPECT_FALSE(drawnFromLeft);
    // Deleting from the end brings the line back rather than scroll past its end.
    Keys("{END}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}{BS}");
    EXPECT_EQ(x(0), rect.Left);
}

TEST_F(EditSelectionTest, MultiLineTextHasLinesAndAFormattingRectangle) {
    form->edit->SetMultiline(true);
    form->edit->SetBounds(10, 10, 200, 80);
    form->edit->SetText("first\r\nsecond\r\n\r\nlast");
    EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
    struct Case {
        int Char;
        int Line;
    };
    for (Case c : {Case{0, 0}, Case{5, 0}, Case{7, 1}, Case{13, 1}, Case{15, 2}, Case{17, 3}, Case{100, 3}})
        EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(c.Char)), c.Line) << c.Char;
    TRect wanted = Rect(20, 5, 150, 70);
    Send(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&wanted));
    TRect rect;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect, wanted);
    // Lines start at the rectangle's left edge, one line height apart, from its top.
    LRESULT first = Send(EM_POSFROMCHAR, 7);
    LRESULT second = Send(EM_POSFROMCHAR, 17);
    EXPECT_EQ(first & 0xFFFF, 20);
    EXPECT_EQ(first >> 16, 5 + 13);
    EXPECT_EQ(second >> 16, 5 + 3 * 13);
    form->edit->SetSelStart(9);
    Keys("{DOWN}");
    EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 2);
    Keys("{DOWN}{END}{ENTER}x");
    EXPECT_EQ(form->edit->Text(), "first\r\nsecond\r\n\r\nlast\r\nx");
    // Backspace takes a line break whole.
    Keys("{BS}{BS}");
    EXPECT_EQ(form->edit->Text(), "first\r\nsecond\r\n\r\nlast");
}

TEST_F(EditSelectionTest, FlagsCaseAndPassword) {
    Keys("ab");
    EXPECT_TRUE(form->edit->Modified());
    EXPECT_EQ(Send(EM_GETMODIFY), 1);
    form->edit->SetText("x");
    EXPECT_FALSE(form->edit->Modified());
    form->edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(form->edit->Text(), "X");
    Keys("{END}жy");
    EXPECT_EQ(form->edit->Text(), "XЖY");
    form->edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(form->edit->Text(), "xжy");
    form->edit->SetText("MiXeD");
    EXPECT_EQ(form->edit->Text(), "mixed");

    form->edit->SetCharCase(ecNormal);
    form->edit->SetPasswordChar(U'*');
    form->edit->SetText("pw");
    ui.System().TextLog().Drawn.clear();
    form->edit->Repaint();
    for (const auto& d : ui.System().TextLog().Drawn) EXPECT_EQ(d.Text.find("pw"), std::string::npos);
}

TEST_F(EditSelectionTest, AutoSizeFitsTheHeightToTheFont) {
    form->other->Font()->SetSize(20);
    EXPECT_EQ(form->other->Height(), 27 * 6 / 5 + 8);
    form->other->SetAutoSize(false);
    form->other->Font()->SetSize(8);
    EXPECT_EQ(form->other->Height(), 27 * 6 / 5 + 8);
}

}  // namespace
