// The plain grid's bodies of its overridable operations, the data link's calls and the event
// dispatchers.
#include "data_grid/db_grid.h"
#include "data_grid/sum_list_grid.h"

#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "platform/ui/inplace_edit.h"

bool TCustomDBGridEh::CanStartRowDrag() {
    return true;
}
int TCustomDBGridEh::TreeLevelAtPoint(int /*X*/, int /*Y*/) {
    return 0;
}
bool TCustomDBGridEh::ShowsRowFocusFrame() {
    return options_.Contains(gdoRowSelectEh) && defaultDrawing_ && Focused() &&
           !ComponentState().Contains(csDesigning);
}
bool TCustomDBGridEh::KeepsEditorShown() {
    return options_.Contains(gdoAlwaysShowEditorEh) && !FilterEditingActive();
}
bool TCustomDBGridEh::ToggleTreeNodeAt(int /*X*/, int /*Y*/) {
    return false;
}
// NewFilterEditor comes with the filter-row editor (inplace_filter_edit.cpp).
int TCustomDBGridEh::SubTitleRowCount() {
    return stFilter_ && stFilter_->Visible() ? 1 : 0;
}
int TCustomDBGridEh::ShowsTitles() {
    return options_.Contains(gdoTitlesEh) ? 1 : 0;
}
bool TCustomDBGridEh::HasFocusWithin() {
    return Focused() || (InplaceEditor() != nullptr && InplaceEditor()->Focused());
}
void TCustomDBGridEh::DrawTreeCell(int /*ACol*/, int /*ARow*/, TRect& /*ARect*/, TGridDrawState /*AState*/) {}
void TCustomDBGridEh::CollectDataSetFields(std::vector<TField*>& Fields) {
    if (TDataSet* dataSet = dataLink_->DataSet())
        for (int i = 0; i < dataSet->Fields().Count(); ++i) Fields.push_back(dataSet->Fields().Fields(i));
}
bool TCustomDBGridEh::FindDialogModal() {
    return true;
}

void TCustomDBGridEh::DataLinkActiveChanged(bool Active) {
    if (!Active)
        HideEditor();
    if (selection_)
        selection_->LinkStateChanged(Active);
    if (sumList_)
        sumList_->SetDataSet(dataLink_->DataSet());
    if (InMemTableView())
        RecalcRowCount();
    RefreshLayout();
    if (Active && KeepsEditorShown())
        ShowCellEditor();
    RefreshVertScrollBar();
    DetectMemTable();
    if (columns_)
        columns_->ReleaseValueLists();
}

void TCustomDBGridEh::EditingStateChanged() {
    InvalidateEditor();
}
TField* TCustomDBGridEh::SelectedField() const {
    return nullptr;
}

void TCustomDBGridEh::CellClick(IGridColumnEh* Column) {
    if (OnDataCellClick)
        OnDataCellClick(this, Column);
}
void TCustomDBGridEh::CheckTitleButton(int ACol, IGridColumnEh* Column, bool& Enabled) {
    if (OnTitleButtonCheck)
        OnTitleButtonCheck(this, ACol, Column, Enabled);
}
void TCustomDBGridEh::ColEnter() {
    ApplyColumnImeSettings();
    if (OnColumnEnter)
        OnColumnEnter(this);
}
void TCustomDBGridEh::ColExit() {
    if (OnColumnExit)
        OnColumnExit(this);
}
void TCustomDBGridEh::TitleClick(int ACol, IGridColumnEh* Column) {
    if (OnTitleButtonClick)
        OnTitleButtonClick(this, ACol, Column);
}
void TCustomDBGridEh::DrawColumnCell(const TRect& Rect, int DataCol, IGridColumnEh* Column,
                                     TGridDrawState State) {
    if (OnColumnCellDraw)
        OnColumnCellDraw(this, Rect, DataCol, Column, State);
}
void TCustomDBGridEh::DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State) {
    if (OnDataCellDraw)
        OnDataCellDraw(this, Rect, Field, State);
}
void TCustomDBGridEh::EditButtonClick() {
    if (OnEditButtonClick)
        OnEditButtonClick(this);
}
void TCustomDBGridEh::FireGetCellParams(IGridColumnEh* Column, TFont* AFont, TColor& Background,
                                        TGridDrawState State) {
    if (OnCellParams)
        OnCellParams(this, Column, AFont, Background, State);
}
void TCustomDBGridEh::GetFooterParams(int DataCol, int Row, IGridColumnEh* Column, TFont* AFont,
                                      TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                      std::string& Text) {
    if (OnFooterCellParams)
        OnFooterCellParams(this, DataCol, Row, Column, AFont, Background, Alignment, State, Text);
}
void TCustomDBGridEh::TitleCellClick(IGridColumnEh* Column) {
    if (OnTitleCellClick)
        OnTitleCellClick(this, Column);
}
