// Field values in their raw record-buffer form: each kind reads back as written, and dates,
// times and date-times take the day and millisecond forms datasets store.
#include "platform/db/field_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/typed_fields.h"
#include "platform/rtl/datetime.h"

namespace {

template <class T>
T Raw(const std::vector<std::byte>& data) {
    T value;
    std::memcpy(&value, data.data(), sizeof(T));
    return value;
}

TEST(FieldBuffer, EveryKindReadsBackWhatWasWritten) {
    TComponent owner(nullptr);
    const TDateTime moment = EncodeDate(2001, 2, 3) + EncodeTime(10, 0, 0, 0);
    struct Case {
        const char* name;
        std::function<TField*()> make;
        Variant value;
        Variant expected;  // Empty: the value itself
    };
    auto sized = [&](TField* field, int size) {
        field->SetSize(size);
        return field;
    };
    const std::vector<Case> cases = {
        {"string", [&] { return sized(new TStringField(&owner), 5); }, Variant("abc"), {}},
        {"string cut", [&] { return sized(new TStringField(&owner), 2); }, Variant("abc"), Variant("ab")},
        {"smallint", [&] { return new TSmallintField(&owner); }, Variant(-300), {}},
        {"word", [&] { return new TWordField(&owner); }, Variant(65535), {}},
        {"integer", [&] { return new TIntegerField(&owner); }, Variant(-7), {}},
        {"largeint", [&] { return new TLargeintField(&owner); }, Variant(1LL << 40), {}},
        {"boolean", [&] { return new TBooleanField(&owner); }, Variant(true), {}},
        {"float", [&] { return new TFloatField(&owner); }, Variant(2.5), {}},
        {"bcd", [&] { return new TBCDField(&owner); }, Variant::FromCurrency(123456), {}},
        {"fmtbcd", [&] { return sized(new TFMTBCDField(&owner), 3); }, Variant("-12.345"), {}},
        {"date", [&] { return new TDateField(&owner); }, Variant::FromDateTime(EncodeDate(2001, 2, 3)), {}},
        {"time",
         [&] { return new TTimeField(&owner); },
         Variant::FromDateTime(EncodeTime(23, 59, 59, 999)),
         {}},
        {"date-time", [&] { return new TDateTimeField(&owner); }, Variant::FromDateTime(moment), {}},
        {"bytes", [&] { return sized(new TBytesField(&owner), 3); }, Variant(std::string("a\0b", 3)), {}},
        {"var bytes",
         [&] { return sized(new TVarBytesField(&owner), 4); },
         Variant(std::string("\0x", 2)),
         {}},
        {"guid raw", [&] { return sized(new TGuidField(&owner), 16); }, Variant(std::string(16, '\x7f')), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TField* field = c.make();
        std::vector<std::byte> data(static_cast<std::size_t>(field->DataSize()), std::byte{0xEE});
        WriteFieldBytes(*field, c.value, data.data());
        const Variant back = ReadFieldBytes(*field, data.data());
        const Variant& expected = c.expected.IsEmpty() ? c.value : c.expected;
        if (expected.VarType() == varDate)
            EXPECT_DOUBLE_EQ(back.AsDateTime(), expected.AsDateTime());
        else
            EXPECT_EQ(back, expected);
    }
}

TEST(FieldBuffer, DatesAreDaysTimesAreMillisecondsDateTimesAreDoubleMilliseconds) {
    TComponent owner(nullptr);
    TDateField date(&owner);
    TTimeField time(&owner);
    TDateTimeField stamp(&owner);
    const TDateTime day = EncodeDate(2001, 2, 3);
    const TDateTime clock = EncodeTime(10, 0, 0, 500);
    std::vector<std::byte> data(8);

    WriteFieldBytes(date, Variant::FromDateTime(day), data.data());
    EXPECT_EQ(Raw<std::int32_t>(data), 730519);
    WriteFieldBytes(time, Variant::FromDateTime(clock), data.data());
    EXPECT_EQ(Raw<std::int32_t>(data), 36000500);
    WriteFieldBytes(stamp, Variant::FromDateTime(day + clock), data.data());
    EXPECT_DOUBLE_EQ(Raw<double>(data), 730519.0 * 86400000.0 + 36000500.0);
}

}  // namespace
