#include "firebird/sql_param_scanner.h"

#include <cctype>
#include <cstddef>
#include <set>

#include "firebird/fib_errors.h"
#include "firebird/sql_normalize.h"
#include "firebird/sql_parser.h"
#include "firebird/sql_words.h"

namespace {

[[noreturn]] void ParseError(const std::string& senderPath, const char* text) {
    RaiseClientError(fceSQLParseError, {senderPath, text});
}

bool IsArithmeticOperator(char c) {
    return c == '*' || c == '+' || c == '-' || c == '/' || c == '|';
}

class TParamScanner {
  public:
    TParamScanner(std::string_view text, TParamScanPass pass, char macroChar, const std::string& senderPath)
        : text_(text), pass_(pass), macroChar_(macroChar), senderPath_(senderPath) {}

    TParamScan Run() {
        while (pos_ < text_.size()) ScanNormal();
        return std::move(result_);
    }

  private:
    char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    bool HasAt(std::size_t i) const { return i < text_.size(); }
    bool ServerPass() const { return pass_ == TParamScanPass::Server; }
    void Copy(std::size_t from, std::size_t to) {
        if (ServerPass())
            result_.ServerText.append(text_.substr(from, to - from));
    }

    void ScanNormal() {
        const char c = text_[pos_];
        const int oneBased = static_cast<int>(pos_) + 1;
        if (IsWhereAt(text_, oneBased)) {
            inWhere_ = true;
            depth_ = 0;
            Copy(pos_, pos_ + 5);
            pos_ += 5;
            return;
        }
        if (inWhere_)
            TrackWhere(c, oneBased);
        if (c == '\'' || c == '"')
            return ScanQuoted(c);
        if (c == '/' && At(pos_ + 1) == '*')
            return ScanComment();
        if (c == ':' || c == '?')
            return ScanParam();
        if (c == macroChar_ && pass_ == TParamScanPass::Params)
            return ScanMacro();
        Copy(pos_, pos_ + 1);
        ++pos_;
    }

    void TrackWhere(char c, int oneBased) {
        if (c == '(')
            ++depth_;
        else if (c == ')' && --depth_ < 0)
            inWhere_ = false;
        if (inWhere_ && IsWhereEndAt(text_, oneBased) && oneBased < static_cast<int>(text_.size()))
            inWhere_ = false;
    }

    void ScanQuoted(char quote) {
        const std::size_t start = pos_++;
        while (true) {
            if (!HasAt(pos_))
                ParseError(senderPath_, "EOF in string detected");
            if (text_[pos_] == quote) {
                if (At(pos_ + 1) == quote) {
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            ++pos_;
        }
        Copy(start, pos_);
    }

    void ScanComment() {
        const std::size_t start = pos_;
        const std::size_t close = text_.find("*/", pos_ + 2);
        if (close == std::string_view::npos)
            ParseError(senderPath_, "EOF in comment detected");
        pos_ = close + 2;
        Copy(start, pos_);
    }

    void ScanParam() {
        ++pos_;
        std::string name;
        if (At(pos_) == '"') {
            const std::size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos)
                ParseError(senderPath_, "EOF in string detected");
            name = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
        } else {
            const std::size_t start = pos_;
            while (HasAt(pos_) && IsParamNameChar(text_[pos_])) ++pos_;
            name = std::string(text_.substr(start, pos_ - start));
        }
        if (name.empty())
            ParseError(senderPath_, "Parameter name expected");
        if (ServerPass())
            result_.ServerText += '?';
        Record(std::move(name));
    }

    void ScanMacro() {
        const bool doubled = At(pos_ + 1) == macroChar_;
        std::string name(1, macroChar_);
        if (doubled) {
            const std::size_t close = text_.find(macroChar_, pos_ + 2);
            if (close == std::string_view::npos || close == pos_ + 2)
                ParseError(senderPath_, "Parameter name expected");
            name.append(text_.substr(pos_ + 2, close - pos_ - 2));
            pos_ = close + 1;
        } else {
            const std::size_t start = ++pos_;
            while (HasAt(pos_) && text_[pos_] != ' ' && text_[pos_] != '\r') ++pos_;
            if (pos_ == start)
                ParseError(senderPath_, "Parameter name expected");
            name.append(text_.substr(start, pos_ - start));
        }
        Record(std::move(name));
    }

    void Record(std::string name) {
        std::size_t next = pos_;
        while (HasAt(next) && IsSqlBlank(text_[next])) ++next;
        const bool operatorFollows = HasAt(next) && IsArithmeticOperator(text_[next]);
        result_.Params.push_back({std::move(name), inWhere_, inWhere_ && !operatorFollows});
    }

    std::string_view text_;
    TParamScanPass pass_;
    char macroChar_;
    const std::string& senderPath_;
    std::size_t pos_ = 0;
    bool inWhere_ = false;
    int depth_ = 0;
    TParamScan result_;
};

// Positions of a marker of the upper-cased name, searched from `from`, that stands as a macro.
std::size_t FindMacroMarker(const std::string& text, const std::string& marker, char macroChar,
                            std::size_t from) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    for (std::size_t at = from; at + marker.size() <= text.size(); ++at) {
        bool same = true;
        for (std::size_t k = 0; k < marker.size() && same; ++k) same = upper(text[at + k]) == marker[k];
        if (!same)
            continue;
        const bool beforeOk = at == 0 || text[at - 1] == ' ' || text[at - 1] == macroChar;
        const std::size_t after = at + marker.size();
        const bool afterOk = after == text.size() || text[after] == ' ' || text[after] == '#' ||
                             text[after] == '%' || text[after] == macroChar;
        if (beforeOk && afterOk)
            return at;
    }
    return std::string::npos;
}

std::string QuotedValue(const TMacroValue& macro) {
    if (!macro.Quoted)
        return macro.Value;
    std::string quoted = "'";
    for (char c : macro.Value) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

std::string UpperAscii(std::string_view s) {
    std::string result(s);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

}  // namespace

bool IsParamNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' || c == '#' || c == '%' ||
           c == '.';
}

TParamScan ScanSQLParams(std::string_view text, TParamScanPass pass, char macroChar,
                         const std::string& senderPath) {
    return TParamScanner(text, pass, macroChar, senderPath).Run();
}

TMacroParts SplitMacroParam(std::string_view text, char macroChar) {
    std::string defaultValue, name;
    SplitMacro(text, macroChar, defaultValue, name);
    TMacroParts parts;
    // With "%" as the macro character the name before the split may be empty.
    parts.Name = !name.empty() && name.front() == macroChar ? name.substr(1) : name;
    parts.Quoted = !defaultValue.empty() && defaultValue.front() == '#';
    parts.Default = parts.Quoted ? defaultValue.substr(1) : defaultValue;
    return parts;
}

bool IsTextWithoutParams(std::string_view text, char macroChar) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos)
                return true;
            i = close;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const std::size_t close = text.find("*/", i + 2);
            if (close == std::string_view::npos)
                return true;
            i = close + 1;
        } else if (c == ':' || c == '?' || c == macroChar) {
            return false;
        }
    }
    return true;
}

std::string ExpandMacroValues(std::string_view text, const std::vector<TMacroValue>& macros, char macroChar,
                              bool& rewritten) {
    std::string result(text);
    // A name is expanded once: a second entry of it would expand the markers its own values put
    // in, and the text would grow by the value's markers for every entry.
    std::set<std::string> expandedNames;
    for (const TMacroValue& macro : macros) {
        const std::string name = UpperAscii(macro.Name);
        if (name.empty() || !expandedNames.insert(name).second)
            continue;
        const std::string marker = macroChar + name;
        const std::string replacement = " " + QuotedValue(macro) + " ";
        // The text is copied once per macro with its values in place: replacing in place moved the
        // rest of the text for every value, and grown texts hold thousands. The search goes on
        // behind each value, so a value holding its own marker is taken as text.
        std::string expanded;
        std::size_t copied = 0;  // the text before this has been copied or replaced
        for (std::size_t at = FindMacroMarker(result, marker, macroChar, 0); at != std::string::npos;
             at = FindMacroMarker(result, marker, macroChar, copied)) {
            const std::size_t nameEnd = at + marker.size();
            std::size_t spanEnd;
            // Right behind a value the character before is that value's closing blank.
            if (at > copied && result[at - 1] == macroChar) {
                --at;
                spanEnd = result.find(macroChar, nameEnd);
            } else {
                spanEnd = result.find(' ', nameEnd);
            }
            spanEnd = spanEnd == std::string::npos ? result.size() : spanEnd + 1;
            expanded.append(result, copied, at - copied).append(replacement);
            copied = spanEnd;
            rewritten = true;
        }
        if (copied == 0)
            continue;
        expanded.append(result, copied, std::string::npos);
        result = std::move(expanded);
    }
    return result;
}
