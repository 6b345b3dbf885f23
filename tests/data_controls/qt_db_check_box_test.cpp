// The data-aware check box painted by the Qt host under the offscreen platform: its box in each of
// the three states, flat and raised, is the edit-button face of that state, and the caption is drawn
// beside it, engraved when disabled.
#include <gtest/gtest.h>

#include <cstdint>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/db_check_box.h"
#include "data_controls/edit_button_metrics.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

class QtCheckBoxTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 200);
        form->SetColor(clBtnFace);
        form->Font()->SetName("Verdana");
        form->Font()->SetSize(10);
        form->Font()->SetColor(clBlack);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 160, 100, 24);
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->DestroyForms();
        FlushButtonBitmapCache();
    }

    TDBCheckBoxEh* AddBox(int column, int row, TCheckBoxState state, bool flat) {
        auto* box = NewComponent<TDBCheckBoxEh>(form);
        box->SetParent(form);
        box->SetBounds(10 + column * 130, 10 + row * 30, 120, 20);
        box->SetCaption("Оплачено");
        box->SetAllowGrayed(true);
        box->SetFlat(flat);
        box->SetState(state);
        return box;
    }
    // Where the box's glyph stands on the form.
    static TRect GlyphOnForm(TDBCheckBoxEh* box) {
        return OffsetRect(CheckBoxGlyphRect(box->ClientRect(), taLeftJustify, tlCenter), box->Left(),
                          box->Top());
    }
    RasterImage Shown() {
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
};

// Pixels lighter than color in every channel: the white copy under engraved text, blended or not.
int PixelsLighterThan(const RasterImage& shown, const TRect& rect, TColor color) {
    const std::uint32_t base = ColorToArgb(color);
    auto lighter = [base](std::uint32_t p) {
        for (int shift : {0, 8, 16})
            if (((p >> shift) & 0xFF) <= ((base >> shift) & 0xFF))
                return false;
        return true;
    };
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) n += lighter(shown.Pixel(x, y)) ? 1 : 0;
    return n;
}

TEST_F(QtCheckBoxTest, EachStateFlatAndRaisedShowsItsOwnFace) {
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    TDBCheckBoxEh* boxes[2][3] = {};
    for (int flat = 0; flat < 2; ++flat)
        for (int s = 0; s < 3; ++s) boxes[flat][s] = AddBox(s, flat, states[s], flat == 1);
    const RasterImage shown = Shown();

    for (int flat = 0; flat < 2; ++flat) {
        for (int s = 0; s < 3; ++s) {
            SCOPED_TRACE(testing::Message() << "state " << s << (flat ? " flat" : " raised"));
            TDBCheckBoxEh* box = boxes[flat][s];
            const TRect glyph = GlyphOnForm(box);
            ASSERT_GT(glyph.Width(), 8);
            const RasterImage face =
                ExpectedFace({glyph.Width(), glyph.Height()}, clBtnFace, states[s], flat == 1);
            EXPECT_EQ(DifferingPixels(shown, glyph, face), 0);
            // Every other state's face differs from the one shown.
            for (int other = 0; other < 3; ++other) {
                if (other == s)
                    continue;
                const RasterImage wrong =
                    ExpectedFace({glyph.Width(), glyph.Height()}, clBtnFace, states[other], flat == 1);
                EXPECT_GT(DifferingPixels(shown, glyph, wrong), 0) << "against state " << other;
            }
            const RasterImage otherLook =
                ExpectedFace({glyph.Width(), glyph.Height()}, clBtnFace, states[s], flat == 0);
            EXPECT_GT(DifferingPixels(shown, glyph, otherLook), 0) << "against the other look";
            // The caption starts five pixels right of the box.
            const TRect caption =
                Rect(glyph.Right + 5, box->Top(), box->Left() + box->Width(), box->Top() + box->Height());
            EXPECT_GT(PixelsOf(shown, caption, clBlack), 10);
            EXPECT_EQ(
                PixelsNotOf(shown, Rect(glyph.Right, box->Top(), glyph.Right + 5, box->Top() + box->Height()),
                            clBtnFace),
                0)
                << "the gap stays clear";
        }
    }
}

TEST_F(QtCheckBoxTest, DisabledCaptionIsGreyOverAHighlightAndTheFocusedOneIsFramed) {
    TDBCheckBoxEh* box = AddBox(0, 0, cbChecked, false);
    const TRect caption =
        Rect(GlyphOnForm(box).Right + 5, box->Top(), box->Left() + box->Width(), box->Top() + box->Height());
    RasterImage shown = Shown();
    EXPECT_GT(PixelsOf(shown, caption, clBlack), 10);
    EXPECT_EQ(PixelsOf(shown, caption, clGrayText), 0);
    EXPECT_EQ(PixelsLighterThan(shown, caption, clBtnFace), 0);

    box->SetEnabled(false);
    shown = Shown();
    EXPECT_EQ(PixelsOf(shown, caption, clBlack), 0);
    EXPECT_GT(PixelsOf(shown, caption, clGrayText), 10);
    EXPECT_GT(PixelsLighterThan(shown, caption, clBtnFace), 10);

    box->SetEnabled(true);
    const int unfocused = PixelsNotOf(Shown(), caption, clBtnFace);
    box->SetFocus();
    const int focused = PixelsNotOf(Shown(), caption, clBtnFace);
    EXPECT_GT(focused, unfocused + 10) << "a dotted frame round the caption";
}

}  // namespace
