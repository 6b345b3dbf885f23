#pragma once
// The scanner of filter texts. It reads operators, keywords and values (a value list where commas
// separate values). It never reads past the end; every scan moves forward, and the look-ahead that
// ends an unquoted value before a following operator reads no values, so a text is read in time
// about proportional to its length.
#include <cstddef>
#include <string>
#include <string_view>

#include "data_grid/filter_expression.h"

struct TFilterLexemeEh {
    // fokNoneEh: no valid lexeme; fokValueEh: a value; fokNullEh: the word NULL; else an operator.
    TFilterOperatorKindEh Kind = fokNoneEh;
    Variant Value = Variant::Null();
};

class TFilterLexerEh {
  public:
    // Text is the whole (trimmed) filter text; it must outlive the scanner.
    TFilterLexerEh(std::string_view Text, const TFilterWordsEh& Words);

    // Skips blanks and reads the lexeme there; Start() is then where it began.
    TFilterLexemeEh Read();
    std::size_t Start() const { return start_; }
    void SkipBlanks();
    bool AtEnd() const { return pos_ >= text_.size(); }
    // Consumes the character when it is the one at the position.
    bool Take(char C);
    void SetListCommas(bool Value) { listCommas_ = Value; }

  private:
    // The character at P; 0 past the end.
    char At(std::size_t P) const { return P < text_.size() ? text_[P] : '\0'; }
    // WithValue false only classifies: a value, quoted or not, is reported but not read.
    TFilterOperatorKindEh ReadKind(bool WithValue, Variant& Value);
    TFilterOperatorKindEh ReadSingle(bool WithValue, Variant& Value, bool& Negation);
    TFilterOperatorKindEh ReadOperator(bool& Negation);
    TFilterOperatorKindEh ReadKeyword(TFilterKeywordEh Keyword, bool& Negation);
    TFilterOperatorKindEh ReadListStart();
    std::string_view ReadWord();
    Variant ReadValues();
    Variant ReadValue();
    std::string ReadQuoted();
    std::string ReadUnquoted();
    // Whether an operator lexeme begins at P after spaces; Next is the first non-space there.
    bool OperatorFollows(std::size_t P, std::size_t& Next);
    [[noreturn]] void Fail(std::string_view Message) const;

    std::string_view text_;
    const TFilterWordsEh& words_;
    std::size_t longestWord_ = 0;
    std::size_t pos_ = 0;
    std::size_t start_ = 0;
    bool listCommas_ = true;
};

// Throws Exception with the message followed by the whole filter text.
[[noreturn]] void FailFilterExpression(std::string_view Message, std::string_view Text);
