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
    Canvas.Font()->SetColor(Unit.SearchText());
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
        Canvas.Brush()->SetColor(Unit.SearchBackground());
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
    ActiveRecordKeeper keeper(*dataLink_);
    dataLink_->SetActiveRecord(Cell.AreaRow);
    TCellLookEh look = DataCellLook(Cell);
    const bool duplicate = HideDuplicateText(Cell, look);
    Cell.Canvas->Brush()->SetColor(look.Background);
    if (defaultDrawing_)
        DrawDataCellContent(Cell, look);
    TColumnEh& column = *Cell.Column;
    if (!columns_->Customized())
        DrawDataCell(Cell.Rect, column.Field(), Cell.State);
    DrawColumnCell(Cell.Rect, Cell.AreaCol, &column, Cell.State);
    DrawCellSearchMark(Cell, look);
    if (duplicate && options_.Contains(gdoRowLinesEh)) {
        // The line above goes: the repeated cells read as one.
        const int line = GridLineWidth();
        Cell.Canvas->Brush()->SetColor(column.Color());
        Cell.Canvas->FillRect(MirroredRect({Cell.Rect.Left, Cell.Rect.Top - line - (Cell.Framed ? 1 : 0),
                                            Cell.Rect.Right, Cell.Rect.Top - (Cell.Framed ? 1 : 0)}));
    }
    TDBGridEhStyle* style = style_;
    if (defaultDrawing_ && Cell.State.Contains(gdFocused) && Focused() &&
        !ComponentState().Contains(csDesigning) && !options_.Contains(gdoRowSelectEh) && layoutLock_ == 0 &&
        IsActiveControl() && (style == nullptr || style->DrawFocusFrame())) {
        const TRect focus = MirroredRect(Cell.Rect);
        DrawFocusRect(Cell.Canvas->Handle(), &focus);
    }
}

// The record's colours and the cell's parameters after the grid's and the column's events. The
// parameters belong to this cell alone: an event handler that makes another grid paint cannot
// change what this one draws.
TCustomDBGridEh::TCellLookEh TCustomDBGridEh::DataCellLook(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    TColumnEh& column = *Cell.Column;
    TDataSet* dataSet = dataLink_->DataSet();
    TColor background = column.Color();
    const bool numbered = dataSet->IsSequenced() || (sumList_ != nullptr && sumList_->UsesVirtualNumbers());
    if (background == Color() && numbered) {
        const int recNo = sumList_ != nullptr && sumList_->UsesVirtualNumbers() ? sumList_->VirtualRecNo()
                                                                                : dataSet->RecNo();
        background = recNo % 2 != 0 ? OddRowColor() : EvenRowColor();
    }
    TColCellParamsEh params;
    column.InitCellParams(params);
    params.GridCol = Cell.ACol;
    params.GridRow = Cell.ARow;
    params.State = Cell.State;
    params.Font = canvas.Font();
    params.Background = background;
    FireGetCellParams(&column, canvas.Font(), params.Background, Cell.State);
    column.FireGetCellParams(false, &params);
    TGridDrawState state = params.State;
    TCellLookEh look;
    look.Background = params.Background;
    Cell.Highlighted = GetDataCellColors(Cell.ACol, Cell.ARow, Cell.AreaCol, Cell.AreaRow, canvas.Font(),
                                         look.Background, state);
    if (Cell.Highlighted)
        state.Include(gdSelected);
    Cell.State = state;
    look.Text = params.Text;
    look.ImageIndex = params.ImageIndex;
    look.BoxState = params.BoxState;
    look.Alignment = params.Alignment;
    look.TextRect = Cell.Rect;
    look.ButtonsWidth = column.AlwaysShowEditButton() ? column.EditButtonsWidth() : 0;
    look.TextRect.Right -= look.ButtonsWidth;
    return look;
}

// A column that hides duplicates shows nothing where the record above shows the same text.
bool TCustomDBGridEh::HideDuplicateText(TCellDrawEh& Cell, TCellLookEh& Look) {
    TColumnEh& column = *Cell.Column;
    if (!column.HideDuplicates() || InMemTableView() || Cell.AreaRow == 0)
        return false;
    TCanvas& canvas = *Cell.Canvas;
    TFont saved;
    saved.Assign(*canvas.Font());
    dataLink_->SetActiveRecord(Cell.AreaRow - 1);
    std::string above;
    int aboveImage = -1;
    CellParamsText(&column, Cell.State, above, aboveImage);
    dataLink_->SetActiveRecord(Cell.AreaRow);
    canvas.Font()->Assign(saved);
    if (above != Look.Text)
        return false;
    Look.Text.clear();
    Look.ImageIndex = -1;
    return true;
}

// Text, image or check box by the column's cell kind, then the always-shown buttons and the
// required mark.
void TCustomDBGridEh::DrawDataCellContent(TCellDrawEh& Cell, const TCellLookEh& Look) {
    TCanvas& canvas = *Cell.Canvas;
    TColumnEh& column = *Cell.Column;
    const TRect& textRect = Look.TextRect;
    const TColumnCellKindEh kind = column.CellKind();
    const TRect drawRect = MirroredRect(textRect);
    TCustomImageList* images = column.ImageList();
    if (kind == ckImageListEh && !column.ShowImageAndText()) {
        canvas.FillRect(drawRect);
        if (images != nullptr && Look.ImageIndex >= 0)
            DrawImageClipped(images, nullptr, &canvas, drawRect, Look.ImageIndex, 0, taCenter);
    } else if (kind == ckCheckboxesEh) {
        canvas.FillRect(drawRect);
        const TSize glyph = MeasureCheckGlyph();
        const int w = std::min(glyph.cx, textRect.Width());
        const int h = std::min(glyph.cy, textRect.Height());
        const TRect box = Bounds(textRect.Left + (textRect.Width() - w) / 2,
                                 textRect.Top + (textRect.Height() - h) / 2, w, h);
        PaintEditButton(canvas.Handle(), MirroredRect(box), Look.Background, static_cast<int>(Look.BoxState),
                        true, false, flat_, 0, dbsCheckBoxEh);
    } else {
        TRect textPart = textRect;
        if (images != nullptr && column.ShowImageAndText()) {
            const TRect imageBox{textRect.Left, textRect.Top, textRect.Left + images->Width() + 4,
                                 textRect.Bottom};
            canvas.Brush()->SetColor(column.Color());
            canvas.FillRect(MirroredRect(imageBox));
            if (Look.ImageIndex >= 0)
                DrawImageClipped(images, nullptr, &canvas, MirroredRect(imageBox), Look.ImageIndex, 0,
                                 taCenter);
            canvas.Brush()->SetColor(Look.Background);
            textPart.Left = imageBox.Right;
        }
        DrawGridText(&canvas, MirroredRect(textPart), true, Cell.MarginX, Cell.MarginY, Look.Text,
                     Look.Alignment, column.Layout(), column.WordWrap() && WordWrapRoom(),
                     column.EndEllipsis(), 0, 0, column.IsRightToLeftReading());
    }
    if (Look.ButtonsWidth > 0)
        DrawCellButtons(Cell, &column, {textRect.Right, Cell.Rect.Top, Cell.Rect.Right, Cell.Rect.Bottom});
    DrawRequiredMark(Cell, &column, Look.Text);
}

// While the user searches by typing, the current cell marks the characters found so far.
void TCustomDBGridEh::DrawCellSearchMark(TCellDrawEh& Cell, const TCellLookEh& Look) {
    if (!InplaceSearching() || Cell.ARow != Row() || Cell.ACol != Col() ||
        !(Focused() || options_.Contains(gdoAlwaysShowSelectionEh)) || !IsActiveControl() ||
        ComponentState().Contains(csDesigning) || layoutLock_ != 0 || DBGridEhUnit() == nullptr)
        return;
    TColumnEh& column = *Cell.Column;
    TSearchMarkEh mark{Look.Text, Look.Alignment, column.Layout(), column.WordWrap() && WordWrapRoom(),
                       column.IsRightToLeftReading()};
    // Right-to-left alignment swaps the sides.
    if (UseRightToLeftAlignment() && Look.Alignment != taCenter)
        mark.Alignment = Look.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    DrawSearchMark(*Cell.Canvas, MirroredRect(Look.TextRect), Cell.MarginX, Cell.MarginY, InplaceSearchText(),
                   mark, *DBGridEhUnit());
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
