// The field family: the class each type gets, size checks, text parsing and formats, ranges,
// and the values each kind of field keeps.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/db/typed_fields.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/memory_stream.h"
#include "tests/support/locale_scope.h"
#include "tests/support/memory_dataset.h"

namespace {

// A dataset of one row with one column "F" of the given type, open and editing.
class OneColumn {
  public:
    OneColumn(TFieldType type, int size = 0) {
        ds.SetColumns({"F"});
        ds.SetColumnType(0, type, size);
        ds.AddRow({Variant::Null()});
        ds.Open();
        ds.Edit();
    }
    TField* Field() const { return ds.FieldByName("F"); }
    TMemoryDataSet ds;
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

TEST(FieldFamily, EachTypeGetsItsClassDataSizeAndAlignment) {
    struct Case {
        TFieldType type;
        int size;
        const char* className;
        int dataSize;
        TAlignment alignment;
    };
    const std::vector<Case> cases = {
        {ftString, 10, "TStringField", 11, taLeftJustify},
        {ftWideString, 5, "TWideStringField", 6, taLeftJustify},
        {ftSmallint, 0, "TSmallintField", 2, taRightJustify},
        {ftInteger, 0, "TIntegerField", 4, taRightJustify},
        {ftWord, 0, "TWordField", 2, taRightJustify},
        {ftAutoInc, 0, "TAutoIncField", 4, taRightJustify},
        {ftLargeint, 0, "TLargeintField", 8, taRightJustify},
        {ftBoolean, 0, "TBooleanField", 2, taLeftJustify},
        {ftFloat, 0, "TFloatField", 8, taRightJustify},
        {ftCurrency, 0, "TCurrencyField", 8, taRightJustify},
        {ftBCD, 2, "TBCDField", 34, taRightJustify},
        {ftFMTBcd, 3, "TFMTBCDField", 34, taRightJustify},
        {ftDate, 0, "TDateField", 4, taLeftJustify},
        {ftTime, 0, "TTimeField", 4, taLeftJustify},
        {ftDateTime, 0, "TDateTimeField", 8, taLeftJustify},
        {ftBytes, 4, "TBytesField", 4, taLeftJustify},
        {ftVarBytes, 4, "TVarBytesField", 6, taLeftJustify},
        {ftBlob, 0, "TBlobField", 0, taLeftJustify},
        {ftMemo, 0, "TMemoField", 0, taLeftJustify},
        {ftGraphic, 0, "TGraphicField", 0, taLeftJustify},
        {ftGuid, 38, "TGuidField", 39, taLeftJustify},
        {ftGuid, 16, "TGuidField", 16, taLeftJustify},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FieldTypeName(c.type));
        OneColumn table(c.type, c.size);
        TField* field = table.Field();
        EXPECT_EQ(field->ClassName(), c.className);
        EXPECT_EQ(field->DataType(), c.type);
        EXPECT_EQ(field->DataSize(), c.dataSize);
        EXPECT_EQ(field->Alignment, c.alignment);
        EXPECT_EQ(table.ds.GetFieldClass(c.type).ClassName, std::string(c.className));
    }
}

TEST(FieldFamily, ATypeWithoutAClassCannotMakeADefaultField) {
    TMemoryDataSet ds;
    ds.SetColumns({"Cur"});
    ds.SetColumnType(0, ftCursor);
    EXPECT_FALSE(ds.GetFieldClass(ftCursor));
    EXPECT_EQ(ErrorOf([&] { ds.Open(); }), "Field 'Cur' is of an unknown type");
    EXPECT_FALSE(ds.Active());
}

TEST(FieldFamily, SizesTheTypeCannotHaveAreRefused) {
    TComponent owner(nullptr);
    struct Case {
        const char* name;
        TField* field;
        int size;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"string 0", new TStringField(&owner), 0, true},
        {"string negative", new TStringField(&owner), -1, false},
        {"integer 4", new TIntegerField(&owner), 4, false},
        {"integer 0", new TIntegerField(&owner), 0, true},
        {"boolean 1", new TBooleanField(&owner), 1, false},
        {"date 8", new TDateField(&owner), 8, false},
        {"bcd 32", new TBCDField(&owner), 32, true},
        {"bcd 33", new TBCDField(&owner), 33, false},
        {"guid 16", new TGuidField(&owner), 16, true},
        {"guid 38", new TGuidField(&owner), 38, true},
        {"guid 20", new TGuidField(&owner), 20, false},
        {"bytes 0", new TBytesField(&owner), 0, false},
        {"blob 100", new TBlobField(&owner), 100, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = c.field->Size();
        const std::string error = ErrorOf([&] { c.field->SetSize(c.size); });
        EXPECT_EQ(error, c.accepted ? "" : "Invalid field size");
        EXPECT_EQ(c.field->Size(), c.accepted ? c.size : before);
    }
}

TEST(FieldFamily, TextIsReadAsTheFieldsKindOfValue) {
    struct Case {
        const char* name;
        TFieldType type;
        int size;
        std::string text;
        std::string asString;  // what reads back; ignored when an error is expected
        std::string error;
    };
    const std::vector<Case> cases = {
        {"boolean true prefix", ftBoolean, 0, "tr", "True", ""},
        {"boolean false any case", ftBoolean, 0, "FALSE", "False", ""},
        {"boolean nonsense", ftBoolean, 0, "maybe", "", "'maybe' is not a valid boolean value for field 'F'"},
        {"smallint in range", ftSmallint, 0, "-32768", "-32768", ""},
        {"smallint too big", ftSmallint, 0, "40000", "",
         "40000 is not a valid value for field 'F'. The allowed range is -32768 to 32767"},
        {"word negative", ftWord, 0, "-1", "",
         "-1 is not a valid value for field 'F'. The allowed range is 0 to 65535"},
        {"largeint beyond 32 bits", ftLargeint, 0, "9000000000", "9000000000", ""},
        {"largeint nonsense", ftLargeint, 0, "9x", "", "'9x' is not a valid integer value"},
        {"float", ftFloat, 0, "2.5", "2.5", ""},
        {"float nonsense", ftFloat, 0, "two", "", "'two' is not a valid floating point value for field 'F'"},
        {"bcd keeps four places", ftBCD, 4, "12.3456", "12.3456", ""},
        {"bcd nonsense", ftBCD, 4, "1,2,3", "", "'1,2,3' is not a valid floating point value for field 'F'"},
        {"fmtbcd rounds to its size", ftFMTBcd, 2, "1.005", "1.01", ""},
        {"fmtbcd beyond precision", ftFMTBcd, 2, "1e30", "",
         "1000000000000000000000000000000.00 is not a valid value for field 'F'. The allowed range is  to "},
        {"guid text", ftGuid, 38, "{01234567-89AB-CDEF-0123-456789ABCDEF}",
         "{01234567-89AB-CDEF-0123-456789ABCDEF}", ""},
        {"guid raw", ftGuid, 16, "{01234567-89AB-CDEF-0123-456789ABCDEF}",
         "{01234567-89AB-CDEF-0123-456789ABCDEF}", ""},
        {"guid nonsense", ftGuid, 38, "{0123}", "", "'{0123}' is not a valid GUID value for field 'F'"},
        {"string cut to size", ftString, 3, "abcdef", "abc", ""},
        {"string of no size keeps any length", ftString, 0, std::string(300, 's'), std::string(300, 's'), ""},
        {"bytes padded to size", ftBytes, 4, "ab", std::string("ab\0\0", 4), ""},
        {"var bytes cut to size", ftVarBytes, 2, "abc", "ab", ""},
        {"memo holds any length", ftMemo, 0, std::string(5000, 'm'), std::string(5000, 'm'), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneColumn table(c.type, c.size);
        const std::string error = ErrorOf([&] { table.Field()->SetAsString(c.text); });
        EXPECT_EQ(error, c.error);
        if (c.error.empty())
            EXPECT_EQ(table.Field()->AsString(), c.asString);
        else
            EXPECT_TRUE(table.Field()->IsNull());
    }
}

TEST(FieldFamily, EmptyTextClearsEveryKindOfField) {
    for (TFieldType type :
         {ftSmallint, ftInteger, ftLargeint, ftFloat, ftBCD, ftFMTBcd, ftDate, ftDateTime, ftGuid, ftBlob}) {
        SCOPED_TRACE(FieldTypeName(type));
        OneColumn table(type, type == ftGuid ? 38 : 0);
        const bool dated = type == ftDate || type == ftDateTime;
        table.Field()->SetAsString(type == ftGuid ? "{01234567-89AB-CDEF-0123-456789ABCDEF}"
                                   : dated        ? DateToStr(EncodeDate(2020, 1, 2))
                                                  : "1");
        ASSERT_FALSE(table.Field()->IsNull());
        table.Field()->SetAsString("");
        EXPECT_TRUE(table.Field()->IsNull());
    }
}

TEST(FieldFamily, BooleanTextsComeFromDisplayValues) {
    OneColumn table(ftBoolean);
    auto* field = static_cast<TBooleanField*>(table.Field());
    field->SetDisplayValues("Да;Нет");
    field->SetAsString("да");
    EXPECT_TRUE(field->AsBoolean());
    EXPECT_EQ(field->DisplayText(), "Да");
    field->SetAsString("н");
    EXPECT_FALSE(field->AsBoolean());
    EXPECT_EQ(field->AsString(), "Нет");
    EXPECT_EQ(field->AsInteger(), 0);

    // With only a true text, an empty text means false.
    field->SetDisplayValues("On");
    field->SetAsString("");
    EXPECT_FALSE(field->IsNull());
    EXPECT_FALSE(field->AsBoolean());
    EXPECT_EQ(field->AsString(), "");
}

TEST(FieldFamily, RangesOfTheirOwnAreChecked) {
    struct Case {
        const char* name;
        TFieldType type;
        std::function<void(TField*)> limit;
        std::function<void(TField*)> write;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"float above", ftFloat,
         [](TField* f) {
             static_cast<TFloatField*>(f)->MinValue = 0.5;
             static_cast<TFloatField*>(f)->MaxValue = 1.5;
         },
         [](TField* f) { f->SetAsFloat(2.25); },
         "2.25 is not a valid value for field 'F'. The allowed range is 0.5 to 1.5"},
        {"float inside", ftFloat, [](TField* f) { static_cast<TFloatField*>(f)->MaxValue = 1.5; },
         [](TField* f) { f->SetAsFloat(1); }, ""},
        {"bcd below", ftBCD,
         [](TField* f) {
             static_cast<TBCDField*>(f)->MinValue = 10000;
             static_cast<TBCDField*>(f)->MaxValue = 20000;
         },
         [](TField* f) { f->SetAsString("0.5"); },
         "0.5 is not a valid value for field 'F'. The allowed range is 1 to 2"},
        {"largeint above", ftLargeint,
         [](TField* f) {
             static_cast<TLargeintField*>(f)->MinValue = -5;
             static_cast<TLargeintField*>(f)->MaxValue = 5;
         },
         [](TField* f) { f->SetAsLargeInt(6); },
         "6 is not a valid value for field 'F'. The allowed range is -5 to 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneColumn table(c.type);
        c.limit(table.Field());
        EXPECT_EQ(ErrorOf([&] { c.write(table.Field()); }), c.error);
        EXPECT_EQ(table.Field()->IsNull(), !c.error.empty());
    }
}

TEST(FieldFamily, DisplayAndEditFormatsShapeTheText) {
    struct Case {
        const char* name;
        TFieldType type;
        std::function<void(TField*)> arrange;
        std::string displayText;
        std::string text;
    };
    auto numeric = [](TField* f) { return static_cast<TNumericField*>(f); };
    const std::vector<Case> cases = {
        {"integer plain", ftInteger, [](TField* f) { f->SetAsInteger(12345); }, "12345", "12345"},
        {"integer display format", ftInteger,
         [&](TField* f) {
             numeric(f)->DisplayFormat = "#,##0";
             f->SetAsInteger(12345);
         },
         "12,345", "12,345"},
        {"integer edit format", ftInteger,
         [&](TField* f) {
             numeric(f)->DisplayFormat = "#,##0";
             numeric(f)->EditFormat = "0";
             f->SetAsInteger(12345);
         },
         "12,345", "12345"},
        {"float currency", ftFloat,
         [](TField* f) {
             static_cast<TFloatField*>(f)->Currency = true;
             f->SetAsFloat(1234.5);
         },
         "1,234.50", "1234.50"},
        {"float precision", ftFloat,
         [](TField* f) {
             static_cast<TFloatField*>(f)->Precision = 3;
             f->SetAsFloat(3.14159);
         },
         "3.14", "3.14"},
        {"bcd format", ftBCD,
         [&](TField* f) {
             numeric(f)->DisplayFormat = "0.00";
             f->SetAsString("7.125");
         },
         "7.13", "7.13"},
        {"date display format", ftDate,
         [](TField* f) {
             static_cast<TDateTimeField*>(f)->DisplayFormat = "yyyy-mm-dd";
             f->SetAsDateTime(EncodeDate(2024, 2, 29) + 0.75);
         },
         "2024-02-29", "2024-02-29"},
        {"blob", ftBlob, [](TField* f) { f->SetAsString("x"); }, "(BLOB)", "(BLOB)"},
        {"empty memo", ftMemo, [](TField*) {}, "(Memo)", "(Memo)"},
        {"graphic", ftGraphic, [](TField* f) { f->SetAsString("x"); }, "(GRAPHIC)", "(GRAPHIC)"},
        {"bytes", ftBytes, [](TField* f) { f->SetAsString("x"); }, "(BYTES)", "(BYTES)"},
        {"null number", ftFloat, [](TField*) {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneColumn table(c.type, c.type == ftBytes ? 2 : 0);
        c.arrange(table.Field());
        EXPECT_EQ(table.Field()->DisplayText(), c.displayText);
        EXPECT_EQ(table.Field()->Text(), c.text);
    }
}

// A user types what a field shows: under every locale the edit text of a date is its shown text
// whenever that holds the whole value, and both the shown text and the locale's text read back.
TEST(FieldFamily, DatesReadAsTheyAreShownInEveryLocale) {
    const TDateTime day = EncodeDate(2024, 3, 5);
    const TDateTime moment = day + EncodeTime(10, 30, 0, 0);
    struct Case {
        const char* name;
        TFieldType type;
        const char* format;
        TDateTime value;
        const char* shown;  // nullptr: the locale's own text
        bool editAsShown;
    };
    const Case cases[] = {
        {"date as dd.mm.yyyy", ftDate, "dd.mm.yyyy", day, "05.03.2024", true},
        {"date year first", ftDate, "yyyy-mm-dd", day, "2024-03-05", true},
        {"date by the locale", ftDate, "", day, nullptr, true},
        {"minutes shown whole", ftDateTime, "dd.mm.yyyy hh:nn", moment, "05.03.2024 10:30", true},
        // The seconds would be lost on posting: the editor takes the locale's full text instead.
        {"seconds not shown", ftDateTime, "dd.mm.yyyy hh:nn", moment + EncodeTime(0, 0, 7, 0),
         "05.03.2024 10:30", false},
        // Names do not read back.
        {"month names", ftDate, "d mmmm yyyy", day, nullptr, false},
    };
    for (const char* locale : testsupport::kTestLocales) {
        testsupport::LocaleScope scope(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(locale) + ": " + c.name);
            OneColumn table(c.type);
            auto* field = static_cast<TDateTimeField*>(table.Field());
            field->DisplayFormat = c.format;
            field->SetAsDateTime(c.value);
            const std::string localeText = field->AsString();
            if (c.shown != nullptr) {
                EXPECT_EQ(field->DisplayText(), c.shown);
            }
            EXPECT_EQ(field->Text(), c.editAsShown ? field->DisplayText() : localeText);
            for (const std::string& typed : {field->Text(), field->DisplayText(), localeText}) {
                if (typed == field->DisplayText() && !c.editAsShown)
                    continue;
                field->Clear();
                field->SetText(typed);
                EXPECT_EQ(field->AsDateTime(), c.value) << "typed " << typed;
            }
        }
    }
    testsupport::LocaleScope scope("C");
    OneColumn table(ftDate);
    static_cast<TDateTimeField*>(table.Field())->DisplayFormat = "dd.mm.yyyy";
    EXPECT_EQ(ErrorOf([&] { table.Field()->SetText("31.02.2024"); }),
              "'31.02.2024' is not a valid date and time for field 'F'");
}

TEST(FieldFamily, DateAndTimeFieldsKeepOnlyTheirPart) {
    const TDateTime moment = EncodeDate(2023, 7, 14) + EncodeTime(10, 30, 0, 500);
    struct Case {
        TFieldType type;
        TDateTime stored;
    };
    for (const Case& c : std::vector<Case>{
             {ftDate, EncodeDate(2023, 7, 14)}, {ftTime, EncodeTime(10, 30, 0, 500)}, {ftDateTime, moment}}) {
        SCOPED_TRACE(FieldTypeName(c.type));
        OneColumn table(c.type);
        table.Field()->SetAsDateTime(moment);
        EXPECT_DOUBLE_EQ(table.Field()->AsDateTime(), c.stored);
    }
}

TEST(FieldFamily, CurrencyAndLargeIntegersPassWithoutLoss) {
    OneColumn bcd(ftBCD, 4);
    bcd.Field()->SetAsCurrency(123456789012345);  // 12345678901.2345
    EXPECT_EQ(bcd.Field()->AsCurrency(), 123456789012345);
    EXPECT_EQ(bcd.Field()->AsString(), "12345678901.2345");

    OneColumn fmt(ftFMTBcd, 2);
    auto* field = static_cast<TFMTBCDField*>(fmt.Field());
    field->SetAsString("-0.5");
    const TBcd value = field->AsBCD();
    EXPECT_TRUE(BcdIsNegative(value));
    EXPECT_EQ(BcdPlaces(value), 2);
    field->SetAsBCD(value);
    EXPECT_EQ(field->AsString(), "-0.50");

    OneColumn large(ftLargeint);
    large.Field()->SetAsLargeInt(-9000000000000000000);
    EXPECT_EQ(large.Field()->AsLargeInt(), -9000000000000000000);
}

TEST(FieldFamily, GuidFieldsReadBackTheSameGuid) {
    const std::string text = "{00112233-4455-6677-8899-AABBCCDDEEFF}";
    for (int size : {16, 38}) {
        SCOPED_TRACE(size);
        OneColumn table(ftGuid, size);
        auto* field = static_cast<TGuidField*>(table.Field());
        field->SetAsString(text);
        table.ds.Post();
        const Variant stored = table.ds.StoredRow(0)[0];
        EXPECT_EQ(stored.AsString().size(), static_cast<std::size_t>(size));
        EXPECT_EQ(field->AsString(), text);
        EXPECT_EQ(GUIDToString(field->AsGuid()), text);
    }
    EXPECT_EQ(GuidToBytes(GuidFromBytes(std::string("0123456789abcdef"))), "0123456789abcdef");
}

TEST(FieldFamily, ValidCharactersFollowTheKindOfValue) {
    struct Case {
        TFieldType type;
        std::string valid;
        std::string invalid;
    };
    for (const Case& c : std::vector<Case>{
             {ftInteger, "+-09", "a.E "}, {ftFloat, "+-09Ee.", "a, "}, {ftString, "a.E -", ""}}) {
        SCOPED_TRACE(FieldTypeName(c.type));
        OneColumn table(c.type, c.type == ftString ? 5 : 0);
        for (char ch : c.valid) EXPECT_TRUE(table.Field()->IsValidChar(ch)) << ch;
        for (char ch : c.invalid) EXPECT_FALSE(table.Field()->IsValidChar(ch)) << ch;
    }
}

TEST(FieldFamily, BlobsGoThroughTheDataSetsStreams) {
    OneColumn table(ftBlob);
    auto* blob = static_cast<TBlobField*>(table.Field());
    EXPECT_EQ(blob->BlobType(), ftBlob);
    EXPECT_FALSE(blob->Modified);

    TMemoryStream source;
    const std::string content("a\0b", 3);
    source.Write(content.data(), 3);
    blob->LoadFromStream(source);
    EXPECT_TRUE(blob->Modified);
    EXPECT_EQ(blob->BlobSize(), 3);
    table.ds.Post();
    EXPECT_EQ(table.ds.StoredRow(0)[0].AsString(), content);

    TMemoryStream copy;
    blob->SaveToStream(copy);
    EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), 3), content);

    auto reading = table.ds.CreateBlobStream(blob, bmRead);
    EXPECT_EQ(reading->Size(), 3);
    EXPECT_THROW(reading->Write("x", 1), EDatabaseError);
}

TEST(FieldFamily, PersistentFieldsMustHaveTheirColumnsType) {
    struct Case {
        const char* name;
        std::function<TField*(TComponent*)> make;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"integer over text", [](TComponent* o) { return new TIntegerField(o); },
         "Type mismatch for field 'Name', expecting: Integer actual: String"},
        {"date over text", [](TComponent* o) { return new TDateField(o); },
         "Type mismatch for field 'Name', expecting: Date actual: String"},
        {"text over text", [](TComponent* o) { return new TStringField(o); }, ""},
        {"large integer over text", [](TComponent* o) { return new TLargeintField(o); },
         "Type mismatch for field 'Name', expecting: Largeint actual: String"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryDataSet ds;
        ds.SetColumns({"Name"});
        ds.SetColumnType(0, ftString, 10);
        TField* field = c.make(&ds);
        field->FieldName = "Name";
        field->SetDataSet(&ds);
        EXPECT_EQ(ErrorOf([&] { ds.Open(); }), c.error);
        EXPECT_EQ(ds.Active(), c.error.empty());
    }
}

TEST(FieldFamily, FieldsOfTheSameKindOfValueFitEachOthersColumns) {
    struct Case {
        const char* name;
        TFieldType column;
        std::function<TField*(TComponent*)> make;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"smallint over integer", ftInteger, [](TComponent* o) { return new TSmallintField(o); }, true},
        {"integer over autoinc", ftAutoInc, [](TComponent* o) { return new TIntegerField(o); }, true},
        {"float over currency", ftCurrency, [](TComponent* o) { return new TFloatField(o); }, true},
        {"date-time over date", ftDate, [](TComponent* o) { return new TDateTimeField(o); }, true},
        {"text over fixed text", ftFixedChar, [](TComponent* o) { return new TStringField(o); }, true},
        {"blob over memo", ftMemo, [](TComponent* o) { return new TBlobField(o); }, true},
        {"integer over large integer", ftLargeint, [](TComponent* o) { return new TIntegerField(o); }, false},
        {"float over bcd", ftBCD, [](TComponent* o) { return new TFloatField(o); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryDataSet ds;
        ds.SetColumns({"V"});
        ds.SetColumnType(0, c.column, c.column == ftFixedChar ? 5 : 0);
        TField* field = c.make(&ds);
        field->FieldName = "V";
        field->SetDataSet(&ds);
        const std::string error = ErrorOf([&] { ds.Open(); });
        EXPECT_EQ(error.empty(), c.fits) << error;
    }
}

TEST(FieldFamily, APersistentFieldWithoutAColumnIsNotFound) {
    TMemoryDataSet ds;
    ds.SetColumns({"Name"});
    auto* field = new TStringField(&ds);
    field->FieldName = "Missing";
    field->SetDataSet(&ds);
    EXPECT_EQ(ErrorOf([&] { ds.Open(); }), "Field 'Missing' not found");
}

}  // namespace
