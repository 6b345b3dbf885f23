// Any bytes pasted into a grid over the in-memory dataset, read as tab-separated text or as
// "VCLDBIF" (the first byte chooses), over no selection, every record or the whole grid, with
// the error question answered Yes, No or All. No crash, hang or huge allocation; the dataset is
// back in browse state with its controls enabled whatever the bytes were.
#include <cstdlib>
#include <string>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_import.h"
#include "platform/db/data_source.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

void ImportInto(TCustomDBGridEh& grid, const std::uint8_t* data, std::size_t size, bool vclDbIf, bool all) {
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    const TDBGridEhImportClass importClass =
        vclDbIf ? ImportClass<TDBGridEhImportAsVCLDBIF>() : ImportClass<TDBGridEhImportAsText>();
    try {
        ImportGridFromStream(importClass, &grid, stream, all);
    } catch (const Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ui::HeadlessSession* ui = new platform::ui::HeadlessSession();
    if (size < 2)
        return 0;
    const int answers[] = {IDYES, IDNO, IDALL};
    ui->System().MessageBoxAnswer = answers[(data[1] >> 2) % 3];
    auto form = MakeComponent<TForm>(nullptr);
    TMemoryDataSet ds;
    ds.SetColumns({"ID", "NAME", "DAY", "AMOUNT"});
    ds.SetColumnType(0, ftInteger);
    ds.SetColumnType(1, ftString, 20);
    ds.SetColumnType(2, ftDate);
    ds.SetColumnType(3, ftFloat);
    for (int i = 1; i <= 3; ++i)
        ds.AddRow({Variant(i), Variant("n"), Variant(45000.0 + i), Variant(i * 1.5)});
    auto* source = NewComponent<TDataSource>(form.get());
    source->SetDataSet(&ds);
    ds.Open();
    auto* grid = NewComponent<TCustomDBGridEh>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 400, 300);
    TDBGridColumnsEh& columns = *grid->Columns();
    for (const char* name : {"ID", "NAME", "DAY", "AMOUNT"}) columns.Add()->SetFieldName(name);
    grid->SetDataSource(source);
    if ((data[1] & 2) != 0)
        grid->SetAllowedOperations(grid->AllowedOperations() - TDBGridEhAllowedOperations{alopAppendEh});
    ImportInto(*grid, data + 2, size - 2, (data[0] & 1) != 0, (data[1] & 1) != 0);
    if (ds.State() != dsBrowse || ds.ControlsDisabled())
        std::abort();
    grid->SetDataSource(nullptr);
    ds.BeforeDestruction();
    return 0;
}
