#pragma once
// The parser of a dataset's record filter: the trimmed filter text with the filter options, "%"
// patterns for LIKE and format-driven dates for DATE(format, text). Calculated fields count as
// internally calculated while the text is parsed, so that it may name them.
#include <memory>
#include <string>

#include "firebird_datasets/expression_parser.h"

// Nothing for a blank text; a text that does not parse raises "Can't parse Filter for: ...".
std::unique_ptr<TExpressionParser> MakeRecordFilterParser(TDataSet& dataSet, const std::string& text,
                                                          TFilterOptions options);
