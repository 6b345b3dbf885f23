// The layout-update protocol: locks, nested brackets and the deferred rebuild.
#include "data_grid/db_grid.h"
#include "data_grid/grid_routines.h"

#include "platform/ui/message_queue.h"

void TCustomDBGridEh::LockLayout() {
    ++layoutLock_;
}

void TCustomDBGridEh::UnlockLayout() {
    if (layoutLock_ == 0)
        return;
    --layoutLock_;
    if (layoutLock_ == 0 && deferredWaiting_) {
        deferredWaiting_ = false;
        if (HandleAllocated())
            PostMessage(Handle(), WM_DEFERRED_LAYOUT_EH, 0, DeferredLayoutMarkEh);
    }
}

void TCustomDBGridEh::BeginLayout() {
    LockLayout();
    if (updateLock_ == 0 && columns_)
        columns_->BeginUpdate();
    ++updateLock_;
}

bool TCustomDBGridEh::TryBeginLayout() {
    if (layoutLock_ > 0 || updateLock_ > 0)
        return false;
    BeginLayout();
    return true;
}

void TCustomDBGridEh::EndLayout() {
    if (updateLock_ == 0)
        return;
    struct Release {
        TCustomDBGridEh* grid;
        ~Release() {
            --grid->updateLock_;
            grid->UnlockLayout();
        }
    } release{this};
    if (updateLock_ != 1)
        return;
    try {
        RebuildLayout();
    } catch (...) {
        if (columns_)
            columns_->EndUpdate();
        throw;
    }
    if (columns_)
        columns_->EndUpdate();
}

void TCustomDBGridEh::EndLayoutQuietly() {
    if (updateLock_ == 0)
        return;
    if (updateLock_ == 1 && columns_)
        columns_->EndUpdate();
    --updateLock_;
    UnlockLayout();
}

void TCustomDBGridEh::RefreshLayout() {
    if (TryBeginLayout())
        EndLayout();
}

void TCustomDBGridEh::PostDeferredUpdate() {
    if (HandleAllocated()) {
        TMsg waiting;
        if (!PeekMessage(waiting, Handle(), WM_DEFERRED_LAYOUT_EH, WM_DEFERRED_LAYOUT_EH, PM_NOREMOVE))
            PostMessage(Handle(), WM_DEFERRED_LAYOUT_EH, 0, DeferredLayoutMarkEh);
    }
    // Only the caller's own bracket ends here; an outer lock stays held.
    EndLayoutQuietly();
}

void TCustomDBGridEh::DeferredLayoutMessage() {
    if (TryBeginLayout()) {
        EndLayout();
        return;
    }
    // Someone holds the layout: their EndLayout rebuilds, or the last unlock posts this again.
    deferredWaiting_ = true;
}

void TCustomDBGridEh::DropPendingMessage() {
    if (HandleAllocated())
        ::DropPendingMessage(Handle(), WM_DEFERRED_LAYOUT_EH);
}

void TCustomDBGridEh::RebuildLayout() {
    DropPendingMessage();
    deferredWaiting_ = false;
    layoutRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{layoutRunning_};
    if (ComponentState().Contains(csLoading))
        return;
    RebuildGridLayout();
}
