// The window system's standard edit actions (cut, copy, paste, delete, select all) served by the
// focused grid through its clipboard and delete operations, and enabled only when they can run.
#include <string_view>

#include "data_grid/db_grid.h"

#include "platform/db/dataset.h"
#include "platform/rtl/basic_action.h"
#include "platform/ui/clipboard.h"

namespace {

struct TStandardEditActionEh {
    std::string_view ClassName;
    TDBGridEhEditAction Action;
};

constexpr TStandardEditActionEh StandardEditActions[] = {
    {"TEditCut", geaCutEh},       {"TEditCopy", geaCopyEh},           {"TEditPaste", geaPasteEh},
    {"TEditDelete", geaDeleteEh}, {"TEditSelectAll", geaSelectAllEh},
};

// The grid action a standard edit action stands for; false for any other action.
bool StandardEditAction(TBasicAction* Action, TDBGridEhEditAction& Result) {
    const std::string name = Action != nullptr ? Action->ClassName() : std::string();
    for (const TStandardEditActionEh& entry : StandardEditActions)
        if (entry.ClassName == name) {
            Result = entry.Action;
            return true;
        }
    return false;
}

}  // namespace

bool TCustomDBGridEh::ExecuteAction(TBasicAction* Action) {
    if (dataLink_->ExecuteAction(Action))
        return true;
    TDBGridEhEditAction editAction{};
    if (!Focused() || !StandardEditAction(Action, editAction) || !EditActionAvailable(editAction))
        return TCustomGrid::ExecuteAction(Action);
    if (editActionsHandler_ != nullptr)
        editActionsHandler_->RunAction(this, editAction);
    return true;
}

bool TCustomDBGridEh::UpdateAction(TBasicAction* Action) {
    if (dataLink_->UpdateAction(Action))
        return true;
    TDBGridEhEditAction editAction{};
    if (!Focused() || !StandardEditAction(Action, editAction))
        return TCustomGrid::UpdateAction(Action);
    Action->Enabled = EditActionAvailable(editAction);
    return true;
}

// Allowed by EditActions, possible in the grid's state, and with someone to carry it out.
bool TCustomDBGridEh::EditActionAvailable(TDBGridEhEditAction Action) {
    if (!editActions_.Contains(Action) || editActionsHandler_ == nullptr)
        return false;
    switch (Action) {
        case geaCopyEh:
            return CheckCopyAction();
        case geaCutEh:
            return CheckCopyAction() && CheckDeleteAction();
        case geaPasteEh:
            return CheckPasteAction();
        case geaDeleteEh:
            return CheckDeleteAction();
        case geaSelectAllEh:
            return CheckSelectAllAction();
    }
    return false;
}

bool TCustomDBGridEh::CheckCopyAction() {
    return dataLink_->Active() && selection_ != nullptr && selection_->Kind() != gskNoneEh;
}

bool TCustomDBGridEh::CheckPasteAction() {
    if (!dataLink_->Active() || readOnly_)
        return false;
    TDataSet* dataSet = dataLink_->DataSet();
    if (!dataSet->CanModify())
        return false;
    TClipboard* clipboard = Clipboard();
    if (!clipboard->HasFormat("VCLDBIF") && !clipboard->HasFormat(CF_TEXT_FORMAT) &&
        !clipboard->HasFormat(CF_UNICODETEXT_FORMAT))
        return false;
    return dataSet->State() == dsInsert || allowedOperations_.Contains(alopUpdateEh);
}

bool TCustomDBGridEh::CheckSelectAllAction() {
    return dataLink_->Active() && !dataLink_->DataSet()->IsEmpty() && allowedSelections_.Contains(gskAllEh);
}

bool TCustomDBGridEh::CheckDeleteAction() {
    if (!dataLink_->Active() || readOnly_ || selection_ == nullptr)
        return false;
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet->IsEmpty() || !dataSet->CanModify())
        return false;
    switch (selection_->Kind()) {
        case gskRowsEh:
        case gskAllEh:
            return allowedOperations_.Contains(alopDeleteEh);
        case gskRectangleEh:
        case gskColumnsEh:
            return allowedOperations_.Contains(alopUpdateEh);
        default:
            return false;
    }
}
