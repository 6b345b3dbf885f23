#pragma once
// A grid on a borderless form of the Qt host under the offscreen platform, over an in-memory dataset
// the test fills: the grid's unit set up for each test, DejaVu Sans 9 as the form's font, and after
// the test everything freed, the cached button faces dropped and the grid style made anew.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "data_controls/button_bitmap_cache.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

// Public: the paint tests' helpers outside the fixture read its parts.
class QtGridFormTest : public QtHostTest {
  public:
    // The form of that size, with the empty dataset beside it.
    void CreateGridForm(int width, int height) {
        InitializeDBGridEhUnit();
        ds = std::make_unique<TMemoryDataSet>();
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, width, height);
        form->Font()->SetName("DejaVu Sans");
        form->Font()->SetSize(9);
    }
    void PlaceGrid(const TRect& bounds) {
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    // The dataset's source, made once the dataset has its columns.
    void MakeSource() {
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(ds.get());
    }
    // The form shown, then the dataset opened and shown in the grid.
    void ShowData() {
        form->Show();
        ds->Open();
        grid->SetDataSource(source);
    }
    void TearDown() override {
        grid->SetDataSource(nullptr);
        Application->DestroyForms();
        ds->BeforeDestruction();
        ds.reset();
        FlushButtonBitmapCache();
        FinalizeDBGridEhUnit();
        MakeDefaultGridStyle();
    }
    TDBGridColumnsEh& Columns() const { return static_cast<TDBGridColumnsEh&>(*grid->Columns()); }

    std::unique_ptr<TMemoryDataSet> ds;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TDataSource* source = nullptr;
};

// Pixels darker than mid-grey in every channel: a glyph or a letter drawn in black or a dark grey.
inline int DarkPixels(const platform::ui::RasterImage& shown, const TRect& rect) {
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            const std::uint32_t p = shown.Pixel(x, y);
            n += ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
        }
    return n;
}
