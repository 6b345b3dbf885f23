// The flat grid's border: one sunken pixel instead of the client edge, taken out of the client area
// and painted with the rest of the frame.
#include "data_grid/db_grid.h"
#include "platform/ui/canvas.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_styles.h"

void TCustomDBGridEh::CreateParams(TCreateParams& Params) {
    TCustomGrid::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    borderInset_ = 0;
    if (flat_ && Ctl3D()) {
        const bool single = (Params.Style & WS_BORDER) != 0 || (Params.ExStyle & WS_EX_CLIENTEDGE) != 0;
        Params.Style &= ~WS_BORDER;
        Params.ExStyle &= ~WS_EX_CLIENTEDGE;
        borderInset_ = single ? 1 : 0;
    }
}

void TCustomDBGridEh::NonClientSizeMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    auto& rect = *reinterpret_cast<TRect*>(Message.LParam);
    rect = {rect.Left + borderInset_, rect.Top + borderInset_, rect.Right - borderInset_,
            rect.Bottom - borderInset_};
}

void TCustomDBGridEh::NonClientPaintMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    PaintBorder3D(Bounds(0, 0, Width(), Height()), {});
}

// The cells cover the whole client area: the background is never erased.
void TCustomDBGridEh::EraseBackgroundMessage(TMessage& Message) {
    Message.Result = 1;
}

void TCustomDBGridEh::PaintBorder3D(TRect ARect, TGridDrawState /*AState*/) {
    if (borderInset_ != 1 || !flat_ || !Ctl3D() || !HandleAllocated())
        return;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    DrawEdge(canvas.Handle(), &ARect, BDR_SUNKENINNER, BF_RECT);
}
