#pragma once
// Field lists as datasets take them: names separated by semicolons ("ID;NAME; CITY").
#include <string>
#include <string_view>
#include <vector>

// The name that starts at `pos` (0-based, blanks around it dropped); moves `pos` past the
// separator. An empty text, or a position at its end, gives "".
std::string ExtractFieldName(std::string_view fields, std::size_t& pos);
// Every name of the list, in order; empty names (";;") are left out.
std::vector<std::string> SplitFieldNames(std::string_view fields);
