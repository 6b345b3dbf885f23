// The combo box and the check box painted by the Qt host under the offscreen platform, as the edit
// demo shows them: the combo box's list open under it with the chosen row in the selection colours,
// and check boxes in their three states, flat and raised, each with its own face.
#include <gtest/gtest.h>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_controls/edit_button_metrics.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

class QtComboAndCheckBoxTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 420, 260);
        form->SetColor(clBtnFace);
        form->Font()->SetName("Verdana");
        form->Font()->SetSize(10);
        form->Font()->SetColor(clBlack);
        combo = NewComponent<TDBComboBoxEh>(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 200, 24);
        for (const char* kind : {"Первичный", "Повторный", "Консультация"}) combo->Items()->Add(kind);
        const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
        for (int flat = 0; flat < 2; ++flat) {
            for (int s = 0; s < 3; ++s) {
                auto* box = NewComponent<TDBCheckBoxEh>(form);
                box->SetParent(form);
                box->SetBounds(10 + s * 130, 160 + flat * 30, 120, 20);
                box->SetCaption("Оплачено");
                box->SetAllowGrayed(true);
                box->SetFlat(flat == 1);
                box->SetState(states[s]);
                boxes[flat][s] = box;
            }
        }
        form->Show();
        combo->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->DestroyForms();
        FlushButtonBitmapCache();
    }

    TForm* form = nullptr;
    TDBComboBoxEh* combo = nullptr;
    TDBCheckBoxEh* boxes[2][3] = {};
};

TEST_F(QtComboAndCheckBoxTest, TheOpenListShowsItsRowsUnderTheBoxWithTheChosenOneSelected) {
    combo->SetItemIndex(1);
    combo->OpenDropDown();
    Application->ProcessMessages();
    TPopupListboxEh& list = *combo->PopupList();
    ASSERT_NE(list.PopupWindow(), nullptr);
    ASSERT_TRUE(list.PopupWindow()->Shown());
    EXPECT_EQ(list.Top(), combo->ClientToScreen({0, 0}).Y + combo->ClientHeight() +
                              (combo->Height() - combo->ClientHeight()) / 2);
    EXPECT_EQ(list.Width(), combo->Width());
    EXPECT_EQ(list.RowCount(), 3);

    const RasterImage& shown = list.PopupWindow()->SurfaceImage();
    const TPoint client = list.ClientOffset();
    auto inWindow = [&](TRect r) {
        return Rect(r.Left + client.X, r.Top + client.Y, r.Right + client.X, r.Bottom + client.Y);
    };
    // The raised frame: light at the top left, shadowed at the bottom right.
    EXPECT_EQ(shown.Pixel(1, list.Height() / 2), ColorToArgb(clBtnHighlight));
    EXPECT_EQ(shown.Pixel(list.Width() - 2, list.Height() / 2), ColorToArgb(clBtnShadow));
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const TRect rect = inWindow(list.ItemRect(row));
        const TColor background = row == 1 ? clHighlight : clWindow;
        const TColor other = row == 1 ? clWindow : clHighlight;
        const int area = rect.Width() * rect.Height();
        EXPECT_GT(PixelsOf(shown, rect, background), area / 2);
        EXPECT_LT(PixelsOf(shown, rect, other), area / 10) << "no more than the focus frame's dots";
        EXPECT_LT(PixelsOf(shown, rect, background), area - 20) << "the row's text";
    }
    EXPECT_TRUE(combo->Focused()) << "the list shows over the form without taking the focus";

    // The box's button stays pressed while the list is open.
    const TEditButtonControlEh& button = *combo->ButtonControls().front().EditButtonControl;
    const int frame = (combo->Width() - combo->ClientWidth()) / 2;
    const TRect buttonRect = OffsetRect(button.BoundsRect(), combo->Left() + frame, combo->Top() + frame);
    const RasterImage pressed = platform::ui::GrabHostWindow(*form);

    combo->CloseDropDown(true);
    Application->ProcessMessages();
    EXPECT_FALSE(list.PopupWindow()->Shown());
    EXPECT_EQ(combo->Text(), "Повторный");
    form->Repaint();
    Application->ProcessMessages();
    const RasterImage released = platform::ui::GrabHostWindow(*form);
    int differing = 0;
    for (int y = buttonRect.Top; y < buttonRect.Bottom; ++y)
        for (int x = buttonRect.Left; x < buttonRect.Right; ++x)
            differing += pressed.Pixel(x, y) != released.Pixel(x, y);
    EXPECT_GT(differing, 10) << "the button is drawn pressed while the list is open";
}

TEST_F(QtComboAndCheckBoxTest, EachCheckBoxStateFlatAndRaisedShowsItsOwnFace) {
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    form->Repaint();
    Application->ProcessMessages();
    const RasterImage shown = platform::ui::GrabHostWindow(*form);
    for (int flat = 0; flat < 2; ++flat) {
        for (int s = 0; s < 3; ++s) {
            SCOPED_TRACE(testing::Message() << "state " << s << (flat ? " flat" : " raised"));
            TDBCheckBoxEh* box = boxes[flat][s];
            const TRect glyph = OffsetRect(CheckBoxGlyphRect(box->ClientRect(), taLeftJustify, tlCenter),
                                           box->Left(), box->Top());
            const TSize size{glyph.Width(), glyph.Height()};
            EXPECT_EQ(DifferingPixels(shown, glyph, ExpectedFace(size, clBtnFace, states[s], flat == 1)), 0);
            for (int other = 0; other < 3; ++other)
                if (other != s) {
                    EXPECT_GT(DifferingPixels(shown, glyph,
                                              ExpectedFace(size, clBtnFace, states[other], flat == 1)),
                              0);
                }
            EXPECT_GT(DifferingPixels(shown, glyph, ExpectedFace(size, clBtnFace, states[s], flat == 0)), 0)
                << "against the other look";
        }
    }
}

}  // namespace
