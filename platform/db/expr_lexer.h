#pragma once
// The tokens of a filter expression: names (plain, [bracketed] or "quoted"), 'string' constants
// (a doubled quote stands for one), numbers with "." as decimal point, and symbols.
#include <cstddef>
#include <string>
#include <string_view>

enum TExprToken { etEnd, etName, etQuotedName, etString, etNumber, etSymbol };

class TExprLexer {
  public:
    explicit TExprLexer(std::string_view text) : text_(text) { Next(); }
    // Moves to the next token; raises EDatabaseError for a character no token starts with or a
    // string or name without its closing quote.
    void Next();
    TExprToken Token() const { return token_; }
    // The token's text: a name or string without its quotes, a number or symbol as written.
    const std::string& Text() const { return value_; }
    // A plain name or symbol equal to `word`, ignoring letter case.
    bool Is(std::string_view word) const;
    // How errors name the token: 'text', or "nothing" at the end.
    std::string Describe() const;
    // The character right after the token, blanks skipped ('\0' at the end).
    char Peek() const;

  private:
    void ReadQuoted(char close, TExprToken token, const char* unterminated);
    void ReadNumber();
    void ReadName();
    void ReadSymbol();

    std::string_view text_;
    std::size_t pos_ = 0;
    TExprToken token_ = etEnd;
    std::string value_;
};
