// The grid unit's glyphs and cursors on the Qt host, by their pixels: each glyph drawn through its
// image list shows the background where its transparency key is (white, teal, fuchsia) and its
// own colours elsewhere; the search-time arrow sits on the yellow search background; a selection
// cursor becomes a Qt pointer with its picture and hot spot.
#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/image_list.h"
#include "platform/ui/qt/qt_window.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtGridUnitTest : public QtHostTest {
  protected:
    ~QtGridUnitTest() override { MakeDefaultGridStyle(); }
};

// The colour at (x, y) of image Index drawn over lime.
TColor Shown(TImageList& list, int index, int x, int y) {
    TBitmap bitmap;
    bitmap.SetSize(list.Width(), list.Height());
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(TRect{0, 0, list.Width(), list.Height()});
    list.Draw(bitmap.Canvas(), 0, 0, index);
    return bitmap.Canvas()->Pixel(x, y);
}

TEST_F(QtGridUnitTest, GlyphsShowTheBackgroundThroughTheirKeys) {
    TDBGridEhUnit unit;
    constexpr TColor grey = RGB(64, 64, 64);
    struct Case {
        const char* glyph;
        bool sortMarker;
        int index;
        TPoint key, body;
        TColor bodyColour;
    };
    const Case cases[] = {
        {"DBGARROWEH", false, 0, {5, 0}, {0, 5}, clBlack},
        {"DBEDITEH", false, 1, {0, 0}, {2, 5}, clBlack},
        {"DBINSERTEH", false, 2, {0, 0}, {2, 5}, clBlack},
        {"DBMULTIDOTEH", false, 3, {0, 0}, {2, 5}, clBlack},
        {"DBMULTIARROWEH", false, 4, {5, 0}, {0, 3}, clBlack},
        {"DBGARROWEHW: white stays, teal is the key", false, 5, {0, 0}, {5, 5}, clWhite},
        {"DBGARROWEHW's arrow", false, 5, {0, 10}, {0, 5}, clBlack},
        {"the search-time arrow on yellow", false, 6, {0, 0}, {5, 5}, RGB(255, 255, 0)},
        {"the search-time arrow itself", false, 6, {0, 10}, {0, 5}, clBlack},
        {"DBSMDOWNEH", true, 0, {0, 0}, {4, 3}, grey},
        {"DBSMUPEH", true, 1, {0, 0}, {4, 5}, grey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.glyph);
        TImageList& list = c.sortMarker ? unit.SortMarkers() : unit.Indicators();
        EXPECT_EQ(Shown(list, c.index, c.key.X, c.key.Y), clLime);
        EXPECT_EQ(Shown(list, c.index, c.body.X, c.body.Y), c.bodyColour);
    }
    // Sort markers point their own way.
    EXPECT_EQ(Shown(unit.SortMarkers(), 0, 1, 2), grey);
    EXPECT_EQ(Shown(unit.SortMarkers(), 1, 1, 2), clLime);
}

TEST_F(QtGridUnitTest, ASelectionCursorIsAQtPointerWithItsPictureAndHotSpot) {
    TDBGridEhUnit unit;
    struct Case {
        TCursor cursor;
        QPoint hotSpot, body, clear;
    };
    const Case cases[] = {
        {unit.ColumnSelectCursor(), {7, 13}, {7, 3}, {0, 0}},
        {unit.RowSelectCursor(), {13, 7}, {3, 7}, {0, 0}},
        {unit.RightToLeftRowSelectCursor(), {2, 7}, {12, 7}, {15, 0}},
    };
    for (const Case& c : cases) {
        const QCursor cursor = platform::ui::CursorFor(c.cursor);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), c.hotSpot);
        const QImage picture = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_EQ(picture.pixel(c.body), qRgba(0, 0, 0, 255));
        EXPECT_EQ(qAlpha(picture.pixel(c.clear)), 0);
    }
    EXPECT_EQ(platform::ui::CursorFor(crIBeam).shape(), Qt::IBeamCursor);
}

}  // namespace
