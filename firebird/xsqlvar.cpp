// The variable's buffers, its NULL state and the one routine every write goes through.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "firebird/fib_array.h"
#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird/statement_context.h"
#include "firebird/status_vector.h"
#include "firebird/xsqlda.h"

TFIBXSQLVAR::TFIBXSQLVAR(TFIBXSQLDA* ownerArea, IFIBStatementContext* ownerQuery)
    : OwnerQuery(ownerQuery), OwnerArea(ownerArea) {}

TFIBXSQLVAR::~TFIBXSQLVAR() {
    std::free(data_);
    std::free(indicator_);
}

void TFIBXSQLVAR::AllocData(std::size_t size) {
    size = std::max<std::size_t>(size, 1);
    data_ = static_cast<char*>(ReallocZeroed(data_, dataSize_, size));
    dataSize_ = size;
    XSQLVar->sqldata = data_;
}

void TFIBXSQLVAR::AllocIndicator() {
    if (!indicator_)
        indicator_ = static_cast<short*>(ReallocZeroed(nullptr, 0, sizeof(short)));
    XSQLVar->sqlind = indicator_;
}

void TFIBXSQLVAR::FreeIndicator() {
    std::free(indicator_);
    indicator_ = nullptr;
    XSQLVar->sqlind = nullptr;
}

short TFIBXSQLVAR::ReadSQLType() const {
    return static_cast<short>(XSQLVar->sqltype & ~1);
}

int TFIBXSQLVAR::Dialect() const {
    return OwnerQuery ? OwnerQuery->SQLDialect() : 3;
}

bool TFIBXSQLVAR::IsParameter() const {
    return OwnerArea && OwnerArea->IsParamArea();
}

bool TFIBXSQLVAR::IsArray() const {
    return ReadSQLType() == SQL_ARRAY;
}

bool TFIBXSQLVAR::IsBlobOrArray() const {
    return ReadSQLType() == SQL_BLOB || ReadSQLType() == SQL_ARRAY;
}

bool TFIBXSQLVAR::ReadIsNull() {
    if (!IsParameter() && OwnerQuery && !OwnerQuery->RowFetched() && !OwnerQuery->IsProcedureCall())
        return true;
    const short type = ReadSQLType();
    if (type == 0 || type == SQL_NULL)
        return true;
    return ReadIsNullable() && *indicator_ == -1;
}

bool TFIBXSQLVAR::ReadIsNullable() {
    if (!(XSQLVar->sqltype & 1))
        return false;
    AllocIndicator();
    return true;
}

std::string TFIBXSQLVAR::RawBytes() const {
    return std::string(RawView());
}

std::string_view TFIBXSQLVAR::RawView() const {
    if (!XSQLVar->sqldata)
        return {};
    std::size_t length = static_cast<std::size_t>(std::max<int>(XSQLVar->sqllen, 0));
    const char* from = XSQLVar->sqldata;
    if (ReadSQLType() == SQL_VARYING) {
        std::int16_t stored = 0;
        std::memcpy(&stored, from, sizeof(stored));
        length = std::min<std::size_t>(length, static_cast<std::size_t>(std::max<int>(stored, 0)));
        from += 2;
    }
    return {from, std::min(length, dataSize_ ? dataSize_ : length)};
}

void TFIBXSQLVAR::NoteMacroChange() {
    if (!MacroParam || !OwnerQuery || OwnerQuery->MacrosChanged())
        return;
    if (VarToStr(ReadAsVariant()) != VarToStr(PreviousValue))
        OwnerQuery->NoteMacrosChanged();
}

void TFIBXSQLVAR::StoreValue(StoreKind kind, const StoreArgs& args) {
    ApplyStore(kind, args);
    if (OwnerArea) {
        const auto [first, last] = OwnerArea->RepeatedNames.equal_range(VarName);
        for (auto it = first; it != last; ++it) {
            if (it->second == Position || it->second >= OwnerArea->Count())
                continue;
            TFIBXSQLVAR& twin = OwnerArea->GetVar(it->second);
            twin.ApplyStore(kind, args);
            twin.ValueAssigned = true;
        }
    }
    ValueAssigned = true;
    NoteMacroChange();
}

void TFIBXSQLVAR::ApplyStore(StoreKind kind, const StoreArgs& args) {
    XSQLVAR& x = *XSQLVar;
    switch (kind) {
        case StoreKind::Null:
            if (args.flag) {
                if ((x.sqltype & ~1) == 0) {
                    x.sqltype = static_cast<short>(SQL_TEXT | (x.sqltype & 1));
                    x.sqllen = 0;
                }
                if (!(x.sqltype & 1))
                    ApplyStore(StoreKind::Nullable, {true, 0, {}, nullptr});
                AllocIndicator();
                *indicator_ = -1;
            } else if (x.sqltype & 1) {
                AllocIndicator();
                *indicator_ = 0;
            }
            break;
        case StoreKind::Nullable:
            if (args.flag) {
                x.sqltype = static_cast<short>(x.sqltype | 1);
                AllocIndicator();
            } else {
                x.sqltype = static_cast<short>(x.sqltype & ~1);
                FreeIndicator();
            }
            break;
        case StoreKind::Scale:
            x.sqlscale = args.number;
            break;
        case StoreKind::Value:
            SetTyped(args.number, args.bytes);
            break;
        case StoreKind::Record:
            CopyRecord(*args.record);
            break;
    }
}

void TFIBXSQLVAR::SetTyped(short sqlType, std::string_view bytes) {
    XSQLVAR& x = *XSQLVar;
    if ((x.sqltype & 1) && indicator_ && *indicator_ == -1)
        *indicator_ = 0;
    x.sqlscale = 0;
    AllocData(bytes.size());
    x.sqllen = static_cast<ISC_SHORT>(bytes.size());
    x.sqltype = static_cast<short>(sqlType | (x.sqltype & 1));
    if (!bytes.empty())
        std::memcpy(data_, bytes.data(), bytes.size());
    Changed = true;
}

void TFIBXSQLVAR::CopyRecord(const XSQLVAR& source) {
    XSQLVAR& x = *XSQLVar;
    std::size_t length = static_cast<std::size_t>(std::max<int>(source.sqllen, 0));
    if ((source.sqltype & ~1) == SQL_VARYING)
        length += 2;
    std::string data = source.sqldata ? std::string(source.sqldata, length) : std::string(length, '\0');
    const short sourceIndicator = source.sqlind ? *source.sqlind : 0;
    x = source;
    x.sqldata = data_;
    x.sqlind = indicator_;
    if (source.sqltype & 1) {
        AllocIndicator();
        *indicator_ = sourceIndicator;
    } else {
        FreeIndicator();
    }
    AllocData(length);
    if (length)
        std::memcpy(data_, data.data(), length);
    Changed = true;
}

void TFIBXSQLVAR::WriteIsNull(bool value) {
    StoreValue(StoreKind::Null, {value, 0, {}, nullptr});
}

void TFIBXSQLVAR::WriteIsNullable(bool value) {
    StoreValue(StoreKind::Nullable, {value, 0, {}, nullptr});
}

void TFIBXSQLVAR::WriteScale(short scale) {
    StoreValue(StoreKind::Scale, {false, scale, {}, nullptr});
}

void TFIBXSQLVAR::WriteXSQLVAR(const XSQLVAR& source) {
    StoreValue(StoreKind::Record, {false, 0, {}, &source});
}
