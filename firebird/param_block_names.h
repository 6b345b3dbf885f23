#pragma once
// The names of the database, transaction and service parameters as connection settings write them,
// without their "isc_dpb_" / "isc_tpb_" prefix. The code of a DPB or TPB name is its position in
// the table, counted from 1: the client API's number for that parameter.
#include <array>
#include <string_view>

extern const std::array<std::string_view, 67> DpbParameterNames;
// The client's TPB codes 1-20, and lock_timeout (21) that later clients added.
extern const std::array<std::string_view, 21> TpbParameterNames;
extern const std::array<std::string_view, 12> SpbParameterNames;

// The code of a lower-case name; 0 when the table has no such name.
int DpbParameterCode(std::string_view name);
int TpbParameterCode(std::string_view name);

// The name of a code; empty outside the table.
std::string_view DpbParameterName(int code);
std::string_view TpbParameterName(int code);
