#pragma once
// Reading and writing single lines of a database's connection parameters ("name=value", the name
// perhaps with its "isc_dpb_" prefix) by parameter name.
#include <string>
#include <string_view>

#include "platform/rtl/string_list.h"

// The index of the first line that sets the parameter (names compared without letter case, blanks
// around the name ignored); -1 when none does.
int DBParamIndex(const TStrings& params, std::string_view name);
// The text after the first "=" of the line setting the DPB code's parameter; empty for a code
// outside 1-67, no such line, or a line without "=".
std::string DBParamValue(const TStrings& params, int code);
// A value replaces the parameter's line with name=value, or adds that line; an empty value
// deletes the parameter's line. A blank name, or a code outside 1-67, changes nothing.
void SetDBParamValue(TStrings& params, std::string_view name, std::string_view value);
void SetDBParamValueByCode(TStrings& params, int code, std::string_view value);
