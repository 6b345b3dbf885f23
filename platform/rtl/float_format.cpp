#include "platform/rtl/float_format.h"

#include <langinfo.h>
#include <locale.h>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/format.h"

// ---- locale ----

namespace {
std::mutex g_numberFormatMutex;
std::unique_ptr<TNumberFormat> g_numberFormat;

TNumberFormat LoadNumberFormat() {
    TNumberFormat fs;
    const char* name = std::getenv("LC_ALL");
    if (!name || !*name)
        name = std::getenv("LC_NUMERIC");
    if (!name || !*name)
        name = std::getenv("LANG");
    locale_t loc = newlocale(LC_NUMERIC_MASK, name && *name ? name : "C", static_cast<locale_t>(0));
    if (!loc)
        return fs;
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    const char* group = nl_langinfo_l(THOUSEP, loc);
    // Only single-byte separators fit the single-character settings.
    if (radix && radix[0] && !radix[1])
        fs.DecimalSeparator = radix[0];
    if (group && group[0] && !group[1])
        fs.ThousandSeparator = group[0];
    freelocale(loc);
    return fs;
}
}  // namespace

const TNumberFormat& NumberFormat() {
    std::lock_guard lock(g_numberFormatMutex);
    if (!g_numberFormat)
        g_numberFormat = std::make_unique<TNumberFormat>(LoadNumberFormat());
    return *g_numberFormat;
}

// Changed in place: callers hold the reference that NumberFormat returned.
void SetNumberFormat(const TNumberFormat& format) {
    std::lock_guard lock(g_numberFormatMutex);
    if (g_numberFormat)
        *g_numberFormat = format;
    else
        g_numberFormat = std::make_unique<TNumberFormat>(format);
}

void ReloadNumberFormat() {
    SetNumberFormat(LoadNumberFormat());
}

// ---- FormatFloat ----

namespace {
enum class TokenKind { Literal, IntDigit, FracDigit, Point, Exponent };

struct Token {
    TokenKind kind;
    std::string text;  // Literal: the text; Exponent: "E" or "e" followed by the sign rule
};

struct Section {
    std::vector<Token> tokens;
    int intPlaceholders = 0;
    int intForced = 0;  // integer digits always written ("0" from the first one on)
    int fracPlaceholders = 0;
    int fracForced = 0;  // fraction digits always written (up to the last "0")
    bool thousands = false;
    bool scientific = false;
    int exponentDigits = 0;
};

std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            out.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(format.substr(start));
    return out;
}

void AddPlaceholder(Section& s, char c, bool afterPoint) {
    if (afterPoint) {
        s.tokens.push_back({TokenKind::FracDigit, {}});
        ++s.fracPlaceholders;
        if (c == '0')
            s.fracForced = s.fracPlaceholders;
    } else {
        s.tokens.push_back({TokenKind::IntDigit, {}});
        ++s.intPlaceholders;
    }
}

Section ParseSection(std::string_view f) {
    Section s;
    bool afterPoint = false;
    int firstZero = -1;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            std::size_t end = f.find(c, i + 1);
            if (end == std::string_view::npos)
                end = f.size();
            s.tokens.push_back({TokenKind::Literal, std::string(f.substr(i + 1, end - i - 1))});
            i = end;
        } else if ((c == '0' || c == '#') && !s.scientific) {
            if (c == '0' && !afterPoint && firstZero < 0)
                firstZero = s.intPlaceholders;
            AddPlaceholder(s, c, afterPoint);
        } else if (c == '.' && !afterPoint && !s.scientific) {
            s.tokens.push_back({TokenKind::Point, {}});
            afterPoint = true;
        } else if (c == ',' && !s.scientific) {
            if (!afterPoint)
                s.thousands = true;
        } else if ((c == 'E' || c == 'e') && !s.scientific && i + 1 < f.size() &&
                   (f[i + 1] == '+' || f[i + 1] == '-')) {
            s.scientific = true;
            s.tokens.push_back({TokenKind::Exponent, std::string{c, f[i + 1]}});
            i += 2;
            while (i < f.size() && f[i] == '0') {
                if (s.exponentDigits < 4)
                    ++s.exponentDigits;
                ++i;
            }
            --i;
        } else {
            s.tokens.push_back({TokenKind::Literal, std::string(1, c)});
        }
    }
    s.intForced = firstZero < 0 ? 0 : s.intPlaceholders - firstZero;
    return s;
}

struct Parts {
    std::string intDigits;
    std::string fracDigits;
    std::string exponent;  // the written exponent, sign and digits
};

void TrimOptionalFraction(std::string& frac, int forced) {
    while (static_cast<int>(frac.size()) > forced && frac.back() == '0') frac.pop_back();
}

Parts FixedParts(DecimalDigits d, const Section& s) {
    Parts p;
    d.RoundToPlaces(s.fracPlaceholders);
    p.intDigits = d.IntegerDigits();
    if (static_cast<int>(p.intDigits.size()) < s.intForced)
        p.intDigits.insert(0, static_cast<std::size_t>(s.intForced) - p.intDigits.size(), '0');
    p.fracDigits = d.FractionDigits(s.fracPlaceholders);
    TrimOptionalFraction(p.fracDigits, s.fracForced);
    return p;
}

Parts ScientificParts(DecimalDigits d, const Section& s, char sign) {
    Parts p;
    const int intCount = std::max(s.intPlaceholders, 1);
    d.RoundToSignificant(intCount + s.fracPlaceholders);
    const int exponent = d.IsZero() ? 0 : d.exponent - intCount;
    d.exponent = d.IsZero() ? 0 : intCount;
    p.intDigits =
        d.IsZero() ? std::string(static_cast<std::size_t>(std::max(s.intForced, 1)), '0') : d.IntegerDigits();
    p.fracDigits = d.FractionDigits(s.fracPlaceholders);
    TrimOptionalFraction(p.fracDigits, s.fracForced);
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < s.exponentDigits)
        digits.insert(0, static_cast<std::size_t>(s.exponentDigits) - digits.size(), '0');
    if (exponent < 0) {
        p.exponent = "-" + digits;
    } else {
        p.exponent = (sign == '+' ? "+" : "") + digits;
    }
    return p;
}

class SectionWriter {
  public:
    SectionWriter(const Section& s, const Parts& p, const TNumberFormat& fs) : s_(s), p_(p), fs_(fs) {}

    std::string Write() {
        const bool noPlaceholders = s_.intPlaceholders == 0 && s_.fracPlaceholders == 0;
        for (const Token& t : s_.tokens) {
            switch (t.kind) {
                case TokenKind::Literal:
                    out_ += t.text;
                    break;
                case TokenKind::IntDigit:
                    WriteIntPlaceholder();
                    break;
                case TokenKind::Point:
                    if (s_.intPlaceholders == 0)
                        WriteIntDigits(0, static_cast<int>(p_.intDigits.size()) - 1);
                    if (!p_.fracDigits.empty())
                        out_ += fs_.DecimalSeparator;
                    break;
                case TokenKind::FracDigit:
                    if (frac_ < p_.fracDigits.size())
                        out_ += p_.fracDigits[frac_];
                    ++frac_;
                    break;
                case TokenKind::Exponent:
                    out_ += t.text[0] + p_.exponent;
                    break;
            }
        }
        if (noPlaceholders)
            WriteIntDigits(0, static_cast<int>(p_.intDigits.size()) - 1);
        return out_;
    }

  private:
    void WriteIntPlaceholder() {
        const int extra = static_cast<int>(p_.intDigits.size()) - s_.intPlaceholders;
        const int index = int_++ + extra;
        // The first placeholder takes every digit that has no placeholder of its own.
        WriteIntDigits(int_ == 1 ? 0 : index, index);
    }

    void WriteIntDigits(int from, int to) {
        const int len = static_cast<int>(p_.intDigits.size());
        for (int i = std::max(from, 0); i <= to && i < len; ++i) {
            out_ += p_.intDigits[static_cast<std::size_t>(i)];
            if (s_.thousands && i < len - 1 && (len - 1 - i) % 3 == 0)
                out_ += fs_.ThousandSeparator;
        }
    }

    const Section& s_;
    const Parts& p_;
    const TNumberFormat& fs_;
    std::string out_;
    int int_ = 0;
    std::size_t frac_ = 0;
};

std::string FormatDecimal(std::string_view format, const DecimalDigits& value, const TNumberFormat& fs) {
    const std::vector<std::string_view> sections = SplitSections(format);
    const bool useNegative = value.negative && sections.size() > 1 && !sections[1].empty();
    Section s = ParseSection(sections[useNegative ? 1 : 0]);
    char expSign = '+';
    for (const Token& t : s.tokens)
        if (t.kind == TokenKind::Exponent)
            expSign = t.text[1];
    DecimalDigits rounded = value;
    if (!s.scientific)
        rounded.RoundToPlaces(s.fracPlaceholders);
    if (rounded.IsZero() && sections.size() > 2 && !sections[2].empty()) {
        s = ParseSection(sections[2]);
        rounded = DecimalDigits{};
    }
    Parts parts = s.scientific ? ScientificParts(rounded, s, expSign) : FixedParts(rounded, s);
    const std::string text = SectionWriter(s, parts, fs).Write();
    return rounded.negative && !useNegative ? std::string("-").append(text) : text;
}
}  // namespace

std::string FormatFloat(std::string_view format, double value) {
    return FormatFloat(format, value, NumberFormat());
}

std::string FormatFloat(std::string_view format, double value, const TNumberFormat& fs) {
    if (format.empty() || !std::isfinite(value))
        return FloatToStr(value, fs);
    return FormatDecimal(format, DecimalFromDouble(value), fs);
}

std::string FormatScaled(std::string_view format, std::int64_t value, int scale, const TNumberFormat& fs) {
    if (format.empty())
        format = "0.##################";
    return FormatDecimal(format, DecimalFromInt64(value, scale), fs);
}

// ---- FloatToStr ----

namespace {
std::string PlainText(const DecimalDigits& d, char separator) {
    if (d.IsZero())
        return "0";
    std::string text = d.negative ? "-" : "";
    const std::string intDigits = d.IntegerDigits();
    text += intDigits.empty() ? "0" : intDigits;
    const int fracCount = static_cast<int>(d.digits.size()) - d.exponent;
    if (fracCount > 0)
        text += separator + d.FractionDigits(fracCount);
    return text;
}
}  // namespace

std::string FloatToStr(double value) {
    return FloatToStr(value, NumberFormat());
}

std::string FloatToStr(double value, const TNumberFormat& fs) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    DecimalDigits d = DecimalFromDouble(value);
    d.RoundToSignificant(15);
    const int exponent = d.exponent - 1;  // of the first digit
    if (d.IsZero() || (exponent >= -4 && exponent < 15))
        return PlainText(d, fs.DecimalSeparator);
    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1)
        text += fs.DecimalSeparator + d.digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

// ---- StrToFloat ----

bool TryStrToFloat(std::string_view s, double& value) {
    return TryStrToFloat(s, value, NumberFormat());
}

bool TryStrToFloat(std::string_view s, double& value, const TNumberFormat& fs) {
    DecimalDigits d;
    if (!TryParseDecimal(s, fs.DecimalSeparator, d))
        return false;
    if (d.IsZero()) {
        value = 0;
        return true;
    }
    const std::string text = (d.negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.exponent);
    double parsed = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (res.ec != std::errc() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(std::string_view s) {
    double v;
    if (!TryStrToFloat(s, v))
        throw EConvertError(Format("'%s' is not a valid floating point value", {s}));
    return v;
}

double StrToFloatDef(std::string_view s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

// ---- currency ----

std::string CurrToStr(std::int64_t currency) {
    return CurrToStr(currency, NumberFormat());
}

std::string CurrToStr(std::int64_t currency, const TNumberFormat& fs) {
    return PlainText(DecimalFromInt64(currency, 4), fs.DecimalSeparator);
}

bool TryStrToCurr(std::string_view s, std::int64_t& currency) {
    return TryStrToCurr(s, currency, NumberFormat());
}

bool TryStrToCurr(std::string_view s, std::int64_t& currency, const TNumberFormat& fs) {
    DecimalDigits d;
    return TryParseDecimal(s, fs.DecimalSeparator, d) && DecimalToScaledInt64(d, 4, currency);
}

std::int64_t StrToCurr(std::string_view s) {
    std::int64_t v;
    if (!TryStrToCurr(s, v))
        throw EConvertError(Format("'%s' is not a valid floating point value", {s}));
    return v;
}
