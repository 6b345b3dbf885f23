// The importers' shared walk over the grid's selection: which columns take values and which
// records receive the source's rows, with the grid's data position kept and the dataset's
// controls disabled while the walk moves through the records.
#include "data_grid/grid_import.h"

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export_position.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/ui/dialogs.h"

namespace {

TColumnEh* ColumnOf(IGridColumnEh* Column) {
    return dynamic_cast<TColumnEh*>(Column);
}

bool Editing(const TDataSet& DataSet) {
    return DataSet.State() == dsEdit || DataSet.State() == dsInsert;
}

// Runs Walk; a walk ended by the user drops the record it was writing, so that returning to the
// saved position does not post half a row.
void CancellingOnAbort(TDataSet& DataSet, const std::function<void()>& Walk) {
    try {
        Walk();
    } catch (const EAbort&) {
        if (Editing(DataSet))
            DataSet.Cancel();
        throw;
    }
}

}  // namespace

void TDBGridEhImport::ImportFile(const std::string& FileName, bool ImportAll) {
    TFileStream file(FileName, fmOpenRead);
    ImportStream(file, ImportAll);
}

void TDBGridEhImport::ImportStream(TStream& AStream, bool ImportAll) {
    Stream = &AStream;
    EndOfSource = false;
    TDataSet* dataSet = Grid()->DataLink()->Active() ? Grid()->DataLink()->DataSet() : nullptr;
    if (dataSet == nullptr)
        return;
    if (ImportAll) {
        Grid()->Selection()->Reset();
        dataSet->First();
        if (!Grid()->VisibleColumns().empty())
            Grid()->SelectColumnByIndex(0);
    }
    const int kind = Grid()->Selection()->Kind();
    AppendMode = dataSet->Eof();
    const bool inserting = dataSet->State() == dsInsert;
    const auto walk = [&] {
        CancellingOnAbort(*dataSet, [&] { ImportSelection(*dataSet, kind, inserting); });
    };
    if (inserting) {
        dataSet->DisableControls();
        try {
            walk();
        } catch (...) {
            dataSet->EnableControls();
            throw;
        }
        dataSet->EnableControls();
    } else {
        TGridDataPositionEh(*Grid()).Run(walk);
    }
    ReadTrailer();
}

void TDBGridEhImport::AddVisibleColumns(int From, int To) {
    IGridColumnsEh& columns = *Grid()->ColumnsPart();
    for (int i = std::max(From, 0); i <= To && i < columns.Count(); ++i) {
        TColumnEh* column = ColumnOf(columns.Items(i));
        if (column != nullptr && column->Visible())
            ImportColumns.Add(column);
    }
}

void TDBGridEhImport::ImportSelection(TDataSet& DataSet, int Kind, bool Inserting) {
    ImportColumns.Clear();
    TDBGridEhSelection& selection = *Grid()->Selection();
    switch (Kind) {
        case gskNoneEh:
            return ImportFromCurrent(DataSet, Inserting);
        case gskRowsEh:
            AddVisibleColumns(0, Grid()->ColumnsPart()->Count() - 1);
            ReadPrefix();
            return Inserting ? InsertImportedRows(ImportColumns) : ImportRows(DataSet);
        case gskRectangleEh:
            AddVisibleColumns(selection.Rect().LeftColIndex(), selection.Rect().RightColIndex());
            ReadPrefix();
            return Inserting ? InsertImportedRows(ImportColumns) : ImportRectangle(DataSet);
        case gskColumnsEh:
            for (int i = 0; i < selection.Columns().Count(); ++i)
                if (TColumnEh* column = ColumnOf(selection.Columns().Items(i)))
                    ImportColumns.Add(column);
            ReadPrefix();
            return Inserting ? InsertImportedRows(ImportColumns) : ImportFromFirst(DataSet);
        default:
            AddVisibleColumns(0, Grid()->ColumnsPart()->Count() - 1);
            ReadPrefix();
            return Inserting ? InsertImportedRows(ImportColumns) : ImportFromFirst(DataSet);
    }
}

// No selection: the current column rightwards, the current record downwards, and whatever the
// records cannot hold appended when the grid allows it.
void TDBGridEhImport::ImportFromCurrent(TDataSet& DataSet, bool Inserting) {
    std::vector<IGridColumnEh*>& visible = Grid()->VisibleColumns();
    for (std::size_t i = std::max(Grid()->SelectedColumnIndex(), 0); i < visible.size(); ++i)
        if (TColumnEh* column = ColumnOf(visible[i]))
            ImportColumns.Add(column);
    ReadPrefix();
    if (Inserting)
        return InsertImportedRows(ImportColumns);
    while (!DataSet.Eof() && !EndOfSource) {
        ReadRow(ImportColumns);
        DataSet.Next();
    }
    if (!EndOfSource && Grid()->AllowedOperations().Contains(alopAppendEh)) {
        AppendMode = true;
        InsertImportedRows(ImportColumns);
    }
}

void TDBGridEhImport::ImportRows(TDataSet& DataSet) {
    IGridSelectedRowsEh& rows = *Grid()->SelectedRowsPart();
    for (int i = 0; i < rows.Count(); ++i) {
        DataSet.GotoBookmark(rows.ItemAt(i));
        ReadRow(ImportColumns);
    }
}

void TDBGridEhImport::ImportRectangle(TDataSet& DataSet) {
    TDBGridEhSelectionRect& rect = Grid()->Selection()->Rect();
    rect.ForEachRow(DataSet, [this] { ReadRow(ImportColumns); });
}

void TDBGridEhImport::ImportFromFirst(TDataSet& DataSet) {
    DataSet.First();
    while (!DataSet.Eof()) {
        ReadRow(ImportColumns);
        DataSet.Next();
    }
}

void TDBGridEhImport::InsertImportedRows(TColumnsEhList& Columns) {
    TDataSet& dataSet = *Grid()->DataLink()->DataSet();
    while (!EndOfSource) {
        if (AppendMode)
            dataSet.Append();
        else
            dataSet.Insert();
        ReadRow(Columns);
        dataSet.Post();
        if (!AppendMode)
            dataSet.Next();
    }
}

void TDBGridEhImport::ReadRow(TColumnsEhList& Columns) {
    for (int i = 0; i < Columns.Count(); ++i) ReadCell(Columns.ColumnAt(i));
}

bool TDBGridEhImport::BeginTargetEdit(TField& Target) {
    TDataSet* dataSet = Target.DataSet();
    if (dataSet == nullptr)
        return false;
    if (dataSet->CanModify() && !Editing(*dataSet))
        dataSet->Edit();
    return Editing(*dataSet);
}

void TDBGridEhImport::GuardedWrite(const std::function<void()>& Write) {
    try {
        Write();
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& error) {
        if (!IgnoreAllErrors)
            AskAboutError(error.Message);
    }
}

void TDBGridEhImport::AskAboutError(const std::string& Message) {
    const std::string text = "Ошибка при вставки значения:\n" + Message + "\n\nИгнорировать ошибку?";
    switch (MessageBox(text, "Error", MB_YESNOALL | MB_ICONERROR)) {
        case IDNO:
            throw EAbort();
        case IDALL:
            IgnoreAllErrors = true;
            break;
        default:
            break;
    }
}

void ImportGridFromStream(const TDBGridEhImportClass& ImportClass, TCustomDBGridEh* Grid, TStream& Stream,
                          bool ImportAll) {
    std::unique_ptr<TDBGridEhImport> importer = ImportClass();
    importer->SetGrid(Grid);
    importer->ImportStream(Stream, ImportAll);
}
