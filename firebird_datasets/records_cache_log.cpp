// The record cache's old images: the change log of cached updates, or the single old-image buffer.
#include <algorithm>
#include <cstring>

#include "firebird_datasets/records_cache.h"

void TRecordsCache::SaveOldRecord(int n) {
    if (logging_) {
        LogRecord(n);
        return;
    }
    ReadRecordEx(n, oldImage_.data(), false);
    oldImageOf_ = MapRecNo(n);
}

const char* TRecordsCache::GetOldRecord(int n) {
    const std::int32_t physical = MapRecNo(n);
    // Without the log the buffer holds one record's image: any other record's old image is its
    // current one, never the image another record left behind.
    if (logging_ || physical != oldImageOf_ || physical < 1) {
        ReadRecordEx(n, oldImage_.data(), logging_);
        oldImageOf_ = physical;
    }
    return oldImage_.data();
}

void TRecordsCache::RestoreOldRecord(int n) {
    WriteRecord(n, GetOldRecord(n), false);
}

void TRecordsCache::ForgetOldImageOf(std::int32_t physical) {
    if (oldImageOf_ == physical)
        oldImageOf_ = 0;
}

bool TRecordsCache::FindChangeIndex(std::int32_t physical, int& index) const {
    int low = 0;
    int high = ChangeCount() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareRecNos(changes_[static_cast<std::size_t>(middle)].RecNo, physical);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            found = found || order == 0;
        }
    }
    index = low;
    return found;
}

int TRecordsCache::FindChangePos(std::int32_t physical, bool insert) {
    int index = 0;
    if (FindChangeIndex(physical, index))
        return changes_[static_cast<std::size_t>(index)].LogPos;
    if (!insert)
        return 0;
    const std::int32_t position = ChangeCount() + 1;
    changes_.insert(changes_.begin() + index, Change{physical, position});
    return position;
}

void TRecordsCache::LogRecord(int n) {
    const std::int32_t physical = MapRecNo(n);
    const char* image = DataImage(physical);
    if (image == nullptr)
        throw EMemManagerError(kCantReadBuffer);
    const int position = FindChangePos(physical, true);
    const int block = (position - 1) / recordsPerBlock_;
    if (block >= LogBlockCount())
        SetLogBlockCount(block + 1);
    if (strings_ && !logStrings_)
        logStrings_ = std::make_unique<TStringCollection>(strings_->Columns());
    std::memcpy(LogImage(position), image, static_cast<std::size_t>(recordSize_));
    if (!strings_)
        return;
    const int row = physical - 1;
    const bool rowExists = row < strings_->Rows();
    while (logStrings_->Rows() < position) logStrings_->AddRow();
    for (int column = 0; column < strings_->Columns(); ++column)
        logStrings_->SetValue(column, position - 1,
                              rowExists ? strings_->GetValue(column, row) : std::string_view{});
}

char* TRecordsCache::LogImage(int position) const {
    return logBlocks_[static_cast<std::size_t>((position - 1) / recordsPerBlock_)].get() +
           (position - 1) % recordsPerBlock_ * recordSize_;
}

void TRecordsCache::DropLogEntry(std::int32_t physical) {
    int index = 0;
    if (!FindChangeIndex(physical, index))
        return;
    const int freed = changes_[static_cast<std::size_t>(index)].LogPos;
    const int last = ChangeCount();
    changes_.erase(changes_.begin() + index);
    if (freed == last)
        return;
    // Positions stay 1..count: the last logged record moves into the freed slot.
    auto moved =
        std::find_if(changes_.begin(), changes_.end(), [last](const Change& c) { return c.LogPos == last; });
    moved->LogPos = freed;
    std::memcpy(LogImage(freed), LogImage(last), static_cast<std::size_t>(recordSize_));
    if (logStrings_)
        for (int column = 0; column < logStrings_->Columns(); ++column)
            logStrings_->SwapValues(column, freed - 1, last - 1);
}

void TRecordsCache::ClearChangeLog() {
    SetLogBlockCount(0);
    changes_.clear();
    changes_.shrink_to_fit();
}
