#pragma once
// The language of the grid's filter row: what a user types into a column's filter cell ("abc",
// ">= 5 and < 10", "in (1, 2)", "= null", "!~ x%") read into one or two conditions joined by AND
// or OR, with the operands converted by the column's kind of data. The display texts of the
// operators, and their SQL words for writing a condition as SQL text, are tables here as well.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/db/field_type.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/variant.h"

enum TFilterOperatorKindEh : std::uint8_t {
    fokNoneEh,
    fokEqualEh,
    fokNotEqualEh,
    fokGreaterEh,
    fokLessEh,
    fokGreaterEqualEh,
    fokLessEqualEh,
    fokLikeEh,
    fokNotLikeEh,
    fokInEh,
    fokNotInEh,
    fokNullEh,
    fokNotNullEh,
    fokAndEh,
    fokOrEh,
    fokValueEh
};

enum TFilterDataKindEh : std::uint8_t { fdkOtherEh, fdkStringEh, fdkNumberEh, fdkDateTimeEh, fdkBooleanEh };

// One condition, or two joined by AND or OR. Operands are Null, one value, or (In, !In) a variant
// array of values; numbers are doubles and date-times date-time values once parsed for such a
// column, everything else text.
struct TSTFilterExpressionEh {
    TFilterDataKindEh DataKind = fdkOtherEh;
    TFilterOperatorKindEh FirstOperator = fokNoneEh;
    Variant FirstOperand = Variant::Null();
    TFilterOperatorKindEh Joiner = fokNoneEh;
    TFilterOperatorKindEh SecondOperator = fokNoneEh;
    Variant SecondOperand = Variant::Null();
};

// Indexed by the operator; the entries of fokNoneEh and fokValueEh are empty.
extern const std::array<std::string_view, 16> FilterOperatorTexts;
extern const std::array<std::string_view, 16> FilterOperatorSQLWords;
// Marks the place of the filter condition in an SQL text.
inline constexpr std::string_view SQLFilterMarker = "/*FILTER*/";

// The keywords of the language besides their English forms (compared upper-cased; an empty word
// adds nothing).
struct TFilterWordsEh {
    std::string Not;
    std::string And;
    std::string Or;
    std::string Like;
    std::string In;
    std::string Null;
};
// The program's localised keywords.
const TFilterWordsEh& LocalFilterWords();

// What a keyword stands for.
enum TFilterKeywordEh : std::uint8_t {
    fkwNoneEh,
    fkwNotEh,
    fkwAndEh,
    fkwOrEh,
    fkwLikeEh,
    fkwInEh,
    fkwNullEh
};
TFilterKeywordEh OperatorOfWord(std::string_view Word);
TFilterKeywordEh OperatorOfWord(std::string_view Word, const TFilterWordsEh& Words);

// The settings a filter text is read by: the decimal separator decides whether a comma separates
// list values in a number column, numbers and date-times convert by these.
struct TFilterTextSettingsEh {
    TNumberFormat Number;
    TFormatSettings DateTime;
    TFilterWordsEh Words;
    // The layout the column shows its dates in, read before DateTime: a user types what is shown.
    std::optional<TFormatSettings> ShownDateTime;
};
// The system's separators and formats with the program's keywords.
TFilterTextSettingsEh SystemFilterTextSettings();

// The kind of data a filter of a field of this type compares.
TFilterDataKindEh FilterDataKindOf(TFieldType DataType);

// Both operators and the joiner none, both operands Null; the kind stays.
void ClearFilterExpression(TSTFilterExpressionEh& Expression);
// Fills the expression from the text by its DataKind; true only when the text holds two
// conditions. Raises Exception with the text for a malformed one (the expression keeps what was
// read before) and EConvertError for an operand that is not of the column's kind.
bool ParseFilterExpression(std::string_view Text, TSTFilterExpressionEh& Expression);
bool ParseFilterExpression(std::string_view Text, TSTFilterExpressionEh& Expression,
                           const TFilterTextSettingsEh& Settings);
