#pragma once
// Statements handed out by the prepared-query pool are scanned for named parameters, where a bare
// "?" is an error. The pool names each bare marker so that its callers can still bind by position.
#include <string>
#include <string_view>

// The text with a name put behind every ":" or "?" that has none (outside quoted text and
// comments): a prefix the text does not hold, followed by the marker's number from 1.
std::string NameUnnamedParams(std::string_view sql);

// The end of the quoted text or comment starting at i, or i itself when none starts there; the text's
// end when it is not closed.
std::size_t SkipQuotedOrComment(std::string_view sql, std::size_t i);

// The text with every "?" outside quoted text and comments written as prefix and its number from 0
// (":Param0", ":Param1" ...), for callers that bind parameters by position.
std::string NumberPositionalParams(std::string_view sql, std::string_view prefix = ":Param");
