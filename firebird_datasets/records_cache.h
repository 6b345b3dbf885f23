#pragma once
// Every fetched row of a dataset as a fixed-size record image in equally sized blocks, with the long
// texts kept apart in a string store; the images of records before an edit (a change log for
// cached updates, else one old-image buffer); and a record map that reorders records without moving
// any image. The cache knows bytes and strings by record number, nothing of columns or SQL.
//
// Callers number records from 1 (logical numbers). Without a map a logical number is the physical
// one; with a map, physical = map[logical - 1]. Map positions are 0-based.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "firebird/string_collection.h"
#include "firebird_datasets/mem_manager_error.h"
#include "platform/rtl/component.h"

// -1, 0 or 1 as a is below, equal to or above b.
int CompareRecNos(std::int32_t a, std::int32_t b);

class TRecordsCache : public TObject {
  public:
    // Raises EMemManagerError "Incompatible Sizes" when no record fits a block.
    TRecordsCache(int recordsPerBlock, int bufferSize, int recordSize, int stringFieldCount);
    ~TRecordsCache() override;
    std::string ClassName() const override { return "TRecordsCache"; }

    // Where the 1-based string field n lies in a full record buffer, and its most characters.
    void SetStringFieldInfo(int n, int offset, int maxLength);

    int BlockSize() const { return blockSize_; }
    int RecordsPerBlock() const { return recordsPerBlock_; }
    int RecordSize() const { return recordSize_; }
    int BufferSize() const { return bufferSize_; }
    int HighMark() const { return highMark_; }
    int StringFieldCount() const { return static_cast<int>(stringFields_.size()); }
    const TStringCollection* StringStore() const { return strings_.get(); }

    int BlockCount() const { return static_cast<int>(blocks_.size()); }
    void SetBlockCount(int count);
    int AddBlock();  // one zero-filled block; the new block count
    int LogBlockCount() const { return static_cast<int>(logBlocks_.size()); }
    void SetLogBlockCount(int count);

    // The dataset sets this to its CachedUpdates right after creating the cache.
    bool Logging() const { return logging_; }
    void SetLogging(bool value) { logging_ = value; }

    // Record images. A buffer has the full record layout: the string fields expanded in place.
    char* ExtendMap(int n);  // the image of logical n, made room for (at most one block past the last)
    void ReadRecord(int n, char* buffer);
    void ReadRecordEx(int n, char* buffer, bool fromLog);
    // buffer nullptr zero-fills the image and leaves its strings alone.
    void WriteRecord(int n, const char* buffer, bool extend);
    char* RecordAddress(int n);  // nullptr beyond the allocated blocks

    // One value of the string store, by 0-based column and (logical) row.
    void SetStringValue(int column, int row, std::string_view text);
    // length characters of chars; a negative length means up to the first NUL, or with trim the
    // field's most characters. Trimming drops trailing characters up to code 32 and puts a NUL
    // after the kept ones when they are fewer than the field's most.
    void SetStringValueBuf(int column, int row, bool trim, int length, char* chars);

    // Old images.
    void SaveOldRecord(int n);
    const char* GetOldRecord(int n);  // the old-image buffer, holding the old image of n
    void RestoreOldRecord(int n);

    // Change log.
    void LogRecord(int n);
    // The log position of a physical record (1-based); 0 when it has none and insert is false.
    int FindChangePos(std::int32_t physical, bool insert);
    // Binary search of the position table: whether found, and the match or insertion index.
    bool FindChangeIndex(std::int32_t physical, int& index) const;
    int ChangeCount() const { return static_cast<int>(changes_.size()); }
    void ClearChangeLog();

    // Record map.
    bool HasMap() const { return map_.has_value(); }
    int MapRecNo(int n) const;  // the physical number of logical n; 0 when there is none
    void CreateMap();
    void ExchangeRecords(int i, int j);
    void MoveRecord(int from, int to);
    void InsertRecord(int position);
    void DeleteRecord(int n);  // 1-based; only with a map
    std::int32_t PhysicalOf(int position) const;
    // The map position of a physical record, -1 when the map has none: O(1) once the positions are
    // worked out after the map last changed (a sort, a move, an insert or a delete).
    int IndexOfPhysical(std::int32_t physical) const;
    bool ContainsRecord(std::int32_t physical) const;

    int BlockIndexOf(std::int32_t physical) const { return (physical - 1) / recordsPerBlock_; }
    int OffsetInBlock(std::int32_t physical) const { return (physical - 1) % recordsPerBlock_ * recordSize_; }

  private:
    struct StringField {
        std::int32_t Offset = 0;
        std::int32_t MaxLength = 0;
    };
    struct Change {
        std::int32_t RecNo;
        std::int32_t LogPos;
    };
    using Blocks = std::vector<std::unique_ptr<char[]>>;

    void ResizeBlocks(Blocks& blocks, int count) const;
    char* DataImage(std::int32_t physical) const;  // nullptr outside the blocks
    std::int32_t PhysicalAfterExtend(int n) const;
    void ExpandImage(const char* image, TStringCollection* store, int row, char* buffer) const;
    void PackImage(const char* buffer, char* image, int row);
    int FirstStringOffset() const { return stringFields_.front().Offset; }
    int StringRunEnd() const { return stringFields_.back().Offset + stringFields_.back().MaxLength; }
    int StringRow(int row) const;      // the physical row of a logical one; raises for none
    std::vector<std::int32_t>& Map();  // the map, made when missing; its positions are then stale
    const std::vector<std::int32_t>& Positions() const;
    void CheckPosition(int position, int limit) const;
    void ForgetOldImageOf(std::int32_t physical);
    char* LogImage(int position) const;  // the slot of a 1-based log position
    void DropLogEntry(std::int32_t physical);

    int recordSize_;
    int bufferSize_;
    int blockSize_;
    int recordsPerBlock_;
    Blocks blocks_;
    std::unique_ptr<TStringCollection> strings_;
    std::vector<StringField> stringFields_;
    std::vector<char> oldImage_;
    std::int32_t oldImageOf_ = 0;  // the physical record the old image holds; 0 for none
    bool logging_ = false;
    Blocks logBlocks_;
    std::unique_ptr<TStringCollection> logStrings_;
    std::vector<Change> changes_;  // ascending by RecNo
    std::optional<std::vector<std::int32_t>> map_;
    // The inverse of the map (index physical - 1), worked out on demand.
    mutable std::vector<std::int32_t> positions_;
    mutable bool positionsStale_ = true;
    std::int32_t highMark_ = 0;
};
