// The find dialog on the Qt host at 96 pixels per inch, by its pixels: every control is drawn where
// the layout made at 120 pixels per inch puts it on this screen, and nowhere else; the dialog's
// window keeps a fixed frame and floats above the program when shown modeless.
#include <gtest/gtest.h>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/find_dialog.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/label.h"
#include "platform/ui/push_button.h"
#include "platform/ui/qt/qt_window.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtFindDialogTest : public QtHostTest {
  protected:
    void TearDown() override { Application->DestroyForms(); }
};

// The colour as the surface holds it (0xRRGGBB).
std::uint32_t Rgb(TColor color) {
    const TColor c = ColorToRGB(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Whether another of the form's controls covers the point.
bool OnOtherControl(const TForm& form, const TControl* own, TPoint p) {
    for (int i = 0; i < form.ControlCount(); ++i)
        if (form.Controls(i) != own && form.Controls(i)->BoundsRect().Contains(p))
            return true;
    return false;
}

// The smallest rectangle around the pixels of area that differ from the form's face colour, leaving
// out the pixels of the form's other controls.
TRect DrawnBounds(const TForm& form, const TRect& area, const TControl* own = nullptr) {
    const auto& surface = form.SurfaceImage();
    const std::uint32_t face = Rgb(clBtnFace);
    TRect drawn{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if ((surface.Pixel(x, y) & 0xFFFFFF) != face && !OnOtherControl(form, own, {x, y})) {
                drawn.Left = std::min(drawn.Left, x);
                drawn.Top = std::min(drawn.Top, y);
                drawn.Right = std::max(drawn.Right, x + 1);
                drawn.Bottom = std::max(drawn.Bottom, y + 1);
            }
    return drawn;
}

TRect Grown(const TRect& r, int by) {
    return Rect(r.Left - by, r.Top - by, r.Right + by, r.Bottom + by);
}

TEST_F(QtFindDialogTest, EachControlIsDrawnAtItsScaledRectangle) {
    auto* dialog = NewComponent<TDBGridEhFindDlg>(Application);
    dialog->Show();
    Application->ProcessMessages();
    dialog->Repaint();
    // What stands right of the labels moved over by as much as the widest label needs.
    const int shift = dialog->cbText->Left() - 86;
    ASSERT_GE(shift, 0);
    ASSERT_EQ(dialog->ClientWidth(), 498 + shift);
    // Buttons and edits draw their frame on their very edges.
    struct Framed {
        const char* name;
        TControl* control;
        TRect at;
    };
    const Framed framed[] = {
        {"cbText", dialog->cbText, Bounds(86 + shift, 9, 311, 21)},
        {"bFind", dialog->bFind, Bounds(406 + shift, 9, 81, 22)},
        {"bCancel", dialog->bCancel, Bounds(406 + shift, 37, 81, 22)},
        {"cbFindIn", dialog->cbFindIn, Bounds(86 + shift, 31, 190, 21)},
        {"cbMatchinType", dialog->cbMatchinType, Bounds(86 + shift, 54, 142, 21)},
        {"cbFindDirection", dialog->cbFindDirection, Bounds(86 + shift, 78, 142, 21)},
    };
    for (const Framed& f : framed) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(f.control->BoundsRect(), f.at);
        EXPECT_EQ(DrawnBounds(*dialog, Grown(f.at, 2), f.control), f.at);
    }
    // Check boxes and labels draw their glyph and text inside their rectangle, from its left edge.
    const std::pair<const char*, TControl*> inside[] = {
        {"cbCharCase", dialog->cbCharCase}, {"cbUseFormat", dialog->cbUseFormat}, {"Label1", dialog->Label1},
        {"Label2", dialog->Label2},         {"cbMatchType", dialog->cbMatchType}, {"Label3", dialog->Label3},
    };
    for (const auto& [name, control] : inside) {
        SCOPED_TRACE(name);
        const TRect at = control->BoundsRect();
        const TRect drawn = DrawnBounds(*dialog, Grown(at, 2), control);
        EXPECT_FALSE(drawn.IsEmpty());
        EXPECT_EQ(IntersectRect(drawn, at), drawn);
        EXPECT_LE(drawn.Left, at.Left + 2);
    }
    EXPECT_EQ(dialog->cbCharCase->BoundsRect(), Bounds(86 + shift, 103, 142, 14));
    EXPECT_EQ(dialog->cbUseFormat->BoundsRect(), Bounds(256 + shift, 103, 142, 14));
    EXPECT_EQ(dialog->Label1->BoundsRect().TopLeft(), (TPoint{10, 12}));
    EXPECT_EQ(dialog->Label3->BoundsRect().TopLeft(), (TPoint{10, 81}));
    // Between the controls the face shows.
    EXPECT_TRUE(DrawnBounds(*dialog, Rect(0, 0, 8, dialog->ClientHeight())).IsEmpty());
    EXPECT_TRUE(DrawnBounds(*dialog, Rect(398 + shift, 0, 405 + shift, dialog->ClientHeight())).IsEmpty());
}

// The caption's width at the label's font, as the font draws it, accelerator marks left out.
int CaptionWidth(const TLabel& label) {
    std::string shown;
    for (char c : label.Caption())
        if (c != '&')
            shown += c;
    TBitmap bitmap;
    bitmap.Canvas()->Font()->Assign(*label.Font());
    return bitmap.Canvas()->TextWidth(shown);
}

// Laid out for a narrower font than the platform's, the labels would be cut or run under their
// boxes: each label has room for its whole caption, its text is drawn to the caption's end, and a
// gap stays before the box it names.
TEST_F(QtFindDialogTest, EachLabelFitsBeforeItsBoxAtThePlatformsFont) {
    auto* dialog = NewComponent<TDBGridEhFindDlg>(Application);
    dialog->Show();
    Application->ProcessMessages();
    dialog->Repaint();
    for (const TLabel* label : {dialog->Label1, dialog->Label2, dialog->cbMatchType, dialog->Label3}) {
        SCOPED_TRACE(label->Caption());
        const TControl* box = label->FocusControl;
        ASSERT_NE(box, nullptr);
        const int captionRight = label->Left() + CaptionWidth(*label);
        EXPECT_GE(label->Left() + label->Width(), captionRight) << "the caption is cut";
        const TRect row{0, label->Top(), box->Left(), label->Top() + label->Height()};
        const TRect drawn = DrawnBounds(*dialog, row, label);
        ASSERT_FALSE(drawn.IsEmpty());
        // The last glyph's ink ends within a few pixels of the caption's advance.
        EXPECT_GE(drawn.Right, captionRight - 3) << "the text is not drawn to its end";
        EXPECT_LE(drawn.Right, label->Left() + label->Width()) << "the text runs past the label";
        EXPECT_LE(label->Left() + label->Width(), box->Left() - 4) << "no gap before the box";
    }
    EXPECT_GE(dialog->bFind->Left(), dialog->cbText->Left() + dialog->cbText->Width());
}

TEST_F(QtFindDialogTest, TheModelessWindowFloatsAboveTheProgramWithAFixedFrame) {
    auto* dialog = NewComponent<TDBGridEhFindDlg>(Application);
    dialog->SetFormStyle(fsStayOnTop);
    dialog->Show();
    Application->ProcessMessages();
    auto* window = static_cast<platform::ui::QtWindow*>(dialog->Native());
    const Qt::WindowFlags flags = window->Widget().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window->Widget().minimumSize(), window->Widget().maximumSize());
    EXPECT_EQ(window->Widget().width(), dialog->Width());
    EXPECT_EQ(window->Widget().windowTitle().toStdString(), "Поиск");
    dialog->SetFormStyle(fsNormal);
    EXPECT_FALSE(window->Widget().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
