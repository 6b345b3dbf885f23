#include "platform/rtl/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/rtl/strings.h"

namespace {

[[noreturn]] void RaiseInvalid(std::string_view format) {
    // Built by hand: Format itself is what failed.
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

// Widths and precisions beyond this are a broken format, not a request for that much padding.
constexpr int kMaxWidth = 100000;

struct Spec {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char type = 0;
};

class Formatter {
  public:
    Formatter(std::string_view format, std::initializer_list<FormatArg> args)
        : format_(format), args_(args.begin(), args.end()) {}

    std::string Run() {
        std::size_t i = 0;
        while (i < format_.size()) {
            char c = format_[i];
            if (c != '%') {
                out_.push_back(c);
                ++i;
                continue;
            }
            if (i + 1 < format_.size() && format_[i + 1] == '%') {
                out_.push_back('%');
                i += 2;
                continue;
            }
            i = ParseAndEmit(i + 1);
        }
        return std::move(out_);
    }

  private:
    const FormatArg& NextArg() {
        if (next_ >= args_.size())
            RaiseInvalid(format_);
        return args_[next_++];
    }

    int ReadNumber(std::size_t& i) {
        if (i < format_.size() && format_[i] == '*') {
            ++i;
            const auto* v = std::get_if<std::int64_t>(&NextArg().value());
            if (!v || *v > kMaxWidth)
                RaiseInvalid(format_);
            // Checked on all 64 bits: any negative value means none, as a small one always did.
            return *v < 0 ? -1 : static_cast<int>(*v);
        }
        int n = -1;
        while (i < format_.size() && format_[i] >= '0' && format_[i] <= '9') {
            n = (n < 0 ? 0 : n) * 10 + (format_[i] - '0');
            if (n > kMaxWidth)
                RaiseInvalid(format_);
            ++i;
        }
        return n;
    }

    std::size_t ParseAndEmit(std::size_t i) {
        Spec spec;
        // Optional argument index "n:".
        std::size_t digitsEnd = i;
        while (digitsEnd < format_.size() && format_[digitsEnd] >= '0' && format_[digitsEnd] <= '9')
            ++digitsEnd;
        if (digitsEnd > i && digitsEnd < format_.size() && format_[digitsEnd] == ':') {
            next_ = static_cast<std::size_t>(ReadNumber(i));
            ++i;
        }
        if (i < format_.size() && format_[i] == '-')
            spec.leftAlign = true, ++i;
        spec.width = ReadNumber(i);
        if (i < format_.size() && format_[i] == '.') {
            ++i;
            spec.precision = ReadNumber(i);
            if (spec.precision < 0)
                spec.precision = 0;
        }
        if (i >= format_.size())
            RaiseInvalid(format_);
        spec.type = static_cast<char>(format_[i] | 0x20);
        Emit(spec, NextArg());
        return i + 1;
    }

    // Text is UTF-8: widths count characters.
    void Pad(const std::string& text, const Spec& spec) {
        const std::size_t width = spec.width < 0 ? 0 : static_cast<std::size_t>(spec.width);
        const std::size_t length = Utf8Length(text);
        if (length >= width) {
            out_ += text;
        } else if (spec.leftAlign) {
            out_ += text + std::string(width - length, ' ');
        } else {
            out_ += std::string(width - length, ' ') + text;
        }
    }

    void Emit(const Spec& spec, const FormatArg& arg) {
        const auto& v = arg.value();
        switch (spec.type) {
            case 'd':
            case 'u':
            case 'x':
                return Pad(IntegerText(spec, v), spec);
            case 'e':
            case 'f':
            case 'g':
            case 'n':
            case 'm':
                return Pad(FloatText(spec, v), spec);
            case 's': {
                const auto* s = std::get_if<std::string_view>(&v);
                if (!s)
                    RaiseInvalid(format_);
                std::string_view text = *s;
                if (spec.precision >= 0)
                    text = Utf8Left(text, static_cast<std::size_t>(spec.precision));
                return Pad(std::string(text), spec);
            }
            case 'p': {
                const auto* p = std::get_if<const void*>(&v);
                if (!p)
                    RaiseInvalid(format_);
                char buf[32];
                std::snprintf(buf, sizeof buf, "%016llX",
                              static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(*p)));
                return Pad(buf, spec);
            }
            default:
                RaiseInvalid(format_);
        }
    }

    std::string IntegerText(const Spec& spec, const FormatArg::Value& v) {
        bool negative = false;
        unsigned long long magnitude;
        if (const auto* i = std::get_if<std::int64_t>(&v)) {
            negative = *i < 0 && spec.type == 'd';
            magnitude =
                negative ? 0ULL - static_cast<unsigned long long>(*i) : static_cast<unsigned long long>(*i);
            if (spec.type == 'u' && *i < 0)
                magnitude = static_cast<std::uint32_t>(*i);
            if (spec.type == 'x' && *i < 0 && *i >= INT32_MIN)
                magnitude = static_cast<std::uint32_t>(*i);
        } else if (const auto* u = std::get_if<std::uint64_t>(&v)) {
            magnitude = *u;
        } else {
            RaiseInvalid(format_);
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, spec.type == 'x' ? "%llX" : "%llu", magnitude);
        std::string digits = buf;
        if (spec.precision > 0 && digits.size() < static_cast<std::size_t>(spec.precision))
            digits.insert(0, static_cast<std::size_t>(spec.precision) - digits.size(), '0');
        if (negative)
            digits.insert(digits.begin(), '-');
        return digits;
    }

    std::string FloatText(const Spec& spec, const FormatArg::Value& v) {
        double d;
        if (const auto* f = std::get_if<double>(&v)) {
            d = *f;
        } else {
            RaiseInvalid(format_);
        }
        if (std::isnan(d))
            return "NAN";
        if (std::isinf(d))
            return d < 0 ? "-INF" : "INF";
        char buf[512];
        switch (spec.type) {
            case 'e': {
                int prec = spec.precision < 0 ? 15 : std::min(spec.precision, 18);
                std::snprintf(buf, sizeof buf, "%.*E", std::max(prec - 1, 0), d);
                return buf;
            }
            case 'g': {
                int prec = spec.precision < 0 ? 15 : std::max(std::min(spec.precision, 18), 1);
                std::snprintf(buf, sizeof buf, "%.*G", prec, d);
                return buf;
            }
            case 'n':
                return Thousands(d, spec.precision < 0 ? 2 : std::min(spec.precision, 18));
            default: {  // f, m
                int prec = spec.precision < 0 ? 2 : std::min(spec.precision, 18);
                if (std::fabs(d) >= 1e300)
                    RaiseInvalid(format_);
                std::snprintf(buf, sizeof buf, "%.*f", prec, d);
                return buf;
            }
        }
    }

    static std::string Thousands(double d, int prec) {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*f", prec, std::fabs(d));
        const std::string_view digits = buf;
        const std::size_t intEnd = std::min(digits.find('.'), digits.size());
        std::string s;
        s.reserve(digits.size() + intEnd / 3 + 1);
        if (d < 0)
            s += '-';
        for (std::size_t i = 0; i < intEnd; ++i) {
            if (i > 0 && (intEnd - i) % 3 == 0)
                s += ',';
            s += digits[i];
        }
        s += digits.substr(intEnd);
        return s;
    }

    std::string_view format_;
    std::vector<FormatArg> args_;
    std::size_t next_ = 0;
    std::string out_;
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    return Formatter(format, args).Run();
}
