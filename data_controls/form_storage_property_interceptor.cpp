#include "data_controls/form_storage_property_interceptor.h"

#include "platform/ui/font.h"
#include "platform/ui/screen.h"

namespace {

// Write-only properties are taken when read and never written out.
bool NeverStored(const TFormStoragePropertyInterceptor&) {
    return false;
}

}  // namespace

TRect FormRestoredBounds(const TCustomForm& Form) {
    if (Form.WindowState() != wsNormal && Form.HandleAllocated())
        return Form.RestoredBounds();
    return Form.BoundsRect();
}

int TFormStoragePropertyInterceptor::DefaultPixelsPerInch() {
    return Screen != nullptr ? Screen->PixelsPerInch() : ScreenPixelsPerInch;
}

// A form is laid out at the screen's resolution here, so that is the resolution its values are in.
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
    FPixelsPerInch = DefaultPixelsPerInch();
    FWindowState = form->WindowState();
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
    form->SetWindowState(FWindowState);
    ApplyActiveControl(*form);
    ApplyBounds(*form);
    const bool centred = form->Position() == poScreenCenter || form->Position() == poDesktopCenter;
    if (centred && !form->ComponentState().Contains(csDesigning) && FPosPresent)
        form->SetPosition(poDesigned);
}

// A stored resolution of 0 or less cannot be scaled from, so the values stay as stored.
void TFormStoragePropertyInterceptor::Rescale() {
    if (FPixelsPerInch <= 0)
        return;
    for (int* value : {&FHeight, &FLeft, &FTop, &FWidth})
        *value = MulDiv(*value, screenPixelsPerInch_, FPixelsPerInch);
}

// The form has no setter of its normal rectangle alone, so a maximized or minimized form is put
// back to normal, given the bounds there and returned to its state: the bounds become where it
// goes when the user restores it.
void TFormStoragePropertyInterceptor::ApplyBounds(TCustomForm& form) const {
    const TWindowState state = form.WindowState();
    if (state != wsNormal)
        form.SetWindowState(wsNormal);
    form.SetBounds(FLeft, FTop, FWidth, FHeight);
    form.SetWindowState(state);
}

// Setting the form's active control moves the focus, so it is set only when it changes.
void TFormStoragePropertyInterceptor::ApplyActiveControl(TCustomForm& form) const {
    if (form.ActiveControl() != FActiveControl)
        form.SetActiveControl(FActiveControl);
}
