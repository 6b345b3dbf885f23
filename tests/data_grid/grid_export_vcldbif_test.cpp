// The binary interchange export byte for byte: its header, one tagged value per field kind, NULLs,
// columns without a field, and lookup columns, which carry their key rather than their text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/byte_spec.h"
#include "tests/data_grid/grid_export_fixture.h"
#include "tests/support/add_field.h"

namespace {

using grid_export_test::GridExport;

using byte_spec::Bytes;

// Signature, version, one column shown, its empty name.
const std::string OneColumnHeader = Bytes("'VCLDBIF' 01 01 00 00 00 01 00");

TEST(GridExportVclDbIf, TwoColumnsWithoutRecordsAreHeaderColumnBytesAndEnd) {
    GridExport f;
    f.Define({{"ID", ftInteger}, {"NAME", ftString, 10}});
    f.Open();
    f.AddColumn("ID");
    f.AddColumn("NAME");
    const std::string bytes = f.Export(ExportClass<TDBGridEhExportAsVCLDBIF>());
    EXPECT_EQ(bytes.size(), 17u);
    EXPECT_EQ(bytes, Bytes("'VCLDBIF' 01 02 00 00 00 01 00 01 00 00"));
}

TEST(GridExportVclDbIf, EveryFieldKindWritesItsTaggedValue) {
    struct Case {
        TFieldType type;
        int size;
        Variant value;
        const char* bytes;
    };
    const Case cases[] = {
        {ftString, 10, Variant("Ab"), "05 02 00 00 00 'Ab'"},
        {ftString, 10, Variant("Я"), "05 02 00 00 00 D0 AF"},
        {ftFixedChar, 4, Variant("ab"), "05 02 00 00 00 'ab'"},
        {ftBoolean, 0, Variant(true), "05 04 00 00 00 'True'"},
        {ftMemo, 0, Variant("a\r\nb"), "05 04 00 00 00 'a' 0D 0A 'b'"},
        {ftLargeint, 0, Variant(std::int64_t{1} << 40), "05 0D 00 00 00 '1099511627776'"},
        {ftSmallint, 0, Variant(-2), "03 FE FF FF FF"},
        {ftInteger, 0, Variant(0x01020304), "03 04 03 02 01"},
        {ftWord, 0, Variant(65535), "03 FF FF 00 00"},
        {ftAutoInc, 0, Variant(7), "03 07 00 00 00"},
        {ftFloat, 0, Variant(1.5), "04 00 00 00 00 00 00 F8 3F"},
        {ftCurrency, 0, Variant(2.25), "04 00 00 00 00 00 00 02 40"},
        {ftBCD, 4, Variant(-0.125), "04 00 00 00 00 00 00 C0 BF"},
        {ftFMTBcd, 4, Variant("0.5"), "04 00 00 00 00 00 00 E0 3F"},
        {ftDate, 0, Variant(36526.0), "04 00 00 00 00 C0 D5 E1 40"},
        {ftTime, 0, Variant(0.5), "04 00 00 00 00 00 00 E0 3F"},
        {ftDateTime, 0, Variant(36526.5), "04 00 00 00 00 D0 D5 E1 40"},
        {ftBlob, 0, Variant(Bytes("00 FF 7B")), "06 03 00 00 00 00 FF 7B"},
        {ftGraphic, 0, Variant(Bytes("01")), "06 01 00 00 00 01"},
        {ftWideString, 10, Variant("w"), "06 01 00 00 00 'w'"},
        {ftVariant, 0, Variant(5), "01"},
        {ftInteger, 0, Variant::Null(), "02"},
        {ftString, 10, Variant::Null(), "02"},
        {ftBlob, 0, Variant::Null(), "02"},
    };
    for (const Case& c : cases) {
        std::ostringstream what;
        what << "type " << static_cast<int>(c.type) << " value " << VarToStr(c.value);
        SCOPED_TRACE(what.str());
        GridExport f;
        f.Define({{"V", c.type, c.size}});
        f.ds.AddRow({c.value});
        f.Open();
        f.AddColumn("V");
        EXPECT_EQ(f.Export(ExportClass<TDBGridEhExportAsVCLDBIF>()), OneColumnHeader + Bytes(c.bytes) + '\0');
    }
}

TEST(GridExportVclDbIf, RecordsFollowEachOtherAndAColumnWithoutFieldHasNoValue) {
    GridExport f;
    f.Define({{"ID", ftInteger}});
    f.ds.AddRow({Variant(1)});
    f.ds.AddRow({Variant(2)});
    f.Open();
    f.AddColumn("ID");
    f.AddColumn("MISSING");
    f.Column(0)->SetVisible(false);
    f.Selection().Columns().SelectColumn(f.Column(0), false);
    f.Selection().Columns().SelectColumn(f.Column(1), true);
    EXPECT_EQ(f.Export(ExportClass<TDBGridEhExportAsVCLDBIF>(), false),
              Bytes("'VCLDBIF' 01 02 00 00 00 00 00 01 00 03 01 00 00 00 01 03 02 00 00 00 01 00"));
}

TEST(GridExportVclDbIf, ALookupColumnCarriesItsKeyAndShowsItsTextElsewhere) {
    GridExport f;
    TMemoryDataSet cities;
    cities.SetColumns({"ID", "NAME"});
    cities.SetColumnType(0, ftInteger);
    cities.SetColumnType(1, ftString, 20);
    cities.AddRow({Variant(5), Variant("Москва")});
    cities.Open();
    f.ds.SetColumns({"CITY_ID"});
    f.ds.SetColumnType(0, ftInteger);
    f.ds.AddRow({Variant(5)});
    AddField<TIntegerField>(f.ds, "CITY_ID");
    AddLookupField<TStringField>(f.ds, "CITY", 20, cities, "CITY_ID", "ID", "NAME");
    f.Open();
    f.AddColumn("CITY");
    f.SetTitles(false);
    EXPECT_EQ(f.Export(ExportClass<TDBGridEhExportAsVCLDBIF>()),
              OneColumnHeader + Bytes("03 05 00 00 00 00"));
    EXPECT_EQ(f.Text(), "Москва");
    EXPECT_EQ(f.Export(ExportClass<TDBGridEhExportAsCSV>()), "\"Москва\"");
    f.grid->SetDataSource(nullptr);
    f.ds.Close();
    cities.BeforeDestruction();
}

}  // namespace
