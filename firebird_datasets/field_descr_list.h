#pragma once
// The dataset's column descriptors, from which it lays out its record buffer.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/component.h"

// One column of the select statement, as the record buffer holds it.
struct TFieldDescr {
    std::int16_t SqlType = 0;  // without the nullable bit
    std::int16_t Scale = 0;
    bool Nullable = false;
    std::int16_t Size = 0;  // bytes in the record buffer
    std::int32_t Offset = 0;
    bool IsDBKey = false;
    bool InStringStore = false;    // a long text kept apart from the record image
    std::int32_t StringIndex = 0;  // among the string-store columns; -1 for the others
    bool IsGUID = false;
};

class TFIBFieldDescrList : public TObject {
  public:
    std::string ClassName() const override { return "TFIBFieldDescrList"; }

    // Appends a descriptor; the caller fills in Offset and StringIndex. Returns its index.
    int AddFieldDescr(std::int16_t sqlType, std::int16_t scale, std::int16_t size, bool nullable,
                      bool isDBKey, bool inStringStore, bool isGUID);
    // EListError "List index out of bounds (%d)" outside 0..Count-1.
    TFieldDescr* GetDescr(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    // The dataset sets the capacity to its column count and reads it back as the descriptor count.
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity);  // EListError "List capacity out of bounds (%d)" below Count
    void Clear();

  private:
    std::vector<std::unique_ptr<TFieldDescr>> items_;
    int capacity_ = 0;
};
