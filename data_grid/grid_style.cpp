#include "data_grid/grid_style.h"

#include <algorithm>
#include <cmath>

#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"
#include "platform/ui/font.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/window_system.h"

namespace {

// Indicator and title cells of the default colouring get this dark highlight.
constexpr TColor DarkHighlight = RGB(64, 64, 64);

struct DefaultStyleSlot {
    TDBGridEhStyle* style = nullptr;
    bool made = false;  // once made, a freed default stays gone until made again
    ~DefaultStyleSlot() { Free(style); }
};

DefaultStyleSlot& Slot() {
    static DefaultStyleSlot slot;
    return slot;
}

}  // namespace

TDBGridEhStyle* DefaultGridStyle() {
    if (!Slot().made)
        MakeDefaultGridStyle();
    return Slot().style;
}

void MakeDefaultGridStyle() {
    Slot().made = true;
    if (Slot().style == nullptr)
        Slot().style = MakeComponent<TDBGridEhStyle>().release();
}

void FreeDefaultGridStyle() {
    Free(Slot().style);
}

TDBGridEhStyle::TDBGridEhStyle() {
    window_ = AllocateHWnd([this](TMessage& message) { StyleWindowProc(message); });
}

void TDBGridEhStyle::AfterConstruction() {
    TPersistent::AfterConstruction();
    SystemColorsChanged();
}

TDBGridEhStyle::~TDBGridEhStyle() {
    DeallocateHWnd(window_);
    if (Slot().style == this)
        Slot().style = nullptr;
    // Each grid goes back to the default, or colours its cells itself when this was the default.
    while (!grids_.empty()) grids_.back()->SetStyle(nullptr);
}

void TDBGridEhStyle::AddChangeNotification(TCustomDBGridEh* Grid) {
    if (!GridInChangeNotification(Grid))
        grids_.push_back(Grid);
}

void TDBGridEhStyle::RemoveChangeNotification(TCustomDBGridEh* Grid) {
    std::erase(grids_, Grid);
}

bool TDBGridEhStyle::GridInChangeNotification(const TCustomDBGridEh* Grid) const {
    return std::find(grids_.begin(), grids_.end(), Grid) != grids_.end();
}

void TDBGridEhStyle::SetLightenSelection(bool Value) {
    if (Value == lightenSelection_)
        return;
    lightenSelection_ = Value;
    RepaintGrids();
}

void TDBGridEhStyle::SetDrawFocusFrame(bool Value) {
    if (Value == drawFocusFrame_)
        return;
    drawFocusFrame_ = Value;
    RepaintGrids();
}

void TDBGridEhStyle::RepaintGrids() const {
    for (TCustomDBGridEh* grid : grids_) grid->Invalidate();
}

void TDBGridEhStyle::StyleWindowProc(TMessage& Message) {
    if (Message.Msg != WM_SYSCOLORCHANGE) {
        Message.Result = 0;  // what a bare utility window answers
        return;
    }
    try {
        SystemColorsChanged();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TDBGridEhStyle::SystemColorsChanged() {
    screenColorCount_ = platform::ui::CurrentWindowSystem().ScreenNumColors();
}

TColor TDBGridEhStyle::LightenColor(TColor Color, TColor Glass, bool Ungray) {
    const TColor colour = ColorToRGB(Color);
    const TColor glass = ColorToRGB(Glass);
    auto lighten = [Ungray](int c, int g) {
        double v = c + (g - c) * 0.5;
        v += (225 - v) * 0.6;
        if (Ungray)
            v -= (122 - v) * 0.25;
        // nearbyint rounds halves to even in the default rounding mode.
        return std::clamp(static_cast<int>(std::nearbyint(v)), 0, 255);
    };
    return RGB(lighten(GetRValue(colour), GetRValue(glass)), lighten(GetGValue(colour), GetGValue(glass)),
               lighten(GetBValue(colour), GetBValue(glass)));
}

bool TDBGridEhStyle::HighlightsCell(TCustomDBGridEh& Grid, int ACol, int ARow, TGridDrawState& State,
                                    bool& FocusHighlight) const {
    const TDBGridEhOptions options = Grid.Options();
    const TDBGridEhExtOptions extOptions = Grid.ExtOptions();
    const bool onCurrentRow = ARow == Grid.Row();
    FocusHighlight = Grid.Focused() && extOptions.Contains(gxoHighlightFocusEh);
    if (extOptions.Contains(gxoRowHighlightEh) && onCurrentRow && Grid.Selection() != nullptr &&
        Grid.Selection()->Kind() == gskNoneEh && ACol != Grid.Col()) {
        FocusHighlight = true;
        State.Include(gdSelected);
    }
    const bool rowSelect = options.Contains(gdoRowSelectEh);
    const bool highlighted = (State.Contains(gdSelected) || (onCurrentRow && rowSelect)) &&
                             (options.Contains(gdoAlwaysShowSelectionEh) || FocusHighlight);
    // While a layout update runs only a row selection shows.
    return highlighted && (Grid.LayoutLockCount() == 0 || rowSelect);
}

bool TDBGridEhStyle::GetDataCellColors(TCustomDBGridEh* Grid, int ACol, int ARow, int DataCol,
                                       int /*DataRow*/, TGridDrawState& State, TColor& Background,
                                       TFont* AFont) {
    TDataSet* dataSet = Grid->DataLink()->DataSet();
    const bool selected = Grid->DataLink()->Active() && dataSet != nullptr && Grid->Selection() != nullptr &&
                          Grid->Selection()->CellIsSelected(DataCol, dataSet->GetBookmark());
    bool focusHighlight = false;
    if (!selected && !HighlightsCell(*Grid, ACol, ARow, State, focusHighlight))
        return false;
    const TDBGridEhOptions options = Grid->Options();
    const bool currentCell = ARow == Grid->Row() && (ACol == Grid->Col() || options.Contains(gdoRowSelectEh));
    if (!Grid->HasFocusWithin()) {
        if (currentCell && (focusHighlight || options.Contains(gdoAlwaysShowSelectionEh))) {
            Background = clBtnShadow;
            AFont->SetColor(clHighlightText);
        } else {
            Background = ManyColors() ? LightenColor(Background, clBtnShadow, false) : clBtnFace;
        }
    } else if (lightenSelection_ && ManyColors() && !currentCell) {
        Background = LightenColor(Background, clHighlight, true);
    } else {
        Background = clHighlight;
        AFont->SetColor(clHighlightText);
    }
    return true;
}

bool TDBGridEhStyle::GetHighlightColors(TCustomDBGridEh* Grid, int /*ACol*/, int /*ARow*/, int /*DataCol*/,
                                        int /*DataRow*/, TGridDrawState /*State*/, bool Highlighted,
                                        std::uint16_t CellType, TColor& Background, TFont* AFont) {
    if (!Highlighted)
        return false;
    const int across = CellType & 0xFF;
    const int down = CellType >> 8;
    if ((across == 0 && down != 3) || (across == 1 && down < 2)) {
        Background = DarkHighlight;
        AFont->SetColor(clWhite);
    } else if (Grid->HasFocusWithin()) {
        if (lightenSelection_ && ManyColors()) {
            Background = LightenColor(Background, clHighlight, true);
        } else {
            Background = clHighlight;
            AFont->SetColor(clHighlightText);
        }
    } else {
        Background = ManyColors() ? LightenColor(Background, clBtnShadow, false) : clBtnFace;
    }
    return true;
}
