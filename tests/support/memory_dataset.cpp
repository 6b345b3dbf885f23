#include "tests/support/memory_dataset.h"

#include <algorithm>
#include <cstring>

#include "platform/db/data_source.h"
#include "platform/db/field.h"

namespace {

struct RecordBuffer {
    int id = 0;
    TBookmarkFlag flag = bfCurrent;
    TMemoryDataSet::Row values;
    std::vector<std::byte> calc;  // the calculated-field area
};

RecordBuffer& Rec(TRecordBuffer buffer) {
    return *reinterpret_cast<RecordBuffer*>(buffer);
}

}  // namespace

TMemoryDataSet::TMemoryDataSet(TComponent* AOwner) : TDataSet(AOwner) {
    masterLink_.OnMasterChange = [this](TMasterDataLink*) { MasterChanged(); };
    masterLink_.OnMasterDisable = [this](TMasterDataLink*) { MasterChanged(); };
}

void TMemoryDataSet::SetDataSource(TDataSource* value) {
    if (IsLinkedTo(value))
        DatabaseError("Circular datalinks are not allowed", this);
    masterLink_.SetDataSource(value);
}

void TMemoryDataSet::MasterChanged() {
    if (!Active())
        return;
    CheckBrowseMode();
    First();
}

bool TMemoryDataSet::MatchesMaster(TRecordBuffer buffer) {
    const std::vector<TField*>& masterFields = masterLink_.Fields();
    if (!masterLink_.Active() || masterFields.empty())
        return true;
    bool matches = true;
    ReadRecord(buffer, [&] {
        const std::vector<TField*> details = GetFieldList(DetailFields);
        for (std::size_t i = 0; matches && i < masterFields.size() && i < details.size(); ++i)
            matches = details[i]->Value() == masterFields[i]->Value();
    });
    return matches;
}

TMemoryDataSet::~TMemoryDataSet() {
    if (!Destroying())
        ReleaseWithoutEvents();
}

void TMemoryDataSet::SetColumns(std::vector<std::string> names) {
    CheckInactive();
    columns_ = std::move(names);
    types_.assign(columns_.size(), ColumnType{});
    FieldDefs().SetUpdated(false);
}

void TMemoryDataSet::SetColumnType(int column, TFieldType type, int size) {
    CheckInactive();
    types_.at(static_cast<std::size_t>(column)) = ColumnType{type, size};
    FieldDefs().SetUpdated(false);
}

void TMemoryDataSet::AddRow(Row values) {
    values.resize(columns_.size(), Variant::Null());
    rows_.push_back({nextId_++, std::move(values)});
    RowsChanged();
}

Variant TMemoryDataSet::GetValue(int column) const {
    CheckActive();
    TRecordBuffer buffer = ActiveRecordBuffer();
    if (buffer == nullptr)
        return Variant::Null();
    return Rec(buffer).values.at(static_cast<std::size_t>(column));
}

void TMemoryDataSet::SetValue(int column, const Variant& value) {
    if (State() != dsEdit && State() != dsInsert)
        DatabaseError("Dataset not in edit or insert mode", this);
    Rec(ActiveBuffer()).values.at(static_cast<std::size_t>(column)) = value;
    SetModified(true);
    TField* field = FieldOfColumn(column);
    if (field != nullptr)
        DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
    else
        DataEvent(deRecordChange, 0);
}

TField* TMemoryDataSet::FieldOfColumn(int column) const {
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (field->FieldKind == fkData && field->FieldNo() == column + 1)
            return field;
    }
    return nullptr;
}

bool TMemoryDataSet::GetFieldData(const TField* field, Variant& value) const {
    TRecordBuffer buffer = ActiveRecordBuffer();
    if (buffer == nullptr)
        return false;
    if (field->Offset() >= 0)
        return GetCalcFieldData(Rec(buffer).calc.data(), field, value);
    const auto column = static_cast<std::size_t>(field->FieldNo() - 1);
    if (State() == dsOldValue || State() == dsCurValue) {
        // The stored row, as it was before the edit; a new record has none.
        const int index = GetBookmarkFlag(buffer) == bfInserted ? -1 : IndexOfId(Rec(buffer).id);
        value = index < 0 ? Variant::Null() : rows_[static_cast<std::size_t>(index)].values.at(column);
        return !value.IsNull();
    }
    value = Rec(buffer).values.at(column);
    return !value.IsNull();
}

void TMemoryDataSet::SetFieldData(TField* field, const Variant& value) {
    if (field->Offset() < 0) {
        SetValue(field->FieldNo() - 1, value);
        return;
    }
    TRecordBuffer buffer = ActiveRecordBuffer();
    if (buffer == nullptr)
        return;
    SetCalcFieldData(Rec(buffer).calc.data(), field, value);
    if (State() != dsCalcFields && State() != dsFilter)
        DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

void TMemoryDataSet::ClearCalcFields(TRecordBuffer buffer) {
    auto& calc = Rec(buffer).calc;
    calc.assign(static_cast<std::size_t>(CalcFieldsSize()), std::byte{0});
}

TRecordBuffer TMemoryDataSet::AllocRecordBuffer() {
    return reinterpret_cast<TRecordBuffer>(new RecordBuffer);
}

void TMemoryDataSet::FreeRecordBuffer(TRecordBuffer& buffer) {
    delete &Rec(buffer);
    buffer = nullptr;
}

void TMemoryDataSet::InternalInitRecord(TRecordBuffer buffer) {
    Rec(buffer) = RecordBuffer{0, bfCurrent, Row(columns_.size(), Variant::Null()), {}};
    ClearCalcFields(buffer);
}

void TMemoryDataSet::InternalInitFieldDefs() {
    FieldDefs().Clear();
    for (std::size_t i = 0; i < columns_.size(); ++i)
        FieldDefs().AddFieldDef(columns_[i], types_[i].type, types_[i].size);
}

void TMemoryDataSet::InternalOpen() {
    FieldDefs().Update();
    CreateFields();
    BindFields(true);
    cursor_ = -1;
    open_ = true;
}

bool TMemoryDataSet::LoadAccepted(int index, TRecordBuffer buffer) {
    const KeptRow& row = rows_[static_cast<std::size_t>(index)];
    Rec(buffer) = RecordBuffer{row.id, bfCurrent, row.values, {}};
    GetCalcFields(buffer);
    return MatchesMaster(buffer) && FilterAccepts(buffer);
}

TGetResult TMemoryDataSet::GetRecord(TRecordBuffer buffer, TGetMode mode, bool /*doCheck*/) {
    int size = static_cast<int>(rows_.size());
    if (mode == gmCurrent) {
        if (cursor_ < 0)
            return grBOF;
        if (cursor_ >= size)
            return grEOF;
        return LoadAccepted(cursor_, buffer) ? grOK : grError;
    }
    int step = mode == gmNext ? 1 : -1;
    for (;;) {
        cursor_ = std::clamp(cursor_ + step, -1, size);
        if (cursor_ < 0)
            return grBOF;
        if (cursor_ >= size)
            return grEOF;
        if (LoadAccepted(cursor_, buffer))
            return grOK;
    }
}

void TMemoryDataSet::GetBookmarkData(TRecordBuffer buffer, char* data) const {
    std::memcpy(data, &Rec(buffer).id, sizeof(int));
}

void TMemoryDataSet::SetBookmarkData(TRecordBuffer buffer, const char* data) {
    std::memcpy(&Rec(buffer).id, data, sizeof(int));
}

TBookmarkFlag TMemoryDataSet::GetBookmarkFlag(TRecordBuffer buffer) const {
    return Rec(buffer).flag;
}

void TMemoryDataSet::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) {
    Rec(buffer).flag = flag;
}

int TMemoryDataSet::IndexOfId(int id) const {
    if (indexOfId_.empty()) {
        indexOfId_.assign(static_cast<std::size_t>(nextId_), -1);
        for (std::size_t i = 0; i < rows_.size(); ++i)
            indexOfId_[static_cast<std::size_t>(rows_[i].id)] = static_cast<int>(i);
    }
    return id > 0 && id < nextId_ ? indexOfId_[static_cast<std::size_t>(id)] : -1;
}

int TMemoryDataSet::BookmarkId(const TBookmark& bookmark) const {
    int id = 0;
    if (bookmark.size() == sizeof(int))
        std::memcpy(&id, bookmark.data(), sizeof(int));
    return id;
}

void TMemoryDataSet::InternalGotoBookmark(const char* bookmark) {
    int id = 0;
    std::memcpy(&id, bookmark, sizeof(int));
    int index = IndexOfId(id);
    if (index < 0)
        DatabaseError("Record not found", this);
    cursor_ = index;
}

void TMemoryDataSet::InternalSetToRecord(TRecordBuffer buffer) {
    int index = IndexOfId(Rec(buffer).id);
    if (index >= 0)
        cursor_ = index;
}

void TMemoryDataSet::InternalPost() {
    if (failPosts_ > 0) {
        --failPosts_;
        DatabaseError("Post failed", this);
    }
    const RecordBuffer& record = Rec(ActiveBuffer());
    if (State() == dsEdit) {
        rows_.at(static_cast<std::size_t>(cursor_)).values = record.values;
        return;
    }
    int at = std::clamp(cursor_, 0, static_cast<int>(rows_.size()));
    rows_.insert(rows_.begin() + at, KeptRow{nextId_++, record.values});
    RowsChanged();
    cursor_ = at;
}

void TMemoryDataSet::InternalDelete() {
    if (failDeletes_ > 0) {
        --failDeletes_;
        DatabaseError("Delete failed", this);
    }
    rows_.erase(rows_.begin() + cursor_);
    RowsChanged();
}

void TMemoryDataSet::InternalAddRecord(TRecordBuffer buffer, bool append) {
    int at = append ? static_cast<int>(rows_.size()) : std::clamp(cursor_, 0, static_cast<int>(rows_.size()));
    rows_.insert(rows_.begin() + at, KeptRow{nextId_++, Rec(buffer).values});
    RowsChanged();
    cursor_ = at;
}

int TMemoryDataSet::VisiblePosition(int index) {
    TRecordBuffer probe = AllocRecordBuffer();
    int position = 0;
    for (int i = 0; i < index; ++i) position += LoadAccepted(i, probe) ? 1 : 0;
    FreeRecordBuffer(probe);
    return position;
}

int TMemoryDataSet::GetRecordCount() const {
    CheckActive();
    return const_cast<TMemoryDataSet*>(this)->VisiblePosition(static_cast<int>(rows_.size()));
}

int TMemoryDataSet::GetRecNo() const {
    if (!Sequenced || !Active() || IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent)
        return -1;
    return const_cast<TMemoryDataSet*>(this)->VisiblePosition(IndexOfId(Rec(ActiveBuffer()).id)) + 1;
}

void TMemoryDataSet::SetRecNo(int value) {
    CheckBrowseMode();
    if (!Sequenced || value < 1 || value > GetRecordCount() || value == GetRecNo())
        return;
    DoBeforeScroll();
    // The row after the first (value - 1) rows that pass.
    cursor_ = -1;
    TRecordBuffer probe = AllocRecordBuffer();
    for (int passed = 0; passed < value;) {
        ++cursor_;
        passed += LoadAccepted(cursor_, probe) ? 1 : 0;
    }
    FreeRecordBuffer(probe);
    Resync({.Exact = false, .Center = true});
    DoAfterScroll();
}

bool TMemoryDataSet::BookmarkValid(const TBookmark& bookmark) const {
    return IndexOfId(BookmarkId(bookmark)) >= 0;
}

int TMemoryDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (a.empty() || b.empty())
        return TDataSet::CompareBookmarks(a, b);
    int left = IndexOfId(BookmarkId(a));
    int right = IndexOfId(BookmarkId(b));
    return left < right ? -1 : (left == right ? 0 : 1);
}
