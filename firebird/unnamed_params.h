#pragma once
// Statements handed out by the prepared-query pool are scanned for named parameters, where a bare
// "?" is an error. The pool names each bare marker so that its callers can still bind by position.
#include <string>
#include <string_view>

// The text with a name put behind every ":" or "?" that has none (outside quoted text and
// comments): a prefix the text does not hold, followed by the marker's number from 1.
std::string NameUnnamedParams(std::string_view sql);
