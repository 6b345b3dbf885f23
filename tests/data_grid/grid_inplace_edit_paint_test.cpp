// The grid editor as painted on the headless host: the red dotted mark under an empty required
// field and when it is due, and the text between the value's image and the buttons, left to right
// and mirrored.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/colors.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/image_list.h"
#include "platform/ui/system_metrics.h"
#include "tests/data_grid/grid_inplace_edit_fixture.h"

using namespace grid_inplace_edit_test;

namespace {

constexpr TColor kImageColor = 0x00C08000;

struct PaintedEditor : EditorGrid {
    // The xs of the row's pixels in the colour, over the editor's client area.
    std::vector<int> PixelsInRow(int y, TColor color) {
        TControlCanvas canvas;
        canvas.SetControl(Editor());
        std::vector<int> xs;
        const std::uint32_t want = ColorToArgb(color) & 0xFFFFFF;
        for (int x = 0; x < Editor()->ClientWidth(); ++x)
            if ((ColorToArgb(canvas.Pixel(x, y)) & 0xFFFFFF) == want)
                xs.push_back(x);
        return xs;
    }
    std::vector<int> MarkPixels() { return PixelsInRow(Editor()->ClientHeight() - 1, clRed); }
    void Repaint() {
        Editor()->Repaint();
        ui.ProcessMessages();
    }
    // Where the editor's text was drawn, in its client coordinates.
    TPoint TextDrawnAt(const std::string& text) {
        auto& log = ui.System().TextLog();
        log.Drawn.clear();
        Repaint();
        TControlCanvas canvas;
        canvas.SetControl(Editor());
        TPoint origin;
        canvas.Surface(&origin);
        for (const auto& d : log.Drawn)
            if (d.Text == text)
                return {d.At.X - origin.X, d.At.Y - origin.Y};
        return {-1, -1};
    }
    TImageList* SolidImages() {
        auto* images = NewComponent<TImageList>(form);
        images->SetWidth(16);
        images->SetHeight(16);
        TBitmap picture;
        picture.SetSize(16, 16);
        picture.Canvas()->Brush()->SetColor(kImageColor);
        picture.Canvas()->FillRect({0, 0, 16, 16});
        images->Add(&picture, nullptr);
        return images;
    }
};

TEST(GridInplaceEditPaint, TheRequiredMarkShowsForAnEmptyRequiredFieldBeingEdited) {
    struct Case {
        const char* what;
        bool highlight;
        bool required;
        bool empty;
        bool editing;
        std::function<void(TColumnEh*)> setUp;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"empty required field in edit", true, true, true, true, nullptr, true},
        {"HighlightRequired off", false, true, true, true, nullptr, false},
        {"not required", true, false, true, true, nullptr, false},
        {"has a value", true, true, false, true, nullptr, false},
        {"browsing", true, true, true, false, nullptr, false},
        {"the handler turns it off", true, true, true, true,
         [](TColumnEh* c) {
             c->OnCheckDrawRequiredState = [](TObject*, const std::string&, bool& d) { d = false; };
         },
         false},
        {"the handler turns it on", false, false, false, false,
         [](TColumnEh* c) {
             c->OnCheckDrawRequiredState = [](TObject*, const std::string&, bool& d) { d = true; };
         },
         true},
    };
    for (const Case& c : cases) {
        PaintedEditor g;
        TColumnEh* column = g.Column(1);
        column->SetHighlightRequired(c.highlight);
        if (c.setUp)
            c.setUp(column);
        TField* name = g.ds.FieldByName("NAME");
        name->Required = c.required;
        ASSERT_NE(g.OpenEditor(2, 2), nullptr) << c.what;
        if (c.empty || c.editing) {
            g.ds.Edit();
            if (c.empty)
                name->Clear();
        }
        if (!c.editing)
            g.ds.Cancel();
        g.ui.ProcessMessages();
        g.Repaint();
        const std::vector<int> mark = g.MarkPixels();
        EXPECT_EQ(!mark.empty(), c.expected) << c.what;
        if (!c.expected || mark.empty())
            continue;
        // Dotted, from the text's left + 2 to 3 short of its right.
        const TRect text = g.Editor()->ComputeTextRect();
        EXPECT_EQ(mark.front(), text.Left + 2) << c.what;
        EXPECT_GE(mark.back(), text.Right - 5) << c.what;
        EXPECT_LT(mark.back(), text.Right - 3) << c.what;
        EXPECT_LT(static_cast<int>(mark.size()), text.Right - 3 - (text.Left + 2)) << c.what;
    }
}

TEST(GridInplaceEditPaint, TheTextStandsBetweenTheImageAndTheButtonsMirroredRightToLeft) {
    for (bool rightToLeft : {false, true}) {
        SCOPED_TRACE(rightToLeft ? "right to left" : "left to right");
        PaintedEditor g;
        if (rightToLeft)
            g.grid->SetBiDiMode(bdRightToLeft);
        TColumnEh* column = g.Column(1);
        column->SetImageList(g.SolidImages());
        column->SetShowImageAndText(true);
        column->SetButtonStyle(cbsEllipsis);
        column->SetHighlightRequired(true);
        column->OnCheckDrawRequiredState = [](TObject*, const std::string&, bool& d) { d = true; };
        column->SetOnGetCellParams([](TObject*, bool EditMode, TColCellParamsEh* Params) {
            if (EditMode)
                Params->ImageIndex = 0;
        });
        g.AddButton(column, 15);
        ASSERT_NE(g.OpenEditor(2, 2), nullptr);
        g.MoveEditor(200, 24);
        const int buttons = GetSystemMetrics(SM_CXVSCROLL) + 15;
        ASSERT_EQ(g.Editor()->ButtonAreaWidth(), buttons);
        // 16-pixel image + 5 on the near side, the buttons on the far side.
        const TRect expected =
            rightToLeft ? TRect{2 + buttons, 2, 200 - 2 - 21, 24} : TRect{2 + 21, 2, 200 - 2 - buttons, 24};
        EXPECT_EQ(g.Editor()->ComputeTextRect(), expected);

        const TPoint at = g.TextDrawnAt("bravo");
        EXPECT_GE(at.X, expected.Left);
        EXPECT_LE(at.X, expected.Right);
        const std::vector<int> image = g.PixelsInRow(12, kImageColor);
        ASSERT_EQ(image.size(), 16u);
        EXPECT_EQ(image.front(), rightToLeft ? 200 - 2 - 16 : 2);
        const std::vector<int> mark = g.MarkPixels();
        ASSERT_FALSE(mark.empty());
        EXPECT_EQ(mark.front(), expected.Left + 2);
        EXPECT_LT(mark.back(), expected.Right - 3);
        // The buttons cover the far side.
        EXPECT_EQ(g.ButtonControl(0)->Left(), rightToLeft ? 15 : 200 - buttons);
    }
}

}  // namespace
