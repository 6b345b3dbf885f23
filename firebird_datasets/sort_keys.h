#pragma once
// What a local sort compares, read once per record: for each sort field a column holding every
// record's value in a compact comparable form (integers, currency units, doubles for floats and
// dates, booleans, texts unpacked for the locale comparison) with its NULL flag. Comparing two
// records through the columns gives exactly what comparing their field values as variants gives:
// NULL first going up, the direction per field, texts as AnsiCompareStr. A field whose values come
// in mixed kinds, or one compared by OnCompareFieldValues, keeps the values themselves and compares
// them through the dataset's own comparison.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/variant.h"

namespace fibsort {

enum class TSortKeyKind { Integer, Currency, Float, Boolean, Text, Values };

// Texts kept for the locale comparison: upper-cased for the case-blind pass, as they are for the
// tie-break of AnsiCompareStr. Both are UTF-8 in one pool each, so the case-blind pass is a byte
// comparison (UTF-8 bytes order as their code points do).
class TTextSortKeys {
  public:
    void Reserve(std::size_t count, std::size_t bytes);
    void Add(std::string_view utf8);
    // -1, 0 or 1 as AnsiCompareStr of the texts added as a and b.
    int Compare(int a, int b) const {
        if (const int order = Folded(a).compare(Folded(b)); order != 0)
            return order < 0 ? -1 : 1;
        return CompareCase(a, b);
    }

  private:
    static std::string_view Slice(const std::string& pool, const std::vector<std::uint32_t>& starts, int i) {
        const auto at = static_cast<std::size_t>(i);
        return std::string_view(pool).substr(starts[at], starts[at + 1] - starts[at]);
    }
    std::string_view Folded(int i) const { return Slice(folded_, foldedStarts_, i); }
    std::string_view Original(int i) const { return Slice(original_, originalStarts_, i); }
    int CompareCase(int a, int b) const;

    std::string folded_;
    std::string original_;
    std::vector<std::uint32_t> foldedStarts_{0};
    std::vector<std::uint32_t> originalStarts_{0};
};

// The whole comparison of two values of one field, NULLs and direction included: the dataset's own.
using TValuesCompare = std::function<int(const Variant& value, const Variant& pivot)>;

class TSortKeyColumn {
  public:
    // values: one per record. byValues: compare through compareValues only (a comparison handler).
    TSortKeyColumn(std::vector<Variant> values, bool ascending, TValuesCompare compareValues, bool byValues);

    TSortKeyKind Kind() const { return kind_; }
    int Direction() const { return direction_; }
    int Count() const { return count_; }
    bool IsNull(int record) const { return nulls_[static_cast<std::size_t>(record)] != 0; }
    // The number of an Integer, Currency or Boolean column; the double of a Float column.
    std::int64_t Exact(int record) const { return exact_[static_cast<std::size_t>(record)]; }
    double Inexact(int record) const { return inexact_[static_cast<std::size_t>(record)]; }
    // -1, 0 or 1: record a against record b, as the dataset compares a record with the pivot.
    int Compare(int a, int b) const;

  private:
    static TSortKeyKind KindOfValues(const std::vector<Variant>& values);
    void Unpack(const std::vector<Variant>& values);

    TSortKeyKind kind_;
    int direction_;
    int count_;
    std::vector<std::uint8_t> nulls_;
    std::vector<std::int64_t> exact_;
    std::vector<double> inexact_;
    TTextSortKeys texts_;
    std::vector<Variant> values_;  // Values only
    TValuesCompare compareValues_;
};

// The columns of all sort fields, compared in the sort order: the first difference decides.
class TSortKeys {
  public:
    explicit TSortKeys(std::vector<TSortKeyColumn> columns) : columns_(std::move(columns)) {}

    const std::vector<TSortKeyColumn>& Columns() const { return columns_; }
    int Count() const { return columns_.empty() ? 0 : columns_.front().Count(); }
    int Compare(int a, int b) const {
        for (const TSortKeyColumn& column : columns_)
            if (const int order = column.Compare(a, b); order != 0)
                return order;
        return 0;
    }

  private:
    std::vector<TSortKeyColumn> columns_;
};

}  // namespace fibsort
