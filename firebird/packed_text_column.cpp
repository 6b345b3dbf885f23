#include "firebird/packed_text_column.h"

#include <algorithm>
#include <cstring>

#include "firebird/string_collection.h"

namespace {

constexpr std::size_t kMaxChunks = std::size_t{1} << 16;  // the chunk number is 16 bits
// Values above this size get a block of their own, so a shared chunk wastes at most a quarter.
constexpr std::size_t kOwnBlockFrom = PackedTextColumn::kChunkSize / 4;

std::size_t PrefixSize(std::size_t length) {
    std::size_t size = 1;
    for (; length >= 0x80; length >>= 7) ++size;
    return size;
}

char* WritePrefix(char* at, std::size_t length) {
    for (; length >= 0x80; length >>= 7) *at++ = static_cast<char>(0x80 | (length & 0x7F));
    *at++ = static_cast<char>(length);
    return at;
}

const char* ReadPrefix(const char* at, std::size_t& length) {
    length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return at;
    }
}

std::size_t EncodedSizeOf(std::string_view text) {
    return PrefixSize(text.size()) + text.size();
}

void WriteValue(char* at, std::string_view text) {
    // The text may overlap the old value being rewritten here, so it moves rather than copies.
    std::memmove(WritePrefix(at, text.size()), text.data(), text.size());
}

}  // namespace

std::uint32_t PackedTextColumn::Chunks::NewBlock(std::size_t size) {
    if (blocks.size() >= kMaxChunks)
        throw EStringCollectionError("Can't write value to StrCollection. The store is full");
    blocks.emplace_back(new char[size]);
    return static_cast<std::uint32_t>((blocks.size() - 1) << 16);
}

std::uint32_t PackedTextColumn::Chunks::Append(std::string_view text) {
    const std::size_t size = EncodedSizeOf(text);
    if (size > kOwnBlockFrom) {
        const std::uint32_t at = NewBlock(size);
        WriteValue(blocks.back().get(), text);
        return at;
    }
    if (shared == SIZE_MAX || fill + size > kChunkSize) {
        NewBlock(kChunkSize);
        shared = blocks.size() - 1;
        fill = 0;
    }
    WriteValue(blocks[shared].get() + fill, text);
    const auto at = static_cast<std::uint32_t>(shared << 16 | fill);
    fill += size;
    return at;
}

char* PackedTextColumn::Address(std::uint32_t at) const {
    return chunks_.blocks[at >> 16].get() + (at & 0xFFFF);
}

std::size_t PackedTextColumn::EncodedSize(std::uint32_t at) const {
    if (at == kEmpty)
        return 0;
    std::size_t length = 0;
    const char* text = ReadPrefix(Address(at), length);
    return static_cast<std::size_t>(text - Address(at)) + length;
}

std::string_view PackedTextColumn::Get(int row) const {
    return ValueAt(rows_[static_cast<std::size_t>(row)]);
}

std::string_view PackedTextColumn::ValueAt(std::uint32_t at) const {
    if (at == kEmpty)
        return {};
    std::size_t length = 0;
    const char* text = ReadPrefix(Address(at), length);
    return {text, length};
}

void PackedTextColumn::Set(int row, std::string_view text) {
    std::uint32_t& at = rows_[static_cast<std::size_t>(row)];
    const std::size_t oldSize = EncodedSize(at);
    const std::size_t size = text.empty() ? 0 : EncodedSizeOf(text);
    if (size == 0) {
        at = kEmpty;
        dead_ += oldSize;
    } else if (size <= oldSize) {
        // A value no longer than the old one takes its place; the old one's tail is dead.
        WriteValue(Address(at), text);
        dead_ += oldSize - size;
    } else {
        at = chunks_.Append(text);
        stored_ += size;
        dead_ += oldSize;
    }
    CompactWhenMostlyDead();
}

void PackedTextColumn::Swap(int row1, int row2) {
    std::swap(rows_[static_cast<std::size_t>(row1)], rows_[static_cast<std::size_t>(row2)]);
}

void PackedTextColumn::Erase(int row, int rows) {
    Forget(rows_[static_cast<std::size_t>(row)]);
    const auto first = rows_.begin() + row;
    std::move(first + 1, rows_.begin() + rows, first);
    rows_[static_cast<std::size_t>(rows - 1)] = kEmpty;
    CompactWhenMostlyDead();
}

void PackedTextColumn::Resize(int capacity) {
    const auto size = static_cast<std::size_t>(capacity);
    if (size > rows_.capacity())
        rows_.reserve(size);  // exactly: the collection has its own growth rule
    rows_.resize(size, kEmpty);
}

void PackedTextColumn::Reset() {
    rows_ = {};
    chunks_ = {};
    stored_ = 0;
    dead_ = 0;
}

void PackedTextColumn::Forget(std::uint32_t at) {
    dead_ += EncodedSize(at);
}

void PackedTextColumn::CompactWhenMostlyDead() {
    // Below a chunk of garbage packing would free nothing worth its time.
    if (dead_ < kChunkSize || dead_ <= stored_ - dead_)
        return;
    Chunks packed;
    for (std::uint32_t& at : rows_)
        if (at != kEmpty)
            at = packed.Append(ValueAt(at));
    chunks_ = std::move(packed);
    stored_ -= dead_;
    dead_ = 0;
}
