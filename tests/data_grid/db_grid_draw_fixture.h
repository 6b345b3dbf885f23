#pragma once
// A data grid on a shown headless form over the in-memory dataset (an integer, a text and a Boolean
// field), painted on demand: what each cell drew is read back from the form's pixels and from the
// headless host's log of drawn texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_list.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/support/memory_dataset.h"

namespace grid_draw_test {

// Opens the grid's protected painting entries to the tests.
class DrawProbeGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::CellHas3DFrame;
    using TCustomDBGridEh::TCustomDBGridEh;
};

// A text the last paint drew, in the grid's client coordinates.
struct DrawnText {
    std::string Text;
    TPoint At;
    std::uint32_t Argb = 0;
};

struct GridDrawRig {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    DrawProbeGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    GridDrawRig() {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 520, 320);
        grid = NewComponent<DrawProbeGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 500, 300);
        ds.SetColumns({"ID", "NAME", "PAID"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        ds.SetColumnType(2, ftBoolean);
        for (int id = 1; id <= 4; ++id)
            ds.AddRow({Variant(id), Variant(id <= 2 ? "Иванов" : "Петров"), Variant(id % 2 == 0)});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        // Plain cells unless a case asks for frames.
        grid->SetExtOptions({});
        for (const char* name : {"ID", "NAME", "PAID"}) Columns().Add()->SetFieldName(name);
        form->Show();
        ds.Open();
        grid->SetDataSource(source);
        Relayout();
        ui.ProcessMessages();
    }
    // The title, filter, record, filler and footer rows for what the grid now shows.
    void Relayout() {
        const int top = grid->TopDataOffset();
        const int footers = grid->FooterRowCount();
        grid->DataLink()->SetBufferCount(ds.RecordCount());
        grid->SetColCount(Columns().Count() + 1);
        grid->SetFixedCols(1);
        grid->SetRowCount(top + grid->DataLink()->RecordCount() + (footers > 0 ? footers + 1 : 0));
        grid->SetFixedRows(top);
    }
    ~GridDrawRig() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
        Free(form);
    }
    TColumnEh* Column(int index) { return static_cast<TColumnEh*>(grid->Columns()->Items(index)); }
    TDBGridColumnsEh& Columns() { return static_cast<TDBGridColumnsEh&>(*grid->Columns()); }

    // Paints the grid now; the texts drawn, in client coordinates.
    std::vector<DrawnText> Paint() {
        return TextsDrawnBy([this] { grid->Repaint(); });
    }
    // Draws one fixed cell now, as the grid's painting would; the texts drawn.
    std::vector<DrawnText> DrawFixed(int Col, int Row, std::uint16_t CellType) {
        return TextsDrawnBy([&] {
            bool highlighted = false;
            grid->DrawFixedCell(Col, Row, highlighted, {gdFixed}, grid->CellRect(Col, Row), CellType);
        });
    }
    // The texts the drawing puts on the grid, in client coordinates.
    template <class Drawing>
    std::vector<DrawnText> TextsDrawnBy(Drawing draw) {
        auto& log = ui.System().TextLog();
        log.Drawn.clear();
        draw();
        TControlCanvas canvas;
        canvas.SetControl(grid);
        TPoint origin;
        canvas.Surface(&origin);
        std::vector<DrawnText> texts;
        for (const auto& d : log.Drawn)
            texts.push_back({d.Text, {d.At.X - origin.X, d.At.Y - origin.Y}, d.Argb});
        return texts;
    }
    std::uint32_t Pixel(int x, int y) {
        TControlCanvas canvas;
        canvas.SetControl(grid);
        return ColorToArgb(canvas.Pixel(x, y)) & 0xFFFFFF;
    }
    int CountPixels(const TRect& area, TColor color) {
        const std::uint32_t want = ColorToArgb(color) & 0xFFFFFF;
        int count = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) count += Pixel(x, y) == want ? 1 : 0;
        return count;
    }
    // The box of the pixels in the area that differ from the background.
    TRect Ink(const TRect& area, TColor background) {
        const std::uint32_t back = ColorToArgb(background) & 0xFFFFFF;
        TRect box{area.Right, area.Bottom, area.Left, area.Top};
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (Pixel(x, y) != back)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    }
    // Whether the glyph of the list stands with its top-left at (x, y): each of its drawn pixels
    // matches.
    bool GlyphAt(TImageList& list, int index, int x, int y) {
        constexpr TColor key = 0x00FF00FF;
        TBitmap probe;
        probe.SetSize(list.Width(), list.Height());
        probe.Canvas()->Brush()->SetColor(key);
        probe.Canvas()->FillRect({0, 0, list.Width(), list.Height()});
        list.Draw(probe.Canvas(), 0, 0, index);
        int drawn = 0;
        for (int py = 0; py < list.Height(); ++py)
            for (int px = 0; px < list.Width(); ++px) {
                const std::uint32_t want = ColorToArgb(probe.Canvas()->Pixel(px, py)) & 0xFFFFFF;
                if (want == (ColorToArgb(key) & 0xFFFFFF))
                    continue;
                ++drawn;
                if (Pixel(x + px, y + py) != want)
                    return false;
            }
        return drawn > 0;
    }
    // Which indicator glyph the cell shows at its right edge (margin 2), -1 for none.
    int IndicatorGlyph(int row) {
        TImageList& list = DBGridEhUnit()->Indicators();
        const TRect cell = grid->CellRect(0, row);
        const int x = cell.Right - 2 - list.Width();
        const int y = (cell.Top + cell.Bottom - list.Height()) / 2;
        for (int i = 0; i < list.Count(); ++i)
            if (GlyphAt(list, i, x, y))
                return i;
        return -1;
    }
    const DrawnText* Find(const std::vector<DrawnText>& texts, const std::string& text) {
        for (const DrawnText& d : texts)
            if (d.Text == text)
                return &d;
        return nullptr;
    }
    int Occurrences(const std::vector<DrawnText>& texts, const std::string& text) {
        int n = 0;
        for (const DrawnText& d : texts) n += d.Text == text ? 1 : 0;
        return n;
    }
};

}  // namespace grid_draw_test
