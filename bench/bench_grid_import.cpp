// Pasting 100,000 records of "VCLDBIF" (integer, text, float and date columns) into an empty
// dataset behind a grid, beside a plain loop appending the same values to the same kind of
// dataset through its fields. Each run starts from a fresh, empty in-memory dataset.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_import.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int RecordCount = 100000;
const char* const Names[] = {"ID", "NAME", "PRICE", "DAY"};

struct Record {
    int id;
    std::string name;
    double price;
    double day;
};

std::vector<Record> MakeRecords() {
    std::vector<Record> records;
    records.reserve(RecordCount);
    for (int i = 1; i <= RecordCount; ++i)
        records.push_back({i, "Пациент " + std::to_string(i), i * 0.25, 36526.0 + i % 9000});
    return records;
}

void PutInt32(std::string& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

void PutDouble(std::string& out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) out += static_cast<char>(bits >> (8 * i));
}

// The records as the grid's copy writes them.
std::string VclDbIf(const std::vector<Record>& records) {
    std::string out = "VCLDBIF";
    out += '\1';
    PutInt32(out, 4);
    for (int c = 0; c < 4; ++c) out += std::string("\1\0", 2);
    for (const Record& r : records) {
        out += '\3';
        PutInt32(out, r.id);
        out += '\5';
        PutInt32(out, static_cast<std::int32_t>(r.name.size()));
        out += r.name;
        out += '\4';
        PutDouble(out, r.price);
        out += '\4';
        PutDouble(out, r.day);
    }
    out += '\0';
    return out;
}

void Define(TMemoryDataSet& data) {
    data.SetColumns({"ID", "NAME", "PRICE", "DAY"});
    data.SetColumnType(0, ftInteger);
    data.SetColumnType(1, ftString, 40);
    data.SetColumnType(2, ftFloat);
    data.SetColumnType(3, ftDate);
}

// A shown grid whose dataset is made anew for each run.
class ImportedGrid {
  public:
    ImportedGrid() {
        form_->SetBounds(0, 0, 600, 400);
        grid_ = NewComponent<TCustomDBGridEh>(form_.get());
        grid_->SetParent(form_.get());
        grid_->SetBounds(0, 0, 580, 380);
        source_ = NewComponent<TDataSource>(form_.get());
        TDBGridColumnsEh& columns = *grid_->Columns();
        for (const char* name : Names) columns.Add()->SetFieldName(name);
        form_->Show();
    }
    ~ImportedGrid() { Detach(); }
    ImportedGrid(const ImportedGrid&) = delete;
    ImportedGrid& operator=(const ImportedGrid&) = delete;

    TMemoryDataSet& Fresh() {
        Detach();
        data_ = std::make_unique<TMemoryDataSet>();
        Define(*data_);
        data_->Open();
        source_->SetDataSet(data_.get());
        grid_->SetDataSource(source_);
        return *data_;
    }
    void Import(const std::string& bytes) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        stream.SetPosition(0);
        ImportGridFromStream(ImportClass<TDBGridEhImportAsVCLDBIF>(), grid_, stream, false);
    }

  private:
    void Detach() {
        if (!data_)
            return;
        grid_->SetDataSource(nullptr);
        source_->SetDataSet(nullptr);
        data_->BeforeDestruction();
        data_.reset();
    }
    platform::ui::HeadlessSession ui_;
    TObjectPtr<TForm> form_ = MakeComponent<TForm>(nullptr);
    TCustomDBGridEh* grid_ = nullptr;
    TDataSource* source_ = nullptr;
    std::unique_ptr<TMemoryDataSet> data_;
};

void BM_ImportVclDbIf(benchmark::State& state) {
    const std::string bytes = VclDbIf(MakeRecords());
    ImportedGrid grid;
    for (auto _ : state) {
        state.PauseTiming();
        TMemoryDataSet& data = grid.Fresh();
        state.ResumeTiming();
        grid.Import(bytes);
        if (data.StoredRowCount() != RecordCount)
            state.SkipWithError("records missing");
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

// The same values appended through the fields, with the grid attached and its controls disabled
// as the import has them.
void BM_AppendLoop(benchmark::State& state) {
    const std::vector<Record> records = MakeRecords();
    ImportedGrid grid;
    for (auto _ : state) {
        state.PauseTiming();
        TMemoryDataSet& data = grid.Fresh();
        state.ResumeTiming();
        data.DisableControls();
        TField* id = data.FieldByName("ID");
        TField* name = data.FieldByName("NAME");
        TField* price = data.FieldByName("PRICE");
        TField* day = data.FieldByName("DAY");
        for (const Record& r : records) {
            data.Append();
            id->SetValue(Variant(r.id));
            name->SetValue(Variant(r.name));
            price->SetValue(Variant(r.price));
            day->SetValue(Variant(r.day));
            data.Post();
        }
        data.EnableControls();
        if (data.StoredRowCount() != RecordCount)
            state.SkipWithError("records missing");
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

}  // namespace

BENCHMARK(BM_ImportVclDbIf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AppendLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
