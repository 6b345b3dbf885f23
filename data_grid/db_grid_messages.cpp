// Messages the grid's model answers: the deferred rebuild and the fonts and colours it takes
// from its parent.
#include "data_grid/db_grid.h"

#include "data_controls/button_bitmap_cache.h"
#include "platform/ui/font.h"

void TCustomDBGridEh::Dispatch(TMessage& Message) {
    if (DrawingMessage(Message))
        return;
    if (Message.Msg == WM_DEFERRED_LAYOUT_EH) {
        DeferredLayoutMessage();
        return;
    }
    if (Message.Msg == WM_DATA_MOVES_EH && Message.LParam == DeferredLayoutMarkEh) {
        ApplyWaitingMoves();
        return;
    }
    // Layout: scroll bars, the window's size.
    if (LayoutMessage(Message))
        return;
    // Keyboard: typed characters, the input method's start and the search timer.
    if (KeyboardMessage(Message))
        return;
    // Mouse: timers, cursors, cancel mode and double clicks.
    if (MouseMessage(Message))
        return;
    // Tool-tips, focus and commands.
    if (WindowMessage(Message))
        return;
    TCustomGrid::Dispatch(Message);
    switch (Message.Msg) {
        case CM_PARENTFONTCHANGED:
            ParentFontChanged();
            break;
        case CM_PARENTCOLORCHANGED:
            ParentColorChanged();
            break;
        case CM_FONTCHANGED:
            ColumnsFollowFont();
            break;
        case CM_SYSCOLORCHANGE:
            FlushButtonBitmapCache();
            break;
        default:
            break;
    }
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
