// The lookup grid's construction, options, property guards and its binding to the master dataset.
#include "data_grid/lookup_grid.h"

#include "data_controls/spec_row.h"
#include "data_grid/column_def_values.h"
#include "data_grid/columns.h"
#include "data_grid/grid_scroll_bar.h"
#include "data_grid/lookup_grid_columns.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

TDBLookupGridEh::TDBLookupGridEh(TComponent* AOwner) : TCustomDBGridEh(AOwner) {
    ControlStyle.Include(csReplicatable);
    SetParentColor(false);
    lookupSource_ = NewComponent<TDataSource>(this);
    masterLink_ = std::make_unique<TLookupGridDataLinkEh>(this);
    specRow_ = std::make_unique<TSpecRowEh>(this);
    specRow_->OnChanged = [this](TSpecRowEh*) { SpecRowChanged(); };
    TCustomDBGridEh::SetOptions({gdoColLinesEh, gdoRowSelectEh});
    SetExtOptions(ExtOptions() + TDBGridEhExtOptions{gxoTraceColSizingEh});
    SetFlat(true);
    SetMemoAsText(true);
    SetTabStop(false);
    SetTitleExtraHeight(5);
    masterLink_->SetReadOnly(false);
}

TDBLookupGridEh::~TDBLookupGridEh() {
    specRow_.reset();
    listFields_.clear();
    masterLink_->Detach();
    masterLink_.reset();
}

void TDBLookupGridEh::AfterConstruction() {
    TCustomDBGridEh::AfterConstruction();
    for (IGridScrollBarEh* bar : {HorzScrollBar(), VertScrollBar()})
        if (auto* own = dynamic_cast<TDBGridEhScrollBar*>(bar))
            own->SetTracking(true);
}

std::unique_ptr<IGridColumnDefValuesEh> TDBLookupGridEh::NewColumnDefValues() {
    return std::make_unique<TDBLookupGridColumnDefValuesEh>(this);
}

std::unique_ptr<IGridColumnsEh> TDBLookupGridEh::NewColumns() {
    return std::make_unique<TDBGridColumnsEh>(this, TDBGridColumnsEh::ColumnClass<TDBLookupGridColumnEh>());
}

void TDBLookupGridEh::SetOptions(TDBLookupGridEhOptions Value) {
    if (Value == lookupOptions_)
        return;
    lookupOptions_ = Value;
    TDBGridEhOptions grid = TCustomDBGridEh::Options();
    const auto follow = [&grid, Value](TDBLookupGridEhOption Own, TDBGridEhOption Grid) {
        if (Value.Contains(Own))
            grid.Include(Grid);
        else
            grid.Exclude(Grid);
    };
    follow(dlgColumnResizeEh, gdoColumnResizeEh);
    follow(dlgColLinesEh, gdoColLinesEh);
    follow(dlgRowLinesEh, gdoRowLinesEh);
    TCustomDBGridEh::SetOptions(grid);
    TDBGridEhExtOptions ext = ExtOptions();
    const auto followExt = [&ext, Value](TDBLookupGridEhOption Own, TDBGridEhExtOption Grid) {
        if (Value.Contains(Own))
            ext.Include(Grid);
        else
            ext.Exclude(Grid);
    };
    followExt(dlgAutoSortMarkingEh, gxoAutoSortMarkingEh);
    followExt(dlgMultiSortMarkingEh, gxoMultiSortMarkingEh);
    SetExtOptions(ext);
}

void TDBLookupGridEh::CheckPropertyGuards() {
    if (lookupMode_)
        DatabaseError("Property already defined by lookup field", this);
    if (masterLink_->DataSourceFixed())
        DatabaseError("Operation not allowed in a DBCtrlGrid", this);
}

void TDBLookupGridEh::CheckNotCircular() {
    TDataSet* list = ListDataSet();
    if (ListDataLink()->Active() && list != nullptr && list->IsLinkedTo(masterLink_->DataSource()))
        DatabaseError("Circular datalinks are not allowed", this);
}

void TDBLookupGridEh::SetKeyField(const std::string& Value) {
    CheckPropertyGuards();
    if (Value == keyFieldNames_)
        return;
    keyFieldNames_ = Value;
    RebuildListFields();
    FitColumnWidths();
}

void TDBLookupGridEh::SetListField(const std::string& Value) {
    CheckPropertyGuards();
    if (Value == listFieldName_)
        return;
    listFieldName_ = Value;
    RebuildListFields();
    FitColumnWidths();
}

void TDBLookupGridEh::SetListSource(TDataSource* Source) {
    CheckPropertyGuards();
    TCustomDBGridEh::SetDataSource(Source);
}

void TDBLookupGridEh::SetMasterDataSource(TDataSource* Source) {
    if (!(masterLink_->DataSourceFixed() && ComponentState().Contains(csLoading))) {
        masterLink_->SetDataSource(Source);
        masterSource_ = Source;
    }
    if (Source != nullptr)
        Source->FreeNotification(this);
}

void TDBLookupGridEh::SetDataField(const std::string& Value) {
    if (Value == dataFieldName_)
        return;
    dataFieldName_ = Value;
    RebuildDataFields();
}

void TDBLookupGridEh::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    TCustomDBGridEh::GetChildren(
        [&](TComponent* child) {
            if (child != lookupSource_)
                Proc(child);
        },
        Root);
}

void TDBLookupGridEh::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomDBGridEh::Notification(AComponent, Operation);
    if (Operation == opRemove && masterLink_ && AComponent != nullptr && AComponent == masterSource_) {
        SetMasterDataSource(nullptr);
        // A source being freed tells its links nothing: drop the master fields here, so no
        // reference to its dataset's fields outlives it.
        RebuildDataFields();
    }
}

void TDBLookupGridEh::SetKeyValue(const Variant& Value) {
    if (Value == keyValue_)
        return;
    keyValue_ = Value;
    RefreshSpecRowState();
}

void TDBLookupGridEh::AssignSpecRow(const TSpecRowEh& Value) {
    specRow_->Assign(Value);
}

void TDBLookupGridEh::InvalidateList() {
    if (!ComponentState().Contains(csLoading))
        Invalidate();
}

TDataSet* TDBLookupGridEh::ListDataSet() const {
    return ListDataLink()->DataSet();
}

TField* TDBLookupGridEh::LookupField() const {
    return lookupMode_ && !dataFields_.empty() ? dataFields_.front() : nullptr;
}

void TDBLookupGridEh::RebuildDataFields() {
    masterFieldNames_.clear();
    masterFields_.clear();
    dataFields_.clear();
    TDataSet* master = masterLink_->DataSet();
    if (masterLink_->Active() && master != nullptr && !dataFieldName_.empty()) {
        CheckNotCircular();
        dataFields_ = master->GetFieldList(dataFieldName_);
        if (dataFields_.size() == 1 && dataFields_.front()->FieldKind == fkLookup)
            masterFields_ = master->GetFieldList(dataFields_.front()->KeyFields);
        else
            masterFields_ = dataFields_;
        for (std::size_t i = 0; i < masterFields_.size(); ++i)
            masterFieldNames_ += (i == 0 ? "" : ";") + masterFields_[i]->FieldName;
    }
    SetLookupMode(dataFields_.size() == 1 && dataFields_.front()->FieldKind == fkLookup);
    DataRecordChanged(nullptr);
}

void TDBLookupGridEh::SetLookupMode(bool On) {
    if (On == lookupMode_)
        return;
    if (On) {
        TField* field = dataFields_.front();
        masterFields_ = field->DataSet()->GetFieldList(field->KeyFields);
        lookupSource_->SetDataSet(field->LookupDataSet());
        keyFieldNames_ = field->LookupKeyFields;
        lookupMode_ = true;
        TCustomDBGridEh::SetDataSource(lookupSource_);
        return;
    }
    TCustomDBGridEh::SetDataSource(nullptr);
    lookupMode_ = false;
    keyFieldNames_.clear();
    lookupSource_->SetDataSet(nullptr);
    masterFields_ = dataFields_;
}

void TDBLookupGridEh::DataRecordChanged(TField* Field) {
    if (Field != nullptr &&
        std::find(masterFields_.begin(), masterFields_.end(), Field) == masterFields_.end())
        return;
    if (masterFields_.empty())
        SetKeyValue(Variant::Null());
    else
        SetKeyValue(masterLink_->DataSet()->FieldValues(masterFieldNames_));
}

void TDBLookupGridEh::StoreKeyValue(const Variant& Value) {
    if (masterFields_.empty())
        SetKeyValue(Value);
    else if (masterLink_->Edit())
        masterLink_->DataSet()->SetFieldValues(masterFieldNames_, Value);
    ActiveRecordChanged();
    Repaint();
    Click();
}

bool TDBLookupGridEh::CanModifyKey() {
    if (!listActive_ || masterLink_->ReadOnly())
        return false;
    if (masterLink_->DataSource() == nullptr)
        return true;
    if (masterFields_.empty())
        return false;
    for (TField* field : masterFields_)
        if (!field->CanModify())
            return false;
    return true;
}
