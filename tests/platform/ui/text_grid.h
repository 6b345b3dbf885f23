#pragma once
// A small grid of text cells for the grid's tests: it draws each cell's text, keeps the editor's text
// in its cells, and logs the calls the grid makes to it (selection, editing protocol, drag hooks).
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/grid.h"
#include "platform/ui/inplace_edit.h"

class TTextGrid : public TCustomGrid {
  public:
    using TCustomGrid::BoxRect;
    using TCustomGrid::CalcDrawInfo;
    using TCustomGrid::CanEditShow;
    using TCustomGrid::GridState;
    using TCustomGrid::HideEditor;
    using TCustomGrid::InvalidateEditor;
    using TCustomGrid::MoveColRow;
    using TCustomGrid::SetSaveCellExtents;
    using TCustomGrid::SetVirtualView;
    using TCustomGrid::ShowEditor;
    using TCustomGrid::SizingPos;
    using TCustomGrid::TCustomGrid;

    using Cell = std::pair<int, int>;
    std::map<Cell, std::string> Cells;
    std::set<Cell> Refused;  // cells SelectCell refuses
    std::vector<std::string> Log;
    bool Logging = false;  // editing protocol and drag hooks
    std::string Mask;
    int Limit = 0;
    bool Modifiable = true;
    std::string RejectedChars;
    bool RefuseColumnDrop = false;
    // Makes the editor instead of the grid's own.
    std::function<TInplaceEdit*(TTextGrid*)> EditorFactory;

    std::string Text(int col, int row) const {
        auto it = Cells.find({col, row});
        return it == Cells.end() ? std::string() : it->second;
    }

  protected:
    TInplaceEdit* CreateEditor() override {
        return EditorFactory ? EditorFactory(this) : TCustomGrid::CreateEditor();
    }
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
        (void)AState;
        Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Text(ACol, ARow));
    }
    bool SelectCell(int ACol, int ARow) override { return !Refused.contains({ACol, ARow}); }
    bool CanEditShow() override {
        bool result = TCustomGrid::CanEditShow();
        Note("CanEditShow " + std::string(result ? "yes" : "no"));
        return result;
    }
    bool CanEditAcceptKey(char32_t Key) override {
        Note("CanEditAcceptKey " + std::string(1, static_cast<char>(Key)));
        return RejectedChars.find(static_cast<char>(Key)) == std::string::npos;
    }
    bool CanEditModify() override {
        Note("CanEditModify");
        return Modifiable;
    }
    int GetEditLimit() override {
        Note("GetEditLimit");
        return Limit;
    }
    std::string GetEditMask(int ACol, int ARow) override {
        Note("GetEditMask " + At(ACol, ARow));
        return Mask;
    }
    std::string GetEditText(int ACol, int ARow) override {
        Note("GetEditText " + At(ACol, ARow));
        return Text(ACol, ARow);
    }
    void SetEditText(int ACol, int ARow, const std::string& Value) override {
        Note("SetEditText " + At(ACol, ARow) + " " + Value);
        Cells[{ACol, ARow}] = Value;
    }
    bool BeginColumnDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("BeginColumnDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return TCustomGrid::BeginColumnDrag(Origin, Destination, MousePt);
    }
    bool CheckColumnDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("CheckColumnDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return TCustomGrid::CheckColumnDrag(Origin, Destination, MousePt);
    }
    bool EndColumnDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("EndColumnDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return !RefuseColumnDrop && TCustomGrid::EndColumnDrag(Origin, Destination, MousePt);
    }
    bool BeginGridRowDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("BeginGridRowDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return TCustomGrid::BeginGridRowDrag(Origin, Destination, MousePt);
    }
    bool CheckGridRowDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("CheckGridRowDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return TCustomGrid::CheckGridRowDrag(Origin, Destination, MousePt);
    }
    bool EndGridRowDrag(int& Origin, int& Destination, TPoint MousePt) override {
        Note("EndGridRowDrag " + std::to_string(Origin) + " " + std::to_string(Destination));
        return TCustomGrid::EndGridRowDrag(Origin, Destination, MousePt);
    }
    void ColumnMoved(int FromIndex, int ToIndex) override {
        Note("ColumnMoved " + std::to_string(FromIndex) + " " + std::to_string(ToIndex));
        MoveCells(FromIndex, ToIndex, true);
    }
    void RowMoved(int FromIndex, int ToIndex) override {
        Note("RowMoved " + std::to_string(FromIndex) + " " + std::to_string(ToIndex));
        MoveCells(FromIndex, ToIndex, false);
    }
    void ColWidthsChanged() override {
        Note("ColWidthsChanged");
        TCustomGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override {
        Note("RowHeightsChanged");
        TCustomGrid::RowHeightsChanged();
    }

  private:
    static std::string At(int col, int row) { return std::to_string(col) + "," + std::to_string(row); }
    void Note(std::string what) {
        if (Logging)
            Log.push_back(std::move(what));
    }
    // Cells follow their column (row) to its new index; those between shift by one.
    void MoveCells(int from, int to, bool columns) {
        std::map<Cell, std::string> moved;
        for (const auto& [cell, text] : Cells) {
            int i = columns ? cell.first : cell.second;
            if (i == from)
                i = to;
            else if (from < to && i > from && i <= to)
                --i;
            else if (from > to && i >= to && i < from)
                ++i;
            moved[columns ? Cell{i, cell.second} : Cell{cell.first, i}] = text;
        }
        Cells = std::move(moved);
    }
};
