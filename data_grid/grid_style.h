#pragma once
// TDBGridEhStyle: a look shared by data grids. It answers the grids' colour questions for
// highlighted cells, says whether the focus frame is drawn and whether closing a filter-row
// drop-down applies the filter at once, and follows the display's colour depth through a hidden
// window that hears WM_SYSCOLORCHANGE. The program has one default style; a grid uses it unless
// another is set.
#include <cstdint>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/grid_types.h"
#include "platform/ui/messages.h"

class TCustomDBGridEh;
class TFont;

class TDBGridEhStyle : public TPersistent {
  public:
    TDBGridEhStyle();
    ~TDBGridEhStyle() override;
    std::string ClassName() const override { return "TDBGridEhStyle"; }
    // The colour depth is read once the whole object, derived parts included, exists.
    void AfterConstruction() override;

    void AddChangeNotification(TCustomDBGridEh* Grid);
    void RemoveChangeNotification(TCustomDBGridEh* Grid);
    bool GridInChangeNotification(const TCustomDBGridEh* Grid) const;

    // A data cell: its background and font when it is selected or highlighted; false leaves the
    // cell's colours alone. State may gain gdSelected (a highlighted current row).
    virtual bool GetDataCellColors(TCustomDBGridEh* Grid, int ACol, int ARow, int DataCol, int DataRow,
                                   TGridDrawState& State, TColor& Background, TFont* AFont);
    // Any other highlighted cell. CellType is the grid's cell kind: low byte the horizontal area
    // (0 indicator, 1 data), high byte the vertical one (0 title, 1 filter row, 2 data, 3 filler,
    // 4 footer).
    virtual bool GetHighlightColors(TCustomDBGridEh* Grid, int ACol, int ARow, int DataCol, int DataRow,
                                    TGridDrawState State, bool Highlighted, std::uint16_t CellType,
                                    TColor& Background, TFont* AFont);
    virtual void StyleWindowProc(TMessage& Message);
    virtual void SystemColorsChanged();

    // The colour seen through a pale glass of another colour; Ungray darkens the middle tones.
    static TColor LightenColor(TColor Color, TColor Glass, bool Ungray);

    bool LightenSelection() const { return lightenSelection_; }
    void SetLightenSelection(bool Value);
    bool ApplyFilterOnCloseUp() const { return applyFilterOnCloseUp_; }
    void SetApplyFilterOnCloseUp(bool Value) { applyFilterOnCloseUp_ = Value; }
    bool DrawFocusFrame() const { return drawFocusFrame_; }
    void SetDrawFocusFrame(bool Value);
    // The display's palette size as it reports it; -1 for more than 256 colours.
    int ScreenColorCount() const { return screenColorCount_; }
    HWND WindowHandle() const { return window_; }
    const std::vector<TCustomDBGridEh*>& Grids() const { return grids_; }

  private:
    bool ManyColors() const { return screenColorCount_ < 0 || screenColorCount_ > 256; }
    // Whether a cell that is not selected is drawn highlighted; FocusHighlight tells whether the
    // focus (or the current row's highlight) asks for it.
    bool HighlightsCell(TCustomDBGridEh& Grid, int ACol, int ARow, TGridDrawState& State,
                        bool& FocusHighlight) const;
    void RepaintGrids() const;

    std::vector<TCustomDBGridEh*> grids_;
    bool lightenSelection_ = true;
    bool applyFilterOnCloseUp_ = false;
    bool drawFocusFrame_ = true;
    int screenColorCount_ = -1;
    HWND window_ = 0;
};

// The program's default style (made on first use); nullptr once it has been freed.
TDBGridEhStyle* DefaultGridStyle();
// The grid unit's start-up and shut-down: a default style is made when none exists, and freed.
void MakeDefaultGridStyle();
void FreeDefaultGridStyle();
