#include "firebird_datasets/filter_variant_ops.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/rtl/numbers.h"
#include "platform/rtl/string_compare.h"

namespace filter_variants {
namespace {

constexpr std::int64_t CurrencyScale = 10000;

// A value on the number line: exact integers, currency units or a double (dates are doubles).
struct Number {
    enum Kind { Exact, Currency, Float } kind = Exact;
    std::int64_t units = 0;  // Exact: the integer; Currency: 1/10000ths
    double value = 0;        // Float
    bool date = false;

    double AsDouble() const {
        if (kind == Exact)
            return static_cast<double>(units);
        if (kind == Currency)
            return static_cast<double>(units) / CurrencyScale;
        return value;
    }
};

Number Exactly(std::int64_t units) {
    return Number{Number::Exact, units, 0, false};
}
Number Floating(double value, bool date = false) {
    return Number{Number::Float, 0, value, date};
}

[[noreturn]] void InvalidOperation() {
    throw EVariantError("Invalid variant operation");
}

bool IsText(const Variant& v) {
    return v.IsString() || v.IsEmpty();
}

// A text takes the reading of what it meets: a date beside a date, else a number.
Number ToNumber(const Variant& v, const Variant& other) {
    const TVarType type = v.VarType();
    if (v.IsArray())
        InvalidOperation();
    if (type == varEmpty || type == varBoolean || VarTypeIsInteger(type))
        return Exactly(v.AsInt64());
    if (type == varCurrency)
        return Number{Number::Currency, v.AsCurrency(), 0, false};
    if (type == varDate)
        return Floating(v.AsDouble(), true);
    if (type == varString) {
        std::int64_t integer = 0;
        if (other.VarType() == varDate)
            return Floating(v.AsDateTime(), true);
        if (TryStrToInt64(v.AsString(), integer))
            return Exactly(integer);
    }
    return Floating(v.AsDouble());
}

Variant FromNumber(const Number& n) {
    if (n.kind == Number::Exact) {
        if (n.units >= std::numeric_limits<std::int32_t>::min() &&
            n.units <= std::numeric_limits<std::int32_t>::max())
            return Variant(static_cast<int>(n.units));
        return Variant(static_cast<long long>(n.units));
    }
    if (n.kind == Number::Currency)
        return Variant::FromCurrency(n.units);
    return n.date ? Variant::FromDateTime(n.value) : Variant(n.value);
}

template <typename T>
int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Integers beside currency compare in currency units when they fit.
bool ToCurrencyUnits(const Number& n, std::int64_t& units) {
    if (n.kind == Number::Currency) {
        units = n.units;
        return true;
    }
    return n.kind == Number::Exact && !__builtin_mul_overflow(n.units, CurrencyScale, &units);
}

int CompareNumbers(const Number& x, const Number& y) {
    if (x.kind == Number::Exact && y.kind == Number::Exact)
        return Sign(x.units, y.units);
    std::int64_t a = 0, b = 0;
    if (ToCurrencyUnits(x, a) && ToCurrencyUnits(y, b))
        return Sign(a, b);
    return Sign(x.AsDouble(), y.AsDouble());
}

// Exact integer arithmetic; false when the result does not fit.
bool ExactArithmetic(TCANOperator op, std::int64_t a, std::int64_t b, std::int64_t& out) {
    switch (op) {
        case coADD:
            return !__builtin_add_overflow(a, b, &out);
        case coSUB:
            return !__builtin_sub_overflow(a, b, &out);
        case coMUL:
            return !__builtin_mul_overflow(a, b, &out);
        default:
            return false;
    }
}

double FloatArithmetic(TCANOperator op, double a, double b) {
    switch (op) {
        case coADD:
            return a + b;
        case coSUB:
            return a - b;
        case coMUL:
            return a * b;
        default:
            InvalidOperation();
    }
}

Variant Remainder(const Variant& a, const Variant& b) {
    const std::int64_t divisor = b.AsInt64();
    if (divisor == 0)
        throw EVariantError("Division by zero");
    // The lowest integer modulo -1 would overflow; its remainder is 0 all the same.
    const std::int64_t rest = divisor == -1 ? 0 : a.AsInt64() % divisor;
    return FromNumber(Exactly(rest));
}

Variant Divide(const Number& x, const Number& y) {
    const double divisor = y.AsDouble();
    if (divisor == 0)
        throw EVariantError("Division by zero");
    return Variant(x.AsDouble() / divisor);
}

}  // namespace

int Compare(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull())
        return a.IsNull() == b.IsNull() ? 0 : (a.IsNull() ? -1 : 1);
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    if (IsText(a) && IsText(b)) {
        const int order = AnsiCompareStr(a.AsString(), b.AsString());
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    const bool logical = a.VarType() == varBoolean || b.VarType() == varBoolean;
    if (logical && (a.VarType() == varBoolean || a.IsString()) && (b.VarType() == varBoolean || b.IsString()))
        return Sign(static_cast<int>(a.AsBoolean()), static_cast<int>(b.AsBoolean()));
    return CompareNumbers(ToNumber(a, b), ToNumber(b, a));
}

bool Equal(const Variant& a, const Variant& b) {
    return Compare(a, b) == 0;
}

Variant Arithmetic(TCANOperator op, const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull())
        return Variant::Null();
    if (a.IsArray() || b.IsArray())
        InvalidOperation();
    if (op == coADD && IsText(a) && IsText(b))
        return Variant(a.AsString() + b.AsString());
    if (op == coMOD || op == coREM)
        return Remainder(a, b);
    const Number x = ToNumber(a, b), y = ToNumber(b, a);
    if (op == coDIV)
        return Divide(x, y);
    // A date moved by a number stays a date; the distance between two dates is a number.
    const bool date = (x.date || y.date) && !(op == coSUB && x.date && y.date) && op != coMUL;
    std::int64_t out = 0;
    if (x.kind == Number::Exact && y.kind == Number::Exact && ExactArithmetic(op, x.units, y.units, out))
        return FromNumber(Exactly(out));
    std::int64_t ux = 0, uy = 0;
    if (op != coMUL && ToCurrencyUnits(x, ux) && ToCurrencyUnits(y, uy) && ExactArithmetic(op, ux, uy, out))
        return Variant::FromCurrency(out);
    const bool currencyTimesInteger =
        op == coMUL && x.kind != Number::Float && y.kind != Number::Float && x.kind != y.kind;
    if (currencyTimesInteger && !__builtin_mul_overflow(x.units, y.units, &out))
        return Variant::FromCurrency(out);
    return FromNumber(Floating(FloatArithmetic(op, x.AsDouble(), y.AsDouble()), date));
}

Variant Negate(const Variant& v) {
    if (v.IsNull())
        return Variant::Null();
    Number n = ToNumber(v, Variant());
    if (n.kind != Number::Float && n.units != std::numeric_limits<std::int64_t>::min()) {
        n.units = -n.units;
        return FromNumber(n);
    }
    return FromNumber(Floating(-n.AsDouble(), n.date));
}

bool Truth(const Variant& v) {
    return !v.IsNull() && !v.IsEmpty() && v.AsBoolean();
}

}  // namespace filter_variants
