#include "firebird_datasets/records_cache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int kSmallestBlock = 1024;

int BlockSizeFor(int recordsPerBlock, int bufferSize, int recordSize) {
    if (recordSize <= 0 || recordsPerBlock < 0)
        throw EMemManagerError(kIncompatibleSizes);
    const long long wanted = static_cast<long long>(recordSize) * recordsPerBlock;
    if (wanted >= kSmallestBlock)
        return wanted <= INT_MAX ? static_cast<int>(wanted) : throw EMemManagerError(kIncompatibleSizes);
    if (bufferSize <= 0)
        throw EMemManagerError(kIncompatibleSizes);
    // The smallest multiple of the buffer size above 1024 (a divisor of 1024 gives 1024 + its size).
    const long long rounded = kSmallestBlock + bufferSize - kSmallestBlock % bufferSize;
    if (rounded < recordSize || rounded > INT_MAX)
        throw EMemManagerError(kIncompatibleSizes);
    return static_cast<int>(rounded);
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimRightControls(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

// Rows are added up to row when the record it belongs to exists (below limit), or one row when row
// is the next; any other row is left for the store to refuse.
void EnsureRow(TStringCollection& store, int row, int limit) {
    if (row < store.Rows() || row < 0)
        return;
    if (row >= limit && row != store.Rows())
        return;
    while (store.Rows() <= row) store.AddRow();
}

}  // namespace

int CompareRecNos(std::int32_t a, std::int32_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

TRecordsCache::TRecordsCache(int recordsPerBlock, int bufferSize, int recordSize, int stringFieldCount)
    : recordSize_(recordSize),
      bufferSize_(bufferSize),
      blockSize_(BlockSizeFor(recordsPerBlock, bufferSize, recordSize)),
      recordsPerBlock_(blockSize_ / recordSize_),
      oldImage_(static_cast<std::size_t>(std::max(bufferSize, recordSize)), 1) {
    if (stringFieldCount > 0) {
        strings_ = std::make_unique<TStringCollection>(stringFieldCount);
        stringFields_.resize(static_cast<std::size_t>(stringFieldCount));
    }
}

TRecordsCache::~TRecordsCache() = default;

void TRecordsCache::SetStringFieldInfo(int n, int offset, int maxLength) {
    if (n < 1 || n > StringFieldCount())
        return;
    stringFields_[static_cast<std::size_t>(n - 1)] = {std::max(offset, 0), std::max(maxLength, 0)};
    // The old image is read in full layout, which must fit however the fields were laid out.
    const int expanded = StringRunEnd() + recordSize_ - std::min(FirstStringOffset(), recordSize_);
    if (expanded > static_cast<int>(oldImage_.size()))
        oldImage_.resize(static_cast<std::size_t>(expanded), 1);
}

void TRecordsCache::ResizeBlocks(Blocks& blocks, int count) const {
    count = std::max(count, 0);
    // Ten more at a time while the list is short; by half once it is long, so that a million
    // fetched rows do not copy the list a thousand times.
    if (static_cast<std::size_t>(count) >= blocks.capacity())
        blocks.reserve(static_cast<std::size_t>(count) + static_cast<std::size_t>(std::max(10, count / 2)));
    const auto size = static_cast<std::size_t>(count);
    blocks.resize(std::min(size, blocks.size()));
    while (blocks.size() < size)
        blocks.push_back(std::make_unique<char[]>(static_cast<std::size_t>(blockSize_)));
}

void TRecordsCache::SetBlockCount(int count) {
    ResizeBlocks(blocks_, count);
}

int TRecordsCache::AddBlock() {
    SetBlockCount(BlockCount() + 1);
    return BlockCount();
}

void TRecordsCache::SetLogBlockCount(int count) {
    ResizeBlocks(logBlocks_, count);
}

char* TRecordsCache::DataImage(std::int32_t physical) const {
    if (physical < 1 || BlockIndexOf(physical) >= BlockCount())
        return nullptr;
    return blocks_[static_cast<std::size_t>(BlockIndexOf(physical))].get() + OffsetInBlock(physical);
}

std::int32_t TRecordsCache::PhysicalAfterExtend(int n) const {
    if (!map_)
        return n;
    const int mapped = static_cast<int>(map_->size());
    return n <= mapped ? (*map_)[static_cast<std::size_t>(n - 1)] : highMark_ + (n - mapped);
}

char* TRecordsCache::ExtendMap(int n) {
    const std::int32_t physical = n < 1 ? 0 : PhysicalAfterExtend(n);
    // A fetch fills records in order, so a record lies at most one block past the last.
    if (physical < 1 || BlockIndexOf(physical) > BlockCount())
        throw EMemManagerError(kCantWriteBuffer);
    if (map_ && static_cast<int>(map_->size()) < n) {
        while (static_cast<int>(map_->size()) < n) map_->push_back(++highMark_);
        positionsStale_ = true;
        if (strings_)
            EnsureRow(*strings_, highMark_ - 1, highMark_);
    } else if (n > highMark_ && !map_) {
        highMark_ = n;
    }
    if (BlockIndexOf(physical) == BlockCount())
        AddBlock();
    return DataImage(physical);
}

void TRecordsCache::ReadRecord(int n, char* buffer) {
    ReadRecordEx(n, buffer, false);
}

void TRecordsCache::ReadRecordEx(int n, char* buffer, bool fromLog) {
    const std::int32_t physical = MapRecNo(n);
    if (fromLog) {
        if (const int position = FindChangePos(physical, false); position > 0) {
            if ((position - 1) / recordsPerBlock_ >= LogBlockCount())
                throw EMemManagerError(kCantReadLogBuffer);
            ExpandImage(LogImage(position), logStrings_.get(), position - 1, buffer);
            return;
        }
    }
    const char* image = DataImage(physical);
    if (image == nullptr)
        throw EMemManagerError(kCantReadBuffer);
    ExpandImage(image, strings_.get(), physical - 1, buffer);
}

void TRecordsCache::ExpandImage(const char* image, TStringCollection* store, int row, char* buffer) const {
    if (stringFields_.empty()) {
        std::memcpy(buffer, image, static_cast<std::size_t>(recordSize_));
        return;
    }
    const int first = std::min(FirstStringOffset(), recordSize_);
    std::memcpy(buffer, image, static_cast<std::size_t>(first));
    const bool rowExists = store != nullptr && row < store->Rows();
    for (std::size_t i = 0; i < stringFields_.size(); ++i) {
        const StringField& field = stringFields_[i];
        std::size_t length = 0;
        // A record whose strings were never stored reads them as empty.
        if (rowExists) {
            const int column = static_cast<int>(i);
            std::string_view value = store->GetValue(column, row);
            if (value.size() > static_cast<std::size_t>(field.MaxLength)) {
                store->SetValue(column, row, value.substr(0, static_cast<std::size_t>(field.MaxLength)));
                value = store->GetValue(column, row);
            }
            length = value.size();
            std::memcpy(buffer + field.Offset, value.data(), length);
        }
        if (length < static_cast<std::size_t>(field.MaxLength))
            buffer[field.Offset + static_cast<int>(length)] = '\0';
    }
    std::memcpy(buffer + StringRunEnd(), image + first, static_cast<std::size_t>(recordSize_ - first));
}

void TRecordsCache::WriteRecord(int n, const char* buffer, bool extend) {
    char* image = nullptr;
    if (extend) {
        image = ExtendMap(n);
    } else {
        image = DataImage(MapRecNo(n));
        if (image == nullptr)
            throw EMemManagerError(kCantWriteBuffer);
        if (!map_ && n > highMark_)
            highMark_ = n;
    }
    if (buffer == nullptr) {
        std::memset(image, 0, static_cast<std::size_t>(recordSize_));
        return;
    }
    PackImage(buffer, image, MapRecNo(n) - 1);
}

void TRecordsCache::PackImage(const char* buffer, char* image, int row) {
    if (stringFields_.empty()) {
        std::memcpy(image, buffer, static_cast<std::size_t>(recordSize_));
        return;
    }
    const int first = std::min(FirstStringOffset(), recordSize_);
    std::memcpy(image, buffer, static_cast<std::size_t>(first));
    std::memcpy(image + first, buffer + StringRunEnd(), static_cast<std::size_t>(recordSize_ - first));
    EnsureRow(*strings_, row, highMark_);
    for (std::size_t i = 0; i < stringFields_.size(); ++i) {
        const StringField& field = stringFields_[i];
        const char* chars = buffer + field.Offset;
        const void* nul = std::memchr(chars, 0, static_cast<std::size_t>(field.MaxLength));
        const int length =
            nul != nullptr ? static_cast<int>(static_cast<const char*>(nul) - chars) : field.MaxLength;
        strings_->SetValueBuf(static_cast<int>(i), row, chars, length);
    }
}

char* TRecordsCache::RecordAddress(int n) {
    return DataImage(MapRecNo(n));
}

int TRecordsCache::StringRow(int row) const {
    if (!map_)
        return row;
    if (row < 0 || row >= static_cast<int>(map_->size()))
        return -1;  // the store refuses it
    return (*map_)[static_cast<std::size_t>(row)] - 1;
}

void TRecordsCache::SetStringValue(int column, int row, std::string_view text) {
    if (!strings_ || column < 0 || column >= StringFieldCount())
        throw EStringCollectionError("Can't write value to StrCollection. Bad X-Index");
    const int maxLength = stringFields_[static_cast<std::size_t>(column)].MaxLength;
    if (text.size() > static_cast<std::size_t>(maxLength))
        text = TrimRightControls(text.substr(0, static_cast<std::size_t>(maxLength)));
    else if (!text.empty() && text.back() == ' ')
        text = TrimRightControls(text);
    const int physicalRow = StringRow(row);
    EnsureRow(*strings_, physicalRow, highMark_);
    strings_->SetValueBuf(column, physicalRow, text.data(), static_cast<int>(text.size()));
}

void TRecordsCache::SetStringValueBuf(int column, int row, bool trim, int length, char* chars) {
    if (!strings_ || column < 0 || column >= StringFieldCount())
        throw EStringCollectionError("Can't write value to StrCollection. Bad X-Index");
    if (trim && chars != nullptr) {
        const int maxLength = stringFields_[static_cast<std::size_t>(column)].MaxLength;
        if (length < 0)
            length = maxLength;
        while (length > 0 && IsBlankOrControl(chars[length - 1])) --length;
        if (length < maxLength)
            chars[length] = '\0';
    }
    const int physicalRow = StringRow(row);
    EnsureRow(*strings_, physicalRow, highMark_);
    strings_->SetValueBuf(column, physicalRow, chars, length);
}
