#pragma once
// One variable of a descriptor area: a parameter or a result column in the client API's XSQLVAR
// layout, read as every application type and written from them.
#include <ibase.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "firebird/number_utils.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/timestamp.h"
#include "platform/rtl/variant.h"

class IFIBStatementContext;
class TFIBXSQLDA;
class TFIBBlobStream;
class TpFIBArray;

class TFIBXSQLVAR {
  public:
    TFIBXSQLVAR(TFIBXSQLDA* ownerArea, IFIBStatementContext* ownerQuery);
    ~TFIBXSQLVAR();
    TFIBXSQLVAR(const TFIBXSQLVAR&) = delete;
    TFIBXSQLVAR& operator=(const TFIBXSQLVAR&) = delete;

    int Position = 0;
    bool Changed = false;
    std::string VarName;
    IFIBStatementContext* OwnerQuery;
    XSQLVAR* XSQLVar = nullptr;  // the slot in the area's block
    TFIBXSQLDA* OwnerArea;
    bool MacroParam = false;
    bool MacroQuoted = false;
    Variant PreviousValue;
    std::string MacroDefault;
    short DescribedType = 0;
    bool WithinWhere = false;
    bool NullRewritable = false;
    bool ValueAssigned = false;
    std::unique_ptr<TpFIBArray> ArrayInfo;

    std::string ReadAsString();
    // The text ReadAsString gives, appended to out; nothing for NULL.
    void AppendAsString(std::string& out);
    std::int32_t ReadAsInteger();
    std::int64_t ReadAsInt64();
    std::int64_t ReadAsComp();
    Extended ReadAsExtended();
    double ReadAsDouble();
    float ReadAsFloat();
    std::int64_t ReadAsCurrency();  // units of 1/10000
    TBcd ReadAsBcd();
    TDateTime ReadAsDateTime();
    bool ReadAsBoolean();
    ISC_QUAD ReadAsQuad();
    Variant ReadAsVariant();
    bool ReadIsNull();
    bool ReadIsNullable();
    XSQLVAR ReadXSQLVAR() const { return *XSQLVar; }
    short ReadSQLType() const;  // without the nullable bit
    short ReadScale() const { return XSQLVar->sqlscale; }

    void WriteAsString(std::string_view value);
    void WriteAsInteger(std::int32_t value);
    void WriteAsSmallint(std::int16_t value);
    void WriteAsInt64(std::int64_t value);
    void WriteAsComp(std::int64_t value) { WriteAsInt64(value); }
    void WriteAsExtended(Extended value);
    void WriteAsDouble(double value);
    void WriteAsCurrency(std::int64_t value);
    void WriteAsBcd(const TBcd& value);
    void WriteAsDateTime(TDateTime value);
    void WriteAsDate(TDateTime value);
    void WriteAsTime(TDateTime value);
    void WriteAsTimeStamp(const TTimeStamp& value);
    void WriteAsBoolean(bool value);
    void WriteAsGuid(const std::string& raw16);
    void WriteAsQuad(const ISC_QUAD& value);
    void WriteAsVariant(const Variant& value);
    void WriteIsNull(bool value);
    void WriteIsNullable(bool value);
    void WriteScale(short scale);
    void WriteXSQLVAR(const XSQLVAR& source);
    void WriteAsArray(const Variant& value);

    bool IsArray() const;
    bool IsBlobOrArray() const;
    bool IsParameter() const;
    void LoadFromStream(TStream& stream);
    std::int32_t ArraySize();
    void CheckArrayField() const;
    void Assign(TFIBXSQLVAR& source);
    short ServerSQLType();

    // The area's buffers for this variable: data of the given size (at least 1 byte) and the
    // indicator; they are freed with the variable.
    void AllocData(std::size_t size);
    void AllocIndicator();
    void FreeIndicator();
    // The raw bytes of the value (VARYING without its length word).
    std::string RawBytes() const;
    std::string_view RawView() const;  // the same bytes in place, valid until the value changes

  private:
    enum class StoreKind { Null, Nullable, Scale, Value, Record };
    struct StoreArgs {
        bool flag = false;
        short number = 0;
        std::string_view bytes;
        const XSQLVAR* record = nullptr;
    };
    void StoreValue(StoreKind kind, const StoreArgs& args);
    void ApplyStore(StoreKind kind, const StoreArgs& args);
    void SetTyped(short sqlType, std::string_view bytes);
    void CopyRecord(const XSQLVAR& source);
    void NoteMacroChange();
    template <typename T>
    void WriteTyped(short sqlType, T value) {
        StoreValue(
            StoreKind::Value,
            {false, sqlType, std::string_view(reinterpret_cast<const char*>(&value), sizeof(T)), nullptr});
    }
    template <typename T>
    T DataAs() const;
    int Dialect() const;
    std::int64_t ScaledInteger() const;  // the stored integer of SHORT, LONG or INT64
    std::int64_t RescaledInteger();      // value x 10^scale, truncated; overflow: error 33
    std::string BlobText();
    bool IsDbKey() const;

    char* data_ = nullptr;
    short* indicator_ = nullptr;
    std::size_t dataSize_ = 0;
};

// A new blob in the statement's database and transaction holding the text; nullptr when it can't
// be made.
std::unique_ptr<TFIBBlobStream> CreateBlobFromString(IFIBStatementContext* statement, std::string_view text);
