// Data-area cells: records with their parameters, colours, images, check boxes, buttons and the
// required mark; the filler row and the rows past the records.
#include "data_controls/button_bitmap_cache.h"
#include "data_controls/edit_button.h"
#include "data_controls/edit_button_metrics.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/db_grid_draw_cell.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_text.h"
#include "data_grid/grid_unit.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "platform/ui/text_engine.h"

namespace {

// The red dots of a required field left empty.
constexpr TColor RequiredMarkColor = 0x000000FF;

// The first characters of Text, as many as Search has.
std::string LeadingCharacters(const std::string& Text, const std::string& Search) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < Search.size() && at < Text.size();
         i += platform::ui::Utf8CharLength(Search, i))
        at += platform::ui::Utf8CharLength(Text, at);
    return Text.substr(0, at);
}

struct TSearchMarkEh {
    std::string Text;
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    bool RightToLeft = false;
};

// The searched characters drawn again over the start of the cell's text in the search colours. For
// right and centred text the rest of the text's width stays free on the right, so the marked part
// lies over the characters it matched.
void DrawSearchMark(TCanvas& Canvas, const TRect& Rect, int MarginX, int MarginY, const std::string& Search,
                    const TSearchMarkEh& Cell, const TDBGridEhUnit& Unit) {
    const std::string marked = LeadingCharacters(Cell.Text, Search);
    if (marked.empty())
        return;
    const int markedWidth = Canvas.TextWidth(marked);
    const int restWidth = Canvas.TextWidth(Cell.Text.substr(marked.size()));
    TRect room = Rect;
    if (Cell.Alignment != taLeftJustify)
        room.Right -= restWidth;
    Canvas.Font()->SetColor(Unit.SearchText);
    if (!Cell.WordWrap) {
        int x = room.Left + MarginX;
        if (Cell.Alignment == taRightJustify)
            x = room.Right - markedWidth - 3;
        else if (Cell.Alignment == taCenter)
            x = room.Left + room.Width() / 2 - markedWidth / 2;
        const int height = Canvas.TextHeight(marked);
        const int y = Cell.Layout == tlTop || height >= room.Height() - MarginY ? room.Top + MarginY
                      : Cell.Layout == tlCenter ? (room.Top + room.Bottom - height) / 2
                                                : room.Bottom - height;
        Canvas.Brush()->SetColor(Unit.SearchBackground);
        Canvas.FillRect(IntersectRect({x, y, x + markedWidth, y + height}, Rect));
    }
    DrawGridText(&Canvas, room, false, MarginX, MarginY, marked, Cell.Alignment, Cell.Layout, Cell.WordWrap,
                 false, 0, Cell.Alignment != taLeftJustify ? restWidth : 0, Cell.RightToLeft);
}

}  // namespace

void TCustomDBGridEh::DrawDataAreaCell(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    if (!dataLink_->Active()) {
        canvas.Brush()->SetColor(Cell.Column->Color());
        canvas.FillRect(MirroredRect(Cell.Rect));
        return;
    }
    const std::uint16_t vert = CellVertArea(Cell.CellType);
    if (vert == gctFooterRowEh) {
        DrawFooterCell(Cell);
        return;
    }
    if (vert == gctDataRowEh && Cell.AreaRow < dataLink_->RecordCount()) {
        DrawDataCellBody(Cell);
        return;
    }
    TColor background = Cell.Column->Color();
    Cell.Highlighted = IsCellInSelection(Cell.ACol, Cell.ARow, std::string(), Cell.AreaCol);
    GetHighlightColors(Cell.ACol, Cell.ARow, canvas.Font(), background, Cell.Highlighted, Cell.State,
                       Cell.CellType);
    canvas.Brush()->SetColor(background);
    canvas.FillRect(MirroredRect(Cell.Rect));
}

// The cell's text after the parameter events, for the record the link has active.
bool TCustomDBGridEh::CellParamsText(TColumnEh* Column, TGridDrawState State, std::string& Text,
                                     int& ImageIndex) {
    TColCellParamsEh params;
    Column->InitCellParams(params);
    TFont font;
    font.Assign(*Column->Font());
    params.Font = &font;
    params.State = State;
    FireGetCellParams(Column, &font, params.Background, State);
    Column->FireGetCellParams(false, &params);
    Text = params.Text;
    ImageIndex = params.ImageIndex;
    return true;
}

void TCustomDBGridEh::DrawDataCellBody(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    TColumnEh& column = *Cell.Column;
    TDataSet* dataSet = dataLink_->DataSet();
    ActiveRecordKeeper keeper(*dataLink_);
    dataLink_->SetActiveRecord(Cell.AreaRow);

    TColor background = column.Color();
    const bool numbered = dataSet->IsSequenced() || (sumList_ != nullptr && sumList_->UsesVirtualNumbers());
    if (background == Color() && numbered) {
        const int recNo = sumList_ != nullptr && sumList_->UsesVirtualNumbers() ? sumList_->VirtualRecNo()
                                                                                : dataSet->RecNo();
        background = recNo % 2 != 0 ? OddRowColor : EvenRowColor;
    }
    TRect textRect = Cell.Rect;
    const int buttonsWidth = column.AlwaysShowEditButton() ? column.EditButtonsWidth() : 0;
    textRect.Right -= buttonsWidth;

    TColCellParamsEh local;
    TColCellParamsEh& params = DBGridEhUnit() != nullptr ? DBGridEhUnit()->SharedCellParams() : local;
    column.InitCellParams(params);
    params.GridCol = Cell.ACol;
    params.GridRow = Cell.ARow;
    params.State = Cell.State;
    params.Font = canvas.Font();
    params.Background = background;
    FireGetCellParams(&column, canvas.Font(), params.Background, Cell.State);
    column.FireGetCellParams(false, &params);
    TGridDrawState state = params.State;
    background = params.Background;
    Cell.Highlighted =
        GetDataCellColors(Cell.ACol, Cell.ARow, Cell.AreaCol, Cell.AreaRow, canvas.Font(), background, state);
    if (Cell.Highlighted)
        state.Include(gdSelected);
    Cell.State = state;
    std::string text = params.Text;
    int imageIndex = params.ImageIndex;
    const TCheckBoxState boxState = params.BoxState;
    const TAlignment alignment = params.Alignment;

    bool duplicate = false;
    if (column.HideDuplicates() && !InMemTableView() && Cell.AreaRow > 0) {
        TFont saved;
        saved.Assign(*canvas.Font());
        dataLink_->SetActiveRecord(Cell.AreaRow - 1);
        std::string above;
        int aboveImage = -1;
        CellParamsText(&column, Cell.State, above, aboveImage);
        dataLink_->SetActiveRecord(Cell.AreaRow);
        canvas.Font()->Assign(saved);
        if (above == text) {
            duplicate = true;
            text.clear();
            imageIndex = -1;
        }
    }

    canvas.Brush()->SetColor(background);
    if (DefaultDrawing) {
        const TColumnCellKindEh kind = column.CellKind();
        const TRect drawRect = MirroredRect(textRect);
        TCustomImageList* images = column.ImageList();
        if (kind == ckImageListEh && !column.ShowImageAndText()) {
            canvas.FillRect(drawRect);
            if (images != nullptr && imageIndex >= 0)
                DrawImageClipped(images, nullptr, &canvas, drawRect, imageIndex, 0, taCenter);
        } else if (kind == ckCheckboxesEh) {
            canvas.FillRect(drawRect);
            const TSize glyph = MeasureCheckGlyph();
            const int w = std::min(glyph.cx, textRect.Width());
            const int h = std::min(glyph.cy, textRect.Height());
            const TRect box = Bounds(textRect.Left + (textRect.Width() - w) / 2,
                                     textRect.Top + (textRect.Height() - h) / 2, w, h);
            PaintEditButton(canvas.Handle(), MirroredRect(box), background, static_cast<int>(boxState), true,
                            false, flat_, 0, dbsCheckBoxEh);
        } else if (images != nullptr && column.ShowImageAndText()) {
            const TRect imageBox{textRect.Left, textRect.Top, textRect.Left + images->Width() + 4,
                                 textRect.Bottom};
            canvas.Brush()->SetColor(column.Color());
            canvas.FillRect(MirroredRect(imageBox));
            if (imageIndex >= 0)
                DrawImageClipped(images, nullptr, &canvas, MirroredRect(imageBox), imageIndex, 0, taCenter);
            canvas.Brush()->SetColor(background);
            const TRect rest{imageBox.Right, textRect.Top, textRect.Right, textRect.Bottom};
            DrawGridText(&canvas, MirroredRect(rest), true, Cell.MarginX, Cell.MarginY, text, alignment,
                         column.Layout(), column.WordWrap() && WordWrapRoom(), column.EndEllipsis(), 0, 0,
                         column.IsRightToLeftReading());
        } else {
            DrawGridText(&canvas, drawRect, true, Cell.MarginX, Cell.MarginY, text, alignment,
                         column.Layout(), column.WordWrap() && WordWrapRoom(), column.EndEllipsis(), 0, 0,
                         column.IsRightToLeftReading());
        }
        if (buttonsWidth > 0)
            DrawCellButtons(Cell, &column,
                            {textRect.Right, Cell.Rect.Top, Cell.Rect.Right, Cell.Rect.Bottom});
        DrawRequiredMark(Cell, &column, text);
    }
    if (!columns_->Customized())
        DrawDataCell(Cell.Rect, column.Field(), Cell.State);
    DrawColumnCell(Cell.Rect, Cell.AreaCol, &column, Cell.State);
    if (InplaceSearching() && Cell.ARow == Row() && Cell.ACol == Col() &&
        (Focused() || options_.Contains(gdoAlwaysShowSelectionEh)) && IsActiveControl() &&
        !ComponentState().Contains(csDesigning) && layoutLock_ == 0 && DBGridEhUnit() != nullptr) {
        TSearchMarkEh mark{text, alignment, column.Layout(), column.WordWrap() && WordWrapRoom(),
                           column.IsRightToLeftReading()};
        // Right-to-left alignment swaps the sides.
        if (UseRightToLeftAlignment() && alignment != taCenter)
            mark.Alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        DrawSearchMark(canvas, MirroredRect(textRect), Cell.MarginX, Cell.MarginY, InplaceSearchText(), mark,
                       *DBGridEhUnit());
    }
    if (duplicate && options_.Contains(gdoRowLinesEh)) {
        // The line above goes: the repeated cells read as one.
        const int line = GridLineWidth();
        canvas.Brush()->SetColor(column.Color());
        canvas.FillRect(MirroredRect({Cell.Rect.Left, Cell.Rect.Top - line - (Cell.Framed ? 1 : 0),
                                      Cell.Rect.Right, Cell.Rect.Top - (Cell.Framed ? 1 : 0)}));
    }
    TDBGridEhStyle* style = style_;
    if (DefaultDrawing && Cell.State.Contains(gdFocused) && Focused() &&
        !ComponentState().Contains(csDesigning) && !options_.Contains(gdoRowSelectEh) && layoutLock_ == 0 &&
        IsActiveControl() && (style == nullptr || style->DrawFocusFrame)) {
        const TRect focus = MirroredRect(Cell.Rect);
        DrawFocusRect(canvas.Handle(), &focus);
    }
}

void TCustomDBGridEh::DrawCellButtons(TCellDrawEh& Cell, TColumnEh* Column, const TRect& ButtonArea) {
    TCanvas& canvas = *Cell.Canvas;
    const TColor background = canvas.Brush()->Color();
    const int buttonWidth = EditButtonWidth();
    // Before the first layout the buttons take the row's height.
    const int buttonHeight =
        EditButtonHeight() > 0 ? EditButtonHeight() + (flat_ ? 1 : 0) : ButtonArea.Height();
    const int gap = flat_ ? 1 : 0;
    int x = ButtonArea.Left;
    auto paint = [&](int width, TEditButtonStyleEh style, TBitmap* glyph) {
        const TRect button{x + gap, ButtonArea.Top, x + width,
                           std::min(ButtonArea.Bottom, ButtonArea.Top + buttonHeight)};
        if (flat_ && Cell.Framed) {
            canvas.Brush()->SetColor(background);
            canvas.FillRect(MirroredRect({x, ButtonArea.Top, x + gap, ButtonArea.Bottom}));
        }
        PaintCellButton(Column, &canvas, glyph, background, true, flat_, false, false, Cell.Rect, button,
                        style);
        x += width;
    };
    if (ColumnEditStyle(*Column) != esSimpleEh)
        paint(buttonWidth + gap, MainButtonStyle(ColumnEditStyle(*Column)), nullptr);
    TEditButtonsEh* buttons = Column->EditButtons();
    for (int i = 0; buttons != nullptr && i < buttons->Count(); ++i) {
        TEditButtonEh* button = buttons->GetButton(i);
        if (button->Visible())
            paint((button->Width() < 1 ? buttonWidth : button->Width()) + gap, button->Style(),
                  button->Glyph());
    }
    if (buttonHeight < ButtonArea.Height()) {
        canvas.Brush()->SetColor(background);
        canvas.FillRect(MirroredRect(
            {ButtonArea.Left, ButtonArea.Top + buttonHeight, ButtonArea.Right, ButtonArea.Bottom}));
    }
}

void TCustomDBGridEh::DrawRequiredMark(TCellDrawEh& Cell, TColumnEh* Column, const std::string& Text) {
    TDataSet* dataSet = dataLink_->DataSet();
    TField* field = Column->Field();
    if (!Column->HighlightRequired() || field == nullptr || Cell.ARow != Row() ||
        (dataSet->State() != dsEdit && dataSet->State() != dsInsert))
        return;
    bool draw = field->Required && field->IsNull();
    if (Column->OnCheckDrawRequiredState)
        Column->OnCheckDrawRequiredState(Column, Text, draw);
    if (!draw)
        return;
    TCanvas& canvas = *Cell.Canvas;
    const int y = Cell.Rect.Bottom - 2;
    // Every other pixel, as a dotted pen draws it.
    for (int x = Cell.Rect.Left + 2; x < Cell.Rect.Right - 3; x += 2) {
        const TRect dot = MirroredRect({x, y, x + 1, y + 1});
        canvas.SetPixel(dot.Left, dot.Top, RequiredMarkColor);
    }
}
