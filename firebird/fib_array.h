#pragma once
// The descriptor of one array column, and the conversion between a slice buffer of its elements
// and a variant array with the column's dimensions and bounds.
#include <ibase.h>

#include <cstdint>
#include <string>
#include <vector>

#include "firebird/client_library.h"
#include "platform/rtl/variant.h"

class TFIBXSQLVAR;

// The kinds of element a slice holds.
enum TArrayElementKind : std::uint8_t {
    aekNone = 0,
    aekText = 1,
    aekSmallint = 2,
    aekInteger = 3,
    aekFloat = 6,
    aekDate = 9,
    aekTime = 10,
    aekTimeStamp = 11,
    aekInt64 = 12,
};
// The kind for a descriptor's element data type (a blr_ code).
TArrayElementKind ArrayElementKindOf(int descType);

class TpFIBArray {
  public:
    TpFIBArray(IIBClientLibrary* library, const ISC_ARRAY_DESC& descriptor, std::string relationName,
               std::string columnName, TArrayElementKind arrayType);

    int GetDimensions() const { return descriptor_.array_desc_dimensions; }
    // Client error 60 outside 0 .. dimensions - 1.
    ISC_ARRAY_BOUND GetDimension(int i) const;
    static std::int32_t SliceSize(const ISC_ARRAY_DESC& descriptor);
    std::int32_t ArraySize() const { return SliceSize(descriptor_); }
    const ISC_ARRAY_DESC& Descriptor() const { return descriptor_; }
    TArrayElementKind ArrayType() const { return arrayType_; }

    // A variant array of variants with the column's bounds; an empty slice gives Empty elements.
    Variant GetFieldArrayValues(TFIBXSQLVAR& field, isc_db_handle* db, isc_tr_handle* tr);
    Variant GetArrayValues(ISC_QUAD arrayId, isc_db_handle* db, isc_tr_handle* tr);
    void SetFieldArrayValues(const Variant& value, TFIBXSQLVAR& field, isc_db_handle* db, isc_tr_handle* tr);
    // Writes a new array; arrayId receives its identifier.
    void SetArrayFromVariant(const Variant& value, ISC_QUAD& arrayId, isc_db_handle* db, isc_tr_handle* tr);
    void PutSlice(std::vector<char>& buffer, ISC_QUAD& arrayId, isc_db_handle* db, isc_tr_handle* tr);
    // A zeroed slice buffer filled from the value; empty when the value is not an array.
    std::vector<char> FillBufferFromVariant(const Variant& value);

  private:
    std::string QualifiedName() const { return relationName_ + "." + columnName_; }
    int Stride() const;
    bool IsVarying() const;
    void CheckFits(const Variant& value) const;
    Variant ReadElement(const char* place) const;
    void WriteElement(const Variant& value, char* place) const;

    IIBClientLibrary* library_;
    ISC_ARRAY_DESC descriptor_;
    std::string relationName_;
    std::string columnName_;
    TArrayElementKind arrayType_;
};
