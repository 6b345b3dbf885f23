// The drop-down data grid: its window, border and grip, and the keys and mouse that tell its owner
// of the user's choice.
#include "data_grid/popup_data_grid.h"

#include <algorithm>

#include "data_controls/spec_row.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/canvas.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/messages.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_styles.h"

namespace {

// The size-grip message: the grip goes to the side in the low byte of WParam.
constexpr UINT WM_GRIP_SIDE_EH = WM_USER + 100;

}  // namespace

TPopupDataGridEh::TPopupDataGridEh(TComponent* AOwner) : TDBLookupGridEh(AOwner) {
    ControlStyle = ControlStyle + TControlStyle{csNoDesignVisible, csReplicatable};
    SetPopupMode(true);
    sizeGrip_ = NewComponent<TSizeGripEh>(this);
    sizeGrip_->SetParent(this);
    sizeGrip_->SetTriangular(true);
    ShowHint = true;
}

// The grip is owned, so it goes with the grid's other components before the lookup grid's teardown.
TPopupDataGridEh::~TPopupDataGridEh() = default;

void TPopupDataGridEh::CreateParams(TCreateParams& Params) {
    TDBLookupGridEh::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    if (!Ctl3D())
        Params.Style |= WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    AddBiDiModeExStyle(Params.ExStyle);
}

void TPopupDataGridEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE:
            NCCalcSize(Message);
            return;
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case WM_SIZE:
            WindowResized(Message);
            return;
        case WM_GRIP_SIDE_EH:
            if (Message.LParam == DeferredLayoutMarkEh)
                break;
            if (TSizeGripEh* grip = SizeGrip())
                grip->MoveToSide(static_cast<int>(Message.WParam & 0xFF));
            return;
        case CM_CTL3DCHANGED:
            Ctl3DChanged(Message);
            return;
        default:
            break;
    }
    TDBLookupGridEh::Dispatch(Message);
}

void TPopupDataGridEh::NCCalcSize(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    const int inset = PopupInset();
    auto& rect = *reinterpret_cast<TRect*>(Message.LParam);
    rect = {rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

void TPopupDataGridEh::WindowResized(TMessage& Message) {
    TDBLookupGridEh::Dispatch(Message);
    if (TSizeGripEh* grip = SizeGrip())
        grip->PlaceInCorner();
    sizeGripResized_ = true;
}

void TPopupDataGridEh::Ctl3DChanged(TMessage& Message) {
    TDBLookupGridEh::Dispatch(Message);
    if (HandleAllocated())
        RecreateWnd();
}

void TPopupDataGridEh::PaintBorder3D(TRect ARect, TGridDrawState /*AState*/) {
    if (!Ctl3D() || !HandleAllocated())
        return;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    DrawEdge(canvas.Handle(), &ARect, BDR_RAISEDOUTER, BF_RECT);
}

void TPopupDataGridEh::HoldMinimumSize(int& AWidth, int& AHeight) const {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    AWidth = std::max(AWidth, GetSystemMetrics(SM_CXVSCROLL));
    AHeight = std::max(AHeight, GetSystemMetrics(SM_CYVSCROLL));
}

void TPopupDataGridEh::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool resizes = AWidth != Width() || AHeight != Height();
    if (resizes)
        HoldMinimumSize(AWidth, AHeight);
    TDBLookupGridEh::SetBounds(ALeft, ATop, AWidth, AHeight);
    // The whole-row snap may take the height below the least the window may have.
    int width = Width(), height = Height();
    if (resizes)
        HoldMinimumSize(width, height);
    if (width != Width() || height != Height())
        TCustomDBGridEh::SetBounds(Left(), Top(), width, height);
}

void TPopupDataGridEh::KeyDown(WORD& Key, TShiftState Shift) {
    TFlagScope user(userChange_);
    TDBLookupGridEh::KeyDown(Key, Shift);
}

void TPopupDataGridEh::KeyUp(WORD& Key, TShiftState Shift) {
    TDBLookupGridEh::KeyUp(Key, Shift);
}

void TPopupDataGridEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TFlagScope user(userChange_);
    keySelection_ = true;
    TDBLookupGridEh::MouseDown(Button, Shift, X, Y);
    if (ToggleTreeNodeAt(X, Y))
        keySelection_ = false;
}

void TPopupDataGridEh::MouseMove(TShiftState Shift, int X, int Y) {
    TFlagScope user(userChange_);
    TDBLookupGridEh::MouseMove(Shift, X, Y);
    const bool buttonHeld = Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
    if (!buttonHeld && !MasterDataLink()->ReadOnly())
        TrackMouse(X, Y);
}

void TPopupDataGridEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridState before = GridState();
    TDBLookupGridEh::MouseUp(Button, Shift, X, Y);
    if (before != gsNormal || !keySelection_)
        return;
    const TRect window{0, 0, Width(), Height()};
    const bool inside = X >= window.Left && X < window.Right && Y >= window.Top && Y < window.Bottom;
    if (inside && !ClosesOnRelease(X, Y))
        return;
    if (OnListCloseUp)
        OnListCloseUp(this, inside);
}

bool TPopupDataGridEh::ClosesOnRelease(int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    const TGridRect area = DataCellArea();
    const bool inData =
        cell.X >= area.Left && cell.X <= area.Right && cell.Y >= area.Top && cell.Y <= area.Bottom;
    const bool inSpecRow = SpecRow()->Visible() && cell.Y == TopDataOffset() - 1;
    return inData || inSpecRow;
}

void TPopupDataGridEh::RefreshSpecRowState() {
    TDBLookupGridEh::RefreshSpecRowState();
    if (userChange_ && OnKeyChangedByUser)
        OnKeyChangedByUser(this);
}
