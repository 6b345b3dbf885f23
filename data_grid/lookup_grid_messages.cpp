// The lookup grid's window messages: typed characters, scrolling, focus, sizing, the cursor over the
// special row and its hint.
#include "data_controls/spec_row.h"
#include "data_grid/lookup_grid.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/input.h"
#include "platform/ui/messages.h"

void TDBLookupGridEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            SelectByText(static_cast<char32_t>(Message.WParam));
            return;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        case WM_VSCROLL:
            if (!HasMemTable()) {
                ListScrollMessage(static_cast<int>(Message.WParam & 0xFFFF),
                                  static_cast<int>((Message.WParam >> 16) & 0xFFFF));
                return;
            }
            searchText_.clear();
            break;
        case WM_TIMER:
            // Timer 1 scrolls while the pointer is held beyond the grid's edge.
            TCustomDBGridEh::Dispatch(Message);
            if (cellTracking_ && Message.WParam == 1)
                AutoScrollTick();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FocusMessage(Message, Message.Msg == WM_SETFOCUS);
            return;
        case WM_SIZE:
            SizeMessage(Message);
            return;
        case WM_SETCURSOR:
            // The special row keeps the plain arrow: no sizing or drag cursor over it.
            if (OverSpecRow(Message))
                return;
            break;
        case CM_RECREATEWND:
            // Changing its own widths must not take the window away underneath.
            if (widthSetting_)
                return;
            break;
        case CM_HINTSHOW:
            HintShowMessage(Message);
            return;
        default:
            break;
    }
    TCustomDBGridEh::Dispatch(Message);
}

void TDBLookupGridEh::FocusMessage(TMessage& Message, bool Gained) {
    if (Gained)
        searchText_.clear();
    TCustomDBGridEh::Dispatch(Message);
    Invalidate();
}

void TDBLookupGridEh::SizeMessage(TMessage& Message) {
    if (widthSetting_) {
        TCustomDBGridEh::Dispatch(Message);
        return;
    }
    TFlagScope setting(widthSetting_);
    // The grid refits the widths to the new size while its switch is on, just this once.
    struct Refit {
        TDBLookupGridEh* grid;
        bool fits;
        ~Refit() {
            if (fits)
                grid->HoldAutoFitColWidths(false);
        }
    } refit{this, ownAutoFit_};
    if (refit.fits)
        HoldAutoFitColWidths(true);
    TCustomDBGridEh::Dispatch(Message);
}

bool TDBLookupGridEh::OverSpecRow(const TMessage& SetCursor) {
    if (!specRow_->Visible() || LoWordSigned(SetCursor.LParam) != HTCLIENT)
        return false;
    TPoint pointer;
    if (!GetCursorPos(pointer))
        return false;
    pointer = ScreenToClient(pointer);
    return InSpecRow(MouseCoord(pointer.X, pointer.Y).Y);
}

void TDBLookupGridEh::HintShowMessage(TMessage& Message) {
    // The grid's own hint, never a cell's text.
    TCustomGrid::Dispatch(Message);
    if (auto* info = reinterpret_cast<THintInfo*>(Message.LParam))
        info->HintStr = Hint;
}
