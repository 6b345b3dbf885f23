#include "platform/ui/grid.h"

#include <algorithm>

#include "platform/ui/form.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/window_update.h"

namespace {

const char* const kIndexOutOfRange = "Grid index out of range";

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw EInvalidGridOperation(kIndexOutOfRange);
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner), colWidths_(5, 64), rowHeights_(5, 24), tabStops_(5, true) {
    ControlStyle = ControlStyle + TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    ControlStyle.Exclude(csClickEvents);
    DesignOptionsBoost = TGridOptions{goColSizing, goRowSizing};
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(Left(), Top(), ColCount() * defaultColWidth_, RowCount() * defaultRowHeight_);
}

TCustomGrid::~TCustomGrid() {
    // An editor the grid does not own may outlive it.
    if (inplaceEdit_ != nullptr)
        inplaceEdit_->SetGrid(nullptr);
}

void TCustomGrid::EditorFreed(const TInplaceEdit* editor) {
    if (editor == inplaceEdit_) {
        inplaceEdit_ = nullptr;
        inplaceCell_ = {-1, -1};
    }
}

void TCustomGrid::SetColCount(int value) {
    value = std::max(value, 1);
    if (value == ColCount())
        return;
    if (fixedCols_ >= value)
        fixedCols_ = value - 1;
    ChangeSize(value, RowCount());
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(value, 1);
    if (value == RowCount())
        return;
    if (fixedRows_ >= value)
        fixedRows_ = value - 1;
    ChangeSize(ColCount(), value);
}

void TCustomGrid::SetFixedCols(int value) {
    if (value == fixedCols_)
        return;
    if (value < 0)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (value >= ColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    HideEditor();
    fixedCols_ = value;
    current_.X = anchor_.X = topLeft_.X = value;
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value == fixedRows_)
        return;
    if (value < 0)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (value >= RowCount())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    HideEditor();
    fixedRows_ = value;
    current_.Y = anchor_.Y = topLeft_.Y = value;
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
    int oldCols = ColCount();
    int oldRows = RowCount();
    if (inplaceCell_.X >= NewColCount || inplaceCell_.Y >= NewRowCount)
        HideEditor();
    colWidths_.resize(static_cast<std::size_t>(NewColCount), defaultColWidth_);
    tabStops_.resize(static_cast<std::size_t>(NewColCount), true);
    rowHeights_.resize(static_cast<std::size_t>(NewRowCount), defaultRowHeight_);
    auto clampCoord = [&](TGridCoord& c) {
        c.X = std::clamp(c.X, fixedCols_, NewColCount - 1);
        c.Y = std::clamp(c.Y, fixedRows_, NewRowCount - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    clampCoord(topLeft_);
    SizeChanged(oldCols, oldRows);
    InvalidateGrid();
    UpdateScrollRange();
}

int TCustomGrid::ColWidths(int index) const {
    CheckIndex(index, ColCount());
    return colWidths_[static_cast<std::size_t>(index)];
}

int TCustomGrid::RowHeights(int index) const {
    CheckIndex(index, RowCount());
    return rowHeights_[static_cast<std::size_t>(index)];
}

void TCustomGrid::SetColWidths(int index, int value) {
    CheckIndex(index, ColCount());
    value = std::max(value, -1);
    if (colWidths_[static_cast<std::size_t>(index)] == value)
        return;
    colWidths_[static_cast<std::size_t>(index)] = value;
    ExtentsChanged(true);
}

void TCustomGrid::SetRowHeights(int index, int value) {
    CheckIndex(index, RowCount());
    value = std::max(value, -1);
    if (rowHeights_[static_cast<std::size_t>(index)] == value)
        return;
    rowHeights_[static_cast<std::size_t>(index)] = value;
    ExtentsChanged(false);
}

void TCustomGrid::SetDefaultColWidth(int value) {
    defaultColWidth_ = value;
    std::fill(colWidths_.begin(), colWidths_.end(), value);
    ExtentsChanged(true);
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    defaultRowHeight_ = value;
    std::fill(rowHeights_.begin(), rowHeights_.end(), value);
    ExtentsChanged(false);
}

void TCustomGrid::ExtentsChanged(bool columns) {
    InvalidateGrid();
    if (columns)
        ColWidthsChanged();
    else
        RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::SetGridLineWidth(int value) {
    value = std::max(value, 0);
    if (value == gridLineWidth_)
        return;
    gridLineWidth_ = value;
    InvalidateGrid();
    UpdateScrollRange();
    UpdateEdit();
}

bool TCustomGrid::TabStops(int index) const {
    CheckIndex(index, ColCount());
    return tabStops_[static_cast<std::size_t>(index)];
}

void TCustomGrid::SetTabStops(int index, bool value) {
    CheckIndex(index, ColCount());
    tabStops_[static_cast<std::size_t>(index)] = value;
}

void TCustomGrid::SetFixedColor(TColor value) {
    if (value != fixedColor_) {
        fixedColor_ = value;
        InvalidateGrid();
    }
}

void TCustomGrid::SetOptions(TGridOptions value) {
    // A selected row has no cell to edit.
    if (value.Contains(goRowSelect))
        value.Exclude(goAlwaysShowEditor);
    if (value == options_)
        return;
    options_ = value;
    if (!options_.Contains(goEditing) || options_.Contains(goRowSelect))
        HideEditor();
    else if (options_.Contains(goAlwaysShowEditor))
        ShowEditor();
    if (!options_.Contains(goRangeSelect))
        anchor_ = current_;
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
    if (value != defaultDrawing_) {
        defaultDrawing_ = value;
        InvalidateGrid();
    }
}

void TCustomGrid::SetCol(int value) {
    if (value != Col())
        FocusCell(value, Row(), true);
}

void TCustomGrid::SetRow(int value) {
    if (value != Row())
        FocusCell(Col(), value, true);
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r{std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y),
                std::max(current_.X, anchor_.X), std::max(current_.Y, anchor_.Y)};
    if (options_.Contains(goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    CheckIndex(value.Left, ColCount());
    CheckIndex(value.Right, ColCount());
    CheckIndex(value.Top, RowCount());
    CheckIndex(value.Bottom, RowCount());
    TGridRect old = Selection();
    current_ = {value.Left, value.Top};
    anchor_ = {value.Right, value.Bottom};
    ClampInView(current_);
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
    InvalidateGridRect(OldSel);
    InvalidateGridRect(Selection());
    InvalidateCell(current_.X, current_.Y);
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    (void)ACol;
    (void)ARow;
    return true;
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
    CheckIndex(ACol, ColCount());
    CheckIndex(ARow, RowCount());
    if (!SelectCell(ACol, ARow))
        return;
    TGridRect old = Selection();
    current_ = {ACol, ARow};
    if (!options_.Contains(goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !options_.Contains(goRangeSelect))
        anchor_ = current_;
    if (Show)
        ClampInView(current_);
    SelectionMoved(old);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    MoveColRow(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveAnchor(TGridCoord NewAnchor) {
    if (!options_.Contains(goRangeSelect)) {
        MoveColRow(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    TGridRect old = Selection();
    anchor_ = NewAnchor;
    ClampInView(NewAnchor);
    SelectionMoved(old);
}

namespace {

// Where a cell moved from From to To ends up, and every cell between shifts by one toward From.
int MovedIndex(int index, int from, int to) {
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

template <typename T>
void MoveItem(std::vector<T>& items, int from, int to) {
    T item = items[static_cast<std::size_t>(from)];
    items.erase(items.begin() + from);
    items.insert(items.begin() + to, item);
}

}  // namespace

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    CheckIndex(FromIndex, ColCount());
    CheckIndex(ToIndex, ColCount());
    if (FromIndex == ToIndex)
        return;
    HideEdit();
    MoveItem(colWidths_, FromIndex, ToIndex);
    MoveItem(tabStops_, FromIndex, ToIndex);
    current_.X = MovedIndex(current_.X, FromIndex, ToIndex);
    anchor_.X = MovedIndex(anchor_.X, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    CheckIndex(FromIndex, RowCount());
    CheckIndex(ToIndex, RowCount());
    if (FromIndex == ToIndex)
        return;
    HideEdit();
    MoveItem(rowHeights_, FromIndex, ToIndex);
    current_.Y = MovedIndex(current_.Y, FromIndex, ToIndex);
    anchor_.Y = MovedIndex(anchor_.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {
    (void)FromIndex;
    (void)ToIndex;
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) {
    (void)FromIndex;
    (void)ToIndex;
}

void TCustomGrid::SizeChanged(int OldColCount, int OldRowCount) {
    (void)OldColCount;
    (void)OldRowCount;
}

void TCustomGrid::TopLeftChanged() {
    if (editorMode_ && inplaceEdit_ != nullptr)
        inplaceEdit_->UpdateLoc(CellRect(Col(), Row()));
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow) {
    InvalidateGridRect({0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
    InvalidateGridRect({ACol, 0, ACol, RowCount() - 1});
}

void TCustomGrid::InvalidateGrid() {
    Invalidate();
}

void TCustomGrid::InvalidateGridRect(const TGridRect& ARect) {
    if (!HandleAllocated())
        return;
    TRect r = GridRectToScreenRect(ARect, true);
    if (!r.IsEmpty())
        InvalidateRect(Handle(), &r, false);
}

bool TCustomGrid::IsActiveControl() const {
    TCustomForm* form = ParentForm();
    if (form == nullptr)
        return Focused();
    TWinControl* active = form->ActiveControl();
    return active == this || (active != nullptr && active == inplaceEdit_);
}

void TCustomGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
    (void)ACol;
    (void)ARow;
    (void)ARect;
    (void)AState;
}

void TCustomGrid::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            WMChar(Message);
            return;
        case WM_HSCROLL:
            ScrollMessage(Message, SB_HORZ);
            return;
        case WM_VSCROLL:
            ScrollMessage(Message, SB_VERT);
            return;
        case WM_TIMER:
            if (Message.WParam == ScrollTimerId) {
                WMTimer();
                return;
            }
            break;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            WMCancelMode();
            break;
        case WM_SETFOCUS:
            // Focus coming back from the editor leaves the editor where it is.
            if (inplaceEdit_ == nullptr || !inplaceEdit_->HandleAllocated() ||
                static_cast<HWND>(Message.WParam) != inplaceEdit_->Handle()) {
                InvalidateGridRect(Selection());
                UpdateEdit();
            }
            break;
        case WM_KILLFOCUS:
            InvalidateGridRect(Selection());
            break;
        default:
            break;
    }
    TCustomControl::Dispatch(Message);
}
