// A grid's stored form: its columns and their titles read from any text, the stored column order
// (a comma text of field names) applied through the collection's interceptor, the sort-marked
// list rebuilt from whatever indexes were read, and the grid written back. No crash, no hang.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "data_grid/column_interceptors.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "platform/ui/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ui::HeadlessSession* ui = new platform::ui::HeadlessSession();
    (void)ui;
    FuzzedDataProvider in(data, size);
    const std::string order = in.ConsumeRandomLengthString(256);
    const bool autoFit = in.ConsumeBool();
    const std::string form = in.ConsumeRemainingBytesAsString();
    auto grid = MakeComponent<TCustomDBGridEh>(nullptr);
    grid->SetName("Grid1");
    grid->SetAutoFitColWidths(autoFit);
    try {
        TReader(form).ReadRootComponent(*grid);
    } catch (const Exception&) {
    }
    TDBGridColumnsEh& columns = *grid->Columns();
    TColumnsEhPropertyInterceptor stored(&columns);
    stored.SetColumnsIndex(order);
    for (int i = 0; i < columns.Count(); ++i) {
        TColumnEhPropertyInterceptor width(columns.ColumnAt(i));
        width.SetWidth(columns.ColumnAt(i)->Width());
        columns.ColumnAt(i)->Title()->SortMarkerAreaWidth();
    }
    grid->RebuildSortMarkedList();
    for (IGridColumnEh* column : grid->SortMarkedColumns())
        if (column == nullptr)
            std::abort();
    try {
        ComponentToText(*grid);
    } catch (const Exception&) {
    }
    return 0;
}
