#include "platform/ui/list_box.h"

#include <algorithm>

#include "platform/rtl/strings.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Rows a notch of the wheel scrolls.
constexpr int kWheelRows = 3;

}  // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    // OnClick tells of a new selection, not of every press.
    ControlStyle = ControlStyle - TControlStyle{csClickEvents};
    items_->OnChange = [this] { ItemsChanged(); };
}

TCustomListBox::~TCustomListBox() {
    items_->OnChange = nullptr;
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    style_ = value;
    ItemsChanged();
}

int TCustomListBox::Count() const {
    return IsVirtual() ? virtualCount_ : items_->Count();
}

void TCustomListBox::SetCount(int value) {
    virtualCount_ = std::max(value, 0);
    ItemsChanged();
}

void TCustomListBox::SetItemHeight(int value) {
    if (value > 0 && value != itemHeight_) {
        itemHeight_ = value;
        ItemsChanged();
    }
}

int TCustomListBox::ItemHeight() const {
    if (IsOwnerDraw())
        return itemHeight_;
    if (fontRowHeight_ <= 0) {
        Canvas()->Font()->Assign(*Font());
        fontRowHeight_ = std::max(Canvas()->TextHeight("Wg"), 1);
    }
    return fontRowHeight_;
}

void TCustomListBox::FontChanged() {
    TCustomControl::FontChanged();
    fontRowHeight_ = 0;
    ItemsChanged();
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
}

void TCustomListBox::CreateWnd() {
    // A list made without the bar (a descendant took WS_VSCROLL away) never shows one.
    hasScrollBar_ = false;
    TCustomControl::CreateWnd();
    hasScrollBar_ = (WindowStyle() & WS_VSCROLL) != 0;
    UpdateScrollBar();
}

void TCustomListBox::ItemsChanged() {
    if (itemIndex_ >= Count())
        itemIndex_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::Resize() {
    TCustomControl::Resize();
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    UpdateScrollBar();
}

int TCustomListBox::VisibleRows() const {
    return std::max(ClientHeight() / ItemHeight(), 1);
}

int TCustomListBox::MaxTopIndex() const {
    return std::max(Count() - VisibleRows(), 0);
}

void TCustomListBox::SetItemIndex(int value) {
    if (value < -1 || value >= Count())
        value = -1;
    if (value != itemIndex_) {
        itemIndex_ = value;
        Invalidate();
    }
    if (value >= 0)
        ShowRow(value);
}

void TCustomListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, MaxTopIndex());
    if (value == topIndex_)
        return;
    topIndex_ = value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::ShowRow(int index) {
    if (index < topIndex_)
        SetTopIndex(index);
    else if (index >= topIndex_ + VisibleRows())
        SetTopIndex(index - VisibleRows() + 1);
}

void TCustomListBox::UpdateScrollBar() {
    if (!HandleAllocated() || !hasScrollBar_)
        return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(Count() - 1, 0);
    info.nPage = static_cast<UINT>(VisibleRows());
    info.nPos = topIndex_;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool Existing) const {
    if (!ClientRect().Contains(pos))
        return Existing ? -1 : Count();
    int index = topIndex_ + pos.Y / ItemHeight();
    if (index >= Count())
        return Existing ? -1 : Count();
    return index;
}

TRect TCustomListBox::ItemRect(int index) const {
    int top = (index - topIndex_) * ItemHeight();
    return {0, top, ClientWidth(), top + ItemHeight()};
}

std::string TCustomListBox::ItemText(int index) const {
    if (index < 0 || index >= Count())
        return {};
    if (!IsVirtual())
        return items_->Get(index);
    std::string data;
    if (OnData)
        OnData(const_cast<TCustomListBox*>(this), index, data);
    return data;
}

int TCustomListBox::FindPrefix(const std::string& text, int start) const {
    int count = Count();
    if (start < 0 || start >= count)
        start = -1;
    for (int step = 1; step <= count; ++step) {
        int index = (start + step) % count;
        std::string item = ItemText(index);
        if (item.size() >= text.size() && AnsiSameText(std::string_view(item).substr(0, text.size()), text))
            return index;
    }
    return -1;
}

void TCustomListBox::SelectByUser(int index) {
    index = std::clamp(index, 0, Count() - 1);
    if (Count() == 0 || index == itemIndex_) {
        if (index >= 0 && Count() > 0)
            ShowRow(index);
        return;
    }
    SetItemIndex(index);
    Click();
}

void TCustomListBox::Dispatch(TMessage& Message) {
    // A notice from a child scroll bar (LParam its window) is the child's.
    if (Message.Msg == WM_VSCROLL && Message.LParam == 0) {
        WMVScroll(Message);
        return;
    }
    if (HandleListMessage(Message))
        return;
    TCustomControl::Dispatch(Message);
}

bool TCustomListBox::HandleListMessage(TMessage& Message) {
    auto index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    switch (Message.Msg) {
        case LB_GETCOUNT:
            Message.Result = Count();
            return true;
        case LB_SETCOUNT:
            SetCount(index);
            return true;
        case LB_GETCURSEL:
            Message.Result = itemIndex_;
            return true;
        case LB_SETCURSEL:
            SetItemIndex(index);
            Message.Result = index >= 0 && index < Count() ? index : LB_ERR;
            return true;
        case LB_GETTOPINDEX:
            Message.Result = topIndex_;
            return true;
        case LB_SETTOPINDEX:
            SetTopIndex(index);
            return true;
        case LB_GETITEMHEIGHT:
            Message.Result = ItemHeight();
            return true;
        case LB_SETITEMHEIGHT:
            SetItemHeight(static_cast<int>(Message.LParam & 0xFFFF));
            return true;
        case LB_GETTEXT: {
            if (index < 0 || index >= Count()) {
                Message.Result = LB_ERR;
                return true;
            }
            std::string text = ItemText(index);
            auto* out = reinterpret_cast<std::string*>(Message.LParam);
            if (out != nullptr)
                *out = text;
            Message.Result = static_cast<LRESULT>(text.size());
            return true;
        }
        case LB_GETITEMRECT:
            if (auto* r = reinterpret_cast<TRect*>(Message.LParam); r != nullptr)
                *r = ItemRect(index);
            return true;
        case LB_ITEMFROMPOINT: {
            int at = ItemAtPos(PointFromLParam(Message.LParam), false);
            Message.Result = at < Count() ? at : MakeLParam(std::max(Count() - 1, 0), 1);
            return true;
        }
        case LB_FINDSTRING:
        case LB_SELECTSTRING: {
            const char* text = reinterpret_cast<const char*>(Message.LParam);
            int found = FindPrefix(text != nullptr ? text : "", index);
            if (found >= 0 && Message.Msg == LB_SELECTSTRING)
                SetItemIndex(found);
            Message.Result = found;
            return true;
        }
        default:
            return false;
    }
}

void TCustomListBox::WMVScroll(TMessage& Message) {
    int code = static_cast<int>(Message.WParam & 0xFFFF);
    int pos = static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF);
    switch (code) {
        case SB_LINEUP:
            SetTopIndex(topIndex_ - 1);
            break;
        case SB_LINEDOWN:
            SetTopIndex(topIndex_ + 1);
            break;
        case SB_PAGEUP:
            SetTopIndex(topIndex_ - VisibleRows());
            break;
        case SB_PAGEDOWN:
            SetTopIndex(topIndex_ + VisibleRows());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetTopIndex(pos);
            break;
        case SB_TOP:
            SetTopIndex(0);
            break;
        case SB_BOTTOM:
            SetTopIndex(MaxTopIndex());
            break;
        default:
            break;
    }
    Message.Result = 0;
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus())
            SetFocus();
        int index = ItemAtPos({X, Y}, true);
        if (index >= 0)
            SelectByUser(index);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    int current = std::max(itemIndex_, 0);
    int page = std::max(VisibleRows() - 1, 1);
    switch (Key) {
        case VK_UP:
            SelectByUser(itemIndex_ < 0 ? 0 : current - 1);
            break;
        case VK_DOWN:
            SelectByUser(itemIndex_ < 0 ? 0 : current + 1);
            break;
        case VK_PRIOR:
            SelectByUser(current - page);
            break;
        case VK_NEXT:
            SelectByUser(current + page);
            break;
        case VK_HOME:
            SelectByUser(0);
            break;
        case VK_END:
            SelectByUser(Count() - 1);
            break;
        default:
            return;
    }
    Key = 0;
}

void TCustomListBox::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key < 32 || Key > 126)
        return;
    // A typed letter goes to the next row beginning with it.
    int found = FindPrefix(std::string(1, static_cast<char>(Key)), itemIndex_);
    if (found >= 0)
        SelectByUser(found);
}

bool TCustomListBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos))
        return true;
    SetTopIndex(topIndex_ + kWheelRows);
    return true;
}

bool TCustomListBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos))
        return true;
    SetTopIndex(topIndex_ - kWheelRows);
    return true;
}

void TCustomListBox::Paint() {
    TCanvas& canvas = *Canvas();
    int row = topIndex_;
    for (; row < Count() && ItemRect(row).Top < ClientHeight(); ++row) {
        TOwnerDrawState state;
        if (row == itemIndex_)
            state = state + TOwnerDrawState{odSelected};
        if (row == itemIndex_ && Focused())
            state = state + TOwnerDrawState{odFocused};
        if (!Enabled())
            state = state + TOwnerDrawState{odDisabled};
        canvas.Font()->Assign(*Font());
        canvas.Brush()->SetColor(state.Contains(odSelected) ? clHighlight : Color());
        canvas.Font()->SetColor(state.Contains(odSelected) ? clHighlightText : Font()->Color());
        DrawItem(row, ItemRect(row), state);
        if (state.Contains(odFocused)) {
            TRect r = ItemRect(row);
            DrawFocusRect(&canvas, &r);
        }
    }
    TRect rest{0, ItemRect(row).Top, ClientWidth(), ClientHeight()};
    if (!rest.IsEmpty())
        platform::ui::PaintSolid(canvas, rest, Color());
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (IsOwnerDraw() && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.FillRect(Rect);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(Rect.Left + 2, Rect.Top, ItemText(Index));
    canvas.Brush()->SetStyle(bsSolid);
}
