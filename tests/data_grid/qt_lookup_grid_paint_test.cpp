// The lookup grid and its drop-down painted by the Qt host under the offscreen platform, by their
// pixels: the chosen row (the special row or the key's record) in the highlight colours with the
// focus frame around it and on no other row, and the drop-down's frame and triangular size grip.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/drop_down_placement.h"
#include "data_controls/spec_row.h"
#include "data_grid/lookup_grid.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/messages.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

std::uint32_t Rgb(TColor color) {
    return ColorToArgb(color) & 0xFFFFFF;
}

int Luminance(std::uint32_t rgb) {
    return (((rgb >> 16) & 0xFF) * 30 + ((rgb >> 8) & 0xFF) * 59 + (rgb & 0xFF) * 11) / 100;
}

// What a row of the grid shows: its fill, the dotted frame's inversions of it along the row's top
// line, and how light and how dark the ink on it is.
struct RowLook {
    int filled = 0;     // pixels of the fill colour
    int topDots = 0;    // pixels of the top line that are the fill inverted
    int lightInk = 0;   // pixels far lighter than the fill
    int darkerInk = 0;  // pixels darker than the fill
};

RowLook Look(const RasterImage& shown, const TRect& cell, TColor fill) {
    RowLook look;
    const std::uint32_t fillRgb = Rgb(fill);
    for (int x = cell.Left; x < cell.Right; ++x)
        look.topDots += (shown.Pixel(x, cell.Top) & 0xFFFFFF) == (fillRgb ^ 0xFFFFFF);
    for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y)
        for (int x = cell.Left + 1; x < cell.Right - 1; ++x) {
            const std::uint32_t p = shown.Pixel(x, y) & 0xFFFFFF;
            look.filled += p == fillRgb;
            look.lightInk += Luminance(p) > Luminance(fillRgb) + 120;
            look.darkerInk += Luminance(p) + 10 < Luminance(fillRgb);
        }
    return look;
}

class QtLookupGridPaintTest : public QtHostTest {
  public:
    void SetUp() override {
        people = std::make_unique<TMemoryDataSet>();
        people->SetColumns({"ID", "NAME", "CITY"});
        people->SetColumnType(0, ftInteger);
        people->SetColumnType(1, ftString, 20);
        people->SetColumnType(2, ftString, 20);
        const char* names[] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"};
        for (int id = 1; id <= 6; ++id)
            people->AddRow({Variant(id), Variant(names[id - 1]), Variant("Омск")});
        people->Open();
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 460, 300);
        form->Font()->SetName("DejaVu Sans");
        form->Font()->SetSize(9);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 24);
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(people.get());
        grid = NewComponent<TDBLookupGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(10, 60, 300, 200);
        Bind(*grid);
        grid->SpecRow()->SetCellsText("(нет);-");
        grid->SpecRow()->SetVisible(true);
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        for (TDBLookupGridEh* g : {grid, static_cast<TDBLookupGridEh*>(popup)})
            if (g != nullptr)
                g->TCustomDBGridEh::SetDataSource(nullptr);
        grid = nullptr;
        popup = nullptr;
        Application->DestroyForms();
        people->BeforeDestruction();
        people.reset();
    }
    void Bind(TDBLookupGridEh& g) {
        g.SetListSource(source);
        g.SetKeyField("ID");
        g.SetListField("NAME;CITY");
    }
    void PressKey(WORD key) {
        platform::ui::PostKeyDown(*form, key, {}, "");
        Application->ProcessMessages();
    }
    RasterImage Shown() {
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    // A cell of the grid on the form.
    TRect OnForm(int col, int row) const {
        const TPoint o = grid->FormOrigin();
        return OffsetRect(grid->CellRect(col, row), o.X, o.Y);
    }
    // The drop-down under the edit, as the data-aware controls drop theirs: owned by the form,
    // parented by the edit, placed in screen coordinates and shown without activation.
    void DropDown(bool ctl3D) {
        popup = NewComponent<TPopupDataGridEh>(form);
        popup->SetVisible(false);
        popup->SetCtl3D(ctl3D);
        popup->SetParent(edit);
        Bind(*popup);
        popup->SetWidth(edit->Width());
        popup->SetRowCount(4);
        const TPoint at = PlaceDropDownByControl(edit, popup, daLeft);
        popup->SetBounds(at.X, at.Y, popup->Width(), popup->Height());
        ShowWindow(popup->Handle(), SW_SHOWNOACTIVATE);
        popup->SetVisible(true);
        Application->ProcessMessages();
    }

    GridUnitScope unit;
    std::unique_ptr<TMemoryDataSet> people;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TDataSource* source = nullptr;
    TDBLookupGridEh* grid = nullptr;
    TPopupDataGridEh* popup = nullptr;
};

TEST_F(QtLookupGridPaintTest, OnlyTheChosenRowIsHighlightedAndFramed) {
    constexpr int None = -2;
    constexpr int Special = -1;
    const struct {
        const char* what;
        std::function<void(QtLookupGridPaintTest&)> choose;
        int chosen;  // the shown list row that is chosen, Special or None
    } cases[] = {
        {"the special row, chosen by Up at the first record",
         [](QtLookupGridPaintTest& t) {
             t.grid->SetKeyValue(Variant(1));
             t.grid->SetFocus();
             t.PressKey(VK_UP);
             t.PressKey(VK_UP);
             ASSERT_TRUE(t.grid->SpecRowSelected());
         },
         Special},
        {"the key's record while the edit has the focus",
         [](QtLookupGridPaintTest& t) { t.grid->SetKeyValue(Variant(3)); }, 2},
        {"the key's record chosen by Down in the focused grid",
         [](QtLookupGridPaintTest& t) {
             t.grid->SetKeyValue(Variant(4));
             t.grid->SetFocus();
             t.PressKey(VK_DOWN);
             ASSERT_EQ(t.grid->KeyValue().AsInteger(), 5);
         },
         4},
        {"a key missing from the list, without the special row standing for it",
         [](QtLookupGridPaintTest& t) {
             t.grid->SpecRow()->SetShowIfNotInKeyList(false);
             t.grid->SetKeyValue(Variant(99));
             t.grid->SetFocus();
         },
         None},
        {"the list scrolled off the key by the scroll bar",
         [](QtLookupGridPaintTest& t) {
             t.grid->SetKeyValue(Variant(1));
             t.grid->SetRowCount(3);
             t.grid->SetFocus();
             t.grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
             ASSERT_GT(t.people->FieldByName("ID")->AsInteger(), 3);
             ASSERT_EQ(t.grid->KeyValue().AsInteger(), 1);
         },
         None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.choose(*this);
        const RasterImage shown = Shown();
        const int specRow = grid->TopDataOffset() - 1;
        const int shownRows = std::min(people->RecordCount(), grid->ListRowCount());
        for (int index = Special; index < shownRows; ++index) {
            const bool chosen = index == c.chosen;
            SCOPED_TRACE(index);
            for (int col = grid->IndicatorOffset(); col < grid->ColCount(); ++col) {
                SCOPED_TRACE(col);
                const TRect cell = OnForm(col, index == Special ? specRow : specRow + 1 + index);
                const RowLook look = Look(shown, cell, chosen ? clHighlight : clWindow);
                const int inside = (cell.Width() - 2) * (cell.Height() - 2);
                EXPECT_GT(look.filled, inside / 2) << "the row's fill";
                if (chosen) {
                    EXPECT_GT(look.lightInk, 1) << "text in the highlight text colour";
                    EXPECT_EQ(look.darkerInk, 0) << "no text in the window text colour";
                    EXPECT_GE(look.topDots, cell.Width() / 3) << "the focus frame along the row";
                } else {
                    EXPECT_EQ(look.topDots, 0) << "no focus frame";
                }
            }
        }
    }
}

// The special row of a right-to-left grid is mirrored with its columns: each cell's text stands over
// its own column, and the whole row is highlighted and framed.
TEST_F(QtLookupGridPaintTest, SpecialRowCellsStandOverTheirColumnsInBothReadingOrders) {
    for (const TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
        SCOPED_TRACE(mode == bdLeftToRight ? "left to right" : "right to left");
        TearDown();
        SetUp();
        grid->SpecRow()->SetCellsText("(нет);-");
        grid->SetBiDiMode(mode);
        ASSERT_TRUE(grid->SpecRowSelected());
        const RasterImage shown = Shown();
        const int row = grid->TopDataOffset() - 1;
        RowLook looks[2];
        for (int column = 0; column < 2; ++column) {
            TRect cell = grid->CellRect(grid->IndicatorOffset() + column, row);
            if (mode == bdRightToLeft)
                cell = {grid->ClientWidth() - cell.Right, cell.Top, grid->ClientWidth() - cell.Left,
                        cell.Bottom};
            const TPoint o = grid->FormOrigin();
            cell = OffsetRect(cell, o.X, o.Y);
            looks[column] = Look(shown, cell, clHighlight);
            EXPECT_GT(looks[column].filled, (cell.Width() - 2) * (cell.Height() - 2) / 2) << column;
            EXPECT_GE(looks[column].topDots, cell.Width() / 3) << column;
        }
        // "(нет)" over the first column leaves far more ink than "-" over the second.
        EXPECT_GT(looks[0].lightInk, 3 * looks[1].lightInk);
        EXPECT_GT(looks[1].lightInk, 0);
    }
}

// Pixels along one edge of a window's rectangle, corners left out, that are of the colour.
int EdgePixelsOf(const RasterImage& shown, TPoint from, TPoint step, int count, TColor color) {
    int n = 0;
    for (int i = 1; i < count - 1; ++i)
        n += (shown.Pixel(from.X + step.X * i, from.Y + step.Y * i) & 0xFFFFFF) == Rgb(color);
    return n;
}

TEST_F(QtLookupGridPaintTest, DropDownShowsItsFrameAndATriangularGripInTheCorner) {
    const struct {
        bool ctl3D;
        TColor topLeft, bottomRight;
    } cases[] = {{true, cl3DLight, cl3DDkShadow}, {false, clWindowFrame, clWindowFrame}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ctl3D ? "raised edge" : "plain border");
        TearDown();
        SetUp();
        DropDown(c.ctl3D);
        ASSERT_NE(popup->PopupWindow(), nullptr) << "a window of its own above the form";
        ASSERT_TRUE(popup->PopupWindow()->Shown());
        EXPECT_EQ(FocusedControl(), edit);
        const RasterImage& shown = popup->PopupWindow()->SurfaceImage();
        const int w = popup->Width(), h = popup->Height();
        ASSERT_EQ(shown.Width(), w);
        EXPECT_EQ(popup->ClientOffset(), (TPoint{1, 1}));
        EXPECT_EQ(EdgePixelsOf(shown, {0, 0}, {1, 0}, w, c.topLeft), w - 2) << "top";
        EXPECT_EQ(EdgePixelsOf(shown, {0, 0}, {0, 1}, h, c.topLeft), h - 2) << "left";
        EXPECT_EQ(EdgePixelsOf(shown, {w - 1, 0}, {0, 1}, h, c.bottomRight), h - 2) << "right";
        EXPECT_EQ(EdgePixelsOf(shown, {0, h - 1}, {1, 0}, w, c.bottomRight), w - 2) << "bottom";

        const TSizeGripEh& grip = *popup->SizeGrip();
        const int size = grip.Width();
        ASSERT_EQ(grip.Height(), size);
        EXPECT_EQ(grip.BoundsRect(), (TRect{popup->ClientWidth() - size, popup->ClientHeight() - size,
                                            popup->ClientWidth(), popup->ClientHeight()}));
        // The grip's lines fill the triangle below its diagonal; above it the grid's cell shows.
        const TPoint at{grip.Left() + popup->ClientOffset().X, grip.Top() + popup->ClientOffset().Y};
        int linesBelow = 0, facesAbove = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const std::uint32_t p = shown.Pixel(at.X + x, at.Y + y) & 0xFFFFFF;
                const bool line = p == Rgb(clBtnShadow) || p == Rgb(clBtnFace);
                if (x + y >= size)
                    linesBelow += p == Rgb(clBtnShadow);
                else if (x + y < size - 2)
                    facesAbove += line;
            }
        EXPECT_GT(linesBelow, size) << "the grip's shadowed lines";
        EXPECT_EQ(facesAbove, 0) << "nothing of the grip above its diagonal";
    }
}

}  // namespace
