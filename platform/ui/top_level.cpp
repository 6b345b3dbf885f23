#include "platform/ui/top_level.h"

#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/window_system.h"

namespace platform::ui {
namespace {
int g_noRedraw = 0;
}

NoRedrawScope::NoRedrawScope(bool on) : on_(on) {
    if (on_)
        ++g_noRedraw;
}

NoRedrawScope::~NoRedrawScope() {
    if (on_)
        --g_noRedraw;
}

TWinControl* TopLevelOf(const TControl* control) {
    const TControl* c = control;
    while (c != nullptr) {
        auto* win = dynamic_cast<const TWinControl*>(c);
        if (win != nullptr && (win->IsTopLevelWindow() || win->Parent() == nullptr))
            return const_cast<TWinControl*>(win);
        c = c->Parent();
    }
    return nullptr;
}

RasterImage* TopLevelSurface(const TControl& control) {
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        return &form->SurfaceImage();
    if (top != nullptr && top->PopupWindow() != nullptr)
        return &top->PopupWindow()->SurfaceImage();
    return nullptr;
}

void InvalidateTopLevel(const TControl& control, const TRect& rect) {
    if (g_noRedraw > 0)
        return;
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        form->InvalidateArea(rect);
    else if (top != nullptr && top->PopupWindow() != nullptr)
        top->PopupWindow()->InvalidateArea(rect);
}

void ScrollInvalidTopLevel(const TControl& control, const TRect& area, int dx, int dy) {
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        form->ScrollInvalidArea(area, dx, dy);
    else if (top != nullptr && top->PopupWindow() != nullptr)
        top->PopupWindow()->ScrollInvalidArea(area, dx, dy);
}

void PaintTopLevel(const TControl& control) {
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        form->PaintInvalid();
    else if (top != nullptr && top->PopupWindow() != nullptr)
        top->PopupWindow()->PaintInvalid();
}

void PresentTopLevel(const TControl& control, const TRect& rect) {
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        form->PresentArea(rect);
    else if (top != nullptr && top->PopupWindow() != nullptr)
        top->PopupWindow()->PresentArea(rect);
}

NativeWindow* TopLevelNative(const TControl& control) {
    TWinControl* top = TopLevelOf(&control);
    if (auto* form = dynamic_cast<TCustomForm*>(top))
        return form->Native();
    if (top != nullptr && top->PopupWindow() != nullptr)
        return top->PopupWindow()->Native();
    return nullptr;
}

void ShowPointer(const TControl& control, TCursor cursor) {
    if (NativeWindow* native = TopLevelNative(control))
        native->SetPointer(cursor);
}

}  // namespace platform::ui
