// The record cache's map from logical positions to physical records: reordering touches only it.
#include <algorithm>
#include <numeric>

#include "firebird_datasets/records_cache.h"
#include "platform/rtl/format.h"

int TRecordsCache::MapRecNo(int n) const {
    if (!map_)
        return n;
    if (n < 1 || n > static_cast<int>(map_->size()))
        return 0;
    return (*map_)[static_cast<std::size_t>(n - 1)];
}

std::vector<std::int32_t>& TRecordsCache::Map() {
    CreateMap();
    return *map_;
}

void TRecordsCache::CreateMap() {
    if (map_)
        return;
    map_.emplace(static_cast<std::size_t>(std::max(highMark_, 0)));
    std::iota(map_->begin(), map_->end(), 1);
}

void TRecordsCache::CheckPosition(int position, int limit) const {
    if (position < 0 || position >= limit)
        throw EListError(Format("List index out of bounds (%d)", {position}));
}

void TRecordsCache::ExchangeRecords(int i, int j) {
    auto& map = Map();
    CheckPosition(i, static_cast<int>(map.size()));
    CheckPosition(j, static_cast<int>(map.size()));
    std::swap(map[static_cast<std::size_t>(i)], map[static_cast<std::size_t>(j)]);
}

void TRecordsCache::MoveRecord(int from, int to) {
    if (from == to)
        return;
    auto& map = Map();
    CheckPosition(from, static_cast<int>(map.size()));
    CheckPosition(to, static_cast<int>(map.size()));
    const auto at = [&map](int position) { return map.begin() + position; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
}

void TRecordsCache::InsertRecord(int position) {
    auto& map = Map();
    CheckPosition(position, static_cast<int>(map.size()) + 1);
    ++highMark_;
    map.insert(map.begin() + position, highMark_);
    ForgetOldImageOf(highMark_);
    if (!strings_)
        return;
    // The new record's strings start empty, also where a taken-back insertion left a row.
    const int row = highMark_ - 1;
    if (row < strings_->Rows()) {
        for (int column = 0; column < strings_->Columns(); ++column) strings_->SetValue(column, row, {});
    } else {
        while (strings_->Rows() <= row) strings_->AddRow();
    }
}

void TRecordsCache::DeleteRecord(int n) {
    if (!map_)
        return;
    CheckPosition(n - 1, static_cast<int>(map_->size()));
    const std::int32_t physical = (*map_)[static_cast<std::size_t>(n - 1)];
    map_->erase(map_->begin() + (n - 1));
    ForgetOldImageOf(physical);
    DropLogEntry(physical);  // a later insertion may take its number
    if (physical != highMark_)
        return;  // its image and strings stay where they are: removing them would move others'
    --highMark_;
    if (strings_ && physical - 1 < strings_->Rows())
        strings_->DeleteRow(physical - 1);
}

std::int32_t TRecordsCache::PhysicalOf(int position) const {
    if (!map_)
        return position + 1;
    CheckPosition(position, static_cast<int>(map_->size()));
    return (*map_)[static_cast<std::size_t>(position)];
}

int TRecordsCache::IndexOfPhysical(std::int32_t physical) const {
    if (!map_)
        return physical - 1;
    const auto& map = *map_;
    if (physical >= 1 && physical <= static_cast<int>(map.size()) &&
        map[static_cast<std::size_t>(physical - 1)] == physical)
        return physical - 1;
    const auto found = std::find(map.begin(), map.end(), physical);
    return found == map.end() ? -1 : static_cast<int>(found - map.begin());
}

bool TRecordsCache::ContainsRecord(std::int32_t physical) const {
    if (physical < 1)
        return false;
    if (!map_)
        return physical <= highMark_;
    return std::find(map_->begin(), map_->end(), physical) != map_->end();
}
