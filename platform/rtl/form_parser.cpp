#include "platform/rtl/form_parser.h"

#include <charconv>

#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

namespace {

// Deeper nesting than any form needs; it keeps a hostile text from exhausting the stack.
constexpr int kMaxDepth = 200;

enum TTokenKind { tkEnd, tkSymbol, tkString, tkInteger, tkFloat, tkChar };

struct TToken {
    TTokenKind Kind = tkEnd;
    std::string Text;  // symbol name, decoded string piece, or the character
    std::int64_t Integer = 0;
    double Float = 0;
    int Line = 1;
};

bool IsSymbolStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsSymbolChar(char c) {
    return IsSymbolStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string CodePointToUtf8(std::uint32_t code) {
    return Utf32ToUtf8(std::u32string(1, static_cast<char32_t>(code)));
}

class TFormLexer {
  public:
    explicit TFormLexer(std::string_view text) : text_(text) { Next(); }

    const TToken& Token() const { return token_; }
    [[noreturn]] void Error(std::string_view message) const { ErrorAt(token_.Line, message); }
    [[noreturn]] static void ErrorAt(int line, std::string_view message) {
        throw EParserError(Format("Line %d: %s", {line, message}));
    }

    void Next() {
        SkipBlanks();
        token_ = TToken{};
        token_.Line = line_;
        if (pos_ >= text_.size())
            return;
        const char c = text_[pos_];
        if (IsSymbolStart(c))
            ReadSymbol();
        else if (c == '\'' || c == '#')
            ReadStringPiece();
        else if (IsDigit(c) || c == '$' ||
                 (c == '-' && pos_ + 1 < text_.size() && IsNumberStart(text_[pos_ + 1])))
            ReadNumber();
        else {
            token_.Kind = tkChar;
            token_.Text = std::string(1, c);
            ++pos_;
        }
    }

    bool IsChar(char c) const { return token_.Kind == tkChar && token_.Text[0] == c; }
    bool IsSymbol(std::string_view name) const {
        return token_.Kind == tkSymbol && SameText(token_.Text, name);
    }

    void Expect(char c) {
        if (!IsChar(c))
            Error(Format("'%s' expected", {std::string(1, c)}));
        Next();
    }
    std::string ExpectSymbol() {
        if (token_.Kind != tkSymbol)
            Error("Identifier expected");
        std::string name = token_.Text;
        Next();
        return name;
    }

    // Hexadecimal pairs up to "}", blanks between them allowed; the "{" is the current token.
    std::string ReadBinary() {
        std::string bytes;
        int high = -1;
        for (;; ++pos_) {
            SkipBlanks();
            if (pos_ >= text_.size())
                ErrorAt(line_, "'}' expected");
            if (text_[pos_] == '}')
                break;
            const int digit = HexDigit(text_[pos_]);
            if (digit < 0)
                ErrorAt(line_, "Invalid binary value");
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<char>(high * 16 + digit));
                high = -1;
            }
        }
        if (high >= 0)
            ErrorAt(line_, "Invalid binary value");
        ++pos_;
        Next();
        return bytes;
    }

  private:
    static bool IsNumberStart(char c) { return IsDigit(c) || c == '$'; }

    void SkipBlanks() {
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
    }

    void ReadSymbol() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsSymbolChar(text_[pos_])) ++pos_;
        token_.Kind = tkSymbol;
        token_.Text = std::string(text_.substr(start, pos_ - start));
    }

    // One run of quoted text and #nn characters, as the lexer sees it before any "+".
    void ReadStringPiece() {
        token_.Kind = tkString;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '\'')
                ReadQuoted();
            else
                ReadCharCode();
        }
    }

    void ReadQuoted() {
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                ErrorAt(line_, "Unterminated string");
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    token_.Text.push_back('\'');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            token_.Text.push_back(text_[pos_++]);
        }
    }

    void ReadCharCode() {
        ++pos_;
        const bool hex = pos_ < text_.size() && text_[pos_] == '$';
        pos_ += hex ? 1 : 0;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (hex ? HexDigit(text_[pos_]) >= 0 : IsDigit(text_[pos_]))) ++pos_;
        std::uint32_t code = 0;
        const auto [end, ec] =
            std::from_chars(text_.data() + start, text_.data() + pos_, code, hex ? 16 : 10);
        if (start == pos_ || ec != std::errc() || code > 0x10FFFF)
            ErrorAt(line_, "Invalid character code");
        token_.Text += CodePointToUtf8(code);
    }

    void ReadNumber() {
        const std::size_t start = pos_;
        const bool negative = text_[pos_] == '-';
        pos_ += negative ? 1 : 0;
        if (text_[pos_] == '$') {
            ReadHexNumber(negative);
            return;
        }
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        bool isFloat = false;
        if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
            isFloat = true;
            for (++pos_; pos_ < text_.size() && IsDigit(text_[pos_]);) ++pos_;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            isFloat = true;
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            const std::size_t digits = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
            if (digits == pos_)
                ErrorAt(line_, "Invalid number");
        }
        if (pos_ < text_.size() && IsSymbolChar(text_[pos_]))
            ErrorAt(line_, "Invalid number");
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        std::errc ec{};
        if (isFloat) {
            token_.Kind = tkFloat;
            ec = std::from_chars(first, last, token_.Float).ec;
        } else {
            token_.Kind = tkInteger;
            ec = std::from_chars(first, last, token_.Integer).ec;
        }
        if (ec != std::errc())
            ErrorAt(line_, "Invalid number");
    }

    void ReadHexNumber(bool negative) {
        const std::size_t start = ++pos_;
        while (pos_ < text_.size() && HexDigit(text_[pos_]) >= 0) ++pos_;
        std::uint64_t value = 0;
        const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, value, 16);
        if (start == pos_ || ec != std::errc() || (pos_ < text_.size() && IsSymbolChar(text_[pos_])))
            ErrorAt(line_, "Invalid number");
        token_.Kind = tkInteger;
        // "$FFFFFFFF" reads as the bits it names, as colours are written.
        token_.Integer = static_cast<std::int64_t>(negative ? 0 - value : value);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    TToken token_;
};

class TFormTextParser {
  public:
    explicit TFormTextParser(std::string_view text) : lexer_(text) {}

    TFormObject Parse() {
        TFormObject root = ParseObject(0);
        if (lexer_.Token().Kind != tkEnd)
            lexer_.Error("End of text expected");
        return root;
    }

  private:
    bool AtObject() const {
        return lexer_.IsSymbol("object") || lexer_.IsSymbol("inherited") || lexer_.IsSymbol("inline");
    }

    // A text that stops inside an object or item lacks its "end".
    void ExpectMore() const {
        if (lexer_.Token().Kind == tkEnd)
            lexer_.Error("'end' expected");
    }

    void Enter(int depth) const {
        if (depth > kMaxDepth)
            lexer_.Error("Nesting too deep");
    }

    TFormObject ParseObject(int depth) {
        Enter(depth);
        if (!AtObject())
            lexer_.Error("'object' expected");
        TFormObject object;
        object.Line = lexer_.Token().Line;
        object.Inherited = lexer_.IsSymbol("inherited");
        lexer_.Next();
        std::string first = lexer_.ExpectSymbol();
        if (lexer_.IsChar(':')) {
            lexer_.Next();
            object.Name = std::move(first);
            object.ClassName = lexer_.ExpectSymbol();
        } else {
            object.ClassName = std::move(first);
        }
        while (!lexer_.IsSymbol("end") && !AtObject()) {
            ExpectMore();
            object.Properties.push_back(ParseProperty(depth));
        }
        while (!lexer_.IsSymbol("end")) {
            if (!AtObject())
                lexer_.Error("'end' expected");
            object.Children.push_back(ParseObject(depth + 1));
        }
        lexer_.Next();
        return object;
    }

    TFormProperty ParseProperty(int depth) {
        TFormProperty property;
        property.Line = lexer_.Token().Line;
        property.Name = ParseDottedName();
        lexer_.Expect('=');
        property.Value = ParseValue(depth + 1);
        return property;
    }

    std::string ParseDottedName() {
        std::string name = lexer_.ExpectSymbol();
        while (lexer_.IsChar('.')) {
            lexer_.Next();
            name += '.';
            name += lexer_.ExpectSymbol();
        }
        return name;
    }

    TFormValue ParseValue(int depth) {
        Enter(depth);
        TFormValue value;
        value.Line = lexer_.Token().Line;
        const TToken& token = lexer_.Token();
        switch (token.Kind) {
            case tkInteger:
                value.Type = vaInt;
                value.Integer = token.Integer;
                lexer_.Next();
                return value;
            case tkFloat:
                value.Type = vaExtended;
                value.Float = token.Float;
                lexer_.Next();
                return value;
            case tkString:
                value.Type = vaString;
                value.Text = ParseString();
                return value;
            case tkSymbol:
                ParseIdentValue(value);
                return value;
            case tkChar:
                ParseBracketed(value, depth);
                return value;
            case tkEnd:
                break;
        }
        lexer_.Error("Invalid property value");
    }

    std::string ParseString() {
        std::string text = lexer_.Token().Text;
        lexer_.Next();
        while (lexer_.IsChar('+')) {
            lexer_.Next();
            if (lexer_.Token().Kind != tkString)
                lexer_.Error("String expected");
            text += lexer_.Token().Text;
            lexer_.Next();
        }
        return text;
    }

    void ParseIdentValue(TFormValue& value) {
        if (lexer_.IsSymbol("True") || lexer_.IsSymbol("False") || lexer_.IsSymbol("nil")) {
            value.Type = lexer_.IsSymbol("True") ? vaTrue : lexer_.IsSymbol("False") ? vaFalse : vaNil;
            lexer_.Next();
            return;
        }
        value.Type = vaIdent;
        value.Text = ParseDottedName();
    }

    void ParseBracketed(TFormValue& value, int depth) {
        switch (lexer_.Token().Text[0]) {
            case '[':
                value.Type = vaSet;
                lexer_.Next();
                while (!lexer_.IsChar(']')) {
                    value.Elements.push_back(lexer_.ExpectSymbol());
                    if (!lexer_.IsChar(']'))
                        lexer_.Expect(',');
                }
                lexer_.Next();
                return;
            case '(':
                value.Type = vaList;
                lexer_.Next();
                while (!lexer_.IsChar(')')) value.Items.push_back(ParseValue(depth + 1));
                lexer_.Next();
                return;
            case '<':
                value.Type = vaCollection;
                lexer_.Next();
                while (!lexer_.IsChar('>')) value.CollectionItems.push_back(ParseItem(depth + 1));
                lexer_.Next();
                return;
            case '{':
                value.Type = vaBinary;
                value.Text = lexer_.ReadBinary();
                return;
            default:
                lexer_.Error("Invalid property value");
        }
    }

    std::vector<TFormProperty> ParseItem(int depth) {
        if (!lexer_.IsSymbol("item"))
            lexer_.Error("'item' expected");
        lexer_.Next();
        std::vector<TFormProperty> properties;
        while (!lexer_.IsSymbol("end")) {
            ExpectMore();
            properties.push_back(ParseProperty(depth));
        }
        lexer_.Next();
        return properties;
    }

    TFormLexer lexer_;
};

}  // namespace

TFormObject ParseForm(std::string_view text) {
    return TFormTextParser(text).Parse();
}
