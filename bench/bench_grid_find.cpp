// The find dialog finding a text in the last of 100,000 records (three columns, all searched, letter
// case ignored), beside a plain loop over the same records comparing each field's upper-cased
// AsString with the upper-cased pattern.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/push_button.h"
#include "tests/data_grid/people_grid.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int Records = 100000;
const std::string Pattern = "последний";

struct Patient {
    int id;
    std::string name;
    std::string city;
};

// Only the last one lives in the city the search looks for.
std::vector<Patient> Patients() {
    std::vector<Patient> patients;
    patients.reserve(Records);
    for (int i = 1; i <= Records; ++i)
        patients.push_back(
            {i, "Пациент Иванов " + std::to_string(i), i == Records ? "Тверь, ПОСЛЕДНИЙ" : "Москва"});
    return patients;
}

struct FindBench {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    FindBench() {
        InitializeDBGridEhUnit();
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 300);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 280);
        source = ShowPeopleInGrid(*grid, ds, Patients(), 40, form);
        form->Show();
        ui.ProcessMessages();
    }
    ~FindBench() {
        grid->SetDataSource(nullptr);
        Application->DestroyForms();
        ds.BeforeDestruction();
        FinalizeDBGridEhUnit();
    }
};

void BM_FindDialog(benchmark::State& state) {
    FindBench bench;
    ShowGridFindDialog(bench.grid, Pattern, {}, false);
    TDBGridEhFindDlg& dialog = *GridFindDialog();
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    dialog.cbFindDirection->SetItemIndex(fdAllEh);
    dialog.cbUseFormat->SetChecked(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        bench.ds.First();
        dialog.cbText->SetText(Pattern);  // a fresh search from the first record
        state.ResumeTiming();
        dialog.bFindClick(dialog.bFind);
        if (bench.ds.FieldByName("ID")->AsInteger() != Records)
            state.SkipWithError("the last record was not found");
    }
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_FindDialog)->Arg(0)->Arg(1)->ArgName("display_format")->Unit(benchmark::kMillisecond);

void BM_PlainUpperCaseLoop(benchmark::State& state) {
    FindBench bench;
    const std::string pattern = AnsiUpperCase(Pattern);
    TField* fields[] = {bench.ds.FieldByName("ID"), bench.ds.FieldByName("NAME"),
                        bench.ds.FieldByName("CITY")};
    for (auto _ : state) {
        bench.ds.DisableControls();
        bench.ds.First();
        bool found = false;
        while (!found && !bench.ds.Eof()) {
            for (TField* field : fields)
                if (AnsiUpperCase(field->AsString()).find(pattern) != std::string::npos) {
                    found = true;
                    break;
                }
            if (!found)
                bench.ds.Next();
        }
        bench.ds.EnableControls();
        if (!found)
            state.SkipWithError("the last record was not found");
    }
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_PlainUpperCaseLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
