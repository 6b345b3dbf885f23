#pragma once
// TCustomDBGridEh: the data-aware grid. Its rows are the records of a dataset reached through a data
// source and the grid's data link; its columns come from a column collection. This header holds the
// class's shape, its option sets, events, the operations later features fill in, its life cycle and
// the layout-update protocol every layout change goes through.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/draw_bitmap.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/grid_parts.h"
#include "data_grid/head_tree.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/set.h"
#include "platform/ui/colors.h"
#include "platform/ui/grid.h"

class TCustomImageList;
class TChangeLink;
class TDBGridEhSumList;
class TColumnsEhList;
class TDataSet;
class TDBGridEhStyle;
class TDataSource;
class TFiler;
class TFont;

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
// Posted to the grid to rebuild its layout once the current message is done.
inline constexpr UINT WM_DEFERRED_LAYOUT_EH = WM_USER + 100;

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

class TCustomDBGridEh : public TCustomGrid, public IGridDataLinkOwnerEh {
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
    TDBGridEhAllowedOperations AllowedOperations = {alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh};
    TDBGridEhAllowedSelections AllowedSelections = {gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh};
    TDBGridEhEditActions EditActions;

    // Data.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Source);
    TGridDataLinkEh* DataLink() const { return dataLink_.get(); }
    IGridColumnsEh* Columns() const { return columns_.get(); }
    IGridColumnDefValuesEh* ColumnDefValues() const { return columnDefValues_.get(); }
    IGridScrollBarEh* HorzScrollBar() const { return horzScrollBar_.get(); }
    IGridScrollBarEh* VertScrollBar() const { return vertScrollBar_.get(); }
    IGridFilterRowEh* STFilter() const { return stFilter_.get(); }
    IGridSelectionEh* Selection() const { return selection_.get(); }
    IGridSelectedRowsEh* SelectedRows() const { return selectedRows_.get(); }
    // Running sums, averages and counts of the dataset, read by the footers.
    TDBGridEhSumList* SumList() const { return sumList_.get(); }
    // Columns that carry sort markers, in sort order.
    std::vector<IGridColumnEh*>& SortMarkedColumns() { return sortMarkedColumns_; }
    // The sort-marked columns again from their titles' sort indexes.
    void RebuildSortMarkedList();
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
    // Sets the columns' widths from what they show; the mouse feature fills it in.
    virtual void MeasureColumnWidths(TColumnsEhList& Columns);

    // Input-method settings: the grid's own, and those applied for the current column.
    TImeMode ImeMode = imDontCare;
    std::string ImeName;
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
    bool DefaultDrawing = true;
    bool ReadOnly = false;
    bool TakesFocus = true;
    bool AllowMemTable = true;
    bool FieldDisplayWidthSync = true;
    bool RowSizingAllowed = false;
    int FrozenCols = 0;
    int MinAutoFitWidth = 0;
    int RowLines = 0;
    int TitleLineCount = 0;
    int TitlePixelHeight = 0;
    TColor EvenRowColor = clWindow;
    TColor OddRowColor = clWindow;

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

    // New virtual operations, in slot order; the base behaviour here, the features fill them in.
    bool TryFocusGrid() override;
    virtual bool CanStartRowDrag();
    virtual int TreeLevelAtPoint(int X, int Y);
    virtual bool ShowsRowFocusFrame();
    virtual bool KeepsEditorShown();
    virtual bool FilterEditingActive();
    virtual bool CellHas3DFrame(int ACol, int ARow, TGridDrawState AState);
    virtual bool IsCellInSelection(int ACol, int ARow);
    virtual bool ToggleTreeNodeAt(int X, int Y);
    virtual bool BeginRowDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual TWinControl* NewFilterEditor();
    virtual int SubTitleRowCount();
    virtual int ShowsTitles();
    virtual void GetHighlightColors(TGridDrawState State, TColor& Background, TColor& Text);
    virtual void GetDataCellColors(int DataCol, TGridDrawState State, TColor& Background, TColor& Text);
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
    virtual void DrawFixedCell(int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual bool EndRowDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual void CollectDataSetFields(std::vector<TField*>& Fields);
    void RefreshLayout() override;
    void DataLinkActiveChanged(bool Active) override;
    virtual int RowAtDragPoint(TPoint MousePt);
    void LinkDataSetScrolled(int Distance) override;
    virtual void InvalidateSelection();
    virtual void ApplyColumnAttributes();
    virtual void StoreFilterText();
    void ShowCellEditor() override;
    virtual void AutoScrollTick();
    virtual void ActiveRecordChanged();
    virtual void FillFilterList(std::vector<std::string>& Items);
    virtual void SyncExternalHorzScrollBar();
    virtual void RecalcRowCount();
    virtual void RefreshVertScrollBar();
    virtual bool MoveRecordsDefault(const std::vector<std::string>& Bookmarks, int TargetRecNo, int TreeLevel,
                                    bool CheckOnly);
    virtual std::string GetFooterText(int DataCol, int Row);
    virtual bool FindDialogModal();
    virtual void ApplyFilter();
    virtual void ApplySorting();
    // What the selection and the style ask of the grid; the drawing and layout features refine them.
    virtual void InvalidateGridRow(int ARow);
    virtual int VisibleDataRowCount();
    virtual TRect CellsBoxRect(int ALeft, int ATop, int ARight, int ABottom);
    // What the columns ask of the grid while they edit a cell; the keyboard feature refines them.
    // Whether the allowed operations let the current cell be edited.
    virtual bool GridAllowsCellEdit();
    // The in-place editor exists and is visible; its text; whether it is on screen as well.
    virtual bool EditorShown();
    virtual std::string EditorText();
    virtual bool EditorShowing();
    // What the filter row's settings and the columns' filters ask of the grid; the filter-row
    // editing feature fills them in. Leaves filter-row editing unless an update is locked.
    virtual void StopFilterEditing();
    // Places the filter-row editor again over its cell.
    virtual void PlaceFilterEditor();

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

  protected:
    // The owned parts, made during construction; a derived grid makes its own.
    virtual std::unique_ptr<IGridColumnDefValuesEh> NewColumnDefValues();
    virtual std::unique_ptr<IGridColumnsEh> NewColumns();
    virtual std::unique_ptr<IGridScrollBarEh> NewScrollBar(TScrollBarKindEh Kind);
    virtual std::unique_ptr<IGridFilterRowEh> NewFilterRow();
    virtual std::unique_ptr<IGridSelectionEh> NewSelection();
    virtual std::unique_ptr<IGridSelectedRowsEh> NewSelectedRows();
    // Its changes repaint the footers; its recalculations fire OnSumsRecalc and OnSumsRecalcDone.
    virtual std::unique_ptr<TDBGridEhSumList> NewSumList();

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

    // Rebuilds the layout now (the layout feature fills in ApplyLayoutChange).
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

  private:
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

    TDBGridEhOptions options_ = DefaultDBGridEhOptions;
    TDBGridEhExtOptions extOptions_ = DefaultDBGridEhExtOptions;
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
    std::unique_ptr<IGridSelectionEh> selection_;
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
    // Layout: edit-button size and word-wrap room, measured by the rebuild.
    int editButtonWidth_ = 0;
    int editButtonHeight_ = 0;
    bool wordWrapRoom_ = false;
};
