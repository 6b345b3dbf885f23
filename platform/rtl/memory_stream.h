#pragma once
// Streams over a block of memory. TCustomMemoryStream reads a block it is given; TMemoryStream owns
// its block and grows it as it is written, in steps of MemoryDelta bytes so that many small writes
// do not copy the data each time.
//
// The position may be set past the end: reading there gives nothing, and writing there first fills
// the gap with zero bytes.
#include <cstdint>
#include <string>

#include "platform/rtl/stream.h"

class TCustomMemoryStream : public TStream {
  public:
    std::string ClassName() const override { return "TCustomMemoryStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return size_; }

    void* Memory() const { return memory_; }
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

  protected:
    // Points the stream at a block of size bytes (the caller keeps owning it).
    void SetPointer(void* memory, std::int64_t size);
    std::int64_t position_ = 0;

  private:
    void* memory_ = nullptr;
    std::int64_t size_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  public:
    static constexpr std::int64_t MemoryDelta = 0x2000;

    TMemoryStream() = default;
    ~TMemoryStream() override;
    std::string ClassName() const override { return "TMemoryStream"; }

    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Bytes added by growing read as zero; the position stays unless it was past the new end.
    void SetSize(std::int64_t newSize) override;
    void Clear();
    std::int64_t Capacity() const { return capacity_; }

    // Replaces the content with the whole of stream (read from its beginning) or of a file.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

  protected:
    // Gives the block for a new capacity (rounded up to MemoryDelta unless it is the exact size,
    // 0 frees it) and may change newCapacity to what it holds. The block must come from
    // std::malloc / std::realloc: the destructor frees it with std::free. Raises EStreamError
    // "Out of memory while expanding memory stream" when the heap refuses.
    virtual void* Realloc(std::int64_t& newCapacity);
    // Moves the block to one of exactly newCapacity bytes (0 frees it): what Realloc does once it has
    // rounded the capacity.
    void* ResizeBlock(std::int64_t newCapacity);
    void SetCapacity(std::int64_t newCapacity);

  private:
    // Makes the content size bytes long (within the capacity), zero-filling what is new.
    void TakeSize(std::int64_t size);
    std::int64_t capacity_ = 0;
};
