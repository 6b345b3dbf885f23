#include "data_controls/form_storage_property_interceptor.h"

#include "platform/ui/screen.h"

// Qualified: the window system names its own window states and positions the same way.
namespace fp = form_placement;

namespace {

fp::TFormPlacement* PlacementOf(const TCustomForm& form) {
    return dynamic_cast<fp::TFormPlacement*>(const_cast<TCustomForm*>(&form));
}

fp::TWindowState WindowStateOf(const TCustomForm& form) {
    const fp::TFormPlacement* placement = PlacementOf(form);
    return placement != nullptr ? placement->WindowState() : fp::wsNormal;
}

bool IsCentred(const fp::TFormPlacement& placement) {
    return placement.Position() == fp::poScreenCenter || placement.Position() == fp::poDesktopCenter;
}

// Write-only properties are taken when read and never written out.
bool NeverStored(const TFormStoragePropertyInterceptor&) {
    return false;
}

}  // namespace

TRect FormRestoredBounds(const TCustomForm& Form) {
    if (WindowStateOf(Form) != fp::wsNormal && Form.HandleAllocated())
        return PlacementOf(Form)->NormalPosition();
    return Form.BoundsRect();
}

int TFormStoragePropertyInterceptor::DefaultPixelsPerInch() {
    return Screen != nullptr ? Screen->PixelsPerInch() : 96;
}

TFormStoragePropertyInterceptor::TFormStoragePropertyInterceptor(TPersistent* Target, int screenPixelsPerInch)
    : TStoragePropertyInterceptor(Target), screenPixelsPerInch_(screenPixelsPerInch) {
    TCustomForm* form = Form();
    if (form == nullptr)
        return;
    const TRect bounds = FormRestoredBounds(*form);
    FLeft = bounds.Left;
    FTop = bounds.Top;
    FWidth = bounds.Width();
    FHeight = bounds.Height();
    const fp::TFormPlacement* placement = PlacementOf(*form);
    FPixelsPerInch = placement != nullptr ? placement->PixelsPerInch() : screenPixelsPerInch_;
    FWindowState = WindowStateOf(*form);
    FActiveControl = form->ActiveControl();
}

const TPropertyList& TFormStoragePropertyInterceptor::Published() {
    using T = TFormStoragePropertyInterceptor;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .Component("ActiveControl", &T::FActiveControl, &T::SetActiveControl)
            .StoredWhen(NeverStored)
            .Integer("Height", &T::Height, &T::SetHeight)
            .Integer("Left", &T::Left, &T::SetLeft)
            .Integer("PixelsPerInch", &T::FPixelsPerInch, &T::SetPixelsPerInch)
            .StoredWhen(NeverStored)
            .Integer("Top", &T::Top, &T::SetTop)
            .Integer("Width", &T::Width, &T::SetWidth)
            .Enum("WindowState", &T::FWindowState, &T::SetWindowState,
                  {"wsNormal", "wsMinimized", "wsMaximized"})
            .StoredWhen(NeverStored);
    return list;
}

TRect TFormStoragePropertyInterceptor::RestoredBounds() const {
    const TCustomForm* form = Form();
    return form != nullptr ? FormRestoredBounds(*form) : TRect{};
}

void TFormStoragePropertyInterceptor::SetLeft(int value) {
    FLeft = value;
    FPosPresent = true;
}

void TFormStoragePropertyInterceptor::SetTop(int value) {
    FTop = value;
    FPosPresent = true;
}

void TFormStoragePropertyInterceptor::AfterPropertiesRead() {
    Rescale();
    TCustomForm* form = Form();
    if (form == nullptr)
        return;
    fp::TFormPlacement* placement = PlacementOf(*form);
    if (placement != nullptr) {
        placement->SetWindowState(FWindowState);
        placement->SetActiveControlDirect(FActiveControl);
    } else {
        form->SetActiveControl(FActiveControl);
    }
    ApplyBounds(*form);
    if (placement != nullptr && IsCentred(*placement) && !form->ComponentState().Contains(csDesigning) &&
        FPosPresent)
        placement->SetPosition(fp::poDesigned);
}

// A stored resolution of 0 or less cannot be scaled from, so the values stay as stored.
void TFormStoragePropertyInterceptor::Rescale() {
    if (FPixelsPerInch <= 0)
        return;
    for (int* value : {&FHeight, &FLeft, &FTop, &FWidth})
        *value = MulDiv(*value, screenPixelsPerInch_, FPixelsPerInch);
}

// A maximized or minimized form keeps its state; the bounds become where it goes when restored.
void TFormStoragePropertyInterceptor::ApplyBounds(TCustomForm& form) const {
    if (WindowStateOf(form) != fp::wsNormal) {
        PlacementOf(form)->SetNormalPosition({FLeft, FTop, FLeft + FWidth, FTop + FHeight});
        return;
    }
    form.SetBounds(FLeft, FTop, FWidth, FHeight);
}
