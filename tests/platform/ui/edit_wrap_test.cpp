// A multi-line edit without ES_AUTOHSCROLL wraps its lines at the formatting rectangle's width and
// scrolls by whole lines to keep the caret in view (EM_LINESCROLL, EM_GETFIRSTVISIBLELINE).
//
// Headless metrics at the default font: characters 7 pixels wide, lines 13 high. The edit's
// rectangle is 70 pixels wide (ten characters) and 39 high (three lines).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Asks for its lines as the data-aware edits do: through its window style.
class WrappingEdit : public TEdit {
  public:
    using TEdit::TEdit;

  protected:
    void CreateParams(TCreateParams& params) override {
        TEdit::CreateParams(params);
        params.Style = (params.Style | ES_MULTILINE) & ~ES_AUTOHSCROLL;
    }
};

class EditForm : public TForm {
  public:
    explicit EditForm(TComponent* owner) : TForm(owner) {
        edit = NewComponent<WrappingEdit>(this);
        edit->SetParent(this);
        edit->SetAutoSize(false);
        edit->AutoSelect = false;
        edit->SetBounds(10, 10, 76, 43);
    }
    TEdit* edit;
};

class EditWrapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->edit->SetFocus();
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) {
        return SendMessage(form->edit->Handle(), msg, w, l);
    }
    std::vector<std::string> ShownLines() {
        std::u32string text = Utf8ToUtf32(form->edit->Text());
        std::vector<std::string> lines;
        for (int i = 0; i < static_cast<int>(Send(EM_GETLINECOUNT)); ++i) {
            auto start = static_cast<std::size_t>(Send(EM_LINEINDEX, static_cast<WPARAM>(i)));
            auto length = static_cast<std::size_t>(Send(EM_LINELENGTH, start));
            lines.push_back(Utf32ToUtf8(text.substr(start, length)));
        }
        return lines;
    }
    int CaretLine() { return static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1))); }
    int FirstVisible() { return static_cast<int>(Send(EM_GETFIRSTVISIBLELINE)); }
    platform::ui::HeadlessSession ui;
    EditForm* form = nullptr;
};

TEST_F(EditWrapTest, LongLinesBreakAfterTheLastBlankThatFits) {
    ASSERT_TRUE(form->edit->WrapsLines());
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"hello world", {"hello ", "world"}},
        {"one two three four", {"one two ", "three four"}},
        {"exactlyten", {"exactlyten"}},
        {"abcdefghijklmno", {"abcdefghij", "klmno"}},  // a word longer than the line
        {"abcdefghi   x", {"abcdefghi   ", "x"}},      // blanks at the break stay on the line
        {"word      next", {"word      ", "next"}},
        {"a b\r\nthe second line", {"a b", "the second ", "line"}},
        {"ends in blanks      ", {"ends in ", "blanks      "}},
        {"", {""}},
        {"Приём у врача", {"Приём у ", "врача"}},
    };
    for (const auto& c : cases) {
        form->edit->SetText(c.text);
        EXPECT_EQ(ShownLines(), c.lines) << c.text;
    }
}

TEST_F(EditWrapTest, TypingWrapsAndTheCaretFollowsToTheNewLine) {
    ui.TypeText("hello world");
    EXPECT_EQ(ShownLines(), (std::vector<std::string>{"hello ", "world"}));
    EXPECT_EQ(CaretLine(), 1);
    form->edit->SetSelStart(6);
    EXPECT_EQ(CaretLine(), 1) << "the caret at a soft break stands at the start of the next line";
}

TEST_F(EditWrapTest, TheCaretIsKeptInViewByWholeLines) {
    // Six lines of which three show.
    form->edit->SetText("line one  line two  line three line four  line five  line six");
    ASSERT_EQ(Send(EM_GETLINECOUNT), 6);
    struct Case {
        WORD key;
        TShiftState shift;
        int caretLine;
        int firstVisible;
    } cases[] = {
        {VK_END, {ssCtrl}, 5, 3},  // the last line comes into view at the bottom
        {VK_UP, {}, 4, 3},         {VK_UP, {}, 3, 3},   {VK_UP, {}, 2, 2},  // scrolls up a line at a time
        {VK_UP, {}, 1, 1},         {VK_DOWN, {}, 2, 1}, {VK_DOWN, {}, 3, 1}, {VK_DOWN, {}, 4, 2},
        {VK_HOME, {ssCtrl}, 0, 0},
    };
    for (const auto& c : cases) {
        ui.PressKey(c.key, c.shift);
        EXPECT_EQ(CaretLine(), c.caretLine) << c.key;
        EXPECT_EQ(FirstVisible(), c.firstVisible) << c.key;
        TRect rect;
        Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        int caretTop = PointFromLParam(Send(EM_POSFROMCHAR, static_cast<WPARAM>(form->edit->SelStart()))).Y;
        EXPECT_GE(caretTop, rect.Top) << c.key;
        EXPECT_LE(caretTop + 13, rect.Bottom) << c.key;
    }
    ui.PressKey(VK_RIGHT);
    ui.PressKey(VK_DOWN);
    EXPECT_EQ(form->edit->SelStart(), 11) << "down keeps the caret's column";
}

TEST_F(EditWrapTest, LineScrollMovesTheTopLineWithinTheText) {
    form->edit->SetText("line one  line two  line three line four  line five  line six");
    struct Case {
        int lines;
        int firstVisible;
    } cases[] = {{2, 2}, {5, 3}, {-1, 2}, {-9, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Send(EM_LINESCROLL, 0, c.lines), 1);
        EXPECT_EQ(FirstVisible(), c.firstVisible) << c.lines;
    }
    Send(EM_LINESCROLL, 0, 3);
    TRect rect;
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    ui.ClickAt(form->edit, {rect.Left + 1, rect.Top + 2});
    EXPECT_EQ(form->edit->SelStart(), static_cast<int>(Send(EM_LINEINDEX, 3)))
        << "a click on the top line shown";

    form->edit->SetHeight(4 + 6 * 13);
    EXPECT_EQ(FirstVisible(), 0) << "grown to show every line: no empty room below them";
    form->edit->SetWidth(6 + 20 * 7);
    EXPECT_EQ(Send(EM_GETLINECOUNT), 3) << "wider, the lines wrap anew";
}

TEST_F(EditWrapTest, ASingleLineEditNeitherWrapsNorScrollsByLines) {
    auto* single = NewComponent<TEdit>(form);
    single->SetParent(form);
    single->SetBounds(10, 100, 76, 21);
    single->SetText("a single line longer than the edit");
    EXPECT_FALSE(single->WrapsLines());
    EXPECT_EQ(SendMessage(single->Handle(), EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(single->Handle(), EM_LINESCROLL, 0, 1), 0);
    single->SetSelStart(100);
    EXPECT_GT(SendMessage(single->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the first character shown";

    auto* memo = NewComponent<TEdit>(form);
    memo->SetMultiline(true);
    memo->SetParent(form);
    memo->SetText("a line longer than the edit\r\nx");
    EXPECT_FALSE(memo->WrapsLines()) << "multi-line with ES_AUTOHSCROLL scrolls sideways instead";
    EXPECT_EQ(SendMessage(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);
}

}  // namespace
