#pragma once
// A headless form holding one text grid: 6 columns of 50 and 8 rows of 20 pixels, one fixed column
// and row, lines 1 pixel wide, and helpers that drive the mouse at points of the grid's client area.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "text_grid.h"

class GridForm : public TForm {
  public:
    explicit GridForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 400, 300);
        SetColor(clWhite);
        grid = NewComponent<TTextGrid>(this);
        grid->SetParent(this);
        grid->SetLeft(10);
        grid->SetTop(10);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->SetScrollBars(ssNone);
        for (int c = 0; c < 6; ++c)
            for (int r = 0; r < 8; ++r)
                grid->Cells[{c, r}] = std::string(1, static_cast<char>('A' + c)) + std::to_string(r);
    }
    TTextGrid* grid;
};

class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        grid = form->grid;
        form->Show();
        ui.ProcessMessages();
        // The border is known once the window is made.
        grid->SetClientWidth(200);
        grid->SetClientHeight(100);
        ASSERT_EQ(grid->ClientRect(), Rect(0, 0, 200, 100));
        grid->SetFocus();
        ui.ProcessMessages();
    }
    TPoint FormPoint(TPoint client) const {
        TPoint origin = grid->FormOrigin();
        return {origin.X + client.X, origin.Y + client.Y};
    }
    void Press(TPoint p, TShiftState shift = {}) {
        platform::ui::PostMouseDown(*form, mbLeft, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void MoveTo(TPoint p, TShiftState shift = {ssLeft}) {
        platform::ui::PostMouseMove(*form, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void Release(TPoint p, TShiftState shift = {}) {
        platform::ui::PostMouseUp(*form, mbLeft, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void Drag(TPoint from, TPoint to) {
        Press(from);
        MoveTo(to);
        Release(to);
    }
    // A pixel of the grid's client area.
    std::uint32_t Pixel(int x, int y) const {
        TPoint p = FormPoint({x, y});
        return form->SurfaceImage().Pixel(p.X, p.Y);
    }
    TGridCoord Current() const { return {grid->Col(), grid->Row()}; }

    platform::ui::HeadlessSession ui;
    GridForm* form = nullptr;
    TTextGrid* grid = nullptr;
};
