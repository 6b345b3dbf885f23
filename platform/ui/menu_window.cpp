#include "platform/ui/menu_window.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/screen.h"
#include "platform/ui/shortcuts.h"

namespace {

constexpr int kBorder = 3;  // the raised edge and a pixel of menu colour inside it
constexpr int kSeparatorHeight = 8;
constexpr int kCheckWidth = 18;   // the column left of the captions, where check marks go
constexpr int kArrowWidth = 16;   // the column right of the shortcuts, where sub-menu arrows go
constexpr int kShortCutGap = 24;  // between the longest caption and the shortcut column
constexpr int kItemPadding = 6;   // above and below a caption

}  // namespace

TMenuWindow::TMenuWindow(TComponent* AOwner, TMenuItem* items) : TCustomControl(AOwner), items_(items) {
    SetColor(clMenu);
    SetVisible(false);
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Visible) {
            shown_.push_back(items->Items(i));
            items->Items(i)->FreeNotification(this);
        }
}

TMenuWindow::~TMenuWindow() {
    // Going with its form: nobody is told of a choice, and letting the mouse go must not close it anew.
    open_ = false;
    done_ = nullptr;
    if (sub_ != nullptr)
        sub_->parentMenu_ = nullptr;
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
}

void TMenuWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void TMenuWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == sub_)
        sub_ = nullptr;
    auto it = std::find(shown_.begin(), shown_.end(), AComponent);
    if (it != shown_.end()) {
        shown_.erase(it);
        highlighted_ = -1;
        Invalidate();
    }
}

int TMenuWindow::ItemHeight() const {
    Canvas()->Font()->Assign(*Font());
    return Canvas()->TextHeight("Ag") + kItemPadding;
}

TMenuWindow::Layout TMenuWindow::Measure() const {
    TCanvas& canvas = *Canvas();
    Layout layout{ItemHeight(), 0, 0};
    for (TMenuItem* item : shown_) {
        TRect r;
        DrawText(&canvas, item->Caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        layout.CaptionWidth = std::max(layout.CaptionWidth, r.Width());
        layout.ShortCutWidth =
            std::max(layout.ShortCutWidth, canvas.TextWidth(ShortCutToText(item->ShortCut)));
    }
    return layout;
}

TSize TMenuWindow::ContentSize() const {
    Layout layout = Measure();
    int width = kCheckWidth + layout.CaptionWidth + kArrowWidth;
    if (layout.ShortCutWidth > 0)
        width += kShortCutGap + layout.ShortCutWidth;
    int height = 0;
    for (TMenuItem* item : shown_) height += item->IsLine() ? kSeparatorHeight : layout.ItemHeight;
    return {width + 2 * kBorder, height + 2 * kBorder};
}

TRect TMenuWindow::ItemRect(int index) const {
    int itemHeight = ItemHeight();
    int top = kBorder;
    for (int i = 0; i < index; ++i)
        top += shown_[static_cast<std::size_t>(i)]->IsLine() ? kSeparatorHeight : itemHeight;
    int height = shown_.at(static_cast<std::size_t>(index))->IsLine() ? kSeparatorHeight : itemHeight;
    return {kBorder, top, Width() - kBorder, top + height};
}

int TMenuWindow::ItemAt(TPoint pos) const {
    for (int i = 0; i < static_cast<int>(shown_.size()); ++i)
        if (ItemRect(i).Contains(pos))
            return i;
    return -1;
}

bool TMenuWindow::Selectable(int index) const {
    if (index < 0 || index >= static_cast<int>(shown_.size()))
        return false;
    TMenuItem* item = shown_[static_cast<std::size_t>(index)];
    return item->Enabled && !item->IsLine();
}

bool TMenuWindow::HasSubItems(int index) const {
    if (!Selectable(index))
        return false;
    TMenuItem* item = shown_[static_cast<std::size_t>(index)];
    for (int i = 0; i < item->Count(); ++i)
        if (item->Items(i)->Visible)
            return true;
    return false;
}

void TMenuWindow::Highlight(int index) {
    if (index == highlighted_)
        return;
    highlighted_ = index;
    Invalidate();
}

int TMenuWindow::NextSelectable(int step) const {
    int count = static_cast<int>(shown_.size());
    int from = highlighted_ >= 0 ? highlighted_ : (step > 0 ? -1 : count);
    for (int i = 1; i <= count; ++i) {
        int index = ((from + step * i) % count + count) % count;
        if (Selectable(index))
            return index;
    }
    return -1;
}

void TMenuWindow::Open(TPoint screenPos, TDoneEvent done) {
    done_ = std::move(done);
    ShowAt(screenPos, screenPos.X);
    open_ = true;
    SetCaptureControl(this);
    platform::ui::SetKeyboardGrab(this);
}

void TMenuWindow::ShowAt(TPoint pos, int rightEdgeWhenFlipped) {
    TSize size = ContentSize();
    TRect wanted = Bounds(pos.X, pos.Y, size.cx, size.cy);
    TMonitor* monitor = Screen->MonitorFromRect(wanted, mdNearest);
    TRect area = monitor != nullptr ? monitor->WorkareaRect : Screen->WorkAreaRect();
    // What would run off the right or the bottom opens to the left of (or above) the point instead.
    if (wanted.Right > area.Right)
        wanted = OffsetRect(wanted, std::max(area.Left, rightEdgeWhenFlipped - size.cx) - wanted.Left, 0);
    if (wanted.Bottom > area.Bottom)
        wanted = OffsetRect(wanted, 0, std::max(area.Top, area.Bottom - size.cy) - wanted.Top);
    SetBoundsRect(wanted);
    SetVisible(true);
    Invalidate();
}

void TMenuWindow::OpenSubMenu(bool selectFirst) {
    TMenuItem* item = highlighted_ >= 0 ? shown_[static_cast<std::size_t>(highlighted_)] : nullptr;
    if (sub_ == nullptr || sub_->items_ != item) {
        CloseSubMenu();
        if (!HasSubItems(highlighted_))
            return;
        sub_ = NewComponent<TMenuWindow>(Owner(), item);
        sub_->parentMenu_ = this;
        sub_->FreeNotification(this);
        sub_->SetParent(Parent());
        TRect r = ItemRect(highlighted_);
        sub_->ShowAt(ClientToScreen({Width() - kBorder, r.Top - kBorder}), Left() + kBorder);
    }
    if (selectFirst && sub_->highlighted_ < 0)
        sub_->Highlight(sub_->NextSelectable(1));
}

void TMenuWindow::CloseSubMenu() {
    TMenuWindow* sub = std::exchange(sub_, nullptr);
    if (sub == nullptr)
        return;
    sub->CloseSubMenu();
    sub->RemoveFreeNotification(this);
    sub->Hide();
    Free(sub);
}

TMenuWindow& TMenuWindow::Innermost() {
    TMenuWindow* window = this;
    while (window->sub_ != nullptr) window = window->sub_;
    return *window;
}

TMenuWindow& TMenuWindow::Root() {
    TMenuWindow* window = this;
    while (window->parentMenu_ != nullptr) window = window->parentMenu_;
    return *window;
}

void TMenuWindow::Choose(int index) {
    if (!Selectable(index))
        return;
    Highlight(index);
    if (HasSubItems(index)) {
        OpenSubMenu(true);
        return;
    }
    Root().Finish(shown_[static_cast<std::size_t>(index)]);
}

void TMenuWindow::Finish(TMenuItem* chosen) {
    if (!open_)
        return;
    open_ = false;
    CloseSubMenu();
    if (platform::ui::KeyboardGrab() == this)
        platform::ui::SetKeyboardGrab(nullptr);
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    Hide();
    if (TDoneEvent done = std::exchange(done_, nullptr))
        done(chosen);
}

void TMenuWindow::Paint() {
    TCanvas& canvas = *Canvas();
    platform::ui::PaintSolid(canvas, ClientRect(), Color());
    TRect frame = ClientRect();
    DrawEdge(&canvas, &frame, EDGE_RAISED, BF_RECT);
    Layout layout = Measure();
    for (int i = 0; i < static_cast<int>(shown_.size()); ++i) PaintItem(canvas, i, layout);
}

namespace {

void PaintSeparator(TCanvas& canvas, const TRect& r) {
    int y = (r.Top + r.Bottom) / 2 - 1;
    platform::ui::PaintSolid(canvas, {r.Left + 1, y, r.Right - 1, y + 1}, clBtnShadow);
    platform::ui::PaintSolid(canvas, {r.Left + 1, y + 1, r.Right - 1, y + 2}, clBtnHighlight);
}

void PaintCheckMark(TCanvas& canvas, const TRect& column, TColor color) {
    int x = column.Left + (column.Width() - 7) / 2;
    int y = (column.Top + column.Bottom) / 2 - 3;
    // A tick three pixels thick: down two steps, then up four.
    for (int dy = 0; dy < 3; ++dy) {
        std::array<TPoint, 3> tick{TPoint{x, y + 2 + dy}, TPoint{x + 2, y + 4 + dy}, TPoint{x + 6, y + dy}};
        canvas.Pen()->SetColor(color);
        canvas.Polyline(tick);
    }
}

void PaintSubMenuArrow(TCanvas& canvas, const TRect& column, TColor color) {
    int x = column.Left + (column.Width() - 4) / 2;
    int y = (column.Top + column.Bottom) / 2;
    for (int i = 0; i < 4; ++i)
        platform::ui::PaintSolid(canvas, {x + i, y - 3 + i, x + i + 1, y + 4 - i}, color);
}

}  // namespace

void TMenuWindow::PaintItem(TCanvas& canvas, int index, const Layout& layout) {
    TMenuItem* item = shown_[static_cast<std::size_t>(index)];
    TRect r = ItemRect(index);
    if (item->IsLine()) {
        PaintSeparator(canvas, r);
        return;
    }
    bool lit = index == highlighted_;
    if (lit)
        platform::ui::PaintSolid(canvas, r, clHighlight);
    TColor textColor = !item->Enabled ? clGrayText : lit ? clHighlightText : clMenuText;
    if (item->Checked)
        PaintCheckMark(canvas, {r.Left, r.Top, r.Left + kCheckWidth, r.Bottom}, textColor);
    if (HasSubItems(index))
        PaintSubMenuArrow(canvas, {r.Right - kArrowWidth, r.Top, r.Right, r.Bottom}, textColor);
    canvas.Font()->SetColor(textColor);
    canvas.Brush()->SetStyle(bsClear);
    TRect caption{r.Left + kCheckWidth, r.Top, r.Right - kArrowWidth, r.Bottom};
    DrawText(&canvas, item->Caption, -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (layout.ShortCutWidth > 0)
        DrawText(&canvas, ShortCutToText(item->ShortCut), -1, &caption,
                 DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    canvas.Brush()->SetStyle(bsSolid);
}
