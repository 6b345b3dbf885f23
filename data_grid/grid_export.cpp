// The exporters' shared walk over the grid's selection: the columns and records of each selection
// kind, the footer sums over the exported records, and each data and footer cell's parameters as
// the grid would paint them. The dataset's controls stay disabled and its position is kept while
// the walk moves through the records.
#include "data_grid/grid_export.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export_position.h"
#include "data_grid/grid_selection.h"
#include "data_grid/group_operation.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/replacing_file_stream.h"
#include "platform/rtl/variant.h"
#include "platform/ui/font.h"

namespace {

TColumnEh* ColumnOf(IGridColumnEh* Column) {
    return dynamic_cast<TColumnEh*>(Column);
}

// The grid's shown columns in collection order.
void AddVisibleColumns(TCustomDBGridEh& Grid, TColumnsEhList& List, int From, int To) {
    IGridColumnsEh& columns = *Grid.ColumnsPart();
    for (int i = std::max(From, 0); i <= To && i < columns.Count(); ++i) {
        TColumnEh* column = ColumnOf(columns.Items(i));
        if (column != nullptr && column->Visible())
            List.Add(column);
    }
}

// A column's font, alignment, colour and cell kinds into an export's look of it.
template <class Look>
void TakeLook(Look& look, TColumnEh& column) {
    look.Font->Assign(*column.Font());
    look.Alignment = column.Alignment();
    look.Color = column.Color();
    look.Checkboxes = column.Checkboxes();
    look.Images = column.ImageList() != nullptr;
}

TDataSet* ActiveDataSet(TCustomDBGridEh& Grid) {
    return Grid.DataLink()->Active() ? Grid.DataLink()->DataSet() : nullptr;
}

TColumnFooterEh* FooterOf(TColumnEh* Column, int FooterRow) {
    return static_cast<TColumnFooterEh*>(Column->FooterAt(FooterRow));
}

// The field a footer sums or counts: its own field name, else the column's.
TField* FooterField(TDataSet& DataSet, TColumnEh* Column, const TColumnFooterEh& Footer) {
    const std::string& name = Footer.FieldName().empty() ? Column->FieldName() : Footer.FieldName();
    return DataSet.FindField(name);
}

// A field's value in the fixed-point form; decimal fields keep their exact value (an FMT BCD
// field keeps it as decimal text).
std::int64_t FixedValue(const TField& Field) {
    if (Field.DataType() == ftBCD)
        return Field.AsCurrency();
    if (Field.DataType() == ftFMTBcd) {
        DecimalDigits digits;
        std::int64_t units = 0;
        const Variant value = Field.AsVariant();
        if (value.IsString() && TryParseDecimal(value.AsString(), '.', digits)) {
            if (!DecimalToScaledInt64(digits, 4, units))
                throw EVariantOverflowError("Arithmetic overflow of a sum");
            return units;
        }
    }
    return fixed_point::FromVariant(Variant(Field.AsFloat()));
}

// A number too large to be an index picks no image rather than failing the export.
int ImageIndexOf(TColumnEh& Column) {
    try {
        return Column.ValueListIndex();
    } catch (const EVariantError&) {
        return Column.NotInKeyListIndex();
    }
}

}  // namespace

TDBGridEhExport::TDBGridEhExport()
    : CellParams(std::make_unique<TColCellParamsEh>()), cellFont_(std::make_unique<TFont>()) {}

TDBGridEhExport::~TDBGridEhExport() = default;

void TDBGridEhExport::ExportFile(const std::string& FileName, bool ExportAll) {
    TReplacingFileStream file(FileName);
    ExportStream(file, ExportAll);
    file.Commit();
}

void TDBGridEhExport::ExportStream(TStream& AStream, bool ExportAll) {
    Stream = &AStream;
    const TGridSelectionKindEh kind = ExportAll ? gskAllEh : Grid()->Selection()->Kind();
    if (kind == gskNoneEh)
        return;
    TDataSet* dataSet = ActiveDataSet(*Grid());
    if (dataSet == nullptr) {
        WalkSelection(gskNoneEh);
    } else {
        TGridDataPositionEh position(*Grid());
        position.Run([&] { WalkSelection(kind); });
    }
    PutSuffix();
}

int TDBGridEhExport::FooterRowCount() const {
    return std::max(Grid()->FooterRowCount(), 0);
}

void TDBGridEhExport::WalkSelection(int Kind) {
    // Kept until the next export, so that PutSuffix still has the exported columns.
    TColumnsEhList& columns = walkColumns_;
    columns.Clear();
    TDBGridEhSelection& selection = *Grid()->Selection();
    switch (Kind) {
        case gskRowsEh:
            AddVisibleColumns(*Grid(), columns, 0, Grid()->ColumnsPart()->Count() - 1);
            WalkColumns(columns, [this] { WalkRows(); });
            return;
        case gskRectangleEh:
            AddVisibleColumns(*Grid(), columns, selection.Rect().LeftColIndex(),
                              selection.Rect().RightColIndex());
            WalkColumns(columns, [this] { WalkRectangle(); });
            return;
        case gskColumnsEh:
            for (int i = 0; i < selection.Columns().Count(); ++i)
                if (TColumnEh* column = ColumnOf(selection.Columns().Items(i)))
                    columns.Add(column);
            WalkColumns(columns, [this] { WalkFromFirst(); });
            return;
        case gskAllEh:
            AddVisibleColumns(*Grid(), columns, 0, Grid()->ColumnsPart()->Count() - 1);
            WalkColumns(columns, [this] { WalkFromFirst(); });
            return;
        default:  // no dataset: titles and footers only
            AddVisibleColumns(*Grid(), columns, 0, Grid()->ColumnsPart()->Count() - 1);
            WalkColumns(columns, [] {});
            return;
    }
}

void TDBGridEhExport::WalkColumns(TColumnsEhList& Columns, const std::function<void()>& Records) {
    ExportColumns = &Columns;
    ReadColumnLooks(Columns);
    FooterSums.assign(static_cast<std::size_t>(FooterRowCount() * Columns.Count()), 0);
    PutPrefix();
    if (Grid()->Options().Contains(gdoTitlesEh))
        PutTitle(Columns);
    Records();
    for (int row = 0; row < FooterRowCount(); ++row) PutFooter(Columns, row);
}

void TDBGridEhExport::ExportCurrentRecord() {
    AddToFooterSums();
    PutRecord(*ExportColumns);
}

// The selected records in the order the grid shows them, which a local sort makes differ from the
// list's bookmark order. When most records are selected one walk through the dataset is cheapest;
// otherwise each selected record is visited for its record number, and then again in that order.
void TDBGridEhExport::WalkRows() {
    TDataSet& dataSet = *Grid()->DataLink()->DataSet();
    IGridSelectedRowsEh& rows = *Grid()->SelectedRowsPart();
    const int count = rows.Count();
    if (count > 0 && dataSet.IsSequenced() && dataSet.RecordCount() <= 2 * count) {
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
            if (rows.Contains(dataSet.GetBookmark()))
                ExportCurrentRecord();
        return;
    }
    struct Entry {
        int RecNo;
        std::string Bookmark;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        entries.push_back({0, rows.ItemAt(i)});
        dataSet.GotoBookmark(entries.back().Bookmark);
        entries.back().RecNo = dataSet.RecNo();
    }
    // Without record numbers (all 0 or -1) the list's order stays.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.RecNo < b.RecNo; });
    for (const Entry& entry : entries) {
        dataSet.GotoBookmark(entry.Bookmark);
        ExportCurrentRecord();
    }
}

void TDBGridEhExport::WalkRectangle() {
    TDataSet& dataSet = *Grid()->DataLink()->DataSet();
    TDBGridEhSelectionRect& rect = Grid()->Selection()->Rect();
    rect.ForEachRow(dataSet, [this] { ExportCurrentRecord(); });
}

void TDBGridEhExport::WalkFromFirst() {
    TDataSet& dataSet = *Grid()->DataLink()->DataSet();
    dataSet.First();
    while (!dataSet.Eof()) {
        ExportCurrentRecord();
        dataSet.Next();
    }
}

void TDBGridEhExport::AddToFooterSums() {
    TDataSet& dataSet = *Grid()->DataLink()->DataSet();
    const int count = ExportColumns->Count();
    for (int row = 0; row < FooterRowCount(); ++row) {
        for (int i = 0; i < count; ++i) {
            TColumnEh* column = ExportColumns->ColumnAt(i);
            const TColumnFooterEh& footer = *FooterOf(column, row);
            if (footer.ValueType() != fvtSum && footer.ValueType() != fvtCount)
                continue;
            const TField* field = FooterField(dataSet, column, footer);
            if (field == nullptr)
                continue;
            std::int64_t& sum = FooterSums[static_cast<std::size_t>(i + row * count)];
            if (footer.ValueType() == fvtCount)
                sum = fixed_point::Add(sum, fixed_point::Scale);
            else if (!field->IsNull())
                sum = fixed_point::Add(sum, FixedValue(*field));
        }
    }
}

TColor TDBGridEhExport::CellBackground(TColumnEh* Column, TFont* Font) const {
    TColor background = Column->Color();
    if (Grid()->OnCellParams)
        Grid()->OnCellParams(Grid(), Column, Font, background, TGridDrawState{});
    return background;
}

void TDBGridEhExport::ReadColumnLooks(TColumnsEhList& Columns) {
    looks_.clear();
    looks_.resize(static_cast<std::size_t>(Columns.Count()));
    for (int i = 0; i < Columns.Count(); ++i) {
        TColumnLook& look = looks_[static_cast<std::size_t>(i)];
        look.Font = std::make_unique<TFont>();
        TakeLook(look, *Columns.ColumnAt(i));
    }
}

const TDBGridEhExport::TColumnLook& TDBGridEhExport::LookOf(TColumnsEhList& Columns, int Index) {
    if (&Columns == ExportColumns && static_cast<std::size_t>(Index) < looks_.size())
        return looks_[static_cast<std::size_t>(Index)];
    if (!otherLook_.Font)
        otherLook_.Font = std::make_unique<TFont>();
    TakeLook(otherLook_, *Columns.ColumnAt(Index));
    return otherLook_;
}

void TDBGridEhExport::PutRecord(TColumnsEhList& Columns) {
    TColCellParamsEh& params = *CellParams;
    for (int i = 0; i < Columns.Count(); ++i) {
        TColumnEh* column = Columns.ColumnAt(i);
        const TColumnLook& look = LookOf(Columns, i);
        cellFont_->Assign(*look.Font);
        params.GridRow = -1;
        params.GridCol = -1;
        params.State = {};
        params.Font = cellFont_.get();
        params.Alignment = look.Alignment;
        // Only a column with images shows an index of its value list.
        params.ImageIndex = look.Images ? ImageIndexOf(*column) : -1;
        params.Text = column->CellDisplayText();
        // Only a check-box column has a state; reading it means the field's text once more.
        params.BoxState = look.Checkboxes ? column->ReadCheckState() : cbUnchecked;
        // The column's own handler may not change the background the grid's event chose.
        TColor background = look.Color;
        if (Grid()->OnCellParams)
            Grid()->OnCellParams(Grid(), column, cellFont_.get(), background, TGridDrawState{});
        params.Background = background;
        column->FireGetCellParams(false, &params);
        params.Background = background;
        PutDataCell(column, params);
    }
}

void TDBGridEhExport::PutFooter(TColumnsEhList& Columns, int FooterRow) {
    for (int i = 0; i < Columns.Count(); ++i) {
        TColumnEh* column = Columns.ColumnAt(i);
        const TColumnFooterEh& footer = *FooterOf(column, FooterRow);
        cellFont_->Assign(*footer.Font());
        TColor background = footer.Color();
        TAlignment alignment = footer.Alignment();
        std::string text = footer.ValueType() == fvtSum || footer.ValueType() == fvtCount
                               ? FooterValueText(FooterRow, i)
                               : Grid()->GetFooterText(column->Index(), FooterRow);
        if (Grid()->OnFooterCellParams)
            Grid()->OnFooterCellParams(Grid(), column->Index(), FooterRow, column, cellFont_.get(),
                                       background, alignment, TGridDrawState{}, text);
        PutFooterCell(i, FooterRow, text, alignment, background, cellFont_.get(), column);
    }
}

void ExportGridToStream(const TDBGridEhExportClass& ExportClass, TCustomDBGridEh* Grid, TStream& Stream,
                        bool ExportAll) {
    std::unique_ptr<TDBGridEhExport> exporter = ExportClass();
    exporter->SetGrid(Grid);
    exporter->ExportStream(Stream, ExportAll);
}
