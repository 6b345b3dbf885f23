#pragma once
// Filter row editing: the filter editor (made on first use), the data column it edits and whether
// the grid is filter editing, and the steps only the filter row's files take: the editor made and
// placed over its cell, the edited column brought into view, the steps between filter cells, presses
// handed on to the editor, and the editor's drop-down list filled and answered. The grid owns one.
#include <cstdint>

#include "platform/ui/types.h"

class TColumnEh;
class TCustomDBGridEh;
class TInplaceFilterEditEh;

class TGridFilterRowEditingEh {
  public:
    explicit TGridFilterRowEditingEh(TCustomDBGridEh& Grid) : grid_(Grid) {}

    // The filter editor once made (nullptr before), the data column it edits and whether it does.
    TInplaceFilterEditEh* Editor = nullptr;
    int EditedColumn = 0;
    bool Editing = false;

    TInplaceFilterEditEh* EnsureFilterEditor();
    TRect FilterCellRect(int DataCol);
    void RepaintFilterCell(int DataCol);
    // The edited column comes into view: with row selection only scrolled to, otherwise made current.
    void ShowFilterColumn(int DataCol);
    void FilterItemsNeeded();
    void FilterClosingUp(bool& Accept);
    void FilterClosedUp(bool Accept);
    void ChooseSpecialFilterItem(TColumnEh& Column, int Code);
    void FilterEditorKeyPress(char32_t& Key);
    void FilterEditorChanged();
    void AfterFilterApplied(int LeftColumn);
    int FilterColumnForKey();
    int NextFilterCell(int From, int Step);
    LRESULT ForwardToFilterEditor(UINT Msg, WPARAM WParam, TPoint ClientPoint);

  private:
    TCustomDBGridEh& grid_;
};
