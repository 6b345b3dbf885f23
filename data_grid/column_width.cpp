// Column widths: the fallback from the field's display width, the limits, and an auto column's
// width written through to its field.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "platform/db/field.h"
#include "platform/ui/canvas.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/font.h"

namespace {

struct DigitMetrics {
    int zeroWidth = 0;
    TEXTMETRIC tm;
};

// The grid's canvas measures in the column's font.
DigitMetrics MeasureDigits(TCustomDBGridEh& grid, const TFont& font) {
    TCanvas* canvas = grid.Canvas();
    canvas->Font()->Assign(font);
    DigitMetrics metrics;
    GetTextMetrics(canvas->Handle(), &metrics.tm);
    metrics.zeroWidth = canvas->TextWidth("0");
    return metrics;
}

}  // namespace

int TColumnEh::FallbackWidth() const {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr)
        return 64;
    const TField* field = BoundField();
    if (field == nullptr)
        return grid->DefaultColWidth();
    const DigitMetrics metrics = MeasureDigits(*grid, *Font());
    const int overhang = metrics.tm.tmOverhang;
    return (metrics.zeroWidth - overhang) * field->DisplayWidth() + overhang + 4;
}

int TColumnEh::Width() const {
    return ownValues_.Contains(ovWidth) ? width_ : FallbackWidth();
}

// -1 asks for no width of the column's own, so the field keeps its display width too.
void TColumnEh::WidthFromDisplayWidth(int Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (Value == -1 || !grid->HandleAllocated() || !grid->FieldDisplayWidthSync())
        return;
    TField* field = ResolveField();
    if (field == nullptr)
        return;
    const DigitMetrics metrics = MeasureDigits(*grid, *Font());
    if (metrics.zeroWidth <= 0)
        return;
    field->SetDisplayWidth((Value + metrics.tm.tmAveCharWidth / 2 - metrics.tm.tmOverhang - 3) /
                           metrics.zeroWidth);
}

void TColumnEh::SetWidth(int Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (IsAutoColumn() && grid != nullptr) {
        WidthFromDisplayWidth(Value);
        if (grid->LinkLayoutChanging() && !ownValues_.Contains(ovWidth))
            return;
    }
    if ((ownValues_.Contains(ovWidth) || Value != FallbackWidth()) && Value != -1) {
        width_ = Value;
        ownValues_.Include(ovWidth);
        if (maxWidth_ > 0 && Value > maxWidth_)
            width_ = maxWidth_;
        if (width_ < minWidth_)
            width_ = minWidth_;
    }
    NotifyChanged(false);
}

void TColumnEh::SetMaxWidth(int Value) {
    maxWidth_ = Value;
    if (Value > 0 && Width() > Value)
        SetWidth(Value);
}

void TColumnEh::SetMinWidth(int Value) {
    minWidth_ = Value;
    if (Value > 0 && Width() < Value)
        SetWidth(Value);
}

int TColumnEh::ClampWidth(int TryWidth) const {
    if (maxWidth_ > 0 && TryWidth > maxWidth_)
        TryWidth = maxWidth_;
    if (minWidth_ > 0 && TryWidth < minWidth_)
        TryWidth = minWidth_;
    return TryWidth;
}

void TColumnEh::SetAutoFitColWidth(bool Value) {
    autoFitColWidth_ = Value;
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid != nullptr && grid->AutoFitColWidths() && !Loading() &&
        !grid->ComponentState().Contains(csDesigning))
        SetWidth(initialWidth_);
    NotifyChanged(false);
}
