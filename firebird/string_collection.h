#pragma once
// A table of strings kept column by column, every column with the same capacity and one row count,
// so that a whole column grows in one step. Each column packs its texts, length-prefixed, into
// large chunks with one 32-bit offset per row: a cached row costs its text and about five bytes,
// not a string object and a heap block of its own.
#include <string>
#include <string_view>
#include <vector>

#include "firebird/packed_text_column.h"
#include "platform/rtl/component.h"

// A cell address outside the table: "Can't read value to StrCollection. Bad X-Index" and the like.
class EStringCollectionError : public Exception {
  public:
    explicit EStringCollectionError(std::string message) : Exception(std::move(message)) {}
    static constexpr const char* Module = "pFIBLists";  // where the failure comes from
};

class TStringCollection : public TObject {
  public:
    explicit TStringCollection(int columns);  // a negative count means none
    std::string ClassName() const override { return "TStringCollection"; }

    int AddRow();  // an empty row in every column; the new row count
    void DeleteRow(int row);

    // Valid until the collection next changes.
    std::string_view GetValue(int column, int row) const;
    // s may be a value of this collection.
    void SetValue(int column, int row, std::string_view s);
    // length characters of buffer; a negative length takes it up to its terminating zero.
    void SetValueBuf(int column, int row, const char* buffer, int length);
    // The values of two rows of a column trade places; nothing is copied.
    void SwapValues(int column, int row1, int row2);

    void Grow();  // to 128 rows first, then by half
    // EListError "List capacity out of bounds (%d)" below the row count (or below 0).
    void SetCapacity(int capacity);
    void Clear();

    int Columns() const { return static_cast<int>(columns_.size()); }
    int Rows() const { return rows_; }
    int Capacity() const { return capacity_; }

  private:
    enum class Access { Read, Write };
    void CheckCell(int column, int row, Access access) const;
    void CheckRow(int row, Access access) const;
    PackedTextColumn& Column(int column) { return columns_[static_cast<std::size_t>(column)]; }

    std::vector<PackedTextColumn> columns_;
    int rows_ = 0;
    int capacity_ = 0;
};
