#include "platform/db/expr_lexer.h"

#include <cctype>

#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

namespace {

bool IsNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) != 0 || c == '_' || u >= 0x80;
}

bool IsNamePart(char c) {
    return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '$' || c == '#' ||
           c == '.';
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

bool TExprLexer::Is(std::string_view word) const {
    return (token_ == etName || token_ == etSymbol) && SameText(value_, word);
}

std::string TExprLexer::Describe() const {
    return token_ == etEnd ? "nothing" : "'" + value_ + "'";
}

char TExprLexer::Peek() const {
    std::size_t at = pos_;
    while (at < text_.size() && static_cast<unsigned char>(text_[at]) <= ' ') ++at;
    return at < text_.size() ? text_[at] : '\0';
}

void TExprLexer::Next() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') ++pos_;
    value_.clear();
    if (pos_ >= text_.size()) {
        token_ = etEnd;
        return;
    }
    const char c = text_[pos_];
    if (c == '\'')
        ReadQuoted('\'', etString, "Unterminated string constant");
    else if (c == '"')
        ReadQuoted('"', etQuotedName, "Unterminated field name");
    else if (c == '[')
        ReadQuoted(']', etQuotedName, "Unterminated field name");
    else if (IsDigit(c) || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1])))
        ReadNumber();
    else if (IsNameStart(c))
        ReadName();
    else
        ReadSymbol();
}

void TExprLexer::ReadQuoted(char close, TExprToken token, const char* unterminated) {
    ++pos_;
    for (;;) {
        if (pos_ >= text_.size())
            DatabaseError(unterminated);
        const char c = text_[pos_++];
        if (c != close) {
            value_ += c;
            continue;
        }
        // A doubled quote inside a string stands for one.
        if (close == '\'' && pos_ < text_.size() && text_[pos_] == '\'') {
            value_ += c;
            ++pos_;
            continue;
        }
        break;
    }
    token_ = token;
}

void TExprLexer::ReadNumber() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '.')
        for (++pos_; pos_ < text_.size() && IsDigit(text_[pos_]);) ++pos_;
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
        std::size_t at = pos_ + 1;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-'))
            ++at;
        if (at < text_.size() && IsDigit(text_[at]))
            for (pos_ = at; pos_ < text_.size() && IsDigit(text_[pos_]);) ++pos_;
    }
    value_ = std::string(text_.substr(start, pos_ - start));
    token_ = etNumber;
}

void TExprLexer::ReadName() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsNamePart(text_[pos_])) ++pos_;
    value_ = std::string(text_.substr(start, pos_ - start));
    token_ = etName;
}

void TExprLexer::ReadSymbol() {
    static constexpr std::string_view pairs[] = {"<>", "<=", ">=", "!="};
    for (std::string_view pair : pairs) {
        if (text_.substr(pos_, 2) == pair) {
            value_ = pair == "!=" ? "<>" : std::string(pair);
            pos_ += 2;
            token_ = etSymbol;
            return;
        }
    }
    const char c = text_[pos_];
    if (std::string_view("=<>()+-*/,").find(c) == std::string_view::npos)
        DatabaseError(std::string("Invalid filter expression character: '") + c + "'");
    value_ = std::string(1, c);
    ++pos_;
    token_ = etSymbol;
}
