// The find dialog's search: cell by cell from the current one, in the chosen direction, until a
// cell matches or a step runs past the first or the last record.
#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "data_grid/find_dialog_match.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/format.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/virtual_keys.h"

namespace {

// The dataset's controls are disabled for the whole search, however it ends.
class ControlsDisabledScope {
  public:
    explicit ControlsDisabledScope(TDataSet& DataSet) : dataSet_(DataSet) { dataSet_.DisableControls(); }
    ~ControlsDisabledScope() {
        try {
            dataSet_.EnableControls();
        } catch (...) {
        }
    }
    ControlsDisabledScope(const ControlsDisabledScope&) = delete;
    ControlsDisabledScope& operator=(const ControlsDisabledScope&) = delete;

  private:
    TDataSet& dataSet_;
};

bool GridHoldsColumn(const TCustomDBGridEh& Grid, const void* Column) {
    IGridColumnsEh* columns = Grid.ColumnsPart();
    for (int i = 0; columns != nullptr && i < columns->Count(); ++i)
        if (dynamic_cast<const TColumnEh*>(columns->Items(i)) == Column)
            return true;
    return false;
}

}  // namespace

void TDBGridEhFindDlg::bFindClick(TObject* /*Sender*/) {
    const bool reverse = GetKeyState(VK_CONTROL) < 0;
    const std::string pattern = cbText->Text();
    RecordPattern(pattern);
    TDataSet* dataSet = SearchDataSet();
    if (dataSet == nullptr)
        return;
    RefreshStaleScope();
    if (searchColumns_.Count() == 0)
        return;
    backward_ = (cbFindDirection->ItemIndex() == fdUpEh) != reverse;
    bool found = false;
    {
        ControlsDisabledScope disabled(*dataSet);
        const TBookmark start = dataSet->GetBookmark();
        findGrid_->SaveDataPosition();
        found = SearchCells(*dataSet, pattern);
        if (!found)
            RestoreStart(*dataSet, start);
    }
    if (!found)
        ShowMessage(Format("Строка \"%s\" не найдена.", {pattern}));
}

bool TDBGridEhFindDlg::SearchCells(TDataSet& DataSet, const std::string& Pattern) {
    const TFindTextMatcherEh matcher(Pattern, cbMatchinType->ItemIndex(), cbCharCase->Checked());
    passedEnd_ = false;
    if (cbFindDirection->ItemIndex() == fdAllEh && firstTry_)
        DataSet.First();
    if (searchColumnIndex_ < 0 || searchColumnIndex_ >= searchColumns_.Count())
        searchColumnIndex_ = backward_ ? searchColumns_.Count() - 1 : 0;
    if (!firstTry_ && !AtSearchEnd(DataSet))
        StepSearchPosition(DataSet);
    while (!AtSearchEnd(DataSet)) {
        TColumnEh& column = *searchColumns_.ColumnAt(searchColumnIndex_);
        if (matcher.Matches(CellSearchText(column))) {
            SelectMatchColumn(column);
            firstTry_ = false;
            return true;
        }
        StepSearchPosition(DataSet);
    }
    return false;
}

// Only a step that tried to leave the first or the last record ends the search, so the current
// cell is always examined, also on a dataset that has just been opened or moved to its end.
bool TDBGridEhFindDlg::AtSearchEnd(const TDataSet& DataSet) const {
    return DataSet.IsEmpty() || passedEnd_;
}

void TDBGridEhFindDlg::StepSearchPosition(TDataSet& DataSet) {
    const int count = searchColumns_.Count();
    if (!backward_) {
        if (searchColumnIndex_ < count - 1) {
            ++searchColumnIndex_;
            return;
        }
        DataSet.Next();
        passedEnd_ = DataSet.Eof();
        searchColumnIndex_ = 0;
        return;
    }
    if (searchColumnIndex_ > 0) {
        --searchColumnIndex_;
        return;
    }
    DataSet.Prior();
    passedEnd_ = DataSet.Bof();
    searchColumnIndex_ = count - 1;
}

std::string TDBGridEhFindDlg::CellSearchText(TColumnEh& Column) const {
    if (cbUseFormat->Checked())
        return Column.CellDisplayText();
    const TField* field = Column.Field();
    return field != nullptr ? field->AsString() : std::string();
}

void TDBGridEhFindDlg::RestoreStart(TDataSet& DataSet, const TBookmark& Start) {
    findGrid_->RestoreDataPosition();
    // The grid's window of records comes back with its saved position; the record the search
    // started on is made sure of by its own bookmark.
    if (!Start.empty() && DataSet.GetBookmark() != Start)
        DataSet.GotoBookmark(Start);
}

void TDBGridEhFindDlg::SelectMatchColumn(TColumnEh& Column) {
    // The match's column becomes the current one whether or not letter case counts.
    findGrid_->SelectColumnByIndex(Column.Index());
}

void TDBGridEhFindDlg::RecordPattern(const std::string& Pattern) {
    if (cbText->Items()->IndexOf(Pattern) < 0)
        cbText->Items()->Add(Pattern);
}

TDataSet* TDBGridEhFindDlg::SearchDataSet() const {
    if (findGrid_ == nullptr || findGrid_->DataSource() == nullptr)
        return nullptr;
    TDataSet* dataSet = findGrid_->DataSource()->DataSet();
    return dataSet != nullptr && dataSet->Active() ? dataSet : nullptr;
}

bool TDBGridEhFindDlg::ScopeStale() const {
    auto held = [this](const void* column) { return GridHoldsColumn(*findGrid_, column); };
    const TStrings& items = *cbFindIn->Items();
    for (int i = 0; i < items.Count() - 1; ++i)
        if (!held(items.GetObject(i)))
            return true;
    for (int i = 0; i < searchColumns_.Count(); ++i)
        if (!held(searchColumns_.ColumnAt(i)))
            return true;
    return false;
}

void TDBGridEhFindDlg::RefreshStaleScope() {
    if (!ScopeStale())
        return;
    // The grid made its columns anew: the scope is taken again by caption, explicit entries whose
    // columns went are dropped.
    const int selected = cbFindIn->ItemIndex();
    const std::string caption = selected >= 0 ? cbFindIn->Items()->Get(selected) : std::string();
    std::erase_if(columnFields_, [this](const TColumnFieldItemEh& item) {
        return !GridHoldsColumn(*findGrid_, item.Column);
    });
    FillFindInList(columnFields_);
    cbFindIn->SetItemIndex(cbFindIn->Items()->IndexOf(caption));
    BuildSearchColumns();
}
