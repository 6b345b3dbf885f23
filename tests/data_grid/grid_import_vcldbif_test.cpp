// "VCLDBIF" read back: every field kind a grid cell edits (binary blobs are read-only cells) and
// NULLs carried from one grid to another unchanged, and
// damaged blocks ending in the format error without a huge allocation or an endless walk.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "data_grid/grid_import.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/variant.h"
#include "platform/ui/dialogs.h"
#include "tests/data_grid/byte_spec.h"
#include "tests/data_grid/grid_export_fixture.h"

namespace {

using grid_export_test::ExportTestGrid;
using grid_export_test::GridExport;

using byte_spec::Bytes;

void Import(TCustomDBGridEh* grid, const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    ImportGridFromStream(ImportClass<TDBGridEhImportAsVCLDBIF>(), grid, stream, true);
}

struct Kind {
    TFieldType type;
    int size;
    Variant value;
};

TEST(GridImportVclDbIf, EveryFieldKindAndNullCrossesBetweenTwoGrids) {
    const std::string blob = Bytes("00 FF 7B 0A");
    const Kind kinds[] = {
        {ftString, 20, Variant("Пётр {x}")},
        {ftFixedChar, 4, Variant("ab")},
        {ftBoolean, 0, Variant(true)},
        {ftMemo, 0, Variant("a\r\nb\tc")},
        {ftLargeint, 0, Variant(std::int64_t{1} << 40)},
        {ftSmallint, 0, Variant(-2)},
        {ftInteger, 0, Variant(-2147483647)},
        {ftWord, 0, Variant(65535)},
        {ftFloat, 0, Variant(1.0 / 3.0)},
        {ftCurrency, 0, Variant(2.25)},
        {ftBCD, 4, Variant(-0.125)},
        {ftDate, 0, Variant::FromDateTime(36526.0)},
        {ftTime, 0, Variant::FromDateTime(0.5)},
        {ftDateTime, 0, Variant::FromDateTime(36526.75)},
        {ftWideString, 10, Variant(blob)},
    };
    GridExport f;
    std::vector<grid_export_test::ColumnSpec> specs;
    TMemoryDataSet::Row values;
    TMemoryDataSet::Row nulls;
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        specs.push_back({"F" + std::to_string(i), kinds[i].type, kinds[i].size});
        values.push_back(kinds[i].value);
        nulls.push_back(Variant::Null());
    }
    f.Define(specs);
    f.ds.AddRow(values);
    f.ds.AddRow(nulls);
    f.Open();
    for (const auto& spec : specs) f.AddColumn(spec.name);
    f.grid->SetMemoAsText(true);
    const std::string bytes = f.Export(ExportClass<TDBGridEhExportAsVCLDBIF>());

    // The second grid holds two records of other values, overwritten from the first.
    auto* other = NewComponent<ExportTestGrid>(f.form);
    TMemoryDataSet target;
    std::vector<std::string> names;
    for (const auto& spec : specs) names.push_back(spec.name);
    target.SetColumns(names);
    for (std::size_t i = 0; i < specs.size(); ++i)
        target.SetColumnType(static_cast<int>(i), specs[i].type, specs[i].size);
    target.AddRow(nulls);
    target.AddRow(values);
    auto* source = NewComponent<TDataSource>(f.form);
    source->SetDataSet(&target);
    target.Open();
    other->SetMemoAsText(true);
    other->SetDataSource(source);
    for (const auto& spec : specs) other->GridColumns().Add()->SetFieldName(spec.name);
    Import(other, bytes);

    ASSERT_EQ(target.StoredRowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        for (std::size_t c = 0; c < specs.size(); ++c) {
            SCOPED_TRACE("row " + std::to_string(row) + " type " + std::to_string(specs[c].type));
            const Variant& want = f.ds.StoredRow(row).at(c);
            const Variant& got = target.StoredRow(row).at(c);
            EXPECT_EQ(got.IsNull(), want.IsNull());
            EXPECT_EQ(VarToStr(got), VarToStr(want));
        }
    }
    other->SetDataSource(nullptr);
    target.BeforeDestruction();
}

TEST(GridImportVclDbIf, DamagedBlocksEndInTheFormatError) {
    const std::string oneColumn = "'VCLDBIF' 01 01 00 00 00 01 00";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"another signature", "'VCLDBIX' 01 01 00 00 00 01 00 00"},
        {"a short header", "'VCLDBIF' 01 01 00"},
        {"a negative column count", "'VCLDBIF' 01 FF FF FF FF 00"},
        {"more columns than bytes", "'VCLDBIF' 01 FF FF FF 7F 01 00 00"},
        {"a column name without its end", "'VCLDBIF' 01 01 00 00 00 01 'ab'"},
        {"no columns and then a value", "'VCLDBIF' 01 00 00 00 00 03 01 00 00 00"},
        {"an unknown tag", oneColumn + " 07"},
        {"a negative length", oneColumn + " 05 FF FF FF FF"},
        {"a length past the end", oneColumn + " 05 10 00 00 00 'ab'"},
        {"a short integer", oneColumn + " 03 01 02"},
        {"a short double", oneColumn + " 04 01 02 03"},
        {"no end tag", oneColumn + " 03 01 00 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridExport f;
        f.Define({{"ID", ftInteger}});
        f.ds.AddRow({Variant(1)});
        f.Open();
        f.AddColumn("ID");
        try {
            Import(f.grid, Bytes(c.bytes));
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "TDBGridEhImportAsVCLDBIF.ReadPrefix: Неверный формат VCLDBIF");
        }
        EXPECT_FALSE(f.ds.ControlsDisabled());
        EXPECT_EQ(f.ds.State(), dsBrowse);
    }
}

TEST(GridImportVclDbIf, NoColumnsThenTheEndIsAnEmptyImport) {
    GridExport f;
    f.Define({{"ID", ftInteger}});
    f.ds.AddRow({Variant(1)});
    f.Open();
    f.AddColumn("ID");
    Import(f.grid, Bytes("'VCLDBIF' 01 00 00 00 00 00"));
    EXPECT_EQ(f.ds.StoredRow(0).at(0).AsInteger(), 1);
}

}  // namespace

namespace {

TEST(GridImportVclDbIf, NumbersNoCalendarDayHoldsAreRefusedByDateFields) {
    for (const double days : {1e300, -1e7, 2958466.0, std::nan("")}) {
        SCOPED_TRACE(days);
        GridExport f;
        f.Define({{"DAY", ftDate}});
        f.ds.AddRow({Variant::FromDateTime(45000.0)});
        f.Open();
        f.AddColumn("DAY");
        f.ui.System().MessageBoxAnswer = IDYES;
        std::string value = "\x04";
        const auto bits = std::bit_cast<std::uint64_t>(days);
        for (int i = 0; i < 8; ++i) value += static_cast<char>(bits >> (8 * i));
        Import(f.grid, Bytes("'VCLDBIF' 01 01 00 00 00 01 00") + value + '\0');
        ASSERT_EQ(f.ui.System().MessageBoxes().size(), 1u);
        EXPECT_NE(f.ui.System().MessageBoxes()[0].Text.find("is not a valid date and time"),
                  std::string::npos);
        EXPECT_EQ(f.ds.StoredRow(0).at(0).AsDouble(), 45000.0);
    }
}

}  // namespace
