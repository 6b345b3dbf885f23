// Tool-tips: a title, data or footer cell whose text does not fit shows it in full over the cell, in
// the cell's font; such cells show it without the hint pause.
#include <algorithm>

#include "data_grid/db_grid.h"
#include "data_grid/db_grid_cell_hints.h"

#include "data_controls/tool_tips_window.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_cell_params.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_text.h"
#include "data_grid/head_tree.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/image_list.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/win_control.h"

namespace {

// The room a wrapped text keeps free at its right.
constexpr int WrapRightIndent = 2;

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

void TCustomDBGridEh::HintShowMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (info != nullptr && Message.Result == 0)
        cellHints_->CellHint(*info);
}

// Over a cell with a tool-tip the hint shows at once.
void TCustomDBGridEh::HintShowPauseMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    auto* pause = reinterpret_cast<int*>(Message.LParam);
    TPoint cursor;
    if (pause != nullptr && GetCursorPos(cursor) && cellHints_->ToolTipCellAt(ScreenToClient(cursor)))
        *pause = 0;
}

bool TGridCellHintsEh::ToolTipCellAt(TPoint P) const {
    const TGridCoord cell = grid_.MouseCoord(P.X, P.Y);
    int areaCol = 0;
    int areaRow = 0;
    if (cell.X < 0 || cell.Y < 0)
        return false;
    const std::uint16_t type = grid_.GetCellType(cell.X, cell.Y, areaCol, areaRow);
    TColumnEh* column = grid_.ColumnAtGridCol(cell.X);
    if (CellHorzArea(type) != gctDataColEh || column == nullptr)
        return false;
    switch (CellVertArea(type)) {
        case gctTitleRowEh:
            return column->Title()->ToolTips() && column->Title()->Hint().empty();
        case gctDataRowEh:
            return grid_.dataLink_->Active() && column->ToolTips();
        case gctFooterRowEh: {
            auto* footer = dynamic_cast<TColumnFooterEh*>(column->FooterAt(areaRow - 1));
            return footer != nullptr && footer->ToolTips();
        }
        default:
            return false;
    }
}

void TGridCellHintsEh::CellHint(THintInfo& Info) {
    const TPoint p = Info.CursorPos;
    const TGridCoord cell = grid_.MouseCoord(p.X, p.Y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    int areaCol = 0;
    int areaRow = 0;
    const std::uint16_t type = grid_.GetCellType(cell.X, cell.Y, areaCol, areaRow);
    TColumnEh* column = grid_.ColumnAtGridCol(cell.X);
    if (CellHorzArea(type) != gctDataColEh || column == nullptr)
        return;
    const std::uint16_t vert = CellVertArea(type);
    TColumnTitleEh& title = *column->Title();
    if (vert == gctTitleRowEh && !title.Hint().empty()) {
        Info.HintStr = GetShortHint(title.Hint());
        Info.CursorRect = grid_.CellRect(cell.X, cell.Y);
        return;
    }
    const bool wanted = (vert == gctTitleRowEh && title.ToolTips()) ||
                        (vert == gctDataRowEh && grid_.dataLink_->Active() && column->ToolTips()) ||
                        vert == gctFooterRowEh;
    Info.HintStr.clear();
    if (!wanted || GetCaptureControl() != nullptr || CtrlHeld())
        return;
    TCellHintEh hint;
    hint.Rect = grid_.CellRect(cell.X, cell.Y);
    if (grid_.UseRightToLeftAlignment() && column->IsRightToLeft())
        hint.Rect = grid_.MirroredRect(hint.Rect);
    hint.ColumnRight = hint.Rect.Left + column->Width();
    hint.Font.Assign(*grid_.Font());
    bool found = false;
    if (vert == gctTitleRowEh)
        found = TitleHint(*column, cell, p, hint);
    else if (vert == gctDataRowEh)
        found = areaRow < grid_.VisibleDataRowCount() && DataHint(*column, areaRow, p, hint);
    else if (vert == gctFooterRowEh)
        found = FooterHint(*column, areaCol, areaRow - 1, hint);
    if (found && (hint.Always || !HintTextFits(hint)))
        ShowCellHint(Info, hint);
}

bool TGridCellHintsEh::TitleHint(TColumnEh& Column, TGridCoord Cell, TPoint P, TCellHintEh& Hint) const {
    TColumnTitleEh& title = *Column.Title();
    if (!title.ToolTips())
        return false;
    const int markerRoom = title.SortMarkerAreaWidth();
    if (markerRoom > 2)
        Hint.Rect.Right -= markerRoom - 2;
    Hint.Text = title.Caption();
    if (grid_.useMultiTitle_) {
        if (!grid_.InTitleLeafPart(Cell.X, P.Y))
            return false;
        const int index = grid_.GridColToDataCol(Cell.X);
        const THeadTreeNode* leaf = grid_.leafColumns_[static_cast<std::size_t>(index)].FLeaf;
        if (leaf != nullptr) {
            Hint.Text = leaf->Caption;
            Hint.Rect.Top = Hint.Rect.Bottom - leaf->NodeHeight;
        }
    }
    Hint.WordWrap = grid_.useMultiTitle_ || grid_.TitlePixelHeight() > 0 || grid_.TitleLineCount() > 0;
    Hint.Alignment = title.Alignment();
    Hint.Font.Assign(*title.Font());
    Hint.Vertical = title.Orientation() == tohVertical;
    if (Hint.Vertical)
        Hint.WordWrap = false;
    Hint.LineSpacing = grid_.titleMargin_;
    return true;
}

bool TGridCellHintsEh::DataHint(TColumnEh& Column, int DataRow, TPoint P, TCellHintEh& Hint) const {
    if (DataRow >= grid_.dataLink_->RecordCount())
        return false;
    ActiveRecordKeeper keeper(*grid_.dataLink_);
    grid_.dataLink_->SetActiveRecord(DataRow);
    TColCellParamsEh params;
    Column.InitCellParams(params);
    params.Font = &Hint.Font;
    Hint.Font.Assign(*Column.Font());
    TGridDrawState state;
    params.State = state;
    grid_.FireGetCellParams(&Column, &Hint.Font, params.Background, state);
    Column.FireGetCellParams(false, &params);
    Hint.Text = params.Text;
    Hint.Alignment = params.Alignment;
    const TColumnCellKindEh kind = Column.CellKind();
    const bool imageOnly = kind == ckImageListEh && !Column.ShowImageAndText();
    if (imageOnly || kind == ckCheckboxesEh) {
        const int index = imageOnly ? params.ImageIndex : static_cast<int>(params.BoxState);
        TStrings* pick = Column.HasPickList() ? Column.PickList() : nullptr;
        Hint.Text = pick != nullptr && index >= 0 && index < pick->Count() ? pick->Get(index) : std::string();
        Hint.Alignment = taLeftJustify;
        Hint.Always = true;
    }
    if (Column.AlwaysShowEditButton()) {
        Hint.Rect.Right -= Column.EditButtonsWidth();
        if (P.X >= Hint.Rect.Right)
            return false;
    }
    if (Column.ImageList() != nullptr && Column.ShowImageAndText())
        Hint.Rect.Left += Column.ImageList()->Width() + 5;
    if (P.X < Hint.Rect.Left)
        return false;
    Hint.WordWrap = Column.WordWrap() && grid_.WordWrapRoom();
    return !Hint.Text.empty();
}

bool TGridCellHintsEh::FooterHint(TColumnEh& Column, int DataCol, int FooterRow, TCellHintEh& Hint) const {
    auto* footer = dynamic_cast<TColumnFooterEh*>(Column.FooterAt(FooterRow));
    if (footer == nullptr || !footer->ToolTips())
        return false;
    Hint.Font.Assign(*footer->Font());
    Hint.WordWrap = footer->WordWrap() && grid_.WordWrapRoom();
    Hint.Alignment = footer->Alignment();
    Hint.Text = grid_.GetFooterText(DataCol, FooterRow);
    return !Hint.Text.empty();
}

bool TGridCellHintsEh::HintTextFits(TCellHintEh& Hint) const {
    TCanvas& canvas = *grid_.Canvas();
    canvas.Font()->Assign(Hint.Font);
    const int room = Hint.Rect.Width() - 4;
    if (Hint.Vertical) {
        Hint.TextWidth = canvas.TextWidth(Hint.Text);
        return DrawGridTextVertical(&canvas, Hint.Rect, false, 2, 2, Hint.Text, Hint.Alignment, tlBottom,
                                    false, true) <= Hint.Rect.Height() - 4;
    }
    bool fits = false;
    if (Hint.WordWrap) {
        TRect measured{0, 0, std::max(room - WrapRightIndent, 1), 0};
        DrawText(&canvas, Hint.Text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        const int lines = std::max(1, measured.Height() / std::max(1, canvas.TextHeight("W")));
        Hint.TextWidth = measured.Width();
        fits = measured.Width() <= room - WrapRightIndent &&
               measured.Height() + (lines - 1) * Hint.LineSpacing <= Hint.Rect.Height() - 2;
    } else {
        Hint.TextWidth = canvas.TextWidth(Hint.Text);
        fits = Hint.TextWidth <= room;
    }
    // Right-aligned text in a cell cut short of its column's edge reads as clipped.
    if (Hint.Alignment == taRightJustify && Hint.Rect.Right <= Hint.ColumnRight - 2)
        return false;
    return fits;
}

void TGridCellHintsEh::ShowCellHint(THintInfo& Info, const TCellHintEh& Hint) {
    int x = Hint.Rect.Left - 1;
    if (Hint.Alignment == taRightJustify)
        x = Hint.ColumnRight - Hint.TextWidth - 6;
    else if (Hint.Alignment == taCenter)
        x = (Hint.Rect.Left + 4 + Hint.ColumnRight - Hint.TextWidth) / 2 - 5;
    const int y = Hint.Rect.Top - (grid_.flat_ ? 2 : 1);
    if (grid_.UseRightToLeftAlignment())
        x = grid_.ClientWidth() - x - Hint.TextWidth - 6;
    hintFont_ = std::make_unique<TFont>();
    hintFont_->Assign(Hint.Font);
    Info.HintStr = Hint.Text;
    Info.CursorRect = Hint.Rect;
    Info.HintPos = grid_.ClientToScreen({x, y});
    Info.HintData = hintFont_.get();
    Info.HintWindowClass = [](TComponent* owner) { return NewComponent<TToolTipsWindow>(owner); };
    if (Hint.WordWrap)
        Info.HintMaxWidth = Hint.Rect.Width() - 4;
}
