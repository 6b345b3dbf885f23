// The grid painted by the Qt host under the offscreen platform, one case per visible feature:
// titles with their images and sort markers, the indicator, the selection, the focused cell, row
// colours, footers, check boxes, cell images, cell buttons, the flat border and right-to-left.
#include <gtest/gtest.h>

#include <functional>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/data_source.h"
#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/themes.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/data_grid/qt_grid_scope.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

class QtGridPaintTest : public QtGridFormTest {
  public:
    void SetUp() override {
        CreateGridForm(460, 260);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 230, 100, 24);
        PlaceGrid({10, 10, 450, 220});
        grid->SetExtOptions({});
        ds->SetColumns({"ID", "NAME", "PAID"});
        ds->SetColumnType(0, ftInteger);
        ds->SetColumnType(1, ftString, 20);
        ds->SetColumnType(2, ftBoolean);
        for (int id = 1; id <= 4; ++id)
            ds->AddRow({Variant(id), Variant("Пациент " + IntToStr(id)), Variant(id % 2 == 0)});
        MakeSource();
        auto& columns = Columns();
        for (const char* name : {"ID", "NAME", "PAID"}) columns.Add()->SetFieldName(name);
        images = NewComponent<TImageList>(form);
        images->SetWidth(8);
        images->SetHeight(8);
        TBitmap red;
        red.SetSize(8, 8);
        red.Canvas()->Brush()->SetColor(clRed);
        red.Canvas()->FillRect({0, 0, 8, 8});
        images->Add(&red, nullptr);
        ShowData();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    TColumnEh* Column(int index) { return static_cast<TColumnEh*>(grid->Columns()->Items(index)); }
    // The rows and columns the grid shows for its data, whatever laid them out.
    void Relayout() {
        const int footers = grid->FooterRowCount();
        grid->DataLink()->SetBufferCount(ds->RecordCount());
        grid->SetColCount(grid->Columns()->Count() + 1);
        grid->SetFixedCols(1);
        grid->SetRowCount(grid->TopDataOffset() + grid->DataLink()->RecordCount() +
                          (footers > 0 ? footers + 1 : 0));
        grid->SetFixedRows(grid->TopDataOffset());
    }
    RasterImage Shown() {
        Relayout();
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    // A cell's rectangle on the form.
    TRect OnForm(int col, int row) {
        const TPoint client = ClientOnForm();
        return OffsetRect(grid->CellRect(col, row), client.X, client.Y);
    }
    TPoint ClientOnForm() {
        return {grid->Left() + grid->ClientOffset().X, grid->Top() + grid->ClientOffset().Y};
    }

    TEdit* edit = nullptr;
    TImageList* images = nullptr;
};

// Pixels of the rectangle that are neither of two colours.
int Ink(const RasterImage& shown, const TRect& rect, TColor a, TColor b) {
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            const std::uint32_t p = shown.Pixel(x, y) & 0xFFFFFF;
            n += p != (ColorToArgb(a) & 0xFFFFFF) && p != (ColorToArgb(b) & 0xFFFFFF);
        }
    return n;
}

TRect LeftPart(const TRect& r, int width) {
    return {r.Left, r.Top, r.Left + width, r.Bottom};
}
TRect RightPart(const TRect& r, int width) {
    return {r.Right - width, r.Top, r.Right, r.Bottom};
}

TEST_F(QtGridPaintTest, EachFeatureShows) {
    struct Case {
        const char* what;
        std::function<void(QtGridPaintTest&)> setUp;
        std::function<void(QtGridPaintTest&, const RasterImage&)> check;
    };
    const Case cases[] = {
        {"a title image and a sort marker",
         [](QtGridPaintTest& t) {
             t.grid->SetTitleImages(t.images);
             t.Column(0)->Title()->SetImageIndex(0);
             t.Column(1)->Title()->SetSortMarker(smDownEh);
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_GE(PixelsOf(shown, t.OnForm(1, 0), clRed), 8 * 8 - 8);
             const TRect name = t.OnForm(2, 0);
             EXPECT_GT(Ink(shown, RightPart(name, 18), clBtnFace, clBlack), 0);
             EXPECT_GT(PixelsOf(shown, LeftPart(name, name.Width() / 2), clBlack), 0);
         }},
        {"a 3-D grid under the host's theme gives its fixed cells the theme's button face",
         [](QtGridPaintTest& t) { t.grid->SetExtOptions({gxoFixed3DEh}); },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             if (!ThemeServices().ThemesEnabled())
                 return;
             const TRect cell = t.OnForm(0, 2);
             TBitmap face;
             face.SetSize(cell.Width(), cell.Height());
             face.Canvas()->Brush()->SetColor(clBtnFace);
             face.Canvas()->FillRect({0, 0, cell.Width(), cell.Height()});
             ThemeServices().DrawElement(face.Canvas()->Handle(), {teButton, BP_PUSHBUTTON, TS_NORMAL},
                                         {0, 0, cell.Width(), cell.Height()});
             EXPECT_EQ(DifferingPixels(shown, cell, face.Pixels()), 0);
             // The title's face shows around its caption.
             const TRect title = t.OnForm(1, 0);
             EXPECT_EQ(shown.Pixel(title.Left + 3, title.Bottom - 3) & 0xFFFFFF,
                       face.Pixels().Pixel(3, cell.Height() - 3) & 0xFFFFFF);
         }},
        {"the indicator marks the current row only", [](QtGridPaintTest&) {},
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_GT(PixelsOf(shown, t.OnForm(0, 1), clBlack), 5);
             EXPECT_EQ(PixelsOf(shown, t.OnForm(0, 2), clBlack), 0);
         }},
        {"selected rows are highlighted",
         [](QtGridPaintTest& t) {
             t.grid->SetOptions(t.grid->Options() +
                                TDBGridEhOptions{gdoMultiSelectEh, gdoAlwaysShowSelectionEh});
             t.ds->Locate("ID", Variant(3), {});
             t.grid->SelectedRows()->SelectCurrentRow(true);
             t.ds->First();
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TRect selected = t.OnForm(2, 3);
             const TRect plain = t.OnForm(2, 4);
             EXPECT_LT(PixelsOf(shown, selected, clWindow), selected.Width() * selected.Height() / 2);
             EXPECT_GT(PixelsOf(shown, plain, clWindow), plain.Width() * plain.Height() / 2);
             EXPECT_EQ(shown.Pixel(t.OnForm(0, 3).Left + 1, t.OnForm(0, 3).Top + 1) & 0xFFFFFF, 0x404040u);
         }},
        {"the focused grid's current cell takes the highlight colour",
         [](QtGridPaintTest& t) {
             t.grid->SetExtOptions({gxoHighlightFocusEh});
             t.grid->SetFocus();
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TRect cell = t.OnForm(t.grid->Col(), 1);
             EXPECT_GT(PixelsOf(shown, cell, clHighlight), cell.Width() * cell.Height() / 2);
             EXPECT_EQ(PixelsOf(shown, t.OnForm(t.grid->Col(), 2), clHighlight), 0);
         }},
        {"odd and even records take their row colours",
         [](QtGridPaintTest& t) {
             t.grid->SetOddRowColor(clYellow);
             t.grid->SetEvenRowColor(clAqua);
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_GT(PixelsOf(shown, t.OnForm(2, 3), clYellow), 20);
             EXPECT_GT(PixelsOf(shown, t.OnForm(2, 4), clAqua), 20);
             EXPECT_EQ(PixelsOf(shown, t.OnForm(2, 4), clYellow), 0);
         }},
        {"a row colour never set is the grid's colour",
         [](QtGridPaintTest& t) {
             t.grid->SetColor(clMoneyGreen);
             t.grid->SetOddRowColor(clYellow);
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_GT(PixelsOf(shown, t.OnForm(2, 3), clYellow), 20);
             EXPECT_GT(PixelsOf(shown, t.OnForm(2, 4), clMoneyGreen), 20);
             EXPECT_EQ(PixelsOf(shown, t.OnForm(2, 4), clWindow), 0);
         }},
        {"a sum footer writes its total on the footer colour",
         [](QtGridPaintTest& t) {
             t.grid->SetFooterRowCount(1);
             t.grid->SetFooterColor(clMoneyGreen);
             static_cast<TColumnFooterEh*>(t.Column(0)->Footer())->SetValueType(fvtSum);
             t.grid->SumList()->SetActive(true);
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TRect footer = t.OnForm(1, t.grid->RowCount() - 1);
             EXPECT_GT(PixelsOf(shown, footer, clMoneyGreen), footer.Width() * footer.Height() / 2);
             EXPECT_GT(Ink(shown, footer, clMoneyGreen, clMoneyGreen), 5);
         }},
        {"a check-box column shows each record's box face",
         [](QtGridPaintTest& t) { t.Column(2)->SetCheckboxes(true); },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TSize glyph = MeasureCheckGlyph();
             for (int row : {1, 2}) {
                 const TRect cell = t.OnForm(3, row);
                 const TRect at = Bounds(cell.Left + (cell.Width() - glyph.cx) / 2,
                                         cell.Top + (cell.Height() - glyph.cy) / 2, glyph.cx, glyph.cy);
                 EXPECT_EQ(
                     DifferingPixels(
                         shown, at, ExpectedFace(glyph, clWindow, row == 2 ? cbChecked : cbUnchecked, false)),
                     0)
                     << row;
             }
         }},
        {"an image column shows the record's image",
         [](QtGridPaintTest& t) {
             t.Column(0)->SetImageList(t.images);
             t.Column(0)->KeyList()->Add("1");
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_GE(PixelsOf(shown, t.OnForm(1, 1), clRed), 8 * 8 - 8);
             EXPECT_EQ(PixelsOf(shown, t.OnForm(1, 2), clRed), 0);
         }},
        {"a column's ellipsis button stands at the cell's right",
         [](QtGridPaintTest& t) {
             t.Column(1)->SetButtonStyle(cbsEllipsis);
             t.Column(1)->SetAlwaysShowEditButton(true);
             t.Column(2)->SetButtonStyle(cbsNone);
         },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TRect cell = t.OnForm(2, 2);
             const int width = t.grid->EditButtonWidth();
             // The host's theme draws the face: whatever it is, it is not the window colour.
             EXPECT_GT(PixelsNotOf(shown, RightPart(cell, width), clWindow), width * cell.Height() / 2);
             const TRect plain = t.OnForm(3, 2);
             EXPECT_LT(PixelsNotOf(shown, RightPart(plain, width), clWindow), width * cell.Height() / 4);
         }},
        {"a flat grid has a one-pixel sunken border", [](QtGridPaintTest& t) { t.grid->SetFlat(true); },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             EXPECT_EQ(t.ClientOnForm().X, t.grid->Left() + 1);
             EXPECT_EQ(shown.Pixel(t.grid->Left(), t.grid->Top() + 20) & 0xFFFFFF,
                       ColorToArgb(cl3DDkShadow) & 0xFFFFFF);
             EXPECT_EQ(shown.Pixel(t.grid->Left() + t.grid->Width() - 1, t.grid->Top() + 20) & 0xFFFFFF,
                       ColorToArgb(cl3DLight) & 0xFFFFFF);
         }},
        {"right-to-left puts the indicator at the right",
         [](QtGridPaintTest& t) { t.grid->SetBiDiMode(bdRightToLeft); },
         [](QtGridPaintTest& t, const RasterImage& shown) {
             const TRect left = t.OnForm(0, 1);
             const int client = t.ClientOnForm().X;
             const TRect mirrored{2 * client + t.grid->ClientWidth() - left.Right, left.Top,
                                  2 * client + t.grid->ClientWidth() - left.Left, left.Bottom};
             EXPECT_GT(PixelsOf(shown, mirrored, clBlack), 5);
             EXPECT_EQ(PixelsOf(shown, left, clBlack), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.setUp(*this);
        c.check(*this, Shown());
    }
}

// A themed grid paints through the off-screen bitmap; switched off, it paints the same pixels
// straight into the window.
TEST_F(QtGridPaintTest, BufferedPaintShowsWhatDirectPaintShows) {
    grid->SetExtOptions({gxoFixed3DEh});
    if (!grid->NeedsBufferedPaint())
        GTEST_SKIP() << "no host theme";
    const RasterImage buffered = Shown();
    DBGridEhUnit()->SetNoBufferedPaint(true);
    const RasterImage direct = Shown();
    DBGridEhUnit()->SetNoBufferedPaint(false);
    int differing = 0;
    for (int y = grid->Top(); y < grid->Top() + grid->Height(); ++y)
        for (int x = grid->Left(); x < grid->Left() + grid->Width(); ++x)
            differing += (buffered.Pixel(x, y) & 0xFFFFFF) != (direct.Pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differing, 0);
    // Not trivially: the grid drew its cells.
    EXPECT_GT(PixelsNotOf(buffered, OnForm(2, 1), clBtnFace), 10);
}

}  // namespace
