// Fitting columns to what they show: the title, every record's text and the footers.
#include <algorithm>
#include <vector>

#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"

namespace {

constexpr int kCellMargin = 4;
constexpr int kFooterMargin = 5;

// The dataset's controls stay off and its place is kept while every record is read; both come
// back on every path, a display text that raises included.
class RecordWalk {
  public:
    explicit RecordWalk(TDataSet& DataSet) : dataSet_(DataSet), bookmark_(DataSet.GetBookmark()) {
        dataSet_.DisableControls();
    }
    ~RecordWalk() {
        try {
            if (!bookmark_.empty())
                dataSet_.GotoBookmark(bookmark_);
        } catch (...) {
            // The record may have gone; the controls come back all the same.
        }
        dataSet_.EnableControls();
    }
    RecordWalk(const RecordWalk&) = delete;
    RecordWalk& operator=(const RecordWalk&) = delete;

  private:
    TDataSet& dataSet_;
    TBookmark bookmark_;
};

}  // namespace

void TCustomDBGridEh::OptimizeColumnWidths(IGridColumnEh* Column) {
    TColumnsEhList list;
    TDBGridEhSelection* selection = selection_.get();
    if (selection != nullptr && selection->Kind() == gskColumnsEh) {
        for (int i = 0; i < selection->Columns().Count(); ++i)
            if (auto* column = dynamic_cast<TColumnEh*>(selection->Columns().Items(i)))
                list.Add(column);
    } else if (selection_->Kind() == gskAllEh) {
        for (int i = 0; columns_ && i < columns_->Count(); ++i)
            if (auto* column = dynamic_cast<TColumnEh*>(columns_->Items(i)))
                list.Add(column);
    }
    if (auto* column = dynamic_cast<TColumnEh*>(Column); column != nullptr && list.IndexOf(column) < 0)
        list.Add(column);
    MeasureColumnWidths(list);
}

int TCustomDBGridEh::MeasureTitleWidth(TColumnEh& Column) {
    TColumnTitleEh& title = *Column.Title();
    int width = kCellMargin;
    if (const int marker = title.SortMarkerAreaWidth() + 2; marker >= 3)
        width = marker;
    if (titleImages_ != nullptr && title.ImageIndex() >= 0)
        return width + titleImages_->Width();
    if (title.Orientation() == tohVertical)
        return width;
    std::string caption = title.Caption();
    // In multi-title mode only the column's own part of the caption stands above it.
    const int index = Column.Index();
    if (useMultiTitle_ && index >= 0 && index < static_cast<int>(leafColumns_.size()))
        if (const THeadTreeNode* leaf = leafColumns_[static_cast<std::size_t>(index)].FLeaf)
            caption = leaf->Caption;
    Canvas()->Font()->Assign(*title.Font());
    return width + Canvas()->TextWidth(caption);
}

int TCustomDBGridEh::MeasureCellWidth(TColumnEh& Column) {
    int width = kCellMargin;
    if (Column.AlwaysShowEditButton())
        width += Column.EditButtonsWidth();
    switch (Column.CellKind()) {
        case ckImageListEh:
            return width + (Column.ImageList() != nullptr ? Column.ImageList()->Width() : 0);
        case ckCheckboxesEh:
            return width + MeasureCheckGlyph().cx;
        default:
            break;
    }
    TColCellParamsEh params;
    Column.InitCellParams(params);
    Column.FireGetCellParams(false, &params);
    TColor background = params.Background;
    FireGetCellParams(&Column, params.Font, background, params.State);
    Canvas()->Font()->Assign(params.Font != nullptr ? *params.Font : *Column.Font());
    return width + Canvas()->TextWidth(params.Text);
}

void TCustomDBGridEh::MeasureColumnWidths(TColumnsEhList& Columns) {
    if (!dataLink_->Active())
        return;
    std::vector<int> widths;
    for (int i = 0; i < Columns.Count(); ++i) widths.push_back(MeasureTitleWidth(*Columns.ColumnAt(i)));
    {
        TDataSet& dataSet = *dataLink_->DataSet();
        RecordWalk walk(dataSet);
        const int count = dataSet.RecordCount();
        dataSet.First();
        while (!dataSet.Eof() && (!dataSet.IsSequenced() || count < 0 || dataSet.RecNo() <= count)) {
            for (int i = 0; i < Columns.Count(); ++i)
                widths[i] = std::max(widths[i], MeasureCellWidth(*Columns.ColumnAt(i)));
            dataSet.Next();
        }
    }
    // Fitted to the client width, every width set relayouts at once.
    const bool bracket = !autoFitColWidths_;
    if (bracket)
        BeginLayout();
    try {
        for (int i = 0; i < Columns.Count(); ++i) {
            TColumnEh* column = Columns.ColumnAt(i);
            column->SetWidth(std::max(widths[i], MeasureFooterWidth(*column)));
        }
    } catch (...) {
        if (bracket)
            EndLayout();
        throw;
    }
    if (bracket)
        EndLayout();
}

int TCustomDBGridEh::MeasureFooterWidth(TColumnEh& Column) {
    int width = 0;
    const int dataCol = Column.Index();
    for (int row = 0; row < footerRowCount_; ++row) {
        std::string text = GetFooterText(dataCol, row);
        TFont font;
        font.Assign(*footerFont_);
        TColor background = footerColor_;
        TAlignment alignment = taLeftJustify;
        GetFooterParams(dataCol, row, &Column, &font, background, alignment, {}, text);
        Canvas()->Font()->Assign(font);
        width = std::max(width, Canvas()->TextWidth(text) + kFooterMargin);
    }
    return width;
}
