#pragma once
// TInplaceEdit: the editor a grid places over its current cell. It takes its mask, text and length
// limit from the grid (UpdateContents), hands every change of its text back (SetEditText), asks the
// grid which keys it may take, and passes the grid's own keys (rows, pages, Tab, Esc, Enter) and the
// wheel on to the grid.
#include "platform/ui/mask_edit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
  public:
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;
    std::string ClassName() const override { return "TInplaceEdit"; }

    TCustomGrid* Grid() const { return grid_; }
    void SetGrid(TCustomGrid* grid) { grid_ = grid; }
    // Reloads mask, text and limit for the grid's current cell.
    virtual void UpdateContents();
    // Shows the editor over loc and gives it the focus when the grid has it.
    void Move(const TRect& Loc);
    // Follows its cell when the view scrolls; hidden while the cell is out of view.
    void UpdateLoc(const TRect& Loc);
    // Hides the editor; the focus goes back to the grid when the editor had it.
    void HideWindow();
    void Deselect();

  protected:
    virtual void BoundsChanged();
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void Change() override;
    LRESULT DialogCode() const override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoExit() override;
    // While set, changes of the text are not handed to the grid (the text is being reloaded).
    bool ChangeGuard() const { return changeGuard_; }
    void SetChangeGuard(bool value) { changeGuard_ = value; }

  private:
    void SendToGrid(WORD& Key, TShiftState Shift);
    void GridKeyEvent(WORD& Key, TShiftState Shift);
    bool CaretAtStart() const;
    bool CaretAtEnd() const;
    TCustomGrid* grid_ = nullptr;
    bool changeGuard_ = false;
    bool leaving_ = false;
};
