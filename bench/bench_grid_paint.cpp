// One full paint of a data grid under the Qt host offscreen, beside Qt's own table showing the same
// data in the same size: a 1280x1024 grid of 40 records in 12 columns with its title row, indicator
// column and one footer row, painted whole; and a QTableView over a QStandardItemModel of the same
// texts rendered by QWidget::render into an image of that size.
#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdlib>
#include <memory>
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int Width = 1280;
constexpr int Height = 1024;
constexpr int Records = 40;
constexpr int Columns = 12;

platform::ui::QtHost& Host() {
    static std::unique_ptr<platform::ui::QtHost> host = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_grid_paint";
        static char* argv[] = {name, nullptr};
        return std::make_unique<platform::ui::QtHost>(argc, argv);
    }();
    return *host;
}

std::string CellText(int record, int column) {
    if (column == 0)
        return std::to_string(record + 1);
    static const char* const words[] = {"Иванов", "ticket", "Кардиология", "check", "Петрова", "каб. 214"};
    return std::string(words[(record + column) % 6]) + " " + std::to_string(record * Columns + column);
}

// The grid on a shown form over an in-memory dataset of Records rows.
struct GridScreen {
    TMemoryDataSet ds;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;

    GridScreen() {
        Host();
        InitializeDBGridEhUnit();
        std::vector<std::string> names;
        for (int c = 0; c < Columns; ++c) names.push_back("F" + std::to_string(c));
        ds.SetColumns(names);
        ds.SetColumnType(0, ftInteger);
        for (int c = 1; c < Columns; ++c) ds.SetColumnType(c, ftString, 40);
        for (int r = 0; r < Records; ++r) {
            TMemoryDataSet::Row row{Variant(r + 1)};
            for (int c = 1; c < Columns; ++c) row.push_back(Variant(CellText(r, c)));
            ds.AddRow(row);
        }
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, Width, Height);
        form->Font()->SetName("DejaVu Sans");
        form->Font()->SetSize(9);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, Width, Height);
        TDBGridColumnsEh& columns = *grid->Columns();
        for (const std::string& name : names) {
            TColumnEh* column = columns.Add();
            column->SetFieldName(name);
            column->SetWidth(Width / Columns - 2);
        }
        grid->SetFooterRowCount(1);
        columns.ColumnAt(0)->Footer()->SetValueType(fvtSum);
        auto* source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        form->Show();
        ds.Open();
        grid->SetDataSource(source);
        grid->SumList()->SetActive(true);
        // The rows of every record, whatever laid the grid out.
        grid->DataLink()->SetBufferCount(Records);
        grid->SetColCount(Columns + 1);
        grid->SetFixedCols(1);
        grid->SetRowCount(grid->TopDataOffset() + Records + 2);
        grid->SetFixedRows(grid->TopDataOffset());
        Application->ProcessMessages();
    }
    ~GridScreen() {
        grid->SetDataSource(nullptr);
        Application->DestroyForms();
        ds.BeforeDestruction();
        FinalizeDBGridEhUnit();
    }
};

void BM_GridPaint(benchmark::State& state) {
    GridScreen screen;
    for (auto _ : state) {
        screen.grid->Repaint();
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(screen.grid->ColCount()) + "x" + std::to_string(screen.grid->RowCount()) +
                   " cells");
}
BENCHMARK(BM_GridPaint)->Unit(benchmark::kMillisecond);

void BM_QtTableViewRender(benchmark::State& state) {
    Host();
    QStandardItemModel model(Records + 1, Columns);
    for (int c = 0; c < Columns; ++c)
        model.setHorizontalHeaderItem(c, new QStandardItem(QString("F%1").arg(c)));
    for (int r = 0; r < Records; ++r)
        for (int c = 0; c < Columns; ++c)
            model.setItem(r, c, new QStandardItem(QString::fromStdString(CellText(r, c))));
    model.setItem(Records, 0, new QStandardItem(QString::number(Records * (Records + 1) / 2)));
    QTableView view;
    view.setModel(&model);
    view.setFont(QFont("DejaVu Sans", 9));
    view.resize(Width, Height);
    for (int c = 0; c < Columns; ++c) view.setColumnWidth(c, Width / Columns - 2);
    view.show();
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_QtTableViewRender)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
