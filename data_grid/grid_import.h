#pragma once
// Reading tab-separated text and the binary "VCLDBIF" form back into the dataset behind a grid:
// over the selected cells, over the records from the current one on, or into new records. The
// base class walks the selection; each reader gives the walk its rows and cells.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/columns.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"

class TColumnEh;
class TCustomDBGridEh;
class TDataSet;
class TField;
class TStream;

class TDBGridEhImport : public TObject {
  public:
    TDBGridEhImport() = default;
    std::string ClassName() const override { return "TDBGridEhImport"; }

    // The grid imported into; not owned.
    TCustomDBGridEh* Grid() const { return grid_; }
    void SetGrid(TCustomDBGridEh* Value) { grid_ = Value; }
    // The stream of the import under way; not owned.
    TStream* Stream = nullptr;
    // The columns receiving values in the import under way; not owned.
    TColumnsEhList ImportColumns;
    bool EndOfSource = false;

    // Writes what the stream holds over the grid's selection (the whole grid with ImportAll).
    // Answering No at an error question ends it with EAbort, the record being written cancelled.
    virtual void ImportStream(TStream& AStream, bool ImportAll);
    virtual void ImportFile(const std::string& FileName, bool ImportAll);

  protected:
    virtual void ReadPrefix() {}
    virtual void ReadTrailer() {}
    virtual void ReadRow(TColumnsEhList& Columns);
    virtual void ReadCell(TColumnEh* /*Column*/) {}

    // Appends (in append mode) or inserts records, one per source row, until the source ends.
    void InsertImportedRows(TColumnsEhList& Columns);

    // Puts the target's dataset in edit state when it can be modified; false when it is in
    // neither edit nor insert state afterwards.
    static bool BeginTargetEdit(TField& Target);
    // Runs Write; a failure goes to the question unless all errors are ignored.
    void GuardedWrite(const std::function<void()>& Write);
    bool IgnoreAllErrors = false;
    bool AppendMode = false;

  private:
    void ImportSelection(TDataSet& DataSet, int Kind, bool Inserting);
    void ImportFromCurrent(TDataSet& DataSet, bool Inserting);
    void ImportRows(TDataSet& DataSet);
    void ImportRectangle(TDataSet& DataSet);
    void ImportFromFirst(TDataSet& DataSet);
    void AddVisibleColumns(int From, int To);
    void AskAboutError(const std::string& Message);
    TCustomDBGridEh* grid_ = nullptr;
};

// Tab-separated text, rows ended by CR LF or LF; a cell in double quotes (its quotes doubled)
// reads back whole. Reading stops at a zero byte or the stream's end.
class TDBGridEhImportAsText : public TDBGridEhImport {
  public:
    std::string ClassName() const override { return "TDBGridEhImportAsText"; }
    void ImportStream(TStream& AStream, bool ImportAll) override;

    // The last character read.
    char PreviousChar = 0;
    // 0 a text character, 1 a TAB, 2 a line end, 3 the end of the source.
    int PreviousState = 0;
    // The current cell's text.
    std::string LastText;

  protected:
    void ReadPrefix() override;
    void ReadRow(TColumnsEhList& Columns) override;
    void ReadCell(TColumnEh* Column) override;

  private:
    bool NextChar(char& Char);
    void CheckState();
    void ReadCellText();
    bool ReadQuotedCellText();
    void GiveCell(TColumnsEhList& Columns, int& Index);
    void WriteText(TColumnEh& Column, TField& Target);
    bool terminated_ = false;
};

// The binary form the grid's copy writes: a 12-byte header, a visibility byte and a name per
// column, then tagged values, row by row, until a zero tag.
class TDBGridEhImportAsVCLDBIF : public TDBGridEhImport {
  public:
    std::string ClassName() const override { return "TDBGridEhImportAsVCLDBIF"; }
    void ImportStream(TStream& AStream, bool ImportAll) override;

    // The header as read: "VCLDBIF", the version byte, the column count.
    char Signature[7] = {};
    std::uint8_t Version = 0;
    std::int32_t ColumnCount = 0;
    std::vector<std::string> ColumnNames;
    // The next cell's value, read ahead; empty (unassigned) for a cell that carries none.
    Variant CurrentValue;

  protected:
    void ReadPrefix() override;
    void ReadRow(TColumnsEhList& Columns) override;
    void ReadCell(TColumnEh* Column) override;

  private:
    void ReadNextValue();
    void ReadExactly(void* Buffer, std::int64_t Count);
    std::int32_t ReadInt32();
    std::int64_t BytesLeft();
    [[noreturn]] static void FormatError();
};

// An importer class: makes a new importer of its class.
using TDBGridEhImportClass = std::function<std::unique_ptr<TDBGridEhImport>()>;
template <class T>
TDBGridEhImportClass ImportClass() {
    return [] { return std::unique_ptr<TDBGridEhImport>(std::make_unique<T>()); };
}

// Makes an importer of the class, imports the stream into the grid and frees it on every path.
void ImportGridFromStream(const TDBGridEhImportClass& ImportClass, TCustomDBGridEh* Grid, TStream& Stream,
                          bool ImportAll);
