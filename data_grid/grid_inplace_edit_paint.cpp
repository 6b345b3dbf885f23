// The grid editor's looks: its text rectangle, the value's image, the mark under an empty required
// field and the pointer over the text and the buttons.
#include "data_controls/image_list_color.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/grid_inplace_edit.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/image_list.h"
#include "platform/ui/input.h"
#include "platform/ui/pen.h"
#include "platform/ui/top_level.h"

namespace {

constexpr TColor kRequiredMarkColor = clRed;

}  // namespace

bool TDBGridInplaceEdit::ShowsImage() const {
    TColumnEh* column = CurrentColumn();
    return column != nullptr && column->ImageList() != nullptr && column->ShowImageAndText();
}

TRect TDBGridInplaceEdit::ComputeTextRect() {
    TCustomDBGridEh* grid = OwnerGrid();
    const bool flat = grid != nullptr && grid->Flat();
    TRect rect = flat ? TRect{2, 1, Width() - 2, Height() - 1} : TRect{2, 2, Width() - 2, Height()};
    // A line cut short by a pixel would lose its descenders.
    if (rect.Bottom - rect.Top < GetFontTextHeight(this) && rect.Bottom < Height())
        ++rect.Bottom;
    const bool rtl = UseRightToLeftAlignment();
    if (rtl)
        rect.Left += buttonAreaWidth_;
    else
        rect.Right -= buttonAreaWidth_;
    if (ShowsImage()) {
        const int imageRoom = CurrentColumn()->ImageList()->Width() + 5;
        if (rtl)
            rect.Right -= imageRoom;
        else
            rect.Left += imageRoom;
    }
    return rect;
}

void TDBGridInplaceEdit::RefreshImageIndex() {
    TColumnEh* column = CurrentColumn();
    if (column == nullptr || column->ImageList() == nullptr)
        return;
    int index = imageIndex_;
    TField* field = column->Field();
    if (column->HasPickList() && column->PickList()->Count() > 0)
        index = column->PickList()->IndexOf(Text());
    else if (field != nullptr && HoldsIndexNumber(field->DataType()))
        index = field->AsInteger();
    if (index == -1)
        index = column->NotInKeyListIndex();
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    Invalidate();
}

// The platform's edit fills its client area when it paints, so the mark and the image go on top.
void TDBGridInplaceEdit::PaintWindow(TCanvas& ACanvas) {
    TInplaceEdit::PaintWindow(ACanvas);
    PaintRequiredMark(ACanvas);
    if (!ShowsImage() || imageIndex_ < 0 || !Visible())
        return;
    TCustomImageList* images = CurrentColumn()->ImageList();
    // Right-to-left the image stands on the right, where the text rectangle left room for it.
    TRect area{2, 0, images->Width() + 2, Height()};
    if (UseRightToLeftAlignment())
        area = {Width() - images->Width() - 2, 0, Width() - 2, Height()};
    DrawImageCentered(&ACanvas, area, images, false, imageIndex_);
}

void TDBGridInplaceEdit::PaintRequiredMark(TCanvas& Canvas) {
    TColumnEh* column = CurrentColumn();
    TCustomDBGridEh* grid = OwnerGrid();
    if (column == nullptr || grid == nullptr)
        return;
    TField* field = column->Field();
    TDataSet* dataSet = field != nullptr ? field->DataSet() : nullptr;
    bool draw = column->HighlightRequired() && grid->DataLink()->Active() && dataSet != nullptr &&
                (dataSet->State() == dsEdit || dataSet->State() == dsInsert) && field->Required &&
                field->IsNull();
    if (column->OnCheckDrawRequiredState)
        column->OnCheckDrawRequiredState(this, Text(), draw);
    if (!draw)
        return;
    const TRect text = ComputeTextRect();
    const int row = ClientHeight() - 1;
    Canvas.Pen()->SetColor(kRequiredMarkColor);
    Canvas.Pen()->SetStyle(psDot);
    Canvas.MoveTo(text.Left + 2, row);
    Canvas.LineTo(text.Right - 3, row);
    Canvas.Pen()->SetStyle(psSolid);
}

void TDBGridInplaceEdit::WMPaint(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

// The I-beam over the text, the arrow over the buttons and the image.
void TDBGridInplaceEdit::WMSetCursor(TMessage& Message) {
    TPoint pointer;
    if (LoWordSigned(Message.LParam) != HTCLIENT || !GetCursorPos(pointer)) {
        TInplaceEdit::Dispatch(Message);
        return;
    }
    const bool overText = ComputeTextRect().Contains(ScreenToClient(pointer));
    platform::ui::ShowPointer(*this, overText ? crIBeam : crArrow);
    Message.Result = 1;
}
