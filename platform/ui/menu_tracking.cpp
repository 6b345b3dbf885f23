// An open menu's input: its first window holds the mouse capture and the keyboard, and hands each
// key to the innermost open window and each mouse message to the window under the pointer.
#include "platform/ui/accelerators.h"
#include "platform/ui/menu_window.h"
#include "platform/ui/virtual_keys.h"

void TMenuWindow::Dispatch(TMessage& Message) {
    if (!open_) {
        TCustomControl::Dispatch(Message);
        return;
    }
    if (IsMouseMessage(Message.Msg)) {
        MouseWhileOpen(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            KeyDownWhileOpen(Message);
            return;
        case WM_CHAR:
        case WM_SYSCHAR:
            CharWhileOpen(Message);
            return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_MOUSEWHEEL:
            Message.Result = 1;
            return;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            // Someone else took the mouse: the menu gives way.
            Finish(nullptr);
            return;
        default:
            TCustomControl::Dispatch(Message);
    }
}

void TMenuWindow::KeyDownWhileOpen(TMessage& Message) {
    TMenuWindow& target = Innermost();
    Message.Result = 1;
    switch (static_cast<WORD>(Message.WParam)) {
        case VK_UP:
            target.Highlight(target.NextSelectable(-1));
            return;
        case VK_DOWN:
            target.Highlight(target.NextSelectable(1));
            return;
        case VK_RIGHT:
            if (target.HasSubItems(target.highlighted_))
                target.OpenSubMenu(true);
            return;
        case VK_LEFT:
            if (target.parentMenu_ != nullptr)
                target.parentMenu_->CloseSubMenu();
            return;
        case VK_ESCAPE:
            if (target.parentMenu_ != nullptr)
                target.parentMenu_->CloseSubMenu();
            else
                Finish(nullptr);
            return;
        case VK_RETURN:
            if (target.highlighted_ >= 0)
                target.Choose(target.highlighted_);
            else
                Finish(nullptr);
            return;
        default:
            // Typed keys come back as characters: an item's '&' letter.
            Message.Result = 0;
    }
}

void TMenuWindow::CharWhileOpen(TMessage& Message) {
    Message.Result = 1;
    TMenuWindow& target = Innermost();
    auto ch = static_cast<char32_t>(Message.WParam);
    int count = static_cast<int>(target.shown_.size());
    int first = -1;
    int matches = 0;
    int next = -1;  // the first match below the highlighted item
    for (int i = 0; i < count; ++i) {
        if (!target.Selectable(i) || !IsAccel(ch, target.shown_[static_cast<std::size_t>(i)]->Caption))
            continue;
        ++matches;
        if (first < 0)
            first = i;
        if (next < 0 && i > target.highlighted_)
            next = i;
    }
    if (matches == 1)
        target.Choose(first);
    else if (matches > 1)
        // Several items share the letter: it steps through them.
        target.Highlight(next >= 0 ? next : first);
}

void TMenuWindow::MouseWhileOpen(TMessage& Message) {
    TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            HoverAt(screen);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // A press outside every window of the menu closes it, and goes nowhere else.
            if (WindowAt(screen) == nullptr)
                Finish(nullptr);
            else
                HoverAt(screen);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ReleaseAt(screen);
            return;
        default:
            return;
    }
}

TMenuWindow* TMenuWindow::WindowAt(TPoint screen) {
    for (TMenuWindow* window = &Innermost(); window != nullptr; window = window->parentMenu_)
        if (window->ClientRect().Contains(window->ScreenToClient(screen)))
            return window;
    return nullptr;
}

void TMenuWindow::HoverAt(TPoint screen) {
    TMenuWindow* window = WindowAt(screen);
    if (window == nullptr)
        return;
    int index = window->ItemAt(window->ScreenToClient(screen));
    if (!window->Selectable(index))
        index = -1;
    window->Highlight(index);
    // Opens the item's sub-menu, or closes one another item opened.
    window->OpenSubMenu(false);
}

void TMenuWindow::ReleaseAt(TPoint screen) {
    TMenuWindow* window = WindowAt(screen);
    if (window == nullptr)
        return;
    window->Choose(window->ItemAt(window->ScreenToClient(screen)));
}
