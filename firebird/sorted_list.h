#pragma once
// A sorted set of signed 32-bit integers: the record numbers a dataset keeps aside.
#include <cstdint>
#include <vector>

#include "platform/rtl/component.h"

// 0 when equal, 1 when a > b, -1 when a < b.
int CompareIntegers(std::int32_t a, std::int32_t b);

class TSortedList : public TObject {
  public:
    std::string ClassName() const override { return "TSortedList"; }

    // True when present; index is its position or that of the first larger value.
    bool Find(std::int32_t value, int& index) const;
    int Add(std::int32_t value);  // the value's index, whether it was there or not
    void Remove(std::int32_t value);
    // Adds delta to every value from value's position (or the first larger one) to the end, as
    // records are inserted or deleted before them. The sum wraps around at 32 bits.
    void ShiftFrom(std::int32_t value, std::int32_t delta);

    std::int32_t GetItem(int index) const;  // EListError "List index out of bounds (%d)" outside
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    std::int32_t Last() const;  // the largest value; -1 when empty

  private:
    std::vector<std::int32_t> items_;
};
