#include "platform/db/field_type.h"

#include <array>

std::string FieldTypeName(TFieldType type) {
    static constexpr std::array<const char*, ftFMTBcd + 1> names = {
        "Unknown",     "String",    "SmallInt",  "Integer",    "Word",     "Boolean",    "Float",
        "Currency",    "BCD",       "Date",      "Time",       "DateTime", "Bytes",      "VarBytes",
        "AutoInc",     "Blob",      "Memo",      "Graphic",    "FmtMemo",  "ParadoxOle", "dBaseOle",
        "TypedBinary", "Cursor",    "FixedChar", "WideString", "Largeint", "ADT",        "Array",
        "Reference",   "DataSet",   "OraBlob",   "OraClob",    "Variant",  "Interface",  "IDispatch",
        "Guid",        "TimeStamp", "FMTBcd"};
    auto index = static_cast<std::size_t>(type);
    return index < names.size() ? names[index] : "Unknown";
}
