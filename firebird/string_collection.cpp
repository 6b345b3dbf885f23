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
    if (rows_ == capacity_)
        Grow();
    for (auto& column : columns_) column[static_cast<std::size_t>(rows_)].clear();
    return ++rows_;
}

void TStringCollection::DeleteRow(int row) {
    CheckRow(row, Access::Write);
    for (auto& column : columns_) {
        const auto first = column.begin() + row;
        first->clear();
        // The emptied cell moves to the end, behind the last row.
        std::rotate(first, first + 1, column.begin() + rows_);
    }
    --rows_;
}

const std::string& TStringCollection::GetValue(int column, int row) const {
    CheckCell(column, row, Access::Read);
    return columns_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

std::string* TStringCollection::GetValuePtr(int column, int row) {
    CheckCell(column, row, Access::Read);
    return &Cell(column, row);
}

void TStringCollection::SetValue(int column, int row, std::string s) {
    CheckCell(column, row, Access::Write);
    Cell(column, row) = std::move(s);
}

void TStringCollection::SetValueBuf(int column, int row, const char* buffer, int length) {
    CheckCell(column, row, Access::Write);
    if (buffer == nullptr)
        Cell(column, row).clear();
    else
        Cell(column, row).assign(buffer, length < 0 ? std::strlen(buffer) : static_cast<std::size_t>(length));
}

void TStringCollection::Grow() {
    // At least one more row, also when a small capacity was set by hand.
    SetCapacity(capacity_ == 0 ? kFirstCapacity : capacity_ + std::max(capacity_ / 2, 1));
}

void TStringCollection::SetCapacity(int capacity) {
    if (capacity < rows_ || capacity < 0)
        throw EListError(Format("List capacity out of bounds (%d)", {capacity}));
    for (auto& column : columns_) column.resize(static_cast<std::size_t>(capacity));
    capacity_ = capacity;
}

void TStringCollection::Clear() {
    for (auto& column : columns_) {
        column.clear();
        column.shrink_to_fit();
    }
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

std::string& TStringCollection::Cell(int column, int row) {
    return columns_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}
