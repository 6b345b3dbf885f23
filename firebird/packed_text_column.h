#pragma once
// One column of texts packed into large chunks: each value is its length (7 bits a byte, low bits
// first) followed by its bytes, and a row holds the 32-bit address of its value (chunk number in the
// high half, position in the low half). A rewritten value that no longer fits its place is appended
// and its old bytes become dead; once dead bytes outweigh live ones the live values are packed anew.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class PackedTextColumn {
  public:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    std::string_view Get(int row) const;
    void Set(int row, std::string_view text);  // text may lie in this column
    void Swap(int row1, int row2);
    void Erase(int row, int rows);  // the later rows up to rows move up by one
    void Resize(int capacity);      // rows beyond the old capacity are empty
    void Reset();

    std::size_t DeadBytes() const { return dead_; }
    std::size_t StoredBytes() const { return stored_; }

  private:
    struct Chunks {
        std::vector<std::unique_ptr<char[]>> blocks;
        std::size_t shared = SIZE_MAX;  // the chunk small values go into; SIZE_MAX for none yet
        std::size_t fill = 0;           // bytes used in it
        std::uint32_t Append(std::string_view text);
        std::uint32_t NewBlock(std::size_t size);
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    char* Address(std::uint32_t at) const;
    std::string_view ValueAt(std::uint32_t at) const;
    std::size_t EncodedSize(std::uint32_t at) const;  // 0 for an empty row
    void Forget(std::uint32_t at);
    void CompactWhenMostlyDead();

    std::vector<std::uint32_t> rows_;  // one address per row of the capacity
    Chunks chunks_;
    std::size_t stored_ = 0;  // bytes ever appended since the last packing
    std::size_t dead_ = 0;    // of those, bytes no row reads any more
};
