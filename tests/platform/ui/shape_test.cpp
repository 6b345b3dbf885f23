// TShape: where its outline and inside fall for each kind of shape.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/shape.h"

namespace {

std::uint32_t Rgb(TColor color) {
    TColor c = ColorToRGB(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class ShapeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 200, 200);
        form->SetColor(clSilver);
        shape = NewComponent<TShape>(form);
        shape->SetParent(form);
        shape->SetBounds(10, 10, 60, 40);
        shape->Pen()->SetColor(clRed);
        shape->Pen()->SetWidth(2);
        shape->Brush()->SetColor(clBlue);
        form->Show();
        ui.ProcessMessages();
    }
    std::uint32_t At(int x, int y) {
        form->Repaint();
        return form->SurfaceImage().Pixel(shape->Left() + x, shape->Top() + y) & 0xFFFFFF;
    }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TShape* shape = nullptr;
};

TEST_F(ShapeTest, EachShapeHasItsOutlineInsideAndOutside) {
    struct Point {
        int X, Y;
        TColor Colour;
    };
    struct Case {
        TShapeType Type;
        std::vector<Point> Points;
    };
    const Case cases[] = {
        // The pen two pixels wide inside the bounds, the brush within it.
        {stRectangle, {{0, 0, clRed}, {1, 20, clRed}, {2, 2, clBlue}, {59, 39, clRed}, {57, 37, clBlue}}},
        // A square of the smaller side (40), centred: columns 10 to 49.
        {stSquare,
         {{9, 20, clSilver}, {10, 20, clRed}, {12, 20, clBlue}, {49, 20, clRed}, {50, 20, clSilver}}},
        // Ellipse and circle leave their corners; their middles and edges are drawn.
        {stEllipse, {{0, 0, clSilver}, {59, 39, clSilver}, {30, 20, clBlue}, {0, 20, clRed}, {30, 0, clRed}}},
        {stCircle,
         {{10, 0, clSilver}, {30, 20, clBlue}, {10, 20, clRed}, {30, 39, clRed}, {5, 20, clSilver}}},
        // Rounded corners: the very corner is left, the middle of each side is outline.
        {stRoundRect, {{0, 0, clSilver}, {30, 0, clRed}, {0, 20, clRed}, {30, 20, clBlue}}},
        {stRoundSquare, {{10, 0, clSilver}, {30, 0, clRed}, {30, 20, clBlue}, {5, 20, clSilver}}},
    };
    for (const Case& c : cases) {
        shape->SetShape(c.Type);
        for (const Point& p : c.Points)
            EXPECT_EQ(At(p.X, p.Y), Rgb(p.Colour)) << "shape " << c.Type << " at " << p.X << "," << p.Y;
    }
}

TEST_F(ShapeTest, AClearBrushOrPenLeavesWhatIsBehind) {
    shape->Brush()->SetStyle(bsClear);
    EXPECT_EQ(At(30, 20), Rgb(clSilver));
    EXPECT_EQ(At(0, 0), Rgb(clRed));
    shape->Brush()->SetStyle(bsSolid);
    shape->Pen()->SetStyle(psClear);
    EXPECT_EQ(At(0, 0), Rgb(clBlue));
    // A one-pixel separator: a thin shape is all outline.
    shape->Pen()->SetStyle(psSolid);
    shape->SetBounds(10, 10, 1, 30);
    EXPECT_EQ(At(0, 15), Rgb(clRed));
}

}  // namespace
