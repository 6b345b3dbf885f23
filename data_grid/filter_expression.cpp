#include "data_grid/filter_expression.h"

#include "data_grid/filter_expression_lexer.h"
#include "data_grid/filter_expression_texts.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

const std::array<std::string_view, 16> FilterOperatorTexts = {
    "", "=", "<>", ">", "<", ">=", "<=", "~", "!~", "In", "!In", "Null", "Null", "AND", "OR", ""};

const std::array<std::string_view, 16> FilterOperatorSQLWords = {
    "",         "=",  "<>",     ">",       "<",           ">=",  "<=", "LIKE",
    "NOT LIKE", "IN", "NOT IN", "IS NULL", "IS NOT NULL", "AND", "OR", ""};

const TFilterWordsEh& LocalFilterWords() {
    static const TFilterWordsEh words{std::string(SNotOperatorEh), std::string(SAndOperatorEh),
                                      std::string(SOrOperatorEh),  std::string(SLikeOperatorEh),
                                      std::string(SInOperatorEh),  std::string(SNullOperatorEh)};
    return words;
}

TFilterKeywordEh OperatorOfWord(std::string_view Word) {
    return OperatorOfWord(Word, LocalFilterWords());
}

TFilterKeywordEh OperatorOfWord(std::string_view Word, const TFilterWordsEh& Words) {
    struct Entry {
        std::string_view English;
        const std::string& Local;
        TFilterKeywordEh Keyword;
    };
    const Entry entries[] = {{"NOT", Words.Not, fkwNotEh}, {"AND", Words.And, fkwAndEh},
                             {"OR", Words.Or, fkwOrEh},    {"LIKE", Words.Like, fkwLikeEh},
                             {"IN", Words.In, fkwInEh},    {"NULL", Words.Null, fkwNullEh}};
    if (Word.empty())
        return fkwNoneEh;
    const std::string upper = AnsiUpperCase(Word);
    for (const Entry& entry : entries)
        if (upper == entry.English || (!entry.Local.empty() && upper == AnsiUpperCase(entry.Local)))
            return entry.Keyword;
    return fkwNoneEh;
}

TFilterTextSettingsEh SystemFilterTextSettings() {
    return {NumberFormat(), FormatSettings(), LocalFilterWords(), std::nullopt};
}

TFilterDataKindEh FilterDataKindOf(TFieldType DataType) {
    switch (DataType) {
        case ftString:
        case ftMemo:
        case ftFmtMemo:
        case ftFixedChar:
        case ftWideString:
        case ftGuid:
            return fdkStringEh;
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftAutoInc:
        case ftLargeint:
        case ftFMTBcd:
            return fdkNumberEh;
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftTimeStamp:
            return fdkDateTimeEh;
        case ftBoolean:
            return fdkBooleanEh;
        default:
            return fdkOtherEh;
    }
}

void ClearFilterExpression(TSTFilterExpressionEh& Expression) {
    Expression.FirstOperator = fokNoneEh;
    Expression.FirstOperand = Variant::Null();
    Expression.Joiner = fokNoneEh;
    Expression.SecondOperator = fokNoneEh;
    Expression.SecondOperand = Variant::Null();
}

namespace {

// Reads the conditions of one trimmed text into the expression.
class TFilterParserEh {
  public:
    TFilterParserEh(std::string_view Text, TSTFilterExpressionEh& Expression,
                    const TFilterTextSettingsEh& Settings)
        : text_(Text), e_(Expression), settings_(Settings), lexer_(Text, Settings.Words) {
        kindCommas_ = !(e_.DataKind == fdkNumberEh && settings_.Number.DecimalSeparator == ',');
        lexer_.SetListCommas(kindCommas_);
    }

    bool Parse() {
        const TFilterLexemeEh first = lexer_.Read();
        if (first.Kind == fokNoneEh)
            Fail(SErrorInExpressionEh);
        ReadCondition(first, e_.FirstOperator, e_.FirstOperand);
        const TFilterLexemeEh joiner = lexer_.Read();
        if (NothingLeft(joiner))
            return Converted(false);
        if (joiner.Kind != fokAndEh && joiner.Kind != fokOrEh)
            Fail(SUnexpectedANDorOREh);
        e_.Joiner = joiner.Kind;
        const TFilterLexemeEh second = lexer_.Read();
        if (NothingLeft(second))
            return Converted(false);
        ReadCondition(second, e_.SecondOperator, e_.SecondOperand);
        // A third condition is not part of the language: dropping it would filter by less than
        // the user typed.
        lexer_.SkipBlanks();
        if (!lexer_.AtEnd())
            Fail(SIncorrectExpressionEh);
        return Converted(true);
    }

  private:
    [[noreturn]] void Fail(std::string_view Message) const { FailFilterExpression(Message, text_); }

    // No lexeme: fine only when the text ended there.
    bool NothingLeft(const TFilterLexemeEh& Lexeme) const {
        if (Lexeme.Kind != fokNoneEh)
            return false;
        if (lexer_.Start() < text_.size())
            Fail(SIncorrectExpressionEh);
        return true;
    }

    void ReadCondition(const TFilterLexemeEh& Lexeme, TFilterOperatorKindEh& Operator, Variant& Operand) {
        if (Lexeme.Kind == fokValueEh) {
            Operator = DefaultOperator(Lexeme.Value);
            Operand = Lexeme.Value;
            return;
        }
        // AND or OR opening a condition would make a condition of a joiner.
        if (Lexeme.Kind == fokAndEh || Lexeme.Kind == fokOrEh)
            Fail(SUnexpectedANDorOREh);
        Operator = Lexeme.Kind;
        const bool list = Operator == fokInEh || Operator == fokNotInEh;
        // Only a list takes several values; after another operator a comma is part of the value.
        lexer_.SetListCommas(list);
        const TFilterLexemeEh operand = lexer_.Read();
        lexer_.SetListCommas(kindCommas_);
        if (operand.Kind == fokNullEh) {
            Operator = NullOperator(Operator);
            return;
        }
        if (operand.Kind != fokValueEh)
            Fail(SUnexpectedExpressionAfterOperatorEh);
        Operand = operand.Value;
        if (list) {
            lexer_.SkipBlanks();
            if (!lexer_.Take(')'))
                Fail(SRightBracketExpectedEh);
        }
    }

    TFilterOperatorKindEh DefaultOperator(const Variant& Value) const {
        if (Value.IsArray())
            return fokInEh;
        return e_.DataKind == fdkStringEh ? fokLikeEh : fokEqualEh;
    }

    TFilterOperatorKindEh NullOperator(TFilterOperatorKindEh Operator) const {
        if (Operator == fokEqualEh)
            return fokNullEh;
        if (Operator == fokNotEqualEh)
            return fokNotNullEh;
        Fail(SUnexpectedExpressionBeforeNullEh);
    }

    bool Converted(bool Answer) {
        Convert(e_.FirstOperator, e_.FirstOperand);
        Convert(e_.SecondOperator, e_.SecondOperand);
        return Answer;
    }

    void Convert(TFilterOperatorKindEh Operator, Variant& Operand) const {
        if (Operator == fokNoneEh || Operator == fokNullEh || Operator == fokNotNullEh) {
            Operand = Variant::Null();
            return;
        }
        if (Operator > fokNotInEh || (e_.DataKind != fdkNumberEh && e_.DataKind != fdkDateTimeEh))
            return;
        if (!Operand.IsArray()) {
            Operand = ConvertValue(Operand);
            return;
        }
        for (int i = Operand.LowBound(1); i <= Operand.HighBound(1); ++i)
            Operand.PutElement({i}, ConvertValue(Operand[i]));
    }

    Variant ConvertValue(const Variant& Value) const {
        if (Value.IsNull())
            return Value;
        const std::string text = Value.AsString();
        if (e_.DataKind == fdkDateTimeEh)
            return Variant::FromDateTime(ReadDateTime(text));
        double number = 0;
        if (!TryStrToFloat(text, number, settings_.Number))
            throw EConvertError(Format("'%s' is not a valid floating point value", {text}));
        return Variant(number);
    }

    TDateTime ReadDateTime(const std::string& text) const {
        TDateTime value = 0;
        if (settings_.ShownDateTime && TryStrToDateTime(text, value, *settings_.ShownDateTime))
            return value;
        return StrToDateTime(text, settings_.DateTime);
    }

    std::string_view text_;
    TSTFilterExpressionEh& e_;
    const TFilterTextSettingsEh& settings_;
    TFilterLexerEh lexer_;
    bool kindCommas_ = true;
};

}  // namespace

bool ParseFilterExpression(std::string_view Text, TSTFilterExpressionEh& Expression) {
    return ParseFilterExpression(Text, Expression, SystemFilterTextSettings());
}

bool ParseFilterExpression(std::string_view Text, TSTFilterExpressionEh& Expression,
                           const TFilterTextSettingsEh& Settings) {
    ClearFilterExpression(Expression);
    const std::string text = Trim(Text);
    if (text.empty())
        return false;
    return TFilterParserEh(text, Expression, Settings).Parse();
}
