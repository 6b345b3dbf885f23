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
    positionsStale_ = true;
    return *map_;
}

const std::vector<std::int32_t>& TRecordsCache::Positions() const {
    if (!positionsStale_)
        return positions_;
    positions_.assign(static_cast<std::size_t>(std::max(highMark_, 0)), -1);
    for (std::size_t position = 0; position < map_->size(); ++position) {
        const auto physical = static_cast<std::size_t>((*map_)[position]);
        if (physical > positions_.size())
            positions_.resize(physical, -1);
        positions_[physical - 1] = static_cast<std::int32_t>(position);
    }
    positionsStale_ = false;
    return positions_;
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
    // A sort exchanges entries by the thousand: known positions follow along instead of going stale.
    const bool known = map_.has_value() && !positionsStale_;
    auto& map = Map();
    CheckPosition(i, static_cast<int>(map.size()));
    CheckPosition(j, static_cast<int>(map.size()));
    std::int32_t& first = map[static_cast<std::size_t>(i)];
    std::int32_t& second = map[static_cast<std::size_t>(j)];
    std::swap(first, second);
    if (!known)
        return;
    positions_[static_cast<std::size_t>(first - 1)] = i;
    positions_[static_cast<std::size_t>(second - 1)] = j;
    positionsStale_ = false;
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
    positionsStale_ = true;
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
    const std::vector<std::int32_t>& positions = Positions();
    return physical >= 1 && physical <= static_cast<int>(positions.size())
               ? positions[static_cast<std::size_t>(physical - 1)]
               : -1;
}

bool TRecordsCache::ContainsRecord(std::int32_t physical) const {
    if (physical < 1)
        return false;
    if (!map_)
        return physical <= highMark_;
    return IndexOfPhysical(physical) >= 0;
}
