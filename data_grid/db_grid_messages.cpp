// The window messages the grid answers, each sent to its handler in the file of the feature it
// belongs to; the rest go to the base grid, which turns key, mouse and paint messages into the
// KeyDown, KeyPress, KeyUp, MouseDown, MouseMove, MouseUp, Paint and DrawCell the grid overrides.
// Beside them, the fonts and colours the grid takes from its parent.
#include "data_grid/db_grid.h"

#include "data_controls/button_bitmap_cache.h"
#include "platform/ui/font.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/messages.h"

void TCustomDBGridEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        // Border and background (db_grid_border.cpp).
        case WM_NCCALCSIZE:
            return NonClientSizeMessage(Message);
        case WM_NCPAINT:
            return NonClientPaintMessage(Message);
        case WM_ERASEBKGND:
            return EraseBackgroundMessage(Message);
        // Layout (db_grid_layout_protocol.cpp, db_grid_layout_scrolling.cpp).
        case WM_DEFERRED_LAYOUT_EH:
            return DeferredLayoutMessage();
        case WM_DATA_MOVES_EH:
            if (Message.LParam != DeferredLayoutMarkEh)
                break;
            return ApplyWaitingMoves();
        case WM_VSCROLL:
            return VertScrollMessage(Message);
        case WM_HSCROLL:
            return HorzScrollMessage(Message);
        case WM_SIZE:
            return SizeMessage(Message);
        // Keys (db_grid_keys_typing.cpp); the filter editor takes typed characters first.
        case WM_CHAR:
            return CharMessage(Message);
        case WM_IME_STARTCOMPOSITION:
            return ImeStartMessage(Message);
        // The in-place search's timer (db_grid_search.cpp) and auto-scrolling's (db_grid_timer.cpp).
        case WM_TIMER:
            if (Message.WParam == SearchTimerId)
                return GridEndIncrementalSearch();
            if (Message.WParam == ScrollTimerId)
                return ScrollTimerMessage(Message);
            break;
        // Filter row (db_grid_filter_row_input.cpp): presses on filter cells, the editor's input.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (FilterRowPress(Message))
                return;
            break;
        case WM_LBUTTONUP:
            if (FilterEditorRelease(Message))
                return;
            break;
        case WM_MOUSEWHEEL:
            if (FilterEditorWheel(Message))
                return;
            break;
        // Mouse (db_grid_mouse_messages.cpp).
        case WM_SETCURSOR:
            return SetCursorMessage(Message);
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            return CancelModeMessage(Message);
        case WM_LBUTTONDBLCLK:
            return DoubleClickMessage(Message);
        // Tool-tips (db_grid_hints.cpp).
        case CM_HINTSHOW:
            return HintShowMessage(Message);
        case CM_HINTSHOWPAUSE:
            return HintShowPauseMessage(Message);
        // Focus (db_grid_focus.cpp) and child controls' commands (db_grid_window_messages.cpp).
        case WM_SETFOCUS:
            return SetFocusMessage(Message);
        case WM_KILLFOCUS:
            return KillFocusMessage(Message);
        case WM_COMMAND:
            return CommandMessage(Message);
        // The parent's font and colour, the grid's font and the system colours (below).
        case CM_PARENTFONTCHANGED:
            TCustomGrid::Dispatch(Message);
            return ParentFontChanged();
        case CM_PARENTCOLORCHANGED:
            TCustomGrid::Dispatch(Message);
            return ParentColorChanged();
        case CM_FONTCHANGED:
            TCustomGrid::Dispatch(Message);
            return ColumnsFollowFont();
        case CM_SYSCOLORCHANGE:
            TCustomGrid::Dispatch(Message);
            return FlushButtonBitmapCache();
        default:
            break;
    }
    TCustomGrid::Dispatch(Message);
}

// The columns without a font of their own take the grid's new one.
void TCustomDBGridEh::ColumnsFollowFont() {
    BeginLayout();
    try {
        for (int i = 0; columns_ && i < columns_->Count(); ++i) columns_->Items(i)->SyncDefaultFont();
    } catch (...) {
        EndLayout();
        throw;
    }
    EndLayout();
}

void TCustomDBGridEh::ParentFontChanged() {
    if (!ParentFont())
        return;
    // The title and footer fonts stay parent-bound: their change handlers must not clear ParentFont.
    copyingParentFont_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{copyingParentFont_};
    titleFont_->Assign(*Font());
    footerFont_->Assign(*Font());
    RefreshLayout();
}

void TCustomDBGridEh::ParentColorChanged() {
    if (!ParentColor())
        return;
    footerColor_ = Color();
    Invalidate();
}
