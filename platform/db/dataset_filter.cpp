// Filter settings, the filter state and temporary states.
#include "platform/db/dataset.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/value_scope.h"
#include "platform/rtl/variant.h"

TDataSetState TDataSet::SetTempState(TDataSetState value) {
    TDataSetState old = state_;
    state_ = value;
    ++disableCount_;
    return old;
}

void TDataSet::RestoreState(TDataSetState value) {
    state_ = value;
    --disableCount_;
}

TRecordBuffer TDataSet::ActiveRecordBuffer() const {
    if (state_ == dsFilter)
        return filterBuffer_;
    if (state_ == dsCalcFields)
        return calcBuffer_;
    if (IsEmpty() || buffers_.empty())
        return nullptr;
    return ActiveBuffer();
}

bool TDataSet::FilterAccepts(TRecordBuffer buffer) {
    if (!filtered_ || !onFilterRecord_)
        return true;
    TRecordBuffer saved = filterBuffer_;
    filterBuffer_ = buffer;
    TDataSetState old = SetTempState(dsFilter);
    bool accept = true;
    try {
        onFilterRecord_(this, accept);
    } catch (...) {
        RestoreState(old);
        filterBuffer_ = saved;
        InternalHandleException();
        return true;
    }
    RestoreState(old);
    filterBuffer_ = saved;
    return accept;
}

Variant TDataSet::GetStateFieldValue(TDataSetState state, const TField* field) {
    Variant value;
    {
        const TDataSetState old = SetTempState(state);
        TScopeExit restore([this, old] { RestoreState(old); });
        if (!GetFieldData(field, value))
            value = Variant::Null();
    }
    return value.IsEmpty() ? Variant::Null() : value;
}

void TDataSet::ReadRecord(TRecordBuffer buffer, const std::function<void()>& read) {
    TValueScope filtering(filterBuffer_, buffer);
    const TDataSetState old = SetTempState(dsFilter);
    TScopeExit restore([this, old] { RestoreState(old); });
    read();
}

void TDataSet::ResetAfterFilterChange() {
    if (!Active())
        return;
    CheckBrowseMode();
    First();
}

void TDataSet::SetFiltered(bool value) {
    if (value == filtered_)
        return;
    if (Active())
        CheckBrowseMode();
    filtered_ = value;
    ResetAfterFilterChange();
}

void TDataSet::SetFilterText(const std::string& value) {
    if (value == filterText_)
        return;
    if (Active())
        CheckBrowseMode();
    filterText_ = value;
    if (filtered_)
        ResetAfterFilterChange();
}

void TDataSet::SetFilterOptions(TFilterOptions value) {
    if (Active())
        CheckBrowseMode();
    filterOptions_ = value;
    if (filtered_)
        ResetAfterFilterChange();
}

void TDataSet::SetOnFilterRecord(TFilterRecordEvent value) {
    if (Active())
        CheckBrowseMode();
    onFilterRecord_ = std::move(value);
    if (filtered_)
        ResetAfterFilterChange();
}
