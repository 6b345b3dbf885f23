// Drawing calls on a form painted by the Qt host under the offscreen platform: edges, frame parts,
// XOR and dotted pens and an image list's blend, checked in what Qt shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <cstdlib>

#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/form.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/image_list.h"
#include "platform/ui/messages.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/themes.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtDrawingTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 200, 100);
        form->SetColor(clWhite);
    }
    void TearDown() override { Application->DestroyForms(); }
    // Paints with the form's canvas and returns what the host window shows.
    platform::ui::RasterImage Shown(std::function<void(TCanvas&)> paint) {
        form->OnPaint = [this, paint](TObject*) { paint(*form->Canvas()); };
        form->Show();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    static TColor At(const platform::ui::RasterImage& shown, int x, int y) {
        const std::uint32_t p = shown.Pixel(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    TForm* form = nullptr;
};

TEST_F(QtDrawingTest, EdgesAndFramePartsShowTheirColours) {
    auto shown = Shown([](TCanvas& canvas) {
        TRect edge{10, 10, 40, 30};
        DrawEdge(&canvas, &edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
        TRect arrow{50, 10, 67, 27};
        DrawFrameControl(&canvas, &arrow, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        TRect check{80, 10, 93, 23};
        DrawFrameControl(&canvas, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    });
    ASSERT_EQ(shown.Width(), 200);
    EXPECT_EQ(At(shown, 10, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(shown, 11, 20), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(shown, 39, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(shown, 25, 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(shown, 55, 16), ColorToRGB(clBtnText));  // the arrow's base row
    EXPECT_EQ(At(shown, 58, 19), ColorToRGB(clBtnText));  // its tip
    EXPECT_EQ(At(shown, 57, 19), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(shown, 66, 20), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(shown, 83, 15), ColorToRGB(clWindowText));  // the check mark
    EXPECT_EQ(At(shown, 83, 14), ColorToRGB(clWindow));
}

TEST_F(QtDrawingTest, XorAndDottedPens) {
    auto shown = Shown([](TCanvas& canvas) {
        canvas.Brush()->SetColor(clNavy);
        canvas.FillRect(Rect(0, 40, 100, 60));
        canvas.Pen()->SetMode(pmXor);
        canvas.Pen()->SetColor(clWhite);
        canvas.MoveTo(0, 50);
        canvas.LineTo(150, 50);  // over navy and white
        canvas.MoveTo(0, 55);
        canvas.LineTo(150, 55);
        canvas.MoveTo(0, 55);
        canvas.LineTo(150, 55);  // twice: gone again
        canvas.Pen()->SetMode(pmCopy);
        canvas.Pen()->SetColor(clRed);
        canvas.Pen()->SetStyle(psDot);
        canvas.MoveTo(0, 70);
        canvas.LineTo(30, 70);
    });
    EXPECT_EQ(At(shown, 50, 50), clNavy ^ clWhite);
    EXPECT_EQ(At(shown, 120, 50), clBlack);
    EXPECT_EQ(At(shown, 50, 55), clNavy);
    EXPECT_EQ(At(shown, 120, 55), clWhite);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(At(shown, x, 70) == clRed, x % 6 < 3) << x;
}

TEST_F(QtDrawingTest, ImageListBlendsHalfWithTheSelectionColour) {
    auto* list = NewComponent<TImageList>(form);
    list->SetWidth(8);
    list->SetHeight(8);
    TBitmap image;
    image.SetSize(8, 8);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(Rect(0, 0, 8, 8));
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, 4, 8));
    list->AddMasked(&image, clFuchsia);
    list->SetBlendColor(clBlue);
    auto shown = Shown([list](TCanvas& canvas) {
        list->Draw(&canvas, 20, 80, 0, dsSelected, itImage);
        list->Draw(&canvas, 40, 80, 0, dsNormal, itImage);
    });
    const TColor blended = At(shown, 26, 84);
    EXPECT_NEAR(GetRValue(blended), 128, 1);
    EXPECT_EQ(GetGValue(blended), 0);
    EXPECT_NEAR(GetBValue(blended), 128, 1);
    EXPECT_EQ(At(shown, 21, 84), clWhite);  // the masked half shows the form
    EXPECT_EQ(At(shown, 46, 84), clRed);
}

}  // namespace

namespace {

platform::ui::RasterImage ThemedPart(const TThemedElementDetails& details) {
    TBitmap bitmap;
    bitmap.SetSize(20, 20);
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(Rect(0, 0, 20, 20));
    ThemeServices().DrawElement(bitmap.Canvas(), details, Rect(2, 2, 18, 18));
    return bitmap.Pixels();
}

int DifferingPixels(const platform::ui::RasterImage& a, const platform::ui::RasterImage& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
    return n;
}

TEST_F(QtDrawingTest, ThemedPartsComeFromQtsStyleInEachState) {
    ASSERT_TRUE(ThemeServices().ThemesEnabled());
    const auto unchecked = ThemedPart({teButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL});
    const auto checked = ThemedPart({teButton, BP_CHECKBOX, CBS_CHECKEDNORMAL});
    const auto push = ThemedPart({teButton, BP_PUSHBUTTON, TS_NORMAL});
    const auto pushed = ThemedPart({teButton, BP_PUSHBUTTON, TS_PRESSED});
    const auto up = ThemedPart({teSpin, SPNP_UP, TS_NORMAL});
    const auto down = ThemedPart({teSpin, SPNP_DOWN, TS_NORMAL});
    const auto dropDown = ThemedPart({teComboBox, CP_DROPDOWNBUTTON, TS_NORMAL});
    const auto disabled = ThemedPart({teComboBox, CP_DROPDOWNBUTTON, TS_DISABLED});
    EXPECT_GT(DifferingPixels(unchecked, checked), 3);
    EXPECT_GT(DifferingPixels(push, pushed), 3);
    EXPECT_GT(DifferingPixels(up, down), 3);
    EXPECT_GT(DifferingPixels(dropDown, disabled), 3);
    // Drawn inside the rectangle only.
    for (const auto* part : {&unchecked, &push, &dropDown}) {
        EXPECT_EQ(part->Pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(part->Pixel(19, 19) & 0xFFFFFF, 0x00FF00u);
        EXPECT_NE(part->Pixel(10, 10) & 0xFFFFFF, 0x00FF00u);
    }
}

}  // namespace

namespace {

class ColourListener : public TForm {
  public:
    using TForm::TForm;
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_SYSCOLORCHANGE)
            ++changes;
        TForm::Dispatch(Message);
    }
    int changes = 0;
};

TEST_F(QtDrawingTest, ADesktopPaletteChangeTellsTheWindows) {
    ColourListener* listener = nullptr;
    Application->CreateForm(&listener);
    Application->ProcessMessages();
    EXPECT_EQ(listener->changes, 0);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QPalette(Qt::darkBlue));
    Application->ProcessMessages();
    EXPECT_EQ(listener->changes, 1);
    QApplication::setPalette(before);
    Application->ProcessMessages();
    EXPECT_EQ(listener->changes, 2);
}

}  // namespace
