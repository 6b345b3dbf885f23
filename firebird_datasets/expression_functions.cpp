#include "firebird_datasets/expression_functions.h"

#include <array>
#include <cmath>
#include <utility>

#include "firebird_datasets/expression_constants.h"
#include "platform/db/dataset.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

using Function = Variant (*)(const Variant& argument, const TDateConverter& dateConverter);

// The calendar runs from 0001-01-01 to 9999-12-31; decoding beyond it has no meaning.
TDateTime CalendarDateTime(const Variant& v) {
    const TDateTime value = v.AsDateTime();
    if (!(value >= -693593.0 && value < 2958466.0))
        throw EConvertError("'" + v.AsString() + "' is not a valid date and time");
    return value;
}

enum DatePart { dpYear, dpMonth, dpDay, dpHour, dpMinute, dpSecond };

template <DatePart part>
Variant PartOf(const Variant& argument, const TDateConverter&) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    const TDateTime value = CalendarDateTime(argument);
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    const int parts[] = {year, month, day, hour, minute, second};
    return Variant(parts[part]);
}

Variant CurrentDateTime(const Variant&, const TDateConverter&) {
    return Variant::FromDateTime(Now());
}

// One value: its whole days. A list: DATE(format, text) read by the date converter.
Variant DateOf(const Variant& argument, const TDateConverter& dateConverter) {
    if (!argument.IsArray())
        return Variant(Variant(std::trunc(argument.AsDateTime())).AsInteger());
    if (!dateConverter)
        IncorrectFilterExpression();
    const Variant& format = argument[0];
    const Variant& text = argument[1];
    if (text.IsNull() || format.IsNull())
        return Variant::Null();
    return Variant::FromDateTime(dateConverter(text.AsString(), format.AsString()));
}

template <std::string (*convert)(std::string_view)>
Variant TextOf(const Variant& argument, const TDateConverter&) {
    return Variant(convert(argument.AsString()));
}

// Copy(text, start, count) counted in characters: a start below 1 reads as 1.
std::string CopyCharacters(std::string_view text, int start, int count) {
    const std::u32string characters = Utf8ToUtf32(text);
    const std::size_t from = static_cast<std::size_t>(std::max(start, 1)) - 1;
    if (count <= 0 || from >= characters.size())
        return {};
    return Utf32ToUtf8(std::u32string_view(characters).substr(from, static_cast<std::size_t>(count)));
}

// SUBSTRING(text, start, count), or SUBSTRING(text, 'start,count').
Variant Substring(const Variant& argument, const TDateConverter&) {
    const Variant& text = argument[0];
    const Variant& start = argument[1];
    const Variant& count = argument[2];
    if (text.IsNull() || start.IsNull() || count.IsNull())
        return Variant::Null();
    if (VarIsNumeric(start))
        return Variant(CopyCharacters(text.AsString(), start.AsInteger(), count.AsInteger()));
    const std::string range = start.AsString();
    const std::size_t comma = range.find(',');
    if (comma == std::string::npos)
        DatabaseError("Expression expected but " + range + " found");
    const int from = StrToInt(Trim(range.substr(0, comma)));
    const int length = StrToInt(Trim(CopyCharacters(std::string_view(range).substr(comma + 1), 1, 1000)));
    return Variant(CopyCharacters(text.AsString(), from, length));
}

constexpr std::pair<const char*, Function> functions[] = {
    {"GETDATE", CurrentDateTime},     {"DATE", DateOf},
    {"DAY", PartOf<dpDay>},           {"MONTH", PartOf<dpMonth>},
    {"YEAR", PartOf<dpYear>},         {"HOUR", PartOf<dpHour>},
    {"MINUTE", PartOf<dpMinute>},     {"SECOND", PartOf<dpSecond>},
    {"UPPER", TextOf<AnsiUpperCase>}, {"LOWER", TextOf<AnsiLowerCase>},
    {"TRIM", TextOf<Trim>},           {"TRIMLEFT", TextOf<TrimLeft>},
    {"TRIMRIGHT", TextOf<TrimRight>}, {"SUBSTRING", Substring},
};

Function FindFunction(const std::string& name) {
    for (const auto& [known, function] : functions)
        if (name == known)
            return function;
    DatabaseError("Expression expected but " + name + " found");
}

}  // namespace

Variant CallFilterFunction(const std::string& name, const Variant& argument,
                           const TDateConverter& dateConverter) {
    const Function function = FindFunction(UpperCase(name));
    if (argument.IsNull() && function != CurrentDateTime)
        return Variant::Null();
    return function(argument, dateConverter);
}
