#include "data_grid/grid_scroll_bar.h"

#include "data_grid/db_grid.h"
#include "platform/ui/scroll_bar.h"

TDBGridEhScrollBar::TDBGridEhScrollBar(TCustomDBGridEh* Grid, TScrollBarKindEh Kind)
    : grid_(Grid), kind_(Kind) {}

TDBGridEhScrollBar::~TDBGridEhScrollBar() {
    // The grid is going: the control only gets its own window procedure back.
    Unhook();
}

const TPropertyList& TDBGridEhScrollBar::Published() {
    using Self = TDBGridEhScrollBar;
    static const TPropertyList list =
        TPublish<Self>(TPersistent::Published())
            .Component("ExtScrollBar", &Self::ExtScrollBarControl, &Self::SetExtScrollBarControl)
            .Boolean("Tracking", &Self::Tracking, &Self::SetTracking)
            .Default(false)
            .Boolean("Visible", &Self::Visible, &Self::SetVisible)
            .Default(true);
    return list;
}

const TPropertyList& TVertDBGridEhScrollBar::Published() {
    using Self = TVertDBGridEhScrollBar;
    static const TPropertyList list = TPublish<Self>(TDBGridEhScrollBar::Published())
                                          .Enum("VisibleMode", &Self::VisibleMode, &Self::SetVisibleMode,
                                                {"sbAlwaysShowEh", "sbNeverShowEh", "sbAutoShowEh"})
                                          .Default(sbAutoShowEh);
    return list;
}

void TDBGridEhScrollBar::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TDBGridEhScrollBar*>(&Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetVisible(other->Visible());
    SetTracking(other->Tracking());
    SetExtScrollBarControl(other->ExtScrollBarControl());
}

TComponent* TDBGridEhScrollBar::ExtScrollBar() const {
    return extScrollBar_;
}

void TDBGridEhScrollBar::SetExtScrollBar(TComponent* Value) {
    auto* bar = dynamic_cast<TScrollBar*>(Value);
    if (Value != nullptr && bar == nullptr)
        throw EConvertError("Cannot assign a " + Value->ClassName() + " to a TScrollBar");
    SetExtScrollBarControl(bar);
}

bool TDBGridEhScrollBar::Designing() const {
    return grid_->ComponentState().Contains(csDesigning);
}

void TDBGridEhScrollBar::Unhook() {
    if (extScrollBar_ == nullptr)
        return;
    if (!Designing())
        extScrollBar_->WindowProc = extScrollBar_->OwnWindowProc();
    extScrollBar_->RemoveFreeNotification(grid_);
}

void TDBGridEhScrollBar::SetExtScrollBarControl(TScrollBar* Value) {
    if (Value == extScrollBar_)
        return;
    if (!Designing() && Value != nullptr && !Value->HasOwnWindowProc())
        throw Exception("Possible " + Value->Name() + " already attached to the other control.");
    Unhook();
    extScrollBar_ = Value;
    if (Value != nullptr) {
        Value->FreeNotification(grid_);
        if (!Designing())
            Value->WindowProc = [this](TMessage& message) { ExtScrollWindowProc(message); };
        Value->SetVisible(Visible());
    }
    if (grid_->Destroying() || !grid_->HandleAllocated())
        return;
    if (kind_ == sbVerticalEh)
        grid_->RefreshVertScrollBar();
    grid_->RefreshLayout();
}

void TDBGridEhScrollBar::ExtScrollWindowProc(TMessage& Message) {
    // The grid may let go of the control while it scrolls; the control still hears its message.
    TScrollBar* bar = extScrollBar_;
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
        grid_->Perform(kind_ == sbHorizontalEh ? WM_HSCROLL : WM_VSCROLL, Message.WParam, Message.LParam);
    bar->WndProc(Message);
}

void TDBGridEhScrollBar::SetVisibleMode(TScrollBarVisibleModeEh Value) {
    if (Value == visibleMode_)
        return;
    visibleMode_ = Value;
    if (kind_ == sbVerticalEh)
        grid_->RefreshVertScrollBar();
    grid_->RefreshLayout();
}

void TDBGridEhScrollBar::SetVisible(bool Value) {
    SetVisibleMode(Value ? sbAutoShowEh : sbNeverShowEh);
    if (extScrollBar_ != nullptr)
        extScrollBar_->SetVisible(Value);
}

bool TDBGridEhScrollBar::IsShown() const {
    if (extScrollBar_ != nullptr)
        return extScrollBar_->Visible();
    return Visible() && grid_->HandleAllocated() &&
           IsScrollBarVisible(grid_->Handle(), kind_ == sbHorizontalEh ? SB_HORZ : SB_VERT);
}

bool TDBGridEhScrollBar::ReadScrollInfo(SCROLLINFO& Info) const {
    if (extScrollBar_ != nullptr)
        return GetScrollInfo(extScrollBar_->Handle(), SB_CTL, Info);
    return GetScrollInfo(grid_->Handle(), kind_ == sbHorizontalEh ? SB_HORZ : SB_VERT, Info);
}
