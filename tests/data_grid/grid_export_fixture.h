#pragma once
// A grid on a headless form over the in-memory dataset, for the export tests: columns are added
// by field name, the grid shows a window of five records, and Export runs an exporter class over
// the grid into a memory stream and gives back the bytes it wrote.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "data_grid/grid_selection.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/data_grid/row_id_bookmarks.h"
#include "tests/support/memory_dataset.h"

namespace grid_export_test {

class ExportTestGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    // The layout is no part of what an export reads.
    void ApplyLayoutChange() override {}
    // Names the footer cell it was asked for: the exporters ask only for the footers they do
    // not sum themselves.
    std::string GetFooterText(int DataCol, int Row) override {
        return "footer " + std::to_string(DataCol) + "/" + std::to_string(Row);
    }
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }
};

struct ColumnSpec {
    std::string name;
    TFieldType type;
    int size = 0;
};

using row_id_bookmarks::BookmarkOf;

struct GridExport {
    static constexpr int RowsShown = 5;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    ExportTestGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    GridExport() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 400);
        grid = NewComponent<ExportTestGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 300);
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
    }
    ~GridExport() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    GridExport(const GridExport&) = delete;
    GridExport& operator=(const GridExport&) = delete;

    void Define(const std::vector<ColumnSpec>& specs) {
        std::vector<std::string> names;
        for (const ColumnSpec& spec : specs) names.push_back(spec.name);
        ds.SetColumns(names);
        for (std::size_t i = 0; i < specs.size(); ++i)
            ds.SetColumnType(static_cast<int>(i), specs[i].type, specs[i].size);
    }
    void Open() {
        ds.Open();
        grid->SetDataSource(source);
        grid->DataLink()->SetBufferCount(RowsShown);
    }
    TColumnEh* AddColumn(const std::string& fieldName, const std::string& caption = {}) {
        TColumnEh* column = grid->GridColumns().Add();
        column->SetFieldName(fieldName);
        column->Title()->SetCaption(caption.empty() ? fieldName : caption);
        return column;
    }
    TColumnEh* Column(int index) const { return grid->GridColumns().ColumnAt(index); }
    TColumnFooterEh* Footer(int column, int row = 0) const {
        return static_cast<TColumnFooterEh*>(Column(column)->FooterAt(row));
    }
    TDBGridEhSelection& Selection() const { return dynamic_cast<TDBGridEhSelection&>(*grid->Selection()); }
    void GoTo(int id) {
        ds.First();
        ds.MoveBy(id - 1);
    }
    void SelectRows(const std::vector<int>& ids) {
        for (int id : ids) {
            GoTo(id);
            grid->SelectedRows()->SelectCurrentRow(true);
        }
    }
    void SetTitles(bool on) {
        TDBGridEhOptions options = grid->Options();
        if (on)
            options.Include(gdoTitlesEh);
        else
            options.Exclude(gdoTitlesEh);
        grid->SetOptions(options);
    }
    std::string Export(const TDBGridEhExportClass& exportClass, bool all = true) {
        TMemoryStream stream;
        ExportGridToStream(exportClass, grid, stream, all);
        return std::string(static_cast<const char*>(stream.Memory()),
                           static_cast<std::size_t>(stream.Size()));
    }
    std::string Text(bool all = true) { return Export(ExportClass<TDBGridEhExportAsText>(), all); }
};

}  // namespace grid_export_test
