#pragma once
// Variant: one dynamically typed value for the whole code base. It holds nothing (Empty), Null,
// a boolean, an integer of one of the integer kinds, a Single or Double, a Currency (a 64-bit
// integer in units of 1/10000), a TDateTime, a string, or an array of such values with any
// number of dimensions and bounds.
//
// Conversions follow the platform's rules: Empty reads as 0, "" or false; Null converts to
// nothing but raises; True reads as -1; texts are read by the locale's settings. A value that has
// no reading in the target type raises EVariantTypeCastError, one that does not fit raises
// EVariantOverflowError. Arrays copy on write, so a copy of a Variant is an independent value.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"

using TVarType = std::uint16_t;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varError = 0x000A;  // an error code in place of a value
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;  // element type of arrays of variants
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

class EVariantError : public Exception {
  public:
    using Exception::Exception;
};
class EVariantTypeCastError : public EVariantError {
  public:
    using EVariantError::EVariantError;
};
class EVariantOverflowError : public EVariantError {
  public:
    using EVariantError::EVariantError;
};
class EVariantBadIndexError : public EVariantError {
  public:
    using EVariantError::EVariantError;
};
class EVariantArrayError : public EVariantError {
  public:
    using EVariantError::EVariantError;
};

struct TVarArrayBound {
    int LowBound;
    int HighBound;
};

struct VarArrayData;

class Variant {
  public:
    Variant() = default;
    Variant(bool v) : type_(varBoolean), value_(v) {}
    Variant(int v) : type_(varInteger), value_(std::int64_t{v}) {}
    Variant(long v) : type_(varInt64), value_(std::int64_t{v}) {}
    Variant(long long v) : type_(varInt64), value_(std::int64_t{v}) {}
    Variant(unsigned v) : type_(varLongWord), value_(std::int64_t{v}) {}
    Variant(double v) : type_(varDouble), value_(v) {}
    Variant(const char* v) : type_(varString), value_(std::string(v ? v : "")) {}
    Variant(std::string v) : type_(varString), value_(std::move(v)) {}
    Variant(std::string_view v) : type_(varString), value_(std::string(v)) {}

    static Variant Null();
    static Variant FromCurrency(std::int64_t units);
    static Variant FromDateTime(TDateTime dt);
    // An integer of the given kind (varSmallint, varByte ...); raises EVariantOverflowError when
    // it does not fit.
    static Variant OfInteger(TVarType kind, std::int64_t value);
    static Variant OfSingle(float value);
    // An error variant: converts to nothing and equals only an error of the same code.
    static Variant OfError(std::int32_t code);

    TVarType VarType() const;  // varArray | element type for arrays
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsArray() const { return type_ == varArray; }
    bool IsNumeric() const;  // the integer kinds, Single, Double, Currency
    bool IsString() const { return type_ == varString; }
    bool IsError() const { return type_ == varError; }

    bool AsBoolean() const;
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    std::int64_t AsCurrency() const;  // units of 1/10000
    TDateTime AsDateTime() const;
    std::string AsString() const&;
    // A temporary gives up its text instead of copying it.
    std::string AsString() &&;
    Variant AsType(TVarType type) const;  // only simple types

    // Arrays. Dimensions count from 1; indexes must lie within the bounds.
    int DimCount() const;  // 0 for a value that is not an array
    int LowBound(int dim) const;
    int HighBound(int dim) const;
    TVarType ElementType() const;
    const Variant& GetElement(std::span<const int> indexes) const;
    const Variant& GetElement(std::initializer_list<int> indexes) const;
    // Stores the value converted to the array's element type.
    void PutElement(std::span<const int> indexes, const Variant& value);
    void PutElement(std::initializer_list<int> indexes, const Variant& value);
    const Variant& operator[](int index) const { return GetElement({index}); }

    // Empty = Empty, Null = Null, texts by their bytes, numbers by their value, arrays by bounds
    // and elements. A text never equals a number.
    bool operator==(const Variant& other) const;

  private:
    friend Variant VarArrayCreate(std::span<const TVarArrayBound> bounds, TVarType elementType);
    friend std::string VarArrayRawBytes(const Variant& v);
    std::int64_t IntegerValue() const { return std::get<std::int64_t>(value_); }
    double FloatValue() const { return std::get<double>(value_); }
    std::size_t Offset(std::span<const int> indexes) const;
    const VarArrayData& Array() const;
    [[noreturn]] void CastError(TVarType target) const;
    [[noreturn]] void OverflowError(TVarType target) const;
    std::int64_t ToInt64(TVarType target) const;

    TVarType type_ = varEmpty;
    std::variant<std::monostate, bool, std::int64_t, double, std::string, std::shared_ptr<VarArrayData>>
        value_;
};

TVarType VarType(const Variant& v);
std::string VarTypeName(TVarType type);  // "Integer", "String", "Array Variant" ...
bool VarIsNull(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsClear(const Variant& v);  // Empty
bool VarIsArray(const Variant& v);
bool VarIsStr(const Variant& v);
bool VarIsNumeric(const Variant& v);
// The integer kinds, from the 8-bit to the 64-bit.
bool VarTypeIsInteger(TVarType type);
std::string VarToStr(const Variant& v);  // Null gives ""
std::string VarToStrDef(const Variant& v, std::string_view def);
Variant VarAsType(const Variant& v, TVarType type);

// Flat list of bounds pairs as in VarArrayCreate({0, 1, 0, 5}, varVariant); elements start as the
// element type's zero (Empty for varVariant). Raises EVariantArrayError for an odd count, no
// dimension, a high bound below low bound - 1, or an element type that arrays cannot hold.
Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType);
Variant VarArrayCreate(std::span<const TVarArrayBound> bounds, TVarType elementType);
Variant VarArrayOf(std::initializer_list<Variant> values);  // [0..n-1] of varVariant
int VarArrayDimCount(const Variant& v);
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
int VarTypeSize(TVarType elementType);  // bytes of one element in raw form, 0 for none
// The elements in raw little-endian form, first index varying fastest; raises EVariantArrayError
// for arrays of variants or strings, which have no raw form.
std::string VarArrayRawBytes(const Variant& v);
