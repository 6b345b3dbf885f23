#include "data_grid/filter_expression_lexer.h"

#include <algorithm>
#include <vector>

#include "data_grid/filter_expression_texts.h"
#include "platform/rtl/strings.h"

namespace {

// Characters that end a word besides those below 32.
constexpr std::string_view WordStops = " !\"&'()+,-.<=>|~";

bool EndsWord(char C) {
    return static_cast<unsigned char>(C) < 32 || WordStops.find(C) != std::string_view::npos;
}

bool StartsOperator(char C) {
    return std::string_view("!&|~=<>").find(C) != std::string_view::npos;
}

// The bytes a UTF-8 character takes by its first byte.
std::size_t Utf8Length(unsigned char Lead) {
    if (Lead >= 0xF0)
        return 4;
    if (Lead >= 0xE0)
        return 3;
    return Lead >= 0xC0 ? 2 : 1;
}

bool IsContinuation(char C) {
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

Variant ValueList(std::vector<Variant>& Values) {
    if (Values.size() == 1)
        return Values.front();
    Variant list = VarArrayCreate({0, static_cast<int>(Values.size()) - 1}, varVariant);
    for (std::size_t i = 0; i < Values.size(); ++i) list.PutElement({static_cast<int>(i)}, Values[i]);
    return list;
}

}  // namespace

void FailFilterExpression(std::string_view Message, std::string_view Text) {
    throw Exception(std::string(Message) + std::string(Text));
}

TFilterLexerEh::TFilterLexerEh(std::string_view Text, const TFilterWordsEh& Words)
    : text_(Text), words_(Words) {
    longestWord_ = 4;
    for (const std::string* word : {&Words.Not, &Words.And, &Words.Or, &Words.Like, &Words.In, &Words.Null})
        longestWord_ = std::max(longestWord_, word->size());
}

void TFilterLexerEh::Fail(std::string_view Message) const {
    FailFilterExpression(Message, text_);
}

void TFilterLexerEh::SkipBlanks() {
    while (At(pos_) == ' ') ++pos_;
}

bool TFilterLexerEh::Take(char C) {
    if (AtEnd() || text_[pos_] != C)
        return false;
    ++pos_;
    return true;
}

TFilterLexemeEh TFilterLexerEh::Read() {
    SkipBlanks();
    start_ = pos_;
    TFilterLexemeEh lexeme;
    lexeme.Kind = ReadKind(true, lexeme.Value);
    if (lexeme.Kind != fokValueEh)
        lexeme.Value = Variant::Null();
    return lexeme;
}

TFilterOperatorKindEh TFilterLexerEh::ReadKind(bool WithValue, Variant& Value) {
    bool negation = false;
    const TFilterOperatorKindEh kind = ReadSingle(WithValue, Value, negation);
    if (!negation)
        return kind;
    SkipBlanks();
    bool twice = false;
    const TFilterOperatorKindEh negated = ReadSingle(WithValue, Value, twice);
    // A negation of a negation means nothing; stopping there keeps "!!!!..." from nesting.
    if (twice)
        return fokNoneEh;
    switch (negated) {
        case fokLikeEh:
            return fokNotLikeEh;
        case fokInEh:
            return fokNotInEh;
        case fokNullEh:
            return fokNotNullEh;
        default:
            return fokNoneEh;
    }
}

TFilterOperatorKindEh TFilterLexerEh::ReadSingle(bool WithValue, Variant& Value, bool& Negation) {
    if (AtEnd())
        return fokNoneEh;
    const char c = text_[pos_];
    if (StartsOperator(c))
        return ReadOperator(Negation);
    if (c == '(')
        return fokNoneEh;
    if (c != '\'') {
        const std::size_t wordStart = pos_;
        const std::string_view word = ReadWord();
        if (word.size() <= longestWord_) {
            const TFilterKeywordEh keyword = OperatorOfWord(word, words_);
            if (keyword != fkwNoneEh)
                return ReadKeyword(keyword, Negation);
        }
        pos_ = wordStart;
    }
    if (WithValue)
        Value = ReadValues();
    return fokValueEh;
}

TFilterOperatorKindEh TFilterLexerEh::ReadOperator(bool& Negation) {
    const char c = text_[pos_++];
    switch (c) {
        case '!':
            if (Take('='))
                return fokNotEqualEh;
            Negation = true;
            return fokNoneEh;
        case '&':
            return fokAndEh;
        case '|':
            return fokOrEh;
        case '~':
            return fokLikeEh;
        case '=':
            return fokEqualEh;
        case '<':
            if (Take('='))
                return fokLessEqualEh;
            return Take('>') ? fokNotEqualEh : fokLessEh;
        default:  // '>'
            return Take('=') ? fokGreaterEqualEh : fokGreaterEh;
    }
}

TFilterOperatorKindEh TFilterLexerEh::ReadKeyword(TFilterKeywordEh Keyword, bool& Negation) {
    switch (Keyword) {
        case fkwNotEh:
            Negation = true;
            return fokNoneEh;
        case fkwAndEh:
            return fokAndEh;
        case fkwOrEh:
            return fokOrEh;
        case fkwLikeEh:
            return fokLikeEh;
        case fkwInEh:
            return ReadListStart();
        default:
            return fokNullEh;
    }
}

TFilterOperatorKindEh TFilterLexerEh::ReadListStart() {
    SkipBlanks();
    if (!Take('('))
        Fail(SLeftBracketExpectedEh);
    return fokInEh;
}

std::string_view TFilterLexerEh::ReadWord() {
    const std::size_t begin = pos_;
    while (!AtEnd() && !EndsWord(text_[pos_])) {
        // A character of several bytes is taken whole; a broken one ends at its last valid byte.
        const std::size_t length = Utf8Length(static_cast<unsigned char>(text_[pos_]));
        ++pos_;
        for (std::size_t i = 1; i < length && IsContinuation(At(pos_)); ++i) ++pos_;
    }
    return text_.substr(begin, pos_ - begin);
}

Variant TFilterLexerEh::ReadValues() {
    std::vector<Variant> values{ReadValue()};
    while (listCommas_ && !values.back().IsNull() && At(pos_) == ',') {
        ++pos_;
        SkipBlanks();
        values.push_back(ReadValue());
    }
    return ValueList(values);
}

Variant TFilterLexerEh::ReadValue() {
    if (AtEnd())
        return Variant::Null();
    return text_[pos_] == '\'' ? ReadQuoted() : ReadUnquoted();
}

std::string TFilterLexerEh::ReadQuoted() {
    const std::size_t close = text_.find('\'', pos_ + 1);
    if (close == std::string_view::npos)
        Fail(SQuoteIsAbsentEh);
    std::string value(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return value;
}

std::string TFilterLexerEh::ReadUnquoted() {
    const std::size_t begin = pos_;
    while (!AtEnd()) {
        const char c = text_[pos_];
        if (c == '(' || c == ')' || (c == ',' && listCommas_))
            break;
        if (c == ' ') {
            std::size_t next = pos_;
            if (OperatorFollows(pos_, next))
                break;
            pos_ = next;  // the blanks belong to the value
            continue;
        }
        ++pos_;
    }
    std::string_view value = text_.substr(begin, pos_ - begin);
    // Blanks before a comma or a bracket only space the list out.
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    return std::string(value);
}

bool TFilterLexerEh::OperatorFollows(std::size_t P, std::size_t& Next) {
    Next = P;
    while (At(Next) == ' ') ++Next;
    const std::size_t saved = pos_;
    pos_ = Next;
    Variant unused;
    const TFilterOperatorKindEh kind = ReadKind(false, unused);
    pos_ = saved;
    return kind >= fokEqualEh && kind <= fokOrEh;
}
