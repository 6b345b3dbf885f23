// The edit painted by the Qt host under the offscreen platform: its selection band in the
// highlight colour and its caret, found pixel by pixel; text copied goes through Qt's clipboard.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/qt_host_test.h"

namespace {

std::uint32_t Rgb(TColor color) {
    TColor c = ColorToRGB(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class QtEditTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 300, 100);
        form->SetColor(clBtnFace);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 30);
        edit->AutoSelect = false;
        edit->Font()->SetName("Verdana");
        edit->Font()->SetSize(12);
        edit->Font()->SetColor(clBlack);
        edit->SetText("Hello world    ");
        form->Show();
        Application->ProcessMessages();
        edit->SetFocus();
    }
    void TearDown() override { Application->DestroyForms(); }
    // Where character index stands, in form coordinates: its left edge and its line's top.
    TPoint CharAt(int index) {
        LRESULT packed = SendMessage(edit->Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        return {edit->Left() + static_cast<short>(packed & 0xFFFF),
                edit->Top() + static_cast<short>(packed >> 16)};
    }
    int Count(int x1, int x2, int y1, int y2, std::uint32_t rgb) {
        const auto& s = form->SurfaceImage();
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += (s.Pixel(x, y) & 0xFFFFFF) == rgb ? 1 : 0;
        return n;
    }
    TForm* form = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(QtEditTest, TheSelectionIsABandOfTheHighlightColourWithHighlightTextInIt) {
    SendMessage(edit->Handle(), EM_SETSEL, 6, 11);  // "world"
    edit->Repaint();
    TPoint from = CharAt(6), to = CharAt(11);
    ASSERT_GT(to.X - from.X, 20);
    int lineHeight = edit->Height() - 2 * (from.Y - edit->Top());
    int band = Count(from.X + 1, to.X - 1, from.Y, from.Y + lineHeight, Rgb(clHighlight));
    int text = Count(from.X + 1, to.X - 1, from.Y, from.Y + lineHeight, Rgb(clHighlightText));
    // Mostly highlight, some glyph pixels in the highlight text's colour.
    EXPECT_GT(band, (to.X - from.X - 2) * lineHeight / 2);
    EXPECT_GT(text, 10);
    // "Hello" before it is not highlighted.
    TPoint start = CharAt(0);
    EXPECT_EQ(Count(start.X, from.X - 2, from.Y, from.Y + lineHeight, Rgb(clHighlight)), 0);
    // Qt shows the same pixels.
    auto shown = platform::ui::GrabHostWindow(*form);
    int mid = (from.X + to.X) / 2;
    EXPECT_EQ(shown.Pixel(mid, from.Y + 1) & 0xFFFFFF,
              form->SurfaceImage().Pixel(mid, from.Y + 1) & 0xFFFFFF);
}

TEST_F(QtEditTest, TheCaretIsAOnePixelBarAtItsPlaceOnlyWhileFocused) {
    edit->SetSelStart(13);  // among the trailing blanks: nothing else is drawn there
    edit->Repaint();
    TPoint caret = CharAt(13);
    int height = edit->Height() - 2 * (caret.Y - edit->Top());
    EXPECT_GE(Count(caret.X, caret.X + 1, caret.Y, caret.Y + height, Rgb(clBlack)), height - 1);
    EXPECT_EQ(Count(caret.X + 1, caret.X + 6, caret.Y, caret.Y + height, Rgb(clBlack)), 0);
    EXPECT_EQ(Count(caret.X - 5, caret.X, caret.Y, caret.Y + height, Rgb(clBlack)), 0);
    // Moving the caret moves the bar.
    edit->SetSelStart(14);
    edit->Repaint();
    EXPECT_EQ(Count(caret.X, caret.X + 1, caret.Y, caret.Y + height, Rgb(clBlack)), 0);
    EXPECT_GE(Count(CharAt(14).X, CharAt(14).X + 1, caret.Y, caret.Y + height, Rgb(clBlack)), height - 1);
    form->SetActiveControl(nullptr);
    edit->Repaint();
    EXPECT_EQ(Count(CharAt(14).X, CharAt(14).X + 1, caret.Y, caret.Y + height, Rgb(clBlack)), 0);
}

TEST_F(QtEditTest, CopiedTextGoesThroughQtsClipboard) {
    Clipboard()->SetAsText("from before");
    SendMessage(edit->Handle(), EM_SETSEL, 0, 5);
    SendMessage(edit->Handle(), WM_COPY, 0, 0);
    EXPECT_EQ(Clipboard()->AsText(), "Hello");
    SendMessage(edit->Handle(), EM_SETSEL, 15, 15);
    SendMessage(edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), "Hello world    Hello");
}

}  // namespace
