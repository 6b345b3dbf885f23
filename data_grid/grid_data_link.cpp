#include "data_grid/grid_data_link.h"

#include <algorithm>
#include <string_view>

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/grid_types.h"

namespace {

constexpr std::string_view STooManyColumnsError = "Grid requested to display more than 256 columns";

}  // namespace

int NextGridMapCapacity(int Capacity, int Count) {
    long long next = Capacity == 0 ? 8 : 2LL * Capacity;
    if (next <= Count)
        next = Count + 1LL;
    return static_cast<int>(std::min<long long>(next, TGridDataLinkEh::MaxMapCount));
}

TGridDataLinkEh::~TGridDataLinkEh() {
    ResetFieldMap();
}

void TGridDataLinkEh::ResetFieldMap() {
    map_.clear();
    map_.shrink_to_fit();
    mapCapacity_ = 0;
    mapCount_ = 0;
}

bool TGridDataLinkEh::MapField(const std::string& FieldName) {
    if (mapCount_ >= MaxMapCount)
        throw EInvalidGridOperation(std::string(STooManyColumnsError));
    TField* field = LookUpField(FieldName);
    if (mapCount_ == mapCapacity_)
        GrowMap();
    MapEntryEh& entry = map_[static_cast<std::size_t>(mapCount_)];
    entry.field = field;
    entry.fieldIndex = field != nullptr ? DataSet()->Fields().IndexOf(field) : -1;
    if (field != nullptr)
        field->FreeNotification(grid_->FieldFreeNoticeReceiver());
    ++mapCount_;
    return true;
}

TField* TGridDataLinkEh::LookUpField(const std::string& FieldName) const {
    TDataSet* dataSet = DataSet();
    if (dataSet == nullptr)
        return nullptr;
    return sparseMapping_ ? dataSet->FindField(FieldName) : dataSet->FieldByName(FieldName);
}

void TGridDataLinkEh::GrowMap() {
    mapCapacity_ = NextGridMapCapacity(mapCapacity_, mapCount_);
    map_.resize(static_cast<std::size_t>(mapCapacity_));
}

TField* TGridDataLinkEh::FieldAt(int Index) const {
    if (Index < 0 || Index >= mapCount_)
        return nullptr;
    // The entry's own field, not the list's field at its index: fields may have come or gone
    // since the map was built, and a freed one is already cleared.
    TField* field = map_[static_cast<std::size_t>(Index)].field;
    return field != nullptr && field->DataSet() == DataSet() ? field : nullptr;
}

void TGridDataLinkEh::FieldFreed(const TComponent* Component) {
    if (Component == nullptr)
        return;
    for (MapEntryEh& entry : map_)
        if (entry.field != nullptr && static_cast<const TComponent*>(entry.field) == Component)
            entry = MapEntryEh{};
}

bool TGridDataLinkEh::DefaultFields() const {
    TDataSet* dataSet = DataSet();
    if (dataSet == nullptr)
        return true;
    if (!dataSet->DefaultFields())
        return false;
    if (!sparseMapping_)
        return true;
    auto used = map_.begin() + mapCount_;
    return std::none_of(map_.begin(), used, [](const MapEntryEh& entry) { return entry.fieldIndex < 0; });
}

void TGridDataLinkEh::Reset() {
    if (modified_)
        RecordChanged(nullptr);
    else if (DataSet() != nullptr)
        DataSet()->Cancel();
}

int TGridDataLinkEh::MoveBy(int Distance) {
    TDataSet* dataSet = DataSet();
    if (dataSet == nullptr)
        return 0;
    if (Active() && grid_->InMemTableView() && (Distance > 1 || Distance < -1) &&
        dataSet->State() == dsBrowse) {
        long long target = static_cast<long long>(dataSet->RecNo()) + Distance;
        if (target >= 1 && target <= dataSet->RecordCount()) {
            dataSet->SetRecNo(static_cast<int>(target));
            return Distance;
        }
    }
    return dataSet->MoveBy(Distance);
}

void TGridDataLinkEh::ActiveChanged() {
    grid_->DataLinkActiveChanged(Active());
    modified_ = false;
}

void TGridDataLinkEh::DataSetChanged() {
    grid_->LinkDataSetChanged();
    modified_ = false;
}

void TGridDataLinkEh::DataSetScrolled(int Distance) {
    grid_->LinkDataSetScrolled(Distance);
}

void TGridDataLinkEh::EditingChanged() {
    grid_->EditingStateChanged();
}

void TGridDataLinkEh::FocusControl(TField* Field) {
    if (Field == nullptr)
        return;
    grid_->SelectFieldColumn(Field);
    if (grid_->SelectedField() == Field && grid_->TryFocusGrid())
        grid_->ShowCellEditor();
}

void TGridDataLinkEh::LayoutChanged() {
    const bool wasChanging = grid_->LinkLayoutChanging();
    grid_->SetLinkLayoutChanging(true);
    try {
        grid_->RefreshLayout();
    } catch (...) {
        grid_->SetLinkLayoutChanging(wasChanging);
        throw;
    }
    grid_->SetLinkLayoutChanging(wasChanging);
    TDataLink::LayoutChanged();
}

void TGridDataLinkEh::RecordChanged(TField* Field) {
    grid_->RecordChanged(Field);
    modified_ = false;
}

void TGridDataLinkEh::UpdateData() {
    if (updatingData_)
        return;
    updatingData_ = true;
    try {
        if (modified_)
            grid_->PostEditText();
        modified_ = false;
    } catch (...) {
        updatingData_ = false;
        throw;
    }
    updatingData_ = false;
}
