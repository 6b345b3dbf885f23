#include "data_controls/mru_listbox.h"

#include "data_controls/drop_down_placement.h"
#include "platform/ui/system_metrics.h"

namespace {

bool OwnsComponent(const TComponent& owner, const TComponent* component) {
    for (int i = 0; i < owner.ComponentCount(); ++i)
        if (owner.Components(i) == component)
            return true;
    return false;
}

}  // namespace

TMRUListboxEh::TMRUListboxEh(TComponent* AOwner) : TPopupListboxEh(AOwner) {
    scrollBar_ = NewComponent<TScrollBar>(this);
    scrollBar_->SetKind(sbVertical);
    scrollBar_->ControlStyle = scrollBar_->ControlStyle + TControlStyle{csReplicatable};
    scrollBar_->SetTabStop(false);
    scrollBar_->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    scrollBar_->SetVisible(false);
    scrollBar_->SetParent(this);
    scrollBar_->WindowProc = [this](TMessage& message) { ScrollBarWndProc(message); };
    auto itemsChanged = Items()->OnChange;
    Items()->OnChange = [this, itemsChanged] {
        if (itemsChanged)
            itemsChanged();
        UpdateScrollBar();
    };
}

TMRUListboxEh::~TMRUListboxEh() {
    Items()->OnChange = nullptr;
    // Freed through Free, the bar went before this; deleted outright, it outlives this part of the list.
    if (OwnsComponent(*this, scrollBar_))
        scrollBar_->WindowProc = [bar = scrollBar_](TMessage& message) { bar->WndProc(message); };
}

void TMRUListboxEh::CreateParams(TCreateParams& Params) {
    TPopupListboxEh::CreateParams(Params);
    Params.Style &= ~(WS_VSCROLL | WS_HSCROLL);
}

void TMRUListboxEh::Dispatch(TMessage& Message) {
    TPopupListboxEh::Dispatch(Message);
    switch (Message.Msg) {
        case WM_DROPDOWN_SIDE_EH:
        case WM_SIZE:
        case WM_VSCROLL:
            UpdateScrollBar();
            break;
        default:
            break;
    }
}

bool TMRUListboxEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = TPopupListboxEh::DoMouseWheelDown(Shift, MousePos);
    UpdateScrollBar();
    return handled;
}

bool TMRUListboxEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = TPopupListboxEh::DoMouseWheelUp(Shift, MousePos);
    UpdateScrollBar();
    return handled;
}

void TMRUListboxEh::ScrollBarWndProc(TMessage& Message) {
    // The bar's steps scroll the list, which then sets the bar to where it stands.
    if (Message.Msg == CN_VSCROLL) {
        Perform(WM_VSCROLL, Message.WParam, 0);
        return;
    }
    if (Message.Msg == WM_MOVE && !movingScrollBar_) {
        // Moved by the list's layout or anyone else: back beside the grip.
        UpdateScrollBar();
        return;
    }
    scrollBar_->WndProc(Message);
}

void TMRUListboxEh::UpdateScrollBar() {
    if (SizeGrip() == nullptr)
        return;
    PlaceScrollBar();
    ArrangeScrollBar();
}

void TMRUListboxEh::PlaceScrollBar() {
    const int width = scrollBar_->Width();
    const int gripHeight = SizeGrip()->Height();
    int top = 0, height = ClientHeight();
    if (SizeGrip()->Position() == sgpBottomRight) {
        height -= gripHeight;
    } else if (SizeGrip()->Position() == sgpTopRight) {
        top = gripHeight;
        height -= gripHeight;
    }
    movingScrollBar_ = true;
    scrollBar_->SetBounds(ClientWidth() - width, top, width, height);
    movingScrollBar_ = false;
}

void TMRUListboxEh::ArrangeScrollBar() {
    if (!HandleAllocated() || SizeGrip() == nullptr)
        return;
    scrollBar_->SetCtl3D(false);
    PlaceScrollBar();
    const int visibleRows = ClientHeight() / ItemHeight();
    const bool gripAtLeft = SizeGrip()->Position() == sgpTopLeft || SizeGrip()->Position() == sgpBottomLeft;
    if (Count() > 0 && Count() > visibleRows) {
        scrollBar_->SetPageSize(visibleRows);
        scrollBar_->SetParams(TopIndex(), 0, Count() - 1);
        scrollBar_->SetVisible(true);
        // The bar covers the grip's far side: only a grip at the left needs its corner cut.
        SizeGrip()->SetTriangular(gripAtLeft);
    } else {
        scrollBar_->SetVisible(false);
        SizeGrip()->SetTriangular(true);
    }
}
