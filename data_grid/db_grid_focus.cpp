// The grid taking and losing the focus: a sort held back while Ctrl was down runs when the focus
// leaves, and the selection repaints when the focus within the grid changed.
#include "data_grid/db_grid.h"
#include "data_grid/inplace_filter_edit.h"

#include "platform/ui/inplace_edit.h"
#include "platform/ui/messages.h"

namespace {

bool FromWindow(TWinControl* Control, WPARAM Handle) {
    return Control != nullptr && Control->HandleAllocated() && static_cast<HWND>(Handle) == Control->Handle();
}

}  // namespace

void TCustomDBGridEh::SetFocusMessage(TMessage& Message) {
    if (options_.Contains(gdoRowSelectEh))
        InvalidateGridRow(Row());
    TCustomGrid::Dispatch(Message);
    if (FilterEditingActive() && FilterEditor() != nullptr && !FromWindow(FilterEditor(), Message.WParam))
        FilterEditor()->SetFocus();
    RepaintSelectionOnFocusChange();
}

void TCustomDBGridEh::KillFocusMessage(TMessage& Message) {
    if (sortMarkingDeferred_ && !FromWindow(InplaceEditor(), Message.WParam)) {
        sortMarkingDeferred_ = false;
        SortMarkingChanged();
    }
    if (options_.Contains(gdoRowSelectEh))
        InvalidateGridRow(Row());
    TCustomGrid::Dispatch(Message);
    RepaintSelectionOnFocusChange();
}

void TCustomDBGridEh::RepaintSelectionOnFocusChange() {
    if (SelectionShownActive() != HasFocusWithin())
        InvalidateSelection();
}
