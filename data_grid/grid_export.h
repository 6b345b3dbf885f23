#pragma once
// Writing what the user selected in a data grid (or the whole grid) to a stream: tab-separated
// text, CSV, RTF and the binary "VCLDBIF" interchange form the grid's own paste reads back. One
// exporter class per format; the base class walks the selection, fills each cell's parameters as
// the grid would paint them, sums the footers over the exported records and hands every piece to
// the format's put operations.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/column_cell_params.h"
#include "data_grid/columns.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/text_engine.h"

class TColumnEh;
class TCustomDBGridEh;
class TFont;
class TMemoryStreamEh;
class TStream;
class TStringList;
class THeadTreeNode;

// The separator a CSV exporter takes when it is made; program-wide, ";" at start-up.
inline char ExportCsvSeparator = ';';

class TDBGridEhExport : public TObject {
  public:
    TDBGridEhExport();
    ~TDBGridEhExport() override;
    std::string ClassName() const override { return "TDBGridEhExport"; }

    // The grid exported; not owned.
    TCustomDBGridEh* Grid() const { return grid_; }
    void SetGrid(TCustomDBGridEh* Value) { grid_ = Value; }
    // The stream of the export under way; not owned.
    TStream* Stream = nullptr;
    // The columns of the export under way; not owned.
    TColumnsEhList* ExportColumns = nullptr;
    // Fixed-point (1/10000) per footer row and exported column: column + footer row * column count.
    std::vector<std::int64_t> FooterSums;
    std::unique_ptr<TColCellParamsEh> CellParams;

    // Writes the selection of the grid, or the whole grid with ExportAll, to AStream. Nothing at
    // all is written while nothing is selected.
    virtual void ExportStream(TStream& AStream, bool ExportAll);
    // Exports into a new file that replaces the named one once the export is whole; a failed
    // export leaves the named file as it was and no other file behind.
    virtual void ExportFile(const std::string& FileName, bool ExportAll);

    // The text of a sum or count footer from the exporter's own sums.
    std::string FooterValueText(int FooterRow, int ColumnIndex) const;

  protected:
    virtual void PutPrefix() {}
    virtual void PutSuffix() {}
    virtual void PutTitle(TColumnsEhList& /*Columns*/) {}
    virtual void PutRecord(TColumnsEhList& Columns);
    virtual void PutDataCell(TColumnEh* /*Column*/, TColCellParamsEh& /*Params*/) {}
    virtual void PutFooter(TColumnsEhList& Columns, int FooterRow);
    virtual void PutFooterCell(int /*DataCol*/, int /*FooterRow*/, const std::string& /*Text*/,
                               TAlignment /*Alignment*/, TColor /*Background*/, TFont* /*Font*/,
                               TColumnEh* /*Column*/) {}

    // Background of a data cell after the grid's cell-parameters event, with Font as its font.
    TColor CellBackground(TColumnEh* Column, TFont* Font) const;
    int FooterRowCount() const;

  private:
    void WalkSelection(int Kind);
    void WalkColumns(TColumnsEhList& Columns, const std::function<void()>& Records);
    void ExportCurrentRecord();
    void AddToFooterSums();
    void WalkRows();
    void WalkRectangle();
    void WalkFromFirst();

    // What each exported column brings to every one of its cells, read once per export.
    struct TColumnLook {
        std::unique_ptr<TFont> Font;
        TAlignment Alignment = taLeftJustify;
        TColor Color = clWindow;
        bool Checkboxes = false;
        bool Images = false;
    };
    void ReadColumnLooks(TColumnsEhList& Columns);
    const TColumnLook& LookOf(TColumnsEhList& Columns, int Index);

    // Reused for every data cell and footer cell.
    std::unique_ptr<TFont> cellFont_;
    std::vector<TColumnLook> looks_;
    TColumnsEhList walkColumns_;
    // For a column list other than the exported one.
    TColumnLook otherLook_;
    TCustomDBGridEh* grid_ = nullptr;
};

// Tab-separated text. A cell holding TAB, CR or LF, or starting with a double quote, is written
// in double quotes with its quotes doubled, so that it reads back as one cell.
class TDBGridEhExportAsText : public TDBGridEhExport {
  public:
    std::string ClassName() const override { return "TDBGridEhExportAsText"; }
    void ExportStream(TStream& AStream, bool ExportAll) override;

  protected:
    void PutTitle(TColumnsEhList& Columns) override;
    void PutRecord(TColumnsEhList& Columns) override;
    void PutDataCell(TColumnEh* Column, TColCellParamsEh& Params) override;
    void PutFooter(TColumnsEhList& Columns, int FooterRow) override;
    void PutFooterCell(int DataCol, int FooterRow, const std::string& Text, TAlignment Alignment,
                       TColor Background, TFont* Font, TColumnEh* Column) override;
    virtual void SeparateRecord();
    virtual void SeparateCell();
    // Appends the cell to the line as the format writes it.
    virtual void AppendCell(const std::string& Text);
    // Writes what the current line has gathered.
    void FlushLine();

    bool AtFirstRow = true;
    bool AtFirstCell = true;
    std::string Line;
};

// The text in double quotes, its own double quotes doubled.
std::string QuotedCellText(const std::string& Text);
void AppendQuotedCell(std::string& Line, const std::string& Text);

// Every cell in double quotes with its quotes doubled, cells apart by CellSeparator.
class TDBGridEhExportAsCSV : public TDBGridEhExportAsText {
  public:
    TDBGridEhExportAsCSV();
    std::string ClassName() const override { return "TDBGridEhExportAsCSV"; }
    char CellSeparator() const { return cellSeparator_; }
    void SetCellSeparator(char Value) { cellSeparator_ = Value; }

  protected:
    void SeparateCell() override;
    void AppendCell(const std::string& Text) override;

  private:
    char cellSeparator_ = ';';
};

// A cell text as RTF: "\\", "{" and "}" escaped, line breaks as \line, tabs as \tab, other
// control characters as \'hh and every character above 127 as \uN? from its UTF-8.
std::string RtfText(const std::string& Text);

// The title tree's nodes over the exported columns: [row][column], row 0 the leaves.
using TTitleMatrixEh = std::vector<std::vector<THeadTreeNode*>>;
// The cells a title node covers: columns Left..Right, rows Bottom..Top (row 0 at the bottom).
struct TTitleSpanEh {
    int Left = 0;
    int Right = 0;
    int Bottom = 0;
    int Top = 0;
};

// A table with colours, fonts, borders and merged multi-row titles.
class TDBGridEhExportAsRTF : public TDBGridEhExport {
  public:
    TDBGridEhExportAsRTF();
    ~TDBGridEhExportAsRTF() override;
    std::string ClassName() const override { return "TDBGridEhExportAsRTF"; }
    void ExportStream(TStream& AStream, bool ExportAll) override;

    // The colour's index in the colour table, added when new.
    int ColorTableIndex(TColor Color);
    int FontTableIndex(const std::string& FontName);

    // Each exported column's leaf, then the parents of the lowest nodes, row by row, until none
    // can move up.
    TTitleMatrixEh BuildTitleMatrix(TColumnsEhList& Columns);
    // The node at (Col, Row) spreads down over the rows where its column holds it and right over
    // the columns of its row that hold it; the cells it covers, except its own, are emptied.
    static TTitleSpanEh TitleCellSpan(TTitleMatrixEh& Matrix, int Col, int Row);
    // Marks the borders inside the span as left out for each of its cells.
    void ExcludeInnerBorders(const TTitleSpanEh& Span);

    // The font a cell's text run is written in.
    struct TRtfFont {
        std::string Name;
        int Size = 8;
        TFontStyles Style;
        TColor Color = clBlack;
    };
    // One cell of an RTF table row.
    struct TRtfCell {
        // Left, top, bottom, right.
        std::array<bool, 4> Borders{true, true, true, true};
        TColor Shading = clWindow;
        TAlignment Alignment = taLeftJustify;
        TRtfFont Font;
        TColor Background = clWindow;
        std::string Text;
        // An emptied cell of a merged title: no spacing words.
        bool Emptied = false;
    };

  protected:
    void PutSuffix() override;
    void PutTitle(TColumnsEhList& Columns) override;
    void PutRecord(TColumnsEhList& Columns) override;
    void PutDataCell(TColumnEh* Column, TColCellParamsEh& Params) override;
    void PutFooter(TColumnsEhList& Columns, int FooterRow) override;
    void PutFooterCell(int DataCol, int FooterRow, const std::string& Text, TAlignment Alignment,
                       TColor Background, TFont* Font, TColumnEh* Column) override;

    std::unique_ptr<TMemoryStreamEh> BodyStream;
    std::unique_ptr<TStringList> ColorTable;
    std::unique_ptr<TStringList> FontTable;

  private:
    void WriteHeader(TStream& Target);
    void WriteRow(const std::vector<TRtfCell>& Cells, const std::string& Spacing);
    std::string TextRun(const TRtfCell& Cell);
    void Body(const std::string& Text);
    std::vector<int> RightEdges(TColumnsEhList& Columns) const;
    void PutSingleRowTitle(TColumnsEhList& Columns);
    void PutMultiRowTitle(TColumnsEhList& Columns);
    std::vector<TRtfCell> TitleMatrixRow(TTitleMatrixEh& Matrix, TColumnsEhList& Columns, int Row);
    std::string RowSpacing() const;
    static TRtfFont FontOf(const TFont& Font);

    // The row being gathered by PutDataCell or PutFooterCell.
    std::vector<TRtfCell> row_;
    // Borders left out by ExcludeInnerBorders, by (column, row); left, top, bottom, right.
    std::map<std::pair<int, int>, std::array<bool, 4>> excludedBorders_;
};

// The binary interchange form the grid's paste reads back, little-endian throughout.
class TDBGridEhExportAsVCLDBIF : public TDBGridEhExport {
  public:
    std::string ClassName() const override { return "TDBGridEhExportAsVCLDBIF"; }

  protected:
    void PutPrefix() override;
    void PutSuffix() override;
    void PutDataCell(TColumnEh* Column, TColCellParamsEh& Params) override;
};

// An exporter class: makes a new exporter of its class.
using TDBGridEhExportClass = std::function<std::unique_ptr<TDBGridEhExport>()>;
template <class T>
TDBGridEhExportClass ExportClass() {
    return [] { return std::unique_ptr<TDBGridEhExport>(std::make_unique<T>()); };
}

// Makes an exporter of the class, exports the grid with it and frees it on every path.
void ExportGridToStream(const TDBGridEhExportClass& ExportClass, TCustomDBGridEh* Grid, TStream& Stream,
                        bool ExportAll);
