#pragma once
// Which field a parameter of a select is compared with.
#include <string>
#include <string_view>

// The expression in front of ":" + paramName (else "?" + paramName) in the first WHERE clause,
// in text order, where it stands as a word: for A.ID = :ID the name A.ID. Empty when no clause has
// it.
std::string FieldNameForParam(std::string_view sql, std::string_view paramName);
