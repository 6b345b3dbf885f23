#include "data_controls/popup_listbox.h"

#include <algorithm>

#include "data_controls/drop_down_placement.h"
#include "data_controls/image_list_color.h"
#include "data_controls/system_adapters.h"
#include "platform/os/clock.h"
#include "platform/rtl/strings.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/image_list.h"
#include "platform/ui/screen_canvas.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_functions.h"

namespace {

// Keys typed further apart than this start a new search.
constexpr std::uint32_t kSearchPauseMs = 2000;
constexpr std::size_t kSearchMaxChars = 32;
// LB_SELECTSTRING from before the first row.
constexpr WPARAM kSearchFromStart = 0xFFFF;

std::size_t CharCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

int GetFontTextHeight(const TControl* control) {
    TScreenCanvas canvas;
    canvas.Font()->Assign(*control->Font());
    TEXTMETRIC metrics;
    GetTextMetrics(&canvas, &metrics);
    return metrics.tmHeight;
}

int WindowBorderHeight(DWORD style, DWORD exStyle, int borderWidth) {
    TRect rect{0, 0, 0, 0};
    AdjustWindowRectEx(rect, style, false, exStyle);
    return rect.Height() + 2 * borderWidth;
}

TPopupListboxEh::TPopupListboxEh(TComponent* AOwner) : TCustomListBox(AOwner) {
    ControlStyle = ControlStyle + TControlStyle{csReplicatable};
    SetStyle(lbOwnerDrawFixed);
    SetTabStop(false);
    sizeGrip_ = NewComponent<TSizeGripEh>(this);
    sizeGrip_->SetParent(this);
    OnData = [this](TWinControl*, int index, std::string& data) {
        if (itemsSource_ != nullptr && index >= 0 && index < itemsSource_->Count())
            data = itemsSource_->Get(index);
    };
}

TPopupListboxEh::~TPopupListboxEh() {
    SetImages(nullptr);
}

void TPopupListboxEh::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.Style &= ~WS_BORDER;
    if (!Ctl3D())
        Params.Style |= WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void TPopupListboxEh::CreateWnd() {
    TCustomListBox::CreateWnd();
    // Top-level, so it shows over everything; it still reads as focused while the owner keeps the keys.
    if (Parent() != nullptr)
        ::SetParent(Handle(), 0);
    showsFocus_ = true;
}

void TPopupListboxEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE:
            NCCalcSize(Message);
            return;
        case WM_NCPAINT:
            NCPaint(Message);
            return;
        case CM_CTL3DCHANGED:
            Ctl3DChanged(Message);
            return;
        case WM_DROPDOWN_SIDE_EH:
            if (TSizeGripEh* grip = SizeGrip())
                grip->MoveToSide(static_cast<int>(Message.WParam));
            return;
        default:
            TCustomListBox::Dispatch(Message);
    }
}

void TPopupListboxEh::NCCalcSize(TMessage& Message) {
    auto& rect = *reinterpret_cast<TRect*>(Message.LParam);
    rect = {rect.Left + borderWidth_, rect.Top + borderWidth_, rect.Right - borderWidth_,
            rect.Bottom - borderWidth_};
    TCustomListBox::Dispatch(Message);
}

void TPopupListboxEh::NCPaint(TMessage& Message) {
    TCustomListBox::Dispatch(Message);
    if (borderWidth_ == 0)
        return;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    TRect frame{0, 0, Width(), Height()};
    DrawEdge(&canvas, &frame, EDGE_RAISED, BF_RECT);
}

void TPopupListboxEh::Ctl3DChanged(TMessage& Message) {
    TCustomListBox::Dispatch(Message);
    borderWidth_ = Ctl3D() ? 2 : 0;
    if (HandleAllocated())
        RecreateWnd();
    SetBounds(Left(), Top(), Width(), Height());
}

int TPopupListboxEh::BorderHeight() const {
    return WindowBorderHeight(Ctl3D() ? 0 : WS_BORDER, 0, borderWidth_);
}

int TPopupListboxEh::RowHeight() const {
    return ItemHeight() > 0 ? ItemHeight() : GetFontTextHeight(this);
}

void TPopupListboxEh::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int border = BorderHeight();
    rowCount_ = std::max((AHeight - border) / RowHeight(), 1);
    AHeight = border + rowCount_ * RowHeight();
    AWidth = std::max(AWidth, GetSystemMetrics(SM_CXVSCROLL));
    AHeight = std::max(AHeight, GetSystemMetrics(SM_CYVSCROLL));
    TCustomListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TPopupListboxEh::SizeForRows(int rows) {
    SetHeight(std::max(rows, 1) * RowHeight() + BorderHeight());
}

void TPopupListboxEh::Resize() {
    TCustomListBox::Resize();
    if (TSizeGripEh* grip = SizeGrip())
        grip->PlaceInCorner();
    sizeGripResized_ = true;
}

void TPopupListboxEh::SetImages(TCustomImageList* value) {
    if (value == images_)
        return;
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_ != nullptr)
        images_->FreeNotification(this);
    Invalidate();
}

void TPopupListboxEh::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomListBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_)
        images_ = nullptr;
}

void TPopupListboxEh::SetItemsSource(TStrings* value) {
    itemsSource_ = value;
    if (value != nullptr) {
        SetStyle(lbVirtualOwnerDraw);
        SetCount(value->Count());
    } else {
        SetStyle(lbOwnerDrawFixed);
    }
}

void TPopupListboxEh::KeyPress(char32_t& Key) {
    if (Key == VK_BACK || Key == VK_ESCAPE) {
        searchText_.clear();
    } else if (Key >= 32) {
        AddSearchChar(Key);
        Key = 0;
    }
    TCustomListBox::KeyPress(Key);
}

void TPopupListboxEh::AddSearchChar(char32_t key) {
    const std::uint32_t now = GetTickCount();
    if (now - searchTick_ > kSearchPauseMs)
        searchText_.clear();
    searchTick_ = now;
    if (CharCount(searchText_) < kSearchMaxChars)
        searchText_ += Utf32ToUtf8(std::u32string(1, key));
    Perform(LB_SELECTSTRING, kSearchFromStart, reinterpret_cast<LPARAM>(searchText_.c_str()));
}

void TPopupListboxEh::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomListBox::MouseMove(Shift, X, Y);
    const TPoint pos{X, Y};
    if (pos == lastMousePos_)
        return;
    lastMousePos_ = pos;
    if (Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle))
        return;
    const int index = ItemAtPos(pos, true);
    if (index >= 0)
        SetItemIndex(index);
}

bool TPopupListboxEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!TCustomControl::DoMouseWheelDown(Shift, MousePos))
        SetTopIndex(TopIndex() + 1);
    return true;
}

bool TPopupListboxEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!TCustomControl::DoMouseWheelUp(Shift, MousePos))
        SetTopIndex(TopIndex() - 1);
    return true;
}

void TPopupListboxEh::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (images_ == nullptr)
        TCustomListBox::DrawItem(Index, Rect, State);
    else
        DrawItemWithImage(Index, Rect, State);
}

void TPopupListboxEh::DrawItemWithImage(int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas& canvas = *Canvas();
    const bool selected = State.Contains(odSelected) && Index >= 0;
    canvas.Brush()->SetColor(selected ? clHighlight : Color());
    canvas.Font()->SetColor(selected ? clHighlightText : Font()->Color());
    canvas.FillRect(Rect);
    if (Index < 0)
        return;
    const int imageWidth = images_->Width();
    const bool rtl = UseRightToLeftAlignment();
    TRect imageArea = rtl ? TRect{Rect.Right - imageWidth - 4, Rect.Top, Rect.Right, Rect.Bottom}
                          : TRect{Rect.Left, Rect.Top, Rect.Left + imageWidth + 4, Rect.Bottom};
    int imageIndex = Index;
    if (OnGetImageIndex)
        OnGetImageIndex(this, Index, imageIndex);
    DrawImageCentered(&canvas, imageArea, images_, selected, imageIndex);
    TRect textArea = rtl ? TRect{Rect.Left, Rect.Top, imageArea.Left - 2, Rect.Bottom}
                         : TRect{Rect.Left + imageWidth + 5, Rect.Top, Rect.Right, Rect.Bottom};
    if (Index < Count())
        ExtTextOutStr(&canvas, textArea.Left + (rtl ? 0 : 2), textArea.Top, ETO_CLIPPED | ETO_OPAQUE,
                      &textArea, ItemText(Index));
    if (selected && showsFocus_)
        DrawFocusRect(&canvas, &textArea);
}

int WidestTextWidth(const TStrings& Items, const TFont& Font) {
    TScreenCanvas canvas;
    canvas.Font()->Assign(Font);
    int widest = 0;
    for (int i = 0; i < Items.Count(); ++i) widest = std::max(widest, canvas.TextWidth(Items[i]));
    return widest;
}
