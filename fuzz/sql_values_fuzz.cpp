// A column as the server describes and fills it, read as every application type. The first bytes
// choose the type, the nullable flag and the scale; the rest is the data. No read may reach past
// the data, and a value that has no reading must raise the library's error.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird/xsqlda.h"

namespace {

constexpr short kTypes[] = {SQL_VARYING,   SQL_TEXT,  SQL_DOUBLE,  SQL_FLOAT,     SQL_LONG, SQL_SHORT,
                            SQL_TIMESTAMP, SQL_BLOB,  SQL_D_FLOAT, SQL_ARRAY,     SQL_QUAD, SQL_TYPE_TIME,
                            SQL_TYPE_DATE, SQL_INT64, SQL_BOOLEAN, SQL_BOOLEAN16, SQL_NULL};

template <typename Read>
void Attempt(Read read) {
    try {
        read();
    } catch (const Exception&) {  // no reading of this value: raised as it must be
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size > 4000)
        return 0;
    TFIBXSQLDA area(nullptr, false);
    area.SetCount(1);
    XSQLVAR& x = *area.GetXSQLDA()->sqlvar;
    x.sqltype = static_cast<short>(kTypes[data[0] % std::size(kTypes)] | (data[1] & 1));
    x.sqlscale = static_cast<short>(static_cast<std::int8_t>(data[2]) % 24);
    const std::size_t length = size - 3;
    const bool varying = (x.sqltype & ~1) == SQL_VARYING;
    x.sqllen = static_cast<short>(varying && length >= 2 ? length - 2 : length);
    area.MakeUniqueNames();
    std::memcpy(x.sqldata, data + 3, length);
    if (x.sqlind)
        *x.sqlind = (data[1] & 2) ? -1 : 0;
    TFIBXSQLVAR& v = area[0];
    Attempt([&] { v.ReadAsString(); });
    Attempt([&] { v.ReadAsInteger(); });
    Attempt([&] { v.ReadAsInt64(); });
    Attempt([&] { v.ReadAsComp(); });
    Attempt([&] { v.ReadAsExtended(); });
    Attempt([&] { v.ReadAsCurrency(); });
    Attempt([&] { v.ReadAsBcd(); });
    Attempt([&] { v.ReadAsDateTime(); });
    Attempt([&] { v.ReadAsBoolean(); });
    Attempt([&] { v.ReadAsQuad(); });
    Attempt([&] { v.ReadAsVariant(); });
    return 0;
}
