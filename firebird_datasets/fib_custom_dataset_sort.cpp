// Local sorting: the cached records are put in order by exchanging entries of the record map, so
// bookmarks (physical record numbers) stay valid. The sort description tells what order is set.
#include <algorithm>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"
#include "firebird_datasets/filter_variant_ops.h"
#include "firebird_datasets/records_cache.h"
#include "firebird_datasets/records_quicksort.h"
#include "firebird_datasets/sort_keys.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

constexpr const char* SCantSortParameter = "Can't sort. Invalid parameter: Fields[";

// Puts in slot s the record that was in slot from[s], by exchanging map entries along each cycle.
void LayRecordOrder(TRecordsCache& cache, const std::vector<int>& from) {
    std::vector<int> slotOf(from.size());    // where each record is now
    std::vector<int> recordIn(from.size());  // which record each slot holds now
    for (std::size_t s = 0; s < from.size(); ++s) slotOf[s] = recordIn[s] = static_cast<int>(s);
    for (std::size_t s = 0; s < from.size(); ++s) {
        const int wanted = from[s];
        const int at = slotOf[static_cast<std::size_t>(wanted)];
        if (at == static_cast<int>(s))
            continue;
        cache.ExchangeRecords(static_cast<int>(s), at);
        const int displaced = recordIn[s];
        recordIn[static_cast<std::size_t>(at)] = displaced;
        slotOf[static_cast<std::size_t>(displaced)] = at;
        recordIn[s] = wanted;
        slotOf[static_cast<std::size_t>(wanted)] = static_cast<int>(s);
    }
}

}  // namespace

TSortFieldInfo TFIBCustomDataSet::GetSortFieldInfo(int n) const {
    if (n < 1 || n > SortFieldCount())
        return {"Unknown", -1, -1, true};
    const TSortField& sortField = sortFields_[static_cast<std::size_t>(n - 1)];
    const TField* field = FindField(sortField.Name);
    return {sortField.Name, field != nullptr ? Fields().IndexOf(field) : -1, n, sortField.Asc};
}

std::string TFIBCustomDataSet::SortFieldNames() const {
    std::string names;
    for (const TSortField& field : sortFields_) names += (names.empty() ? "" : ";") + field.Name;
    return names;
}

Variant TFIBCustomDataSet::SortInfo() const {
    if (sortFields_.empty())
        return Variant::Null();
    Variant info = VarArrayCreate({0, SortFieldCount() - 1, 0, 1}, varVariant);
    for (int i = 0; i < SortFieldCount(); ++i) {
        info.PutElement({i, 0}, sortFields_[static_cast<std::size_t>(i)].Name);
        info.PutElement({i, 1}, sortFields_[static_cast<std::size_t>(i)].Asc);
    }
    return info;
}

bool TFIBCustomDataSet::SortAscending(const TField* field) const {
    for (const TSortField& sortField : sortFields_)
        if (AnsiSameText(sortField.Name, field->FieldName))
            return sortField.Asc;
    return true;
}

void TFIBCustomDataSet::ClearSortInfo() {
    sortFields_.clear();
    sortedByDoSort_ = false;
    sortUsedCompareHandler_ = false;
}

int TFIBCustomDataSet::CompareFieldValues(TField* field, const Variant& value1, const Variant& value2) {
    if (OnCompareFieldValues)
        return OnCompareFieldValues(field, value1, value2);
    const int order = filter_variants::Compare(value1, value2);
    return order == 0 ? 0 : (order > 0 ? 1 : -1);
}

TField* TFIBCustomDataSet::SortFieldOf(const TSortFieldRef& ref, int position) const {
    TField* field = nullptr;
    const auto byIndex = [this](std::int64_t index) {
        return index >= 0 && index < Fields().Count() ? Fields().Fields(static_cast<int>(index)) : nullptr;
    };
    if (const int* index = std::get_if<int>(&ref.Value))
        field = byIndex(*index);
    else if (const char* letter = std::get_if<char>(&ref.Value))
        field = FindField(std::string(1, *letter));
    else if (TField* const* given = std::get_if<TField*>(&ref.Value))
        field = *given != nullptr && (*given)->DataSet() == this ? *given : nullptr;
    else if (const std::string* name = std::get_if<std::string>(&ref.Value))
        field = FindField(*name);
    else if (const Variant* value = std::get_if<Variant>(&ref.Value); VarTypeIsInteger(value->VarType()))
        field = byIndex(value->AsInt64());
    else if (value->IsString())
        field = FindField(value->AsString());
    if (field == nullptr)
        throw Exception(SCantSortParameter + IntToStr(position) + "]");
    return field;
}

void TFIBCustomDataSet::DoSort(const std::vector<TSortFieldRef>& fields, const std::vector<bool>& ordering) {
    DoLocalSort(fields, ordering);
    ReapplyRecordFilter();
}

void TFIBCustomDataSet::DoLocalSort(const std::vector<TSortFieldRef>& fields,
                                    const std::vector<bool>& ordering) {
    CheckDatasetOpen(" do local sorting ");
    TScreenCursorScope cursor(sqlScreenCursor_);
    const TBookmark start = GetBookmark();
    const auto controls = ControlsDisabledScope(*this);
    FetchAll();
    std::vector<TField*> sortFields;
    std::vector<TSortField> description;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        sortFields.push_back(SortFieldOf(fields[i], static_cast<int>(i)));
        description.push_back({sortFields.back()->FieldName, i < ordering.size() ? ordering[i] : true});
    }
    sortFields_ = std::move(description);
    sortedByDoSort_ = true;
    sortUsedCompareHandler_ = static_cast<bool>(OnCompareFieldValues);
    if (fetchedCount_ >= 2 && !sortFields.empty()) {
        const TFIBUpdateRecordTypes types = updateRecordTypes_;
        updateRecordTypes_ =
            TFIBUpdateRecordTypes{cusUnmodified, cusModified, cusInserted, cusDeleted, cusUninserted};
        try {
            if (sortFields.size() == 1)
                SortByOneField(sortFields.front(), sortFields_.front().Asc);
            else
                SortBySeveralFields(sortFields);
        } catch (const std::exception&) {
            // A half-done order is still an order of the same records; only its name goes.
            ClearSortInfo();
        }
        updateRecordTypes_ = types;
        GotoBookmark(start);
    }
}

// NULL ranks first going up; a comparison that fails counts as equal.
int TFIBCustomDataSet::LocalSortCompare(TField* field, bool ascending, const Variant& value,
                                        const Variant& pivot) {
    const int direction = ascending ? 1 : -1;
    if (value.IsNull() || pivot.IsNull())
        return value.IsNull() == pivot.IsNull() ? 0 : (value.IsNull() ? -direction : direction);
    try {
        return direction * CompareFieldValues(field, value, pivot);
    } catch (const std::exception&) {
        return 0;
    }
}

// One field is the case of several with a single column of keys.
void TFIBCustomDataSet::SortByOneField(TField* field, bool ascending) {
    sortFields_.assign(1, TSortField{field->FieldName, ascending});
    SortBySeveralFields({field});
}

// Each record's values are read once into columns of keys, the quicksort runs over those, and the
// order it reaches is then laid into the record map: the same order as exchanging map entries while
// comparing values read from the cache, at a fraction of the cost. OnCompareFieldValues gets the
// values as read, as it always did.
void TFIBCustomDataSet::SortBySeveralFields(const std::vector<TField*>& fields) {
    // A UniDirectional cache wraps: position p reads the slot CacheIndex(p).
    const bool wraps = uniDirectional_ && fetchedCount_ > bufferChunks_;
    const int slots = wraps ? bufferChunks_ : fetchedCount_;
    std::vector<std::vector<Variant>> values(fields.size());
    for (auto& column : values) column.reserve(static_cast<std::size_t>(slots));
    for (int slot = 0; slot < slots; ++slot) {
        TRecordBuffer buffer = ReadOtherRecord(slot);
        for (std::size_t k = 0; k < fields.size(); ++k)
            values[k].push_back(ReadOtherRecordValue(fields[k], buffer));
    }
    std::vector<fibsort::TSortKeyColumn> columns;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const bool ascending = sortFields_[k].Asc;
        auto compare = [this, field = fields[k], ascending](const Variant& value, const Variant& pivot) {
            return LocalSortCompare(field, ascending, value, pivot);
        };
        columns.emplace_back(std::move(values[k]), ascending, compare,
                             static_cast<bool>(OnCompareFieldValues));
    }
    std::vector<int> order;
    const TScopeExit layOrder([this, &order] { LayRecordOrder(*cache_, order); });
    fibsort::QuickSortByKeys(fibsort::TSortKeys(std::move(columns)), fetchedCount_ - 1,
                             wraps ? bufferChunks_ : 0, order);
}

TRecordBuffer TFIBCustomDataSet::ReadOtherRecord(int index) {
    while (index >= fetchedCount_ && FetchNextRow()) {
    }
    fetchStopped_ = false;
    if (index < 0 || index >= fetchedCount_)
        throw Exception(ComponentPath(this) + ".Can't read record " + IntToStr(index + 1));
    sortBuffer_.assign(static_cast<std::size_t>(std::max(recordBufferSize_, calcFieldsOffset_ + 1)),
                       std::byte{0});
    InitRecordBuffer(index, sortBuffer_.data(), false);
    return sortBuffer_.data();
}

Variant TFIBCustomDataSet::ReadOtherRecordValue(TField* field, TRecordBuffer buffer) {
    Variant value = Variant::Null();
    if (field->FieldKind != fkData) {
        GetCalcFields(buffer);
        GetCalcFieldData(buffer + calcFieldsOffset_, field, value);
        return value;
    }
    const TFieldDescr* descr = ColumnOfField(field);
    const int column = ColumnOfFieldNo(field->FieldNo());
    if (descr == nullptr || ColumnIsNull(buffer, column))
        return value;
    return ReadColumn(field, *descr, buffer + descr->Offset);
}
