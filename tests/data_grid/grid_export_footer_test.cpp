// Exported sum and count footers: the exporter's own sums written by the summed field's type, with
// and without the footer's or the field's display format.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/db/bcd_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/grid_export_fixture.h"

namespace {

using grid_export_test::GridExport;

struct FooterCase {
    const char* what;
    TFieldType type;
    int size;
    std::vector<Variant> values;
    TFooterValueType valueType;
    const char* footerFormat;
    // Changes the field once the dataset is open (its display format, precision, currency).
    std::function<void(TField*)> tune;
    const char* text;
};

std::string FooterText(const FooterCase& c) {
    GridExport f;
    f.Define({{"V", c.type, c.size}});
    for (const Variant& value : c.values) f.ds.AddRow({value});
    f.Open();
    if (c.tune)
        c.tune(f.ds.FieldByName("V"));
    f.AddColumn("V");
    f.SetTitles(false);
    f.grid->SetFooterRowCount(1);
    f.Footer(0)->SetValueType(c.valueType);
    f.Footer(0)->SetDisplayFormat(c.footerFormat);
    const std::string text = f.Text();
    const std::size_t lastLine = text.rfind("\r\n");
    return lastLine == std::string::npos ? text : text.substr(lastLine + 2);
}

template <class F>
std::function<void(TField*)> FieldFormat(const char* format) {
    return [format](TField* field) { dynamic_cast<F*>(field)->DisplayFormat = format; };
}

TEST(GridExportFooters, SumsAreWrittenByTheFieldType) {
    SetNumberFormat(TNumberFormat{'.', ','});
    const Variant null = Variant::Null();
    const FooterCase cases[] = {
        {"integer as integer", ftInteger, 0, {Variant(1), Variant(2), null, Variant(4)}, fvtSum, "", {}, "7"},
        {"integer through the footer's format",
         ftInteger,
         0,
         {Variant(1000), Variant(234)},
         fvtSum,
         "#,##0.00",
         {},
         "1,234.00"},
        {"small integer through the field's format",
         ftSmallint,
         0,
         {Variant(3), Variant(4)},
         fvtSum,
         "",
         FieldFormat<TNumericField>("0 шт"),
         "7 шт"},
        {"word as integer", ftWord, 0, {Variant(5), Variant(6)}, fvtSum, "", {}, "11"},
        {"float in the general format", ftFloat, 0, {Variant(1.25), Variant(2.5)}, fvtSum, "", {}, "3.75"},
        {"float at the field's precision",
         ftFloat,
         0,
         {Variant(1.2345)},
         fvtSum,
         "",
         [](TField* field) { dynamic_cast<TFloatField*>(field)->Precision = 3; },
         "1.23"},
        {"float through the footer's format",
         ftFloat,
         0,
         {Variant(1.25), Variant(2.5)},
         fvtSum,
         "0.0",
         {},
         "3.8"},
        {"currency as money", ftCurrency, 0, {Variant(1234.5), Variant(0.25)}, fvtSum, "", {}, "1,234.75"},
        {"currency through the footer's format",
         ftCurrency,
         0,
         {Variant(1234.5), Variant(0.25)},
         fvtSum,
         "0.000",
         {},
         "1234.750"},
        {"BCD exact", ftBCD, 4, {Variant(12345.6789), Variant(0.0001), null}, fvtSum, "", {}, "12345.679"},
        {"BCD through the field's format as money",
         ftBCD,
         4,
         {Variant(12345.6789), Variant(0.0001)},
         fvtSum,
         "",
         FieldFormat<TNumericField>("#,##0.0000"),
         "12,345.6790"},
        {"BCD marked as currency",
         ftBCD,
         4,
         {Variant(99.999), Variant(0.001)},
         fvtSum,
         "",
         [](TField* field) { dynamic_cast<TBCDField*>(field)->Currency = true; },
         "100.00"},
        {"FMT BCD exact beyond a double's digits",
         ftFMTBcd,
         4,
         {Variant("90000000000000.0001"), Variant("0.0002"), null},
         fvtSum,
         "",
         {},
         "90000000000000.0003"},
        {"a date sum has no text", ftDate, 0, {Variant(36526.0)}, fvtSum, "", {}, ""},
        {"a count of every record, NULLs too",
         ftString,
         10,
         {Variant("a"), null, Variant("c")},
         fvtCount,
         "",
         {},
         "3"},
        {"no records", ftInteger, 0, {}, fvtSum, "", {}, "0"},
    };
    for (const FooterCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FooterText(c), c.text);
    }
    ReloadNumberFormat();
}

}  // namespace
