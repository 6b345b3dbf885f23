#pragma once
// TCustomDBGridEh: the data-aware grid. Its rows are the records of a dataset reached through a data
// source and the grid's data link; its columns come from a column collection. This header holds the
// class's shape, its option sets, events, its overridable operations, its life cycle and the
// layout-update protocol every layout change goes through.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_controls/edit_button_style.h"
#include "data_controls/inplace_editor.h"
#include "data_grid/bookmark_list.h"
#include "data_grid/column_def_values.h"
#include "data_grid/columns.h"
#include "data_grid/draw_bitmap.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_parts.h"
#include "data_grid/grid_selection.h"
#include "data_grid/head_tree.h"
#include "data_grid/sort_key.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/set.h"
#include "platform/rtl/variant.h"
#include "platform/ui/colors.h"
#include "platform/ui/font.h"
#include "platform/ui/grid.h"

namespace platform::ui {
class CanvasTarget;
}
class TBitmap;
class TCanvas;
class TColumnEh;
class TCustomImageList;
class TChangeLink;
class TDBGridEhSumList;
class TColumnsEhList;
class TDataSet;
class TDBGridEhStyle;
class TDataSource;
class TFiler;
class TFont;
class TGridCellHintsEh;
class TGridFilterRowEditingEh;
class TGridInplaceSearchEh;
class TInplaceFilterEditEh;

enum TDBGridEhOption {
    gdoEditingEh,
    gdoAlwaysShowEditorEh,
    gdoTitlesEh,
    gdoIndicatorEh,
    gdoColumnResizeEh,
    gdoColLinesEh,
    gdoRowLinesEh,
    gdoTabsEh,
    gdoRowSelectEh,
    gdoAlwaysShowSelectionEh,
    gdoConfirmDeleteEh,
    gdoCancelOnExitEh,
    gdoMultiSelectEh
};
using TDBGridEhOptions = TSet<TDBGridEhOption>;

enum TDBGridEhExtOption {
    gxoFixed3DEh,
    gxoFrozen3DEh,
    gxoFooter3DEh,
    gxoData3DEh,
    gxoResizeWholeRightPartEh,
    gxoHighlightFocusEh,
    gxoClearSelectionEh,
    gxoFitRowHeightToTextEh,
    gxoAutoSortMarkingEh,
    gxoMultiSortMarkingEh,
    gxoEnterAsTabEh,
    gxoTraceColSizingEh,
    gxoIncSearchEh,
    gxoPreferIncSearchEh,
    gxoRowHighlightEh,
    gxoDblClickOptimizeColWidthEh,
    gxoDialogFindEh,
    gxoRecordMovingEh
};
using TDBGridEhExtOptions = TSet<TDBGridEhExtOption>;

enum TDBGridEhAllowedOperation { alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh };
using TDBGridEhAllowedOperations = TSet<TDBGridEhAllowedOperation>;
using TDBGridEhAllowedSelections = TSet<TGridSelectionKindEh>;
enum TDBGridEhEditAction { geaCutEh, geaCopyEh, geaPasteEh, geaDeleteEh, geaSelectAllEh };
using TDBGridEhEditActions = TSet<TDBGridEhEditAction>;

inline constexpr TDBGridEhOptions DefaultDBGridEhOptions = TDBGridEhOptions::FromBits(0x0CFD);
inline constexpr TDBGridEhExtOptions DefaultDBGridEhExtOptions = TDBGridEhExtOptions::FromBits(0x00010061);
// The options whose change alters the layout.
inline constexpr std::uint32_t LayoutDBGridEhOptionBits = 0x036F;
// Posted to the grid to rebuild its layout once the current message is done. The grid's own
// posts carry DeferredLayoutMarkEh in lParam, so a descendant that gives the same message number
// another meaning (the pop-up grid's size-grip side) can tell the two apart.
inline constexpr UINT WM_DEFERRED_LAYOUT_EH = WM_USER + 100;
inline constexpr LPARAM DeferredLayoutMarkEh = 0x4C41594F;
// Posted on the second dataset move before a paint: the message loop applies the moves that waited.
inline constexpr UINT WM_DATA_MOVES_EH = WM_USER + 120;

// Layout: the base grid's draw information with the pixels of the frozen columns (across) and of the
// footer rows shown (down).
struct TGridAxisDrawInfoEh : TGridAxisDrawInfo {
    int FrozenPixels = 0;
    int FooterPixels = 0;
};
struct TGridDrawInfoEh {
    TGridAxisDrawInfoEh Horz;
    TGridAxisDrawInfoEh Vert;
};

class TCustomDBGridEh;
class TDBGridEhSelection;
// Keyboard: where an in-place search goes from the current record.
enum TIncSearchModeEh { ismNewEh, ismNextEh, ismPriorEh };
// Keyboard: the clipboard and delete actions the grid's shortcuts reach.
class IGridEditActionsEh {
  public:
    virtual ~IGridEditActionsEh() = default;
    virtual bool ActionPossible(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) = 0;
    virtual void RunAction(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) = 0;
};
// Editing: what the grid's in-place editor tells of the read-only state its cell parameters set.
class IGridCellEditorEh {
  public:
    virtual ~IGridCellEditorEh() = default;
    // False when the cell parameters set none; otherwise true, with that state in ReadOnly.
    virtual bool CellParamsReadOnly(bool& ReadOnly) const = 0;
};
using TGridEhNotifyEvent = std::function<void(TObject* Sender)>;
using TGridEhColumnEvent = std::function<void(TObject* Sender, IGridColumnEh* Column)>;
using TMovedEventEh = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TDrawColumnEhCellEvent = std::function<void(TObject* Sender, const TRect& Rect, int DataCol,
                                                  IGridColumnEh* Column, TGridDrawState State)>;
using TDrawDataCellEhEvent =
    std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;
using TGetCellEhParamsEvent = std::function<void(TObject* Sender, IGridColumnEh* Column, TFont* AFont,
                                                 TColor& Background, TGridDrawState State)>;
using TGetFooterParamsEhEvent =
    std::function<void(TObject* Sender, int DataCol, int Row, IGridColumnEh* Column, TFont* AFont,
                       TColor& Background, TAlignment& Alignment, TGridDrawState State, std::string& Text)>;
using TCheckTitleEhBtnEvent =
    std::function<void(TObject* Sender, int ACol, IGridColumnEh* Column, bool& Enabled)>;
using TTitleEhClickEvent = std::function<void(TObject* Sender, int ACol, IGridColumnEh* Column)>;
using TDrawFooterCellEhEvent = std::function<void(
    TObject* Sender, int DataCol, int Row, IGridColumnEh* Column, const TRect& Rect, TGridDrawState State)>;
using TTitleEhCellParamsEvent =
    std::function<void(TObject* Sender, IGridColumnEh* Column, bool Pressed, TSortMarkerEh& SortMarker,
                       TColor& Background, TFont* AFont)>;
using TRecordsMoveEhEvent = std::function<bool(TObject* Sender, const std::vector<std::string>& Bookmarks,
                                               int TargetRecNo, int TreeLevel, bool CheckOnly)>;

class TCustomDBGridEh : public TCustomGrid, public IGridDataLinkOwnerEh, public IInplaceEditHolderEh {
  public:
    explicit TCustomDBGridEh(TComponent* AOwner);
    ~TCustomDBGridEh() override;
    std::string ClassName() const override { return "TCustomDBGridEh"; }
    // The construction steps that call the grid's own virtual operations; run once the derived
    // parts exist, so their overrides answer.
    void AfterConstruction() override;

    // Options.
    TDBGridEhOptions Options() const { return options_; }
    void SetOptions(TDBGridEhOptions Value);
    TDBGridEhExtOptions ExtOptions() const { return extOptions_; }
    void SetExtOptions(TDBGridEhExtOptions Value);
    TDBGridEhAllowedOperations AllowedOperations() const { return allowedOperations_; }
    void SetAllowedOperations(TDBGridEhAllowedOperations Value) { allowedOperations_ = Value; }
    TDBGridEhAllowedSelections AllowedSelections() const { return allowedSelections_; }
    void SetAllowedSelections(TDBGridEhAllowedSelections Value) { allowedSelections_ = Value; }
    TDBGridEhEditActions EditActions() const { return editActions_; }
    void SetEditActions(TDBGridEhEditActions Value) { editActions_ = Value; }

    // Data.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Source);
    TGridDataLinkEh* DataLink() const { return dataLink_.get(); }
    // The grid's columns, column defaults, filter row and selected rows, typed; nullptr where a
    // descendant made plain parts of its own in their place.
    TDBGridColumnsEh* Columns() const { return dynamic_cast<TDBGridColumnsEh*>(columns_.get()); }
    TColumnDefValuesEh* ColumnDefValues() const {
        return dynamic_cast<TColumnDefValuesEh*>(columnDefValues_.get());
    }
    TSTDBGridEhFilter* STFilter() const { return dynamic_cast<TSTDBGridEhFilter*>(stFilter_.get()); }
    TBookmarkListEh* SelectedRows() const { return dynamic_cast<TBookmarkListEh*>(selectedRows_.get()); }
    // Always the grid's own kind; nullptr only before the grid is fully constructed.
    TDBGridEhSelection* Selection() const { return selection_.get(); }
    // The same parts as the grid's own code reaches them, whatever made them.
    IGridColumnsEh* ColumnsPart() const { return columns_.get(); }
    IGridColumnDefValuesEh* ColumnDefValuesPart() const { return columnDefValues_.get(); }
    IGridFilterRowEh* FilterRowPart() const { return stFilter_.get(); }
    IGridSelectedRowsEh* SelectedRowsPart() const { return selectedRows_.get(); }
    IGridScrollBarEh* HorzScrollBar() const { return horzScrollBar_.get(); }
    IGridScrollBarEh* VertScrollBar() const { return vertScrollBar_.get(); }
    // Running sums, averages and counts of the dataset, read by the footers.
    TDBGridEhSumList* SumList() const { return sumList_.get(); }
    // Columns that carry sort markers, in sort order.
    std::vector<IGridColumnEh*>& SortMarkedColumns() { return sortMarkedColumns_; }
    // The sort-marked columns again from their titles' sort indexes.
    void RebuildSortMarkedList();
    // The sort-marked columns' fields in sort order: a column marked down sorts ascending.
    TSortKeysEh SortKeys() const;
    // Columns shown, in collection order.
    std::vector<IGridColumnEh*>& VisibleColumns() { return visibleColumns_; }
    // A column going away leaves the grid's lists.
    void ForgetColumn(IGridColumnEh* Column);

    // Grid column = data column + the indicator's column.
    int DataColToGridCol(int DataCol) const { return DataCol + indicatorOffset_; }
    int GridColToDataCol(int GridCol) const { return GridCol - indicatorOffset_; }
    int SelectedColumnIndex() const { return Col() - indicatorOffset_; }
    void SelectColumnByIndex(int DataCol);
    void InvalidateColumn(int GridCol);
    // Sets the columns' widths to what their titles, cells and footers need.
    void MeasureColumnWidths(TColumnsEhList& Columns);

    // Input-method settings: the grid's own, and those applied for the current column.
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode Value) { imeMode_ = Value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& Value) { imeName_ = Value; }
    TImeMode ActiveImeMode() const { return activeImeMode_; }
    const std::string& ActiveImeName() const { return activeImeName_; }

    // A dataset offering the memory-table view; none of this program's datasets does.
    IMemTableEh* MemTable() const { return memTable_; }
    bool HasMemTable() const { return memTable_ != nullptr; }
    void DetectMemTable();

    // Look.
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    TFont* TitleFont() const { return titleFont_.get(); }
    void SetTitleFont(const TFont& Value);
    TFont* FooterFont() const { return footerFont_.get(); }
    void SetFooterFont(const TFont& Value);
    TColor FooterColor() const { return footerColor_; }
    void SetFooterColor(TColor Value);
    TCustomImageList* TitleImages() const { return titleImages_; }
    void SetTitleImages(TCustomImageList* Value);
    bool AutoFitColWidths() const { return autoFitColWidths_; }
    void SetAutoFitColWidths(bool Value);
    bool MemoAsText() const { return memoAsText_; }
    void SetMemoAsText(bool Value);
    bool UseMultiTitle() const { return useMultiTitle_; }
    void SetUseMultiTitle(bool Value);
    int TitleExtraHeight() const { return titleExtraHeight_; }
    void SetTitleExtraHeight(int Value);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int Value);
    int FooterRowCount() const { return footerRowCount_; }
    void SetFooterRowCount(int Value);
    // The grid draws cell contents itself; the base grid's own default drawing stays off.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    bool TakesFocus() const { return takesFocus_; }
    void SetTakesFocus(bool Value) { takesFocus_ = Value; }
    bool AllowMemTable() const { return allowMemTable_; }
    void SetAllowMemTable(bool Value);
    bool FieldDisplayWidthSync() const { return fieldDisplayWidthSync_; }
    void SetFieldDisplayWidthSync(bool Value) { fieldDisplayWidthSync_ = Value; }
    bool RowSizingAllowed() const { return rowSizingAllowed_; }
    void SetRowSizingAllowed(bool Value);
    int FrozenCols() const { return frozenCols_; }
    void SetFrozenCols(int Value);
    int MinAutoFitWidth() const { return minAutoFitWidth_; }
    void SetMinAutoFitWidth(int Value);
    int RowLines() const { return rowLines_; }
    void SetRowLines(int Value);
    int TitleLineCount() const { return titleLineCount_; }
    void SetTitleLineCount(int Value);
    int TitlePixelHeight() const { return titlePixelHeight_; }
    void SetTitlePixelHeight(int Value);
    // The backgrounds of even and odd records; the grid's Color until one is set.
    TColor EvenRowColor() const { return evenRowColor_.value_or(Color()); }
    void SetEvenRowColor(TColor Value);
    TColor OddRowColor() const { return oddRowColor_.value_or(Color()); }
    void SetOddRowColor(TColor Value);

    int TitleMargin() const { return titleMargin_; }
    int IndicatorOffset() const { return indicatorOffset_; }
    int TopDataOffset() const { return topDataOffset_; }

    // Layout-update protocol. BeginLayout/EndLayout brackets nest; the outermost EndLayout rebuilds.
    void LockLayout();
    void UnlockLayout();
    void BeginLayout();
    bool TryBeginLayout();
    void EndLayout();
    void EndLayoutQuietly();
    // Ends the caller's BeginLayout bracket without rebuilding and asks for a rebuild once the
    // current message is done.
    void PostDeferredUpdate();
    int LayoutLockCount() const { return layoutLock_; }
    int LayoutUpdateCount() const { return updateLock_; }
    bool LayoutRunning() const { return layoutRunning_; }

    // Events.
    TGridEhColumnEvent OnDataCellClick;
    TGridEhNotifyEvent OnColumnEnter;
    TGridEhNotifyEvent OnColumnExit;
    TMovedEventEh OnColumnMove;
    TGridEhNotifyEvent OnColumnWidthsChange;
    TDrawColumnEhCellEvent OnColumnCellDraw;
    TDrawDataCellEhEvent OnDataCellDraw;
    TGridEhNotifyEvent OnEditButtonClick;
    TGetCellEhParamsEvent OnCellParams;
    TGetFooterParamsEhEvent OnFooterCellParams;
    TGridEhNotifyEvent OnSelectionChange;
    TGridEhNotifyEvent OnSortMarkersChange;
    TGridEhNotifyEvent OnSumsRecalcDone;
    TGridEhNotifyEvent OnSumsRecalc;
    TGridEhColumnEvent OnTitleCellClick;
    TGridEhNotifyEvent OnFilterApply;
    TCheckTitleEhBtnEvent OnTitleButtonCheck;
    TDrawFooterCellEhEvent OnFooterCellDraw;
    TTitleEhCellParamsEvent OnTitleCellParams;
    TRecordsMoveEhEvent OnRecordsMove;
    TTitleEhClickEvent OnTitleButtonClick;

    // Mouse: title presses, sizing, selecting by dragging with auto-scroll, row dragging, sorting.
    enum TGridDragStateEh : std::uint8_t {
        dgsNoneEh = 0,
        dgsSelectingRowsEh = 1,
        dgsSelectingColumnsEh = 2,
        dgsSelectingRectEh = 3,
        dgsSizingFrozenEh = 6,
        dgsDraggingRowsEh = 7
    };
    TGridDragStateEh GridDragState() const;
    // Whether the user may make a selection of this kind.
    bool SelectionKindAllowed(TGridSelectionKindEh Kind) const;
    // Fits the widths of the selected (or all) columns, and of Column, to what they show.
    void OptimizeColumnWidths(IGridColumnEh* Column);
    // Ends what a press started (a title press, row or cell tracking, a row drag) and frees the mouse.
    void CancelMouseTracking();
    // The title column held pressed (grid column, -1 none) and whether it shows pressed now.
    int PressedTitleColumn() const { return pressedTitleColumn_; }
    bool TitlePressShown() const { return titlePressShown_; }
    // The drop line of a row drag: the target grid row, whether the line runs along its bottom, and
    // where it starts across.
    int DropTargetRow() const { return rowDrag_.TargetRow; }
    bool DropLineBelow() const;
    int DropLineStart() const { return rowDrag_.LineStart; }
    void DrawDropLine();
    // A Ctrl+click changed a sort marker: sorting waits for Ctrl's release or the focus leaving.
    bool SortMarkingDeferred() const { return sortMarkingDeferred_; }
    void SetSortMarkingDeferred(bool Value) { sortMarkingDeferred_ = Value; }
    // Timer 1 of auto-scrolling and row dragging; a running timer restarts only for a new interval.
    void StartScrollTimer(int Interval);
    void StopScrollTimer();
    // The running timer's interval; -1 when stopped.
    int ScrollTimerInterval() const { return scrollTimerInterval_; }
    // The user has just sized a row: set by the release, cleared by the row heights' handling.
    bool RowSizedByMouse() const { return rowSizedByMouse_; }
    void SetRowSizedByMouse(bool Value) { rowSizedByMouse_ = Value; }

    // What the data link asks of the grid.
    TComponent* FieldFreeNoticeReceiver() override { return this; }
    void EditingStateChanged() override;
    void RecordChanged(TField* Field) override;
    bool LinkLayoutChanging() const override { return linkLayoutChanging_; }
    void SetLinkLayoutChanging(bool Value) override { linkLayoutChanging_ = Value; }
    void SelectFieldColumn(TField* Field) override;
    TField* SelectedField() const override;
    void PostEditText() override;
    bool InMemTableView() const override { return HasMemTable() && footerRowCount_ == 0; }

    // The operations a derived grid may override.
    bool TryFocusGrid() override;
    virtual bool CanStartRowDrag();
    virtual int TreeLevelAtPoint(int X, int Y);
    virtual bool ShowsRowFocusFrame();
    virtual bool KeepsEditorShown();
    virtual bool FilterEditingActive();
    virtual bool CellHas3DFrame(int ACol, int ARow, TGridDrawState AState);
    virtual bool IsCellInSelection(int ACol, int ARow, const std::string& Bookmark, int DataCol);
    virtual bool ToggleTreeNodeAt(int X, int Y);
    virtual bool BeginRowDrag(int X, int Y, bool CheckOnly);
    virtual TWinControl* NewFilterEditor();
    virtual int SubTitleRowCount();
    // The number of title rows shown: 1 with gdoTitlesEh, else 0.
    virtual int ShowsTitles();
    virtual bool GetHighlightColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Highlighted,
                                    TGridDrawState State, std::uint16_t CellType);
    virtual bool GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont,
                                   TColor& Background, TGridDrawState& State);
    virtual bool HasFocusWithin();
    virtual bool MoveRecords(const std::vector<std::string>& Bookmarks, int TargetRecNo, int TreeLevel,
                             bool CheckOnly);
    virtual bool MoveSelectedRecords(int TargetRecNo, int TreeLevel, bool CheckOnly);
    virtual bool NeedsBufferedPaint();
    void LinkDataSetChanged() override;
    virtual void MapColumnsToFields();
    virtual void ApplyLayoutChange();
    virtual void PaintBorder3D(TRect ARect, TGridDrawState AState);
    virtual void DrawTreeCell(int ACol, int ARow, TRect& ARect, TGridDrawState AState);
    virtual void DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState, TRect ARect,
                               std::uint16_t CellType);
    virtual void EndRowDrag(int X, int Y, bool Dropped);
    virtual void CollectDataSetFields(std::vector<TField*>& Fields);
    void RefreshLayout() override;
    void DataLinkActiveChanged(bool Active) override;
    virtual void RowAtDragPoint(int X, int Y);
    void LinkDataSetScrolled(int Distance) override;
    virtual void InvalidateSelection();
    virtual void ApplyColumnAttributes();
    virtual void StoreFilterText(int DataCol);
    void ShowCellEditor() override;
    virtual void AutoScrollTick();
    virtual void ActiveRecordChanged();
    virtual void FillFilterList(int DataCol);
    virtual void SyncExternalHorzScrollBar();
    virtual void RecalcRowCount();
    virtual void RefreshVertScrollBar();
    virtual bool MoveRecordsDefault(const std::vector<std::string>& Bookmarks, int TargetRecNo, int TreeLevel,
                                    bool CheckOnly);
    virtual std::string GetFooterText(int DataCol, int Row);
    virtual bool FindDialogModal();
    virtual void ApplyFilter();
    virtual void ApplySorting();
    // What the selection and the style ask of the grid.
    virtual void InvalidateGridRow(int ARow);
    int VisibleDataRowCount();
    TRect CellsBoxRect(int ALeft, int ATop, int ARight, int ABottom);
    // What the columns ask of the grid while they edit a cell.
    // Whether the allowed operations let the current cell be edited.
    virtual bool GridAllowsCellEdit();
    // The in-place editor exists and is visible; its text; whether it is on screen as well.
    virtual bool EditorShown();
    virtual std::string EditorText();
    virtual bool EditorShowing();
    // What the filter row's settings and the columns' filters ask of the grid. Leaves filter-row
    // editing unless an update is locked.
    virtual void StopFilterEditing();
    // Places the filter-row editor again over its cell; with Focus it takes the focus, its list
    // filled and its text selected.
    virtual void PlaceFilterEditor(bool Focus = false);
    // Filter row: the filter cells above the data, edited one at a time in the filter editor; the
    // conditions typed there go to the columns' filters and are applied through OnFilterApply or
    // the data service.
    bool HasFilterCell(int DataCol);
    std::string ColumnFilterText(int DataCol);
    bool IsFilterRowPoint(int ACol, int ARow, TPoint P);
    void EditFilterCell(int DataCol);
    void ApplyFilterRow();
    void ClearAllFilters();
    void LeaveFilterEditing();
    void LeaveFilterEditingQuietly();
    // The filter editor once made (nullptr before), the data column it edits and whether it does.
    TInplaceFilterEditEh* FilterEditor() const;
    int FilterColumn() const;
    bool FilterEditing() const;

    // The title tree's root and each column's leaf in it (by column index), rebuilt with the layout.
    THeadTreeNode* HeadTree() const { return headTree_.get(); }
    std::vector<TLeafCol>& LeafColumns() { return leafColumns_; }

    // The style that colours highlighted cells: the program's default unless another is set.
    TDBGridEhStyle* Style() const { return style_; }
    void SetStyle(TDBGridEhStyle* Value);

    // Layout: cell kinds and areas, the draw information with frozen and footer pixels, metrics.
    // The cell's kind (grid_cell_type.h) and its column and row within its area.
    std::uint16_t GetCellType(int ACol, int ARow, int& AreaCol, int& AreaRow);
    // The data cells in grid coordinates, both corners included.
    TGridRect DataCellArea();
    int DataRowCount();
    void CalcGridDrawInfo(TGridDrawInfoEh& Info) const;
    int EditButtonWidth() const;
    int EditButtonHeight() const { return editButtonHeight_; }
    // Whether a row has room for more than one line: cells, footers and hints wrap words only then.
    bool WordWrapRoom() const { return wordWrapRoom_; }
    // The grid line width when the option's lines show (gdoRowLinesEh, gdoColLinesEh), else 0.
    int GridLineWidthFor(TDBGridEhOption LineOption) const;
    // The rows and columns follow the dataset and the client area.
    void ColWidthsChanged() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowHeightsChanged() override;
    void TopLeftChanged() override;
    void ChangeScale(int M, int D) override;
    // Keeps the dataset's position in the middle of the link's buffer, so a reopened dataset shows
    // the same records.
    void SaveDataPosition();
    void RestoreDataPosition();
    // The rebuild's steps after the protocol's own; a grid that lays itself out differently
    // replaces them.
    virtual void RebuildGridLayout();

    // Drawing: cells by kind, their colours and frames, cell buttons, title groups and repainting.
    // GetFooterText takes the column's index and the footer row (0 for the first footer row).
    // Each channel of the colour gains its own part Divisor of itself, up to 255.
    static TColor LightenColor(TColor Color, int Divisor);
    void Paint3DFrame(TCanvas* ACanvas, TRect ARect, bool DrawLeft, bool DrawTop, bool Highlighted,
                      bool Pressed);
    void PaintCellButton(TColumnEh* Column, TCanvas* ACanvas, TBitmap* Glyph, TColor AColor, bool Active,
                         bool IsFlat, bool Pressed, bool Hot, TRect ARect, TRect ButtonRect,
                         TEditButtonStyleEh Style);
    void DrawTitleGroups(THeadTreeNode* Node, TRect ARect, bool EndEllipsis);
    void RepaintCell(int ACol, int ARow);
    void InvalidateFooters();
    // Mirrors the canvas's x coordinates around the client area's middle while right-to-left.
    void MirrorForRightToLeft(bool On);
    // The rectangle as drawn: mirrored while right-to-left mirroring is on.
    TRect MirroredRect(const TRect& ARect) const;
    // The grid row of the active record as the indicator last drew it; -1 before.
    int IndicatorActiveRow() const { return indicatorActiveRow_; }
    // Whether the selection was shown active (the focus within the grid) at its last repaint.
    bool SelectionShownActive() const { return selectionShownActive_; }

    // Keyboard and editing: the editor's text and rules, moving by keys, the in-place search.
    bool CanEditAcceptKey(char32_t Key) override;
    bool CanEditModify() override;
    int GetEditLimit() override;
    std::string GetEditMask(int ACol, int ARow) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    // Puts the link into edit for the current cell once every rule lets the cell be edited.
    bool GridBeginFieldEdit();
    bool ColumnEditable(TColumnEh* Column);
    // The current cell takes the value of the record above.
    void CopyValueFromPrevious();
    // Asks, with gdoConfirmDeleteEh, before the current or the selected records are deleted.
    bool ConfirmDelete();
    void MoveDown(bool Extend);
    void MoveUp(bool Extend);
    void TabToColumn(bool Forward);
    void MoveRows(bool Select, int Distance, bool WithRows, bool ToEnd);
    void MoveToColumn(int GridCol, int Direction, bool Extend);
    void GridIncrementalSearch(const std::string& Text, int Timeout, TIncSearchModeEh Mode);
    void GridEndIncrementalSearch();
    bool InplaceSearching() const;
    const std::string& InplaceSearchText() const;
    int InplaceSearchTimeout() const;
    // The editor's text as the grid keeps it, and the key value it stands for in a lookup cell.
    const std::string& EditText() const { return editText_; }
    const Variant& EditKeyValue() const { return editKeyValue_; }
    // The clipboard and delete actions the shortcuts reach; none until the grid is given them.
    IGridEditActionsEh* EditActionsHandler() const { return editActionsHandler_; }
    void SetEditActionsHandler(IGridEditActionsEh* Value) { editActionsHandler_ = Value; }
    // The press that opened a hosted editor, handed to it for a double click.
    void NoteEditorPress(TPoint ClientPoint, DWORD Time);
    // IInplaceEditHolderEh: the editors the grid hosts ask it before they act.
    bool EditorCanModify(TControl* Editor) override;
    void EditorMouseDownPlace(TPoint& ScreenPoint, DWORD& Time) override;
    void EditorWindowProc(TControl* Editor, TMessage& Message) override;
    void EditorKeyDown(TControl* Editor, WORD& Key, TShiftState Shift) override;
    void EditorKeyPress(TControl* Editor, char32_t& Key) override;
    void EditorKeyUp(TControl* Editor, WORD& Key, TShiftState Shift) override;

  protected:
    void CreateWnd() override;
    // In-place editor: the grid edits its cells with TDBGridInplaceEdit.
    TInplaceEdit* CreateEditor() override;
    // Turns the auto-fit switch without refitting (a derived grid's own resizing refits once).
    void HoldAutoFitColWidths(bool Value) { autoFitColWidths_ = Value; }
    // The owned parts, made during construction; a derived grid makes its own.
    virtual std::unique_ptr<IGridColumnDefValuesEh> NewColumnDefValues();
    virtual std::unique_ptr<IGridColumnsEh> NewColumns();
    virtual std::unique_ptr<IGridScrollBarEh> NewScrollBar(TScrollBarKindEh Kind);
    virtual std::unique_ptr<IGridFilterRowEh> NewFilterRow();
    virtual std::unique_ptr<IGridSelectedRowsEh> NewSelectedRows();
    // Its changes repaint the footers; its recalculations fire OnSumsRecalc and OnSumsRecalcDone.
    std::unique_ptr<TDBGridEhSumList> NewSumList();

    // Event dispatchers: each calls its event when assigned.
    virtual void CellClick(IGridColumnEh* Column);
    virtual void CheckTitleButton(int ACol, IGridColumnEh* Column, bool& Enabled);
    virtual void ColEnter();
    virtual void ColExit();
    virtual void SortMarkingChanged();
    virtual void TitleClick(int ACol, IGridColumnEh* Column);
    virtual void DrawColumnCell(const TRect& Rect, int DataCol, IGridColumnEh* Column, TGridDrawState State);
    virtual void DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);
    virtual void EditButtonClick();
    virtual void FireGetCellParams(IGridColumnEh* Column, TFont* AFont, TColor& Background,
                                   TGridDrawState State);
    virtual void GetFooterParams(int DataCol, int Row, IGridColumnEh* Column, TFont* AFont,
                                 TColor& Background, TAlignment& Alignment, TGridDrawState State,
                                 std::string& Text);
    virtual void TitleCellClick(IGridColumnEh* Column);

    // Rebuilds the layout now, through RebuildGridLayout.
    void RebuildLayout();
    // Forgets every selected row and cell.
    void DropSelection();
    virtual void RefreshEditors();
    // Takes the default style, or without one relayouts to colour the cells itself.
    void RefreshDefaultStyle();

    void DefineProperties(TFiler& Filer) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // Drawing: the grid's own painting, its flat border and its buffered paint.
    void Paint() override;
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(TCanvas& ACanvas) override;
    // Keyboard and editing: the base grid's keys and editor as records need them.
    bool CanEditShow() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
    LRESULT DialogCode() const override;

    // Mouse: the base grid's mouse handling refined for records, titles and frozen columns.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                         const TGridDrawInfo& FixedInfo) override;
    void TimedScroll(TGridScrollDirection Direction) override;
    // A point on the right border of a frozen column, in the title rows: the sizing state, the
    // column, the border's position and the point's offset from it.
    bool FrozenSizingHit(int X, int Y, int& Offset, int& Position, int& Column, TGridDragStateEh& State);
    // What the sizing test finds at a point over the grid's current layout: the state, the border's
    // index and position and the point's offset from it.
    struct TSizingHitEh {
        TGridState State = gsNormal;
        int Index = -1;
        int Pos = 0;
        int Ofs = 0;
    };
    TSizingHitEh SizingHitAt(int X, int Y);

  private:
    // In-place editor: it reads and sets the grid's edit text and key value and runs its shortcuts.
    friend class TDBGridInplaceEdit;
    friend class TDBGridColumnsEh;
    friend class TDBGridEhSelection;
    friend class TSTDBGridEhFilter;
    void ApplyGridOptions(TDBGridEhOptions Value);
    void ApplyColumnImeSettings();
    bool CurrentColumnVisible() const;
    void SelectFirstVisibleColumn();
    void KeepColumnWidthsAsInitial();
    void TitleFontChanged();
    void FooterFontChanged();
    void DeferredLayoutMessage();
    void NonClientSizeMessage(TMessage& Message);
    void NonClientPaintMessage(TMessage& Message);
    void EraseBackgroundMessage(TMessage& Message);
    void ParentFontChanged();
    void ColumnsFollowFont();
    void ParentColorChanged();
    bool ColumnsForgetField(const TComponent* Field);
    void FieldFreed(TComponent* Field);
    bool ColumnsMayShow(const TComponent* AComponent) const;
    bool ColumnsStored(const TFiler& Filer) const;
    void ForgetComponentInParts(TComponent* AComponent);
    void ShowColumnMenu(TMessage& Message);
    void DropPendingMessage();
    // Mouse: the messages it answers and the state of the press being handled.
    void DoubleClickMessage(TMessage& Message);
    void SetCursorMessage(TMessage& Message);
    void CancelModeMessage(TMessage& Message);
    void ScrollTimerMessage(TMessage& Message);
    bool OverFrozenBorder(int X, int Y);
    bool ColumnSelectZone(int X, int Y);
    bool InTitleLeafPart(int GridCol, int Y);
    bool RowSelectZone(int X, int Y);
    TColumnEh* ColumnAtGridCol(int GridCol) const;
    bool InDataRows(TGridCoord Cell);
    TRect DataCellsPixels();
    void MouseDownSelectRows(TMouseButton Button, TShiftState Shift, TGridCoord Cell);
    void MouseDownEditor(TMouseButton Button, int X, int Y, TGridCoord Cell, TGridCoord OldCell);
    int MeasureTitleWidth(TColumnEh& Column);
    int MeasureCellWidth(TColumnEh& Column);
    int MeasureFooterWidth(TColumnEh& Column);
    bool MouseDownDoubleClick(TShiftState Shift, int X, int Y);
    bool MouseDownSizing(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool MouseDownTitle(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
    void MouseDownSelectColumn(TShiftState Shift, TGridCoord Cell);
    void MouseDownData(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
    void MouseDownSelect(TMouseButton Button, TShiftState Shift, TGridCoord Cell, TGridCoord OldCell,
                         bool SelectionWasRect);
    void MouseMoveTitle(int X, int Y);
    void MouseMoveTracking(TShiftState Shift, int X, int Y);
    void MouseMoveSizing(int X);
    void MouseUpTitle(TMouseButton& Button, TShiftState Shift, int X, int Y);
    void MouseUpEnd(TMouseButton Button, TShiftState Shift, int X, int Y);
    void EndFrozenSizing();
    void StepCellOnRelease(TShiftState Shift, TGridCoord Cell);
    void AutoScrollColumns(int X);
    void AutoScrollCells(int X, int Y);
    void ExtendColumnSelection(int GridCol);
    struct TRowDragStateEh {
        int SourceRow = -1;
        std::string SourceBookmark;
        int SourceLevel = -1;
        int TargetRow = -1;
        int TargetLevel = 0;
        int LineStart = 0;
    };
    // What the press being handled does until its release; one at a time, entered and left only
    // through EnterPressMode and LeavePressMode (db_grid_press_mode.cpp).
    enum class TPressModeEh : std::uint8_t {
        None,
        // A title button held down: pressedTitleColumn_, titlePressShown_.
        TitleButton,
        // The current cell follows the pointer over the data rows, across too with horzAutoScroll_.
        FollowingCells,
        // The same, stretching the row selection or the block of cells selected.
        SelectingRows,
        SelectingRect,
        // A block of cells stretched by a press the current cell does not follow otherwise: the
        // scroll timer does not move it and CancelMouseTracking leaves it.
        SelectingRectOnly,
        SelectingColumns,
        SizingFrozen,
        DraggingRows
    };
    void EnterPressMode(TPressModeEh Mode);
    // Back to None, forgetting the pressed title and the sideways following.
    void LeavePressMode();
    // The release ends the selecting, sizing or dragging; a press still followed stays followed.
    void EndPressDragState();
    // CancelMouseTracking ends the press: a title button, cells followed or rows dragged.
    bool PressTracked() const;
    // The current cell follows the pointer (with or without a selection stretching).
    bool PressFollowsCells() const;
    TPressModeEh pressMode_ = TPressModeEh::None;
    TRowDragStateEh rowDrag_;
    bool horzAutoScroll_ = false;
    bool titlePressShown_ = false;
    bool rightPressAsLeft_ = false;
    bool sortMarkingDeferred_ = false;
    bool selectionDragPending_ = false;
    bool optimizedOnDoubleClick_ = false;
    bool rowSizedByMouse_ = false;
    bool scrollTimerRunning_ = false;
    int scrollTimerInterval_ = -1;
    TPoint mousePressPoint_;
    TPoint mousePoint_;
    TShiftState trackingShift_;
    TGridCoord steppedCellPress_{-1, -1};
    int frozenSizingCol_ = -1;
    int frozenSizingPos_ = 0;
    int frozenSizingOfs_ = 0;
    TNotifyEvent pendingDblClick_;

    TDBGridEhOptions options_ = DefaultDBGridEhOptions;
    TDBGridEhExtOptions extOptions_ = DefaultDBGridEhExtOptions;
    TDBGridEhAllowedOperations allowedOperations_ = {alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh};
    TDBGridEhAllowedSelections allowedSelections_ = {gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh};
    TDBGridEhEditActions editActions_;
    IGridEditActionsEh* editActionsHandler_ = nullptr;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    bool defaultDrawing_ = true;
    bool readOnly_ = false;
    bool takesFocus_ = true;
    bool allowMemTable_ = true;
    bool fieldDisplayWidthSync_ = true;
    bool rowSizingAllowed_ = false;
    int frozenCols_ = 0;
    int minAutoFitWidth_ = 0;
    int rowLines_ = 0;
    int titleLineCount_ = 0;
    int titlePixelHeight_ = 0;
    std::optional<TColor> evenRowColor_;
    std::optional<TColor> oddRowColor_;
    std::unique_ptr<TGridDataLinkEh> dataLink_;
    // Before the columns: their footers give back their sums as they go.
    std::unique_ptr<TDBGridEhSumList> sumList_;
    std::unique_ptr<IGridColumnDefValuesEh> columnDefValues_;
    std::unique_ptr<IGridColumnsEh> columns_;
    std::vector<IGridColumnEh*> visibleColumns_;
    std::vector<IGridColumnEh*> sortMarkedColumns_;
    std::unique_ptr<IGridScrollBarEh> horzScrollBar_;
    std::unique_ptr<IGridScrollBarEh> vertScrollBar_;
    std::unique_ptr<IGridFilterRowEh> stFilter_;
    std::unique_ptr<TDBGridEhSelection> selection_;
    std::unique_ptr<IGridSelectedRowsEh> selectedRows_;
    std::unique_ptr<TFont> titleFont_;
    std::unique_ptr<TFont> footerFont_;
    std::unique_ptr<TChangeLink> titleImageChangeLink_;
    TCustomImageList* titleImages_ = nullptr;
    TColor footerColor_ = clWindow;
    bool flat_ = false;
    int titleMargin_ = 4;
    bool linkLayoutChanging_ = false;
    std::uint8_t updateLock_ = 0;
    std::uint8_t layoutLock_ = 0;
    std::uint8_t indicatorOffset_ = 1;
    std::uint8_t topDataOffset_ = 1;
    bool leftColumnHome_ = true;
    bool layoutRunning_ = false;
    bool autoFitColWidths_ = false;
    bool memoAsText_ = false;
    bool useMultiTitle_ = false;
    int titleExtraHeight_ = 10;
    int rowHeight_ = 0;
    int footerRowCount_ = 0;
    bool copyingParentFont_ = false;
    int pressedTitleColumn_ = -1;
    // A deferred rebuild found the layout held; it is posted again when the last lock goes.
    bool deferredWaiting_ = false;
    int savedActiveRecord_ = -1;
    TDBGridEhStyle* style_ = nullptr;
    TImeMode activeImeMode_ = imDontCare;
    std::string activeImeName_;
    IMemTableEh* memTable_ = nullptr;
    TDataSet* memTableDataSet_ = nullptr;
    std::unique_ptr<THeadTreeNode> headTree_ = std::make_unique<THeadTreeNode>("Root", 10, 0);
    std::vector<TLeafCol> leafColumns_;
    // The shared off-screen bitmap is kept while any grid lives.
    TDrawBitmapUserEh drawBitmapUser_;
    // Drawing: the parts of DrawCell, the text margins of the cell being drawn and the border.
    struct TCellDrawEh;
    void DrawIndicatorCell(TCellDrawEh& Cell);
    void DrawTitleCell(TCellDrawEh& Cell);
    void DrawMultiTitleCell(TCellDrawEh& Cell);
    void DrawDataAreaCell(TCellDrawEh& Cell);
    void DrawDataCellBody(TCellDrawEh& Cell);
    struct TCellLookEh;
    TCellLookEh DataCellLook(TCellDrawEh& Cell);
    bool HideDuplicateText(TCellDrawEh& Cell, TCellLookEh& Look);
    void DrawDataCellContent(TCellDrawEh& Cell, const TCellLookEh& Look);
    void DrawCellSearchMark(TCellDrawEh& Cell, const TCellLookEh& Look);
    void DrawCellButtons(TCellDrawEh& Cell, TColumnEh* Column, const TRect& ButtonArea);
    void DrawRequiredMark(TCellDrawEh& Cell, TColumnEh* Column, const std::string& Text);
    void DrawFooterCell(TCellDrawEh& Cell);
    void DrawFilterCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState, TRect ARect,
                        std::uint16_t CellType);
    bool CellParamsText(TColumnEh* Column, TGridDrawState State, std::string& Text, int& ImageIndex);
    bool UseThemedFixedCells() const;
    void PaintGridLines(const TGridDrawInfoEh& Info);
    void PaintCellRegion(const TGridDrawInfoEh& Info, TGridCoord Start, TRect Bounds, TGridDrawState Include);
    int indicatorActiveRow_ = -1;
    bool selectionShownActive_ = false;
    bool mirrored_ = false;
    int borderInset_ = 0;
    // The canvas's own window target, put back after painting through the off-screen bitmap.
    std::shared_ptr<platform::ui::CanvasTarget> windowTarget_;
    // Layout: measured sizes, the scroll state, and the steps of the rebuild, rows and scrolling.
    int editButtonWidth_ = 0;
    int editButtonHeight_ = 0;
    bool wordWrapRoom_ = false;
    bool layoutPending_ = false;
    bool thumbTrackGuard_ = false;
    bool sumsRecalcGuard_ = false;
    std::string savedDataPosition_;
    int savedDataOffset_ = 0;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void VertScrollMessage(TMessage& Message);
    void VertScroll(int Code, int Pos);
    void HorzScrollMessage(TMessage& Message);
    void SizeMessage(TMessage& Message);
    void FollowClientArea();
    void SyncGeneratedColumns();
    void LayOutColumns();
    void MeasureRows();
    static int FitRowHeightToText(int Height, int TextHeight, int Margin);
    void SetRowHeightsKeepingTitle(int Height);
    void MeasureTitleRow();
    TFont* NodeTitleFont(const THeadTreeNode& Node) const;
    int MeasureTitleChildren(THeadTreeNode& Node);
    void ApplyHorzScrollBar();
    void AutoFitColumns();
    void FitWidthsAfterSizing();
    int RowLineWidth() const { return GridLineWidthFor(gdoRowLinesEh); }
    void ScrollDataRows(int Distance);
    void ShowDataMove(int Distance);
    void InvalidateFooterRows();
    void ApplyWaitingMoves();
    void PaintNow();
    bool scrollWaitsForPaint_ = false;  // rows were scrolled and not painted since
    bool movedSincePaint_ = false;      // a dataset move was drawn and not painted since
    bool movesWaiting_ = false;         // later moves wait for the message loop
    void FollowVertScrollBar();
    TRect WholeRowRect(int ARow);
    TScrollBarVisibleModeEh lastVertMode_ = sbAutoShowEh;

    // Keyboard and editing: the steps and the state behind them.
    static constexpr UINT_PTR SearchTimerId = 2;
    static bool StepsInPlace(TColumnEh& Column);
    static std::string WithCrLfLineBreaks(std::string_view Text);
    TColumnEh* ColumnAt(int DataCol) const;
    TColumnEh* CurrentColumnEh() const;
    bool EditorParamsReadOnly(bool& ReadOnly) const;
    void LookupEditKey(TColumnEh& Column, TField& Field, std::string& Text);
    void PostLookupText(TColumnEh& Column, TField& Field, const std::string& Text);
    TDBGridEhSelection* BlockSelection() const;
    void AfterMove();
    void StepRows(bool MaySelect, int Distance, bool ToEnd);
    void SetRowRangeAnchor();
    void RereadRowRangeAnchorRecNo();
    int SideOfRowRangeAnchor() const;
    void StretchBlock(int Distance, bool ToEnd);
    bool EnterColumn(int GridCol);
    bool ShortcutKeyDown(WORD Key, TShiftState Shift);
    void OpenFindDialog();
    void CtrlKeyDown(WORD Key, TShiftState Shift);
    void PlainKeyDown(WORD Key, TShiftState Shift);
    void PasteByKey();
    bool RunEditAction(TDBGridEhEditAction Action);
    void DeleteByKey();
    void EscapeKey();
    void EndOrHomeKey(bool End, bool Multi);
    void SideKey(int Step, bool Multi);
    void InsertKey(bool Shift);
    void ClearStepCellByKey();
    bool TypingSearches();
    int TypingSearchTimeout() const;
    void CharMessage(TMessage& Message);
    void ImeStartMessage(TMessage& Message);
    void SearchBackspace();
    // In-place search: its state, its timer and its walk through the dataset (db_grid_inplace_search.h).
    friend class TGridInplaceSearchEh;
    std::unique_ptr<TGridInplaceSearchEh> search_;
    // Ctrl held or gxoClearSelectionEh off: the rows passed change their selected state.
    bool toggleSelection_ = false;
    bool columnExitRunning_ = false;
    std::string editText_;
    Variant editKeyValue_;
    // Where a Shift range of rows began and whether that row was selected before.
    std::string rowRangeAnchor_;
    int rowRangeAnchorRecNo_ = 0;  // its record number, 0 when the dataset gives none
    // Set when the records may have moved (a sort, an insertion, a deletion) since it was read.
    bool rowRangeAnchorRecNoStale_ = false;
    bool rowAnchorWasSelected_ = false;
    TPoint editorPressPoint_{};
    DWORD editorPressTime_ = 0;

    // Filter row: the keys and messages that reach it from the grid; its editor, its state and the
    // steps only it takes are in filterRow_ (db_grid_filter_row_editing.h).
    friend class TGridFilterRowEditingEh;
    bool StartFilterEditingByKey(WORD Key, TShiftState Shift);
    bool MoveBetweenFilterCells(TControl* Editor, WORD Key, TShiftState Shift);
    bool FilterRowPress(TMessage& Message);
    bool FilterEditorRelease(TMessage& Message);
    bool FilterEditorWheel(TMessage& Message);
    void FilterEditorCancelMode(const TMessage& Message);
    bool FilterEditorChar(const TMessage& Message);
    std::unique_ptr<TGridFilterRowEditingEh> filterRow_;

    // Tool-tips: the hint messages; the hints of cells whose text does not fit come from cellHints_
    // (db_grid_cell_hints.h).
    friend class TGridCellHintsEh;
    void HintShowMessage(TMessage& Message);
    void HintShowPauseMessage(TMessage& Message);
    std::unique_ptr<TGridCellHintsEh> cellHints_;

    // Focus and commands: the deferred sort when the focus leaves, commands sent back to children.
    void SetFocusMessage(TMessage& Message);
    void KillFocusMessage(TMessage& Message);
    void RepaintSelectionOnFocusChange();
    void CommandMessage(TMessage& Message);

  public:
    // Actions: the standard edit actions served while the grid has the focus.
    bool ExecuteAction(TBasicAction* Action) override;
    bool UpdateAction(TBasicAction* Action) override;
    bool EditActionAvailable(TDBGridEhEditAction Action);
    bool CheckCopyAction();
    bool CheckPasteAction();
    bool CheckSelectAllAction();
    bool CheckDeleteAction();
};
