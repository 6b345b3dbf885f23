#include "firebird/string_collection.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/format.h"

namespace {
constexpr int kFirstCapacity = 128;
}  // namespace

TStringCollection::TStringCollection(int columns)
    : columns_(static_cast<std::size_t>(std::max(columns, 0))) {}

int TStringCollection::AddRow() {
    // Rows beyond the count are always empty: the new row needs no clearing.
    if (rows_ == capacity_)
        Grow();
    return ++rows_;
}

void TStringCollection::DeleteRow(int row) {
    CheckRow(row, Access::Write);
    for (auto& column : columns_) column.Erase(row, rows_);
    --rows_;
}

std::string_view TStringCollection::GetValue(int column, int row) const {
    CheckCell(column, row, Access::Read);
    return columns_[static_cast<std::size_t>(column)].Get(row);
}

void TStringCollection::SetValue(int column, int row, std::string_view s) {
    CheckCell(column, row, Access::Write);
    Column(column).Set(row, s);
}

void TStringCollection::SetValueBuf(int column, int row, const char* buffer, int length) {
    CheckCell(column, row, Access::Write);
    if (buffer == nullptr)
        Column(column).Set(row, {});
    else
        Column(column).Set(row,
                           {buffer, length < 0 ? std::strlen(buffer) : static_cast<std::size_t>(length)});
}

void TStringCollection::SwapValues(int column, int row1, int row2) {
    CheckCell(column, row1, Access::Write);
    CheckRow(row2, Access::Write);
    Column(column).Swap(row1, row2);
}

void TStringCollection::Grow() {
    // At least one more row, also when a small capacity was set by hand.
    SetCapacity(capacity_ == 0 ? kFirstCapacity : capacity_ + std::max(capacity_ / 2, 1));
}

void TStringCollection::SetCapacity(int capacity) {
    if (capacity < rows_ || capacity < 0)
        throw EListError(Format("List capacity out of bounds (%d)", {capacity}));
    for (auto& column : columns_) column.Resize(capacity);
    capacity_ = capacity;
}

void TStringCollection::Clear() {
    for (auto& column : columns_) column.Reset();
    rows_ = 0;
    capacity_ = 0;
}

namespace {
[[noreturn]] void RaiseBadIndex(bool reading, const char* axis) {
    throw EStringCollectionError(std::string(reading ? "Can't read" : "Can't write") +
                                 " value to StrCollection. Bad " + axis + "-Index");
}
}  // namespace

void TStringCollection::CheckCell(int column, int row, Access access) const {
    if (column < 0 || column >= Columns())
        RaiseBadIndex(access == Access::Read, "X");
    CheckRow(row, access);
}

void TStringCollection::CheckRow(int row, Access access) const {
    if (row < 0 || row >= rows_)
        RaiseBadIndex(access == Access::Read, "Y");
}
