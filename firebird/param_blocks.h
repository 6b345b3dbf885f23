#pragma once
// The database parameter block (DPB) given to isc_attach_database and the transaction parameter
// block (TPB) given to isc_start_multiple, built from a connection's or a transaction's
// "name=value" lines. A name may carry its "isc_dpb_" / "isc_tpb_" prefix and any letter case;
// the value is everything after the first "=", blanks included.
//
// Both builders trim each line and store it back, skip empty lines, and stop at the first line
// they cannot take: EFIBClientError 8 / 10 for a known parameter this layer does not build (and
// for a text longer than its one-byte length), 9 / 11 for an unknown name, EConvertError for a
// numeric parameter whose value is not an integer. The block's length is the string's size.
#include <string>

#include "platform/rtl/string_list.h"

std::string BuildDPB(TStrings& lines);
// Empty for no lines at all; otherwise the version byte and one cluster per non-empty line.
std::string BuildTPB(TStrings& lines);
