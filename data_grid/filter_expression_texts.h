#pragma once
// The texts of the filter-row language: its error messages (each followed by the whole filter
// text) and the localised forms of its keywords.
#include <string_view>

#define FILTER_EXPRESSION_TEXTS(X)                                                    \
    X(SQuoteIsAbsentEh, "Quote is absent: ")                                          \
    X(SLeftBracketExpectedEh, "'(' expected: ")                                       \
    X(SRightBracketExpectedEh, "')' expected: ")                                      \
    X(SErrorInExpressionEh, "Error in expression: ")                                  \
    X(SUnexpectedExpressionBeforeNullEh, "Unexpected expression before Null: ")       \
    X(SUnexpectedExpressionAfterOperatorEh, "Unexpected expression after operator: ") \
    X(SIncorrectExpressionEh, "Incorrect expression: ")                               \
    X(SUnexpectedANDorOREh, "Unexpected AND or OR: ")                                 \
    X(SNotOperatorEh, "Not")                                                          \
    X(SAndOperatorEh, "AND")                                                          \
    X(SOrOperatorEh, "OR")                                                            \
    X(SLikeOperatorEh, "")                                                            \
    X(SInOperatorEh, "In")                                                            \
    X(SNullOperatorEh, "Null")

#define FILTER_EXPRESSION_DECLARE_TEXT(name, text) inline constexpr std::string_view name = text;
FILTER_EXPRESSION_TEXTS(FILTER_EXPRESSION_DECLARE_TEXT)
#undef FILTER_EXPRESSION_DECLARE_TEXT
