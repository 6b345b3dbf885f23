#pragma once
// TCustomGrid: cells in rows and columns, the first FixedRows and FixedCols of them fixed (they do not
// scroll), the rest scrolled by TopRow and LeftCol. One cell is current (Col, Row); with goRangeSelect
// the selection stretches from it to an anchor. Columns and rows may be sized and moved by the mouse,
// the window's scroll bars follow the view, and an in-place editor (TInplaceEdit) edits the current
// cell through the Get/SetEditText protocol. A derived grid draws the cells (DrawCell) and supplies
// their text; it may take over the vertical scroll bar (VirtualView).
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/custom_control.h"
#include "platform/ui/grid_types.h"

class TInplaceEdit;

class TCustomGrid : public TCustomControl {
  public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    std::string ClassName() const override { return "TCustomGrid"; }
    void Dispatch(TMessage& Message) override;

    // Counts. A fixed count must stay below its count; a count shrinking to the fixed count takes
    // the fixed count down with it.
    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    void SetColCount(int value);
    int RowCount() const { return static_cast<int>(rowHeights_.size()); }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);

    // Extents. Setting a default gives every column (row) that extent; -1 hides a column or row.
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int index) const;
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    bool TabStops(int index) const;
    void SetTabStops(int index, bool value);

    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value);

    // The current cell and the view.
    int Col() const { return current_.X; }
    void SetCol(int value);
    int Row() const { return current_.Y; }
    void SetRow(int value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int value);
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int value);
    // Scrolling cells shown whole (at least 0).
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // Geometry in client coordinates. A cell not shown has an empty rectangle; a point on no cell
    // gives -1 for its column and row.
    TRect CellRect(int ACol, int ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return inplaceEdit_; }

    // The text the editor edits and its rules, asked by the editor.
    virtual bool CanEditAcceptKey(char32_t Key);
    virtual bool CanEditModify();
    virtual int GetEditLimit();
    virtual std::string GetEditMask(int ACol, int ARow);
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);

    // Keys the editor hands back (the grid's own handlers, open to it).
    void GridKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void GridKeyPress(char32_t& Key) { KeyPress(Key); }
    bool GridMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
        return DoMouseWheel(Shift, WheelDelta, MousePos);
    }

  protected:
    // Window timer of selecting and moving past an edge.
    static constexpr UINT_PTR ScrollTimerId = 1;
    // Geometry. CalcDrawInfo fills both axes for the client area; a derived grid extends it.
    virtual void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
    void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight) const;
    // The fixed cells only: each axis scrolled to its first scrolling cell.
    void CalcFixedInfo(TGridDrawInfo& DrawInfo) const;
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo) const;
    // The furthest LeftCol and TopRow: the last column and row are then shown whole.
    TGridCoord CalcMaxTopLeft(const TGridDrawInfo& DrawInfo) const;

    // The view and the current cell.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveTopLeft(int ALeft, int ATop);
    void ClampInView(TGridCoord Coord);
    // A move by the user: MoveColRow, the editor follows, then Click.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveAnchor(TGridCoord NewAnchor);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void SizeChanged(int OldColCount, int OldRowCount);

    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid();
    void InvalidateGridRect(const TGridRect& ARect);

    // Painting: lines, then every cell shown through DrawCell.
    void Paint() override;
    virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState);

    // The mouse.
    TGridState GridState() const { return gridState_; }
    void SetGridState(TGridState value) { gridState_ = value; }
    int SizingIndex() const { return sizingIndex_; }
    int SizingPos() const { return sizingPos_; }
    void SetSizingPos(int value) { sizingPos_ = value; }
    int SizingOfs() const { return sizingOfs_; }
    // A point near a border between sizable cells in the fixed cells gives a sizing state, the
    // border's index and position and the offset of the point from it.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                 const TGridDrawInfo& FixedInfo);
    // The dotted XOR line that follows the mouse while sizing, across the cells shown (GridWidth and
    // GridHeight: the grid boundaries); drawn twice it is gone.
    virtual void DrawSizingLine(int GridWidth, int GridHeight);
    // A dotted line XORed onto the canvas in this pen width and colour, the pen left as it was;
    // drawn twice it is gone.
    void DrawInvertedDotLine(TPoint From, TPoint To, int Width, TColor Color);
    // Hooks of moving a column or row by the mouse: may it start, may it go there, may it drop.
    virtual bool BeginColumnDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual bool CheckColumnDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual bool EndColumnDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual bool BeginGridRowDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual bool CheckGridRowDrag(int& Origin, int& Destination, TPoint MousePt);
    virtual bool EndGridRowDrag(int& Origin, int& Destination, TPoint MousePt);
    // The selection follows the mouse past an edge, one cell per timer tick.
    virtual void TimedScroll(TGridScrollDirection Direction);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    // Keys.
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    LRESULT DialogCode() const override;

    // The in-place editor.
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    void ShowEditor();
    void HideEditor();
    void InvalidateEditor();
    void UpdateEdit();
    void DoExit() override;

    // Scroll bars: the window's bars show the view's place among the scrolling cells.
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Resize() override;
    void UpdateScrollRange();
    void UpdateScrollPos();
    // Rows are a window onto data kept elsewhere: the vertical bar is the derived grid's.
    bool VirtualView() const { return virtualView_; }
    void SetVirtualView(bool value) { virtualView_ = value; }
    // Whether set extents are stored with the grid; a grid that computes them clears it.
    bool SaveCellExtents() const { return saveCellExtents_; }
    void SetSaveCellExtents(bool value) { saveCellExtents_ = value; }
    // Options added while a form is designed.
    TGridOptions DesignOptionsBoost;
    bool IsActiveControl() const;

  private:
    friend class TInplaceEdit;
    void ChangeSize(int NewColCount, int NewRowCount);
    void ExtentsChanged(bool columns);
    int AxisExtent(const std::vector<int>& extents, int index) const;
    void CalcAxis(TGridAxisDrawInfo& Axis, int UseExtent) const;
    void FillAxis(TGridAxisDrawInfo& Axis, bool columns) const;
    TRect GridRectToScreenRect(const TGridRect& ARect, bool IncludeLine) const;
    void SelectionMoved(const TGridRect& OldSel);
    void ScrollMessage(TMessage& Message, int bar);
    void ModifyScrollBar(int bar, int code, int pos);
    int ScrolledTo(int bar, int code, int pos) const;
    void UpdateText();
    void HideEdit();
    void ShowEditorChar(char32_t ch);
    // Esc: the editor's text goes back to the cell's and the editor closes.
    void CancelEditor();
    // The focus left the editor: unless it came back to the grid, it left the grid.
    void EditorExit();
    void EditorFreed(const TInplaceEdit* editor);
    bool ColumnShown(int ACol) const;
    // The first shown column from ACol on in the direction of Step, else back the other way.
    int ShownColumnFrom(int ACol, int Step) const;
    TGridCoord NextTabStop(bool Forward) const;
    // Where a key takes the view and the current cell.
    struct KeyMove {
        TGridCoord TopLeft;
        TGridCoord Current;
        int ColStep = 0;  // the direction to skip hidden columns in
        bool MoveAnchor = true;
    };
    void CtrlKeyMove(WORD Key, const TGridDrawInfo& DrawInfo, KeyMove& move) const;
    void PlainKeyMove(WORD Key, TShiftState Shift, const TGridDrawInfo& DrawInfo, KeyMove& move);
    void WMChar(TMessage& Message);
    void WMTimer();
    void WMCancelMode();
    void MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& DrawInfo, bool columns, TPoint MousePt);
    void DrawMove();
    int ResizeLine(const TGridAxisDrawInfo& AxisInfo) const;
    void StartMoving(TGridCoord CellHit, TPoint MousePt);
    void EndMouseState(TShiftState Shift, int X, int Y);
    void DrawLines(const TGridDrawInfo& DrawInfo, bool DoHorz, bool DoVert, TGridCoord Start, TRect Bounds,
                   TColor LineColor, TColor OffColor);
    void DrawCells(const TGridDrawInfo& DrawInfo, TGridCoord Start, TRect Bounds, TColor AColor,
                   TGridDrawState Include);

    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<bool> tabStops_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TColor fixedColor_ = clBtnFace;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle scrollBars_ = ssBoth;
    bool defaultDrawing_ = true;
    bool virtualView_ = false;
    bool saveCellExtents_ = true;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    TGridCoord topLeft_{1, 1};
    TGridState gridState_ = gsNormal;
    int sizingIndex_ = -1;
    int sizingPos_ = 0;
    int sizingOfs_ = 0;
    int moveIndex_ = -1;
    int movePos_ = -1;
    bool editorMode_ = false;
    TInplaceEdit* inplaceEdit_ = nullptr;
    TGridCoord inplaceCell_{-1, -1};
};
