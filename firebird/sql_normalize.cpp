#include "firebird/sql_normalize.h"

#include "firebird/sql_words.h"

namespace {
class TSQLNormalizer {
  public:
    TSQLNormalizer(std::string_view sql, char macroChar) : sql_(sql), macro_(macroChar) {}

    std::string Run() {
        out_.reserve(sql_.size() + sql_.size() / 2 + 1);
        out_ = " ";
        while (i_ < sql_.size()) Step();
        return std::move(out_);
    }

  private:
    void Step() {
        const char c = sql_[i_];
        if (c == '\'' || c == '"')
            return CopyQuoted(c);
        if (c == '/' && Next() == '*')
            return SkipComment(sql_.find("*/", i_ + 2), 2);
        if (c == '-' && Next() == '-')
            return SkipComment(sql_.find_first_of("\r\n", i_ + 2), 0);
        if (IsSqlBlank(c)) {
            PutSpace();
            ++i_;
        } else if (c == macro_ && out_.back() == ' ') {
            CopyMacro();
        } else if (c == ':' || c == '?') {
            out_ += '?';  // a named parameter becomes a marker of the same position
            ++i_;
        } else if (IsSqlOperatorChar(c)) {
            PutOperator(c);
        } else {
            out_ += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
            ++i_;
        }
    }

    char Next() const { return i_ + 1 < sql_.size() ? sql_[i_ + 1] : '\0'; }

    void PutSpace() {
        if (out_.back() != ' ')
            out_ += ' ';
    }

    void CopyQuoted(char quote) {
        const std::size_t close = sql_.find(quote, i_ + 1);
        const std::size_t end = close == std::string_view::npos ? sql_.size() : close + 1;
        out_.append(sql_.substr(i_, end - i_));
        i_ = end;
    }

    // A comment separates what stands on both sides of it, as a blank does.
    void SkipComment(std::size_t found, std::size_t closerLength) {
        i_ = found == std::string_view::npos ? sql_.size() : found + closerLength;
        PutSpace();
    }

    void PutOperator(char c) {
        const char next = Next();
        std::string_view op = sql_.substr(i_, 1);
        if ((c == '!' || c == '^' || c == '~') && (next == '<' || next == '=' || next == '>'))
            op = next == '=' ? "<>" : next == '<' ? ">=" : "<=";
        else if ((c == '<' && (next == '=' || next == '>')) || (c == '>' && next == '=') ||
                 (c == '|' && next == '|'))
            op = sql_.substr(i_, 2);
        i_ += op.size() == 1 ? 1 : 2;
        PutSpace();
        out_.append(op);
        PutSpace();
    }

    // A macro keeps its letters as written. A single one ends at a blank or an operator (only at a
    // blank once its default began with "%"); a doubled one runs to the next macro character.
    void CopyMacro() {
        std::size_t end = i_ + 1;
        if (Next() == macro_) {
            const std::size_t close = sql_.find(macro_, i_ + 2);
            end = close == std::string_view::npos ? sql_.size() : close + 1;
            out_.append(sql_.substr(i_, end - i_));
            i_ = end;
            return;
        }
        bool inDefault = false;
        for (; end < sql_.size(); ++end) {
            const char c = sql_[end];
            if (IsSqlBlank(c) || (!inDefault && IsSqlOperatorChar(c)))
                break;
            inDefault = inDefault || c == '%';
        }
        out_.append(sql_.substr(i_, end - i_));
        i_ = end;
        PutSpace();
    }

    std::string_view sql_;
    char macro_;
    std::size_t i_ = 0;
    std::string out_;
};
}  // namespace

std::string NormalizeSQL(std::string_view sql, char macroChar) {
    return TSQLNormalizer(sql, macroChar).Run();
}

void SplitMacro(std::string_view text, char macroChar, std::string& defaultValue, std::string& name) {
    const std::size_t percent = text.find('%');
    if (percent == std::string_view::npos) {
        name.assign(text);
    } else {
        name.assign(text.substr(0, percent));
        defaultValue.assign(text.substr(percent + 1));
    }
    if (text.empty() || text.front() != macroChar)
        name.insert(name.begin(), macroChar);
}
