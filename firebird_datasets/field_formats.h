#pragma once
// Number formats widened to a column's decimals.
#include <string>

// An empty format stays empty; one ending in "." gets `decimals` zeros; one whose "." is its
// second-to-last character gets its last character `decimals` times after the "."; any other
// format stays as it is ("#,##0." with 2 gives "#,##0.00", "0.0" with 3 gives "0.000").
std::string FormatWithDecimals(const std::string& format, int decimals);
