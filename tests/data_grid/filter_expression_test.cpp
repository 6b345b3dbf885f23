// The filter-row language: texts read by column kind and decimal separator into conditions or
// refused with their messages; the keywords in their localised forms; long texts read in one pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/filter_expression.h"

namespace {

TFilterTextSettingsEh Settings(char DecimalSeparator) {
    TFilterTextSettingsEh settings;
    settings.Number = {DecimalSeparator, DecimalSeparator == ',' ? ' ' : ','};
    settings.DateTime = TFormatSettings{};  // dd/mm/yyyy with "/"
    settings.Words = LocalFilterWords();
    return settings;
}

struct ParseCase {
    const char* text;
    TFilterDataKindEh kind = fdkStringEh;
    char separator = '.';
    TFilterOperatorKindEh first = fokNoneEh;
    Variant firstOperand = Variant::Null();
    TFilterOperatorKindEh joiner = fokNoneEh;
    TFilterOperatorKindEh second = fokNoneEh;
    Variant secondOperand = Variant::Null();
    bool twoConditions = false;
    // A refused text: the exception's whole message.
    const char* error = nullptr;
};

void ExpectParsed(const ParseCase& c) {
    TSTFilterExpressionEh e;
    e.DataKind = c.kind;
    bool answer = false;
    try {
        answer = ParseFilterExpression(c.text, e, Settings(c.separator));
    } catch (const Exception& error) {
        EXPECT_EQ(c.error, std::string(error.what()));
        return;
    }
    ASSERT_EQ(c.error, nullptr) << "parsed without an error";
    EXPECT_EQ(e.DataKind, c.kind);
    EXPECT_EQ(e.FirstOperator, c.first);
    EXPECT_TRUE(e.FirstOperand == c.firstOperand) << VarToStrDef(e.FirstOperand, "(array)");
    EXPECT_EQ(e.Joiner, c.joiner);
    EXPECT_EQ(e.SecondOperator, c.second);
    EXPECT_TRUE(e.SecondOperand == c.secondOperand) << VarToStrDef(e.SecondOperand, "(array)");
    EXPECT_EQ(answer, c.twoConditions);
}

const std::vector<ParseCase>& ParseCases() {
    static const std::vector<ParseCase> cases = {
        // A value alone: a list is In, else LIKE for strings and = for the rest.
        {.text = "abc", .first = fokLikeEh, .firstOperand = "abc"},
        {.text = "  Иван Петров  ", .first = fokLikeEh, .firstOperand = "Иван Петров"},
        {.text = "Иван,Пётр", .first = fokInEh, .firstOperand = VarArrayOf({"Иван", "Пётр"})},
        // A character cut short at the end of the text is read as far as it goes.
        {.text = "ab\xD0", .first = fokLikeEh, .firstOperand = "ab\xD0"},
        {.text = "\xE2\x80 or x",
         .first = fokLikeEh,
         .firstOperand = "\xE2\x80",
         .joiner = fokOrEh,
         .second = fokLikeEh,
         .secondOperand = "x",
         .twoConditions = true},
        {.text = "5", .kind = fdkNumberEh, .first = fokEqualEh, .firstOperand = 5.0},
        {.text = "true", .kind = fdkBooleanEh, .first = fokEqualEh, .firstOperand = "true"},
        {.text = "x", .kind = fdkOtherEh, .first = fokEqualEh, .firstOperand = "x"},
        {.text = "a,b", .first = fokInEh, .firstOperand = VarArrayOf({"a", "b"})},
        {.text = "a , b", .first = fokInEh, .firstOperand = VarArrayOf({"a", "b"})},
        {.text = "1,2", .kind = fdkNumberEh, .first = fokInEh, .firstOperand = VarArrayOf({1.0, 2.0})},
        // With "," as the decimal separator a number column takes the comma as part of the number.
        {.text = "1,5", .kind = fdkNumberEh, .separator = ',', .first = fokEqualEh, .firstOperand = 1.5},
        {.text = "1,5", .separator = ',', .first = fokInEh, .firstOperand = VarArrayOf({"1", "5"})},
        {.text = "in (1,5; 2)",
         .kind = fdkNumberEh,
         .separator = ',',
         .error = "'5; 2' is not a valid floating point value"},
        {.text = "in (1,5, 2)",
         .kind = fdkNumberEh,
         .separator = ',',
         .first = fokInEh,
         .firstOperand = VarArrayOf({1.0, 5.0, 2.0})},
        // Comparisons.
        {.text = "=5", .kind = fdkNumberEh, .first = fokEqualEh, .firstOperand = 5.0},
        {.text = "<> 5", .kind = fdkNumberEh, .first = fokNotEqualEh, .firstOperand = 5.0},
        {.text = "!=5", .kind = fdkNumberEh, .first = fokNotEqualEh, .firstOperand = 5.0},
        {.text = "> -2.5", .kind = fdkNumberEh, .first = fokGreaterEh, .firstOperand = -2.5},
        {.text = "<5", .kind = fdkNumberEh, .first = fokLessEh, .firstOperand = 5.0},
        {.text = ">= 5", .kind = fdkNumberEh, .first = fokGreaterEqualEh, .firstOperand = 5.0},
        {.text = "<=5", .kind = fdkNumberEh, .first = fokLessEqualEh, .firstOperand = 5.0},
        {.text = ">= 01/02/2024",
         .kind = fdkDateTimeEh,
         .first = fokGreaterEqualEh,
         .firstOperand = Variant::FromDateTime(EncodeDate(2024, 2, 1))},
        {.text = "=a,b", .first = fokEqualEh, .firstOperand = "a,b"},
        // A quoted value keeps blanks and operator characters.
        {.text = "= 'a > b'", .first = fokEqualEh, .firstOperand = "a > b"},
        {.text = "'5'", .kind = fdkNumberEh, .first = fokEqualEh, .firstOperand = 5.0},
        // LIKE and its negations.
        {.text = "~ab%", .first = fokLikeEh, .firstOperand = "ab%"},
        {.text = "LiKe ab%", .first = fokLikeEh, .firstOperand = "ab%"},
        {.text = "!~ x%", .first = fokNotLikeEh, .firstOperand = "x%"},
        {.text = "not like x%", .first = fokNotLikeEh, .firstOperand = "x%"},
        {.text = "! like x%", .first = fokNotLikeEh, .firstOperand = "x%"},
        {.text = "a !x", .first = fokLikeEh, .firstOperand = "a !x"},
        {.text = "d 'Artagnan", .first = fokLikeEh, .firstOperand = "d 'Artagnan"},
        // Lists.
        {.text = "in (a, 'b c')", .first = fokInEh, .firstOperand = VarArrayOf({"a", "b c"})},
        {.text = "IN(1)", .kind = fdkNumberEh, .first = fokInEh, .firstOperand = 1.0},
        {.text = "not in (1,2)",
         .kind = fdkNumberEh,
         .first = fokNotInEh,
         .firstOperand = VarArrayOf({1.0, 2.0})},
        {.text = "!in (x)", .first = fokNotInEh, .firstOperand = "x"},
        // Null tests.
        {.text = "=null", .first = fokNullEh},
        {.text = "= NULL", .kind = fdkNumberEh, .first = fokNullEh},
        {.text = "<> Null", .first = fokNotNullEh},
        {.text = "!= null", .first = fokNotNullEh},
        // Two conditions.
        {.text = ">1 and <5",
         .kind = fdkNumberEh,
         .first = fokGreaterEh,
         .firstOperand = 1.0,
         .joiner = fokAndEh,
         .second = fokLessEh,
         .secondOperand = 5.0,
         .twoConditions = true},
        {.text = "a | b",
         .first = fokLikeEh,
         .firstOperand = "a",
         .joiner = fokOrEh,
         .second = fokLikeEh,
         .secondOperand = "b",
         .twoConditions = true},
        {.text = "=null or in (1, 2)",
         .kind = fdkNumberEh,
         .first = fokNullEh,
         .joiner = fokOrEh,
         .second = fokInEh,
         .secondOperand = VarArrayOf({1.0, 2.0}),
         .twoConditions = true},
        {.text = "x & <>null",
         .first = fokLikeEh,
         .firstOperand = "x",
         .joiner = fokAndEh,
         .second = fokNotNullEh,
         .twoConditions = true},
        // A joiner at the very end is kept without a second condition.
        {.text = "abc and", .first = fokLikeEh, .firstOperand = "abc", .joiner = fokAndEh},
        // Refused texts, each message followed by the trimmed text.
        {.text = " 'abc ", .error = "Quote is absent: 'abc"},
        {.text = "in x", .error = "'(' expected: in x"},
        {.text = "Tom in town", .error = "'(' expected: Tom in town"},
        {.text = "in (a, b", .error = "')' expected: in (a, b"},
        {.text = "a or in (b", .error = "')' expected: a or in (b"},
        {.text = "(a", .error = "Error in expression: (a"},
        {.text = "!x", .error = "Error in expression: !x"},
        {.text = "!!~x", .error = "Error in expression: !!~x"},
        {.text = ">null", .error = "Unexpected expression before Null: >null"},
        {.text = "~ null", .error = "Unexpected expression before Null: ~ null"},
        {.text = "null", .error = "Unexpected expression after operator: null"},
        {.text = "not null", .error = "Unexpected expression after operator: not null"},
        {.text = "=", .error = "Unexpected expression after operator: ="},
        {.text = "= like x", .error = "Unexpected expression after operator: = like x"},
        {.text = "a (", .error = "Incorrect expression: a ("},
        {.text = "a and (", .error = "Incorrect expression: a and ("},
        {.text = "a and !x", .error = "Incorrect expression: a and !x"},
        {.text = ">1 and <5 or 7", .kind = fdkNumberEh, .error = "Incorrect expression: >1 and <5 or 7"},
        {.text = ">1 <5", .kind = fdkNumberEh, .error = "Unexpected AND or OR: >1 <5"},
        {.text = "'a' 'b'", .error = "Unexpected AND or OR: 'a' 'b'"},
        {.text = "and 5", .error = "Unexpected AND or OR: and 5"},
        {.text = "a or or b", .error = "Unexpected AND or OR: a or or b"},
        // Operands that are not of the column's kind.
        {.text = "abc", .kind = fdkNumberEh, .error = "'abc' is not a valid floating point value"},
        {.text = "1.5",
         .kind = fdkNumberEh,
         .separator = ',',
         .error = "'1.5' is not a valid floating point value"},
        {.text = "> 31/02/2024", .kind = fdkDateTimeEh, .error = "'31/02/2024' is not a valid date and time"},
    };
    return cases;
}

TEST(FilterExpressionParse, TextsReadToConditionsOrRefusedWithTheirMessage) {
    for (const ParseCase& c : ParseCases()) {
        SCOPED_TRACE(std::string(c.text) + " as kind " + std::to_string(c.kind) + " with '" + c.separator +
                     "'");
        ExpectParsed(c);
    }
}

TEST(FilterExpressionParse, AnEmptyTextClearsTheConditionsAndKeepsTheKind) {
    TSTFilterExpressionEh e;
    e.DataKind = fdkNumberEh;
    ASSERT_TRUE(ParseFilterExpression(">1 and <5", e, Settings('.')));
    EXPECT_FALSE(ParseFilterExpression("   ", e, Settings('.')));
    EXPECT_EQ(e.DataKind, fdkNumberEh);
    EXPECT_EQ(e.FirstOperator, fokNoneEh);
    EXPECT_EQ(e.Joiner, fokNoneEh);
    EXPECT_EQ(e.SecondOperator, fokNoneEh);
    EXPECT_TRUE(e.FirstOperand.IsNull());
    EXPECT_TRUE(e.SecondOperand.IsNull());
}

TEST(FilterExpressionWords, KeywordsInAnyCaseAndInTheirLocalisedForms) {
    TFilterWordsEh russian{"Не", "И", "Или", "", "В", "Пусто"};
    struct Case {
        const char* word;
        TFilterKeywordEh local, russianToo;
    };
    const Case cases[] = {
        {"not", fkwNotEh, fkwNotEh},     {"And", fkwAndEh, fkwAndEh}, {"oR", fkwOrEh, fkwOrEh},
        {"like", fkwLikeEh, fkwLikeEh},  {"in", fkwInEh, fkwInEh},    {"NULL", fkwNullEh, fkwNullEh},
        {"НЕ", fkwNoneEh, fkwNotEh},     {"или", fkwNoneEh, fkwOrEh}, {"пусто", fkwNoneEh, fkwNullEh},
        {"nulls", fkwNoneEh, fkwNoneEh}, {"", fkwNoneEh, fkwNoneEh},  {"ин", fkwNoneEh, fkwNoneEh},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(OperatorOfWord(c.word), c.local);
        EXPECT_EQ(OperatorOfWord(c.word, russian), c.russianToo);
    }
    // The localised words work in a text as the English ones do.
    TFilterTextSettingsEh settings = Settings('.');
    settings.Words = russian;
    TSTFilterExpressionEh e;
    e.DataKind = fdkStringEh;
    EXPECT_TRUE(ParseFilterExpression("не в (а, б) или = пусто", e, settings));
    EXPECT_EQ(e.FirstOperator, fokNotInEh);
    EXPECT_TRUE(e.FirstOperand == VarArrayOf({"а", "б"}));
    EXPECT_EQ(e.Joiner, fokOrEh);
    EXPECT_EQ(e.SecondOperator, fokNullEh);
}

TEST(FilterExpressionTables, OperatorTextsAndSQLWords) {
    EXPECT_EQ(FilterOperatorTexts[fokNoneEh], "");
    EXPECT_EQ(FilterOperatorTexts[fokNotLikeEh], "!~");
    EXPECT_EQ(FilterOperatorTexts[fokNotInEh], "!In");
    EXPECT_EQ(FilterOperatorTexts[fokNotNullEh], "Null");
    EXPECT_EQ(FilterOperatorTexts[fokValueEh], "");
    EXPECT_EQ(FilterOperatorSQLWords[fokNotLikeEh], "NOT LIKE");
    EXPECT_EQ(FilterOperatorSQLWords[fokNullEh], "IS NULL");
    EXPECT_EQ(FilterOperatorSQLWords[fokNotNullEh], "IS NOT NULL");
    EXPECT_EQ(FilterOperatorSQLWords[fokOrEh], "OR");
    EXPECT_EQ(SQLFilterMarker, "/*FILTER*/");
}

TEST(FilterExpressionKinds, FieldTypesGiveTheKindOfTheirFilter) {
    const std::pair<TFieldType, TFilterDataKindEh> cases[] = {
        {ftString, fdkStringEh},    {ftMemo, fdkStringEh},     {ftGuid, fdkStringEh},
        {ftFixedChar, fdkStringEh}, {ftLargeint, fdkNumberEh}, {ftFMTBcd, fdkNumberEh},
        {ftAutoInc, fdkNumberEh},   {ftTime, fdkDateTimeEh},   {ftTimeStamp, fdkDateTimeEh},
        {ftBoolean, fdkBooleanEh},  {ftBlob, fdkOtherEh},      {ftBytes, fdkOtherEh},
    };
    for (const auto& [type, kind] : cases) EXPECT_EQ(FilterDataKindOf(type), kind) << FieldTypeName(type);
}

// Texts built to make a careless scanner look ahead again and again, or nest without end; each
// is read in one pass.
TEST(FilterExpressionParse, LongTextsOfRepeatedPiecesAreReadInOnePass) {
    const auto repeat = [](const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) text += piece;
        return text;
    };
    TSTFilterExpressionEh e;
    e.DataKind = fdkStringEh;
    const std::string words = "a" + repeat(" b", 200000);
    ParseFilterExpression(words, e, Settings('.'));
    EXPECT_TRUE(e.FirstOperand == Variant(words));

    const std::string blanks = "a" + repeat(" ", 200000) + "b";
    ParseFilterExpression(blanks, e, Settings('.'));
    EXPECT_TRUE(e.FirstOperand == Variant(blanks));

    const std::string quotes = "a" + repeat(" 'x'", 50000) + " '" + repeat("x '", 50000);
    ParseFilterExpression(quotes, e, Settings('.'));
    EXPECT_TRUE(e.FirstOperand == Variant(quotes));

    EXPECT_THROW(ParseFilterExpression(repeat("!", 400000) + "~x", e, Settings('.')), Exception);
    const std::string negations = "a" + repeat(" ! !", 100000);
    ParseFilterExpression(negations, e, Settings('.'));
    EXPECT_TRUE(e.FirstOperand == Variant(negations));

    ParseFilterExpression(repeat("x,", 100000) + "x", e, Settings('.'));
    EXPECT_EQ(e.FirstOperand.HighBound(1), 100000);
}

}  // namespace
