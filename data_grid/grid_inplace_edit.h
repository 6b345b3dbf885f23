#pragma once
// TDBGridInplaceEdit: the text editor the data grid places over its current cell. Besides plain
// editing with the column's mask and length limit it shows the column's edit buttons, drops down a
// pick list, the column's lookup grid, a month calendar or a calculator by the column's edit style,
// completes typed and pasted text against the column's lists, offers the column's remembered texts,
// shows the value's image and marks an empty required field. It asks the grid or the column before
// it touches the dataset.
#include <memory>
#include <string>

#include "data_controls/db_edit.h"
#include "data_controls/drop_down_owner.h"
#include "data_grid/column_cell_params.h"
#include "data_grid/db_grid.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/shortcuts.h"

class TColumnEh;
class TControlCanvas;
class TDataSource;
class TMRUListboxEh;
class TMRUListEh;
class TPopupCalculatorEh;
class TPopupDataGridEh;
class TPopupListboxEh;
class TPopupMonthCalendarEh;
class TStrings;

class TDBGridInplaceEdit : public TInplaceEdit, public IDropDownOwnerEh, public IGridCellEditorEh {
  public:
    // Made by the grid it edits for, which is also its owner.
    TDBGridInplaceEdit(TComponent* AOwner, TCustomDBGridEh& Grid);
    ~TDBGridInplaceEdit() override;
    std::string ClassName() const override { return "TDBGridInplaceEdit"; }

    // New virtual operations, in slot order.
    // Recomputes the value's image and repaints when it changed.
    virtual void RefreshImageIndex();
    virtual TEditButtonControlEh* NewEditButtonControl();
    virtual TMRUListboxEh* NewMRUListBox();
    // The calculator, made once.
    virtual TPopupCalculatorEh* NewPopupCalculator();
    // The main button went down: an up-down steps, other styles drop down their list.
    virtual void MainButtonPressed(bool BottomHalf);
    // The formatting rectangle: the client area less the buttons, the image and the tree indent.
    virtual TRect ComputeTextRect();
    // Completes the characters of a key press against the column's lists; empties them when taken.
    virtual void ApplyEditedText(std::string& TypedChars);
    virtual void EditButtonClicked(TObject* Sender);
    virtual void EditButtonPressed(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
    virtual void EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y);
    virtual void EditButtonMouseReleased(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                         int Y);
    virtual void AcceptMRUItem(const std::string& Item, bool& Accept);
    virtual void MRUListBoxResized(TObject* Sender);
    virtual void PaintRequiredMark(TCanvas& Canvas);
    virtual void TextChangedByUser();

    // IDropDownOwnerEh.
    void CloseDropDown(bool Accept) override;
    // IGridCellEditorEh: the read-only state a cell-parameter handler set, when it set one.
    bool CellParamsReadOnly(bool& ReadOnly) const override;

    void UpdateContents() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Drop-downs, buttons and keys.
    void OpenDropDown();
    void SetEditStyle(TInplaceEditStyleEh Style);
    void LayoutEditButtons();
    void ActivateEditButtons();
    void StepByUpDown(bool BottomHalf);
    void LocateTypedText();
    void HandleDropDownKeys(WORD& Key, TShiftState Shift);
    // Presses and clicks the extra button with that shortcut; false when none has it.
    bool EditButtonByShortCut(TShortCut ShortCut);
    void DropDownMRUList();
    void MRUListClosed(bool Accept);
    // The list of remembered texts, made on first call.
    TMRUListboxEh* MRUListBox();
    bool CalculatorAvailable();
    // The grid's current column; nullptr when the grid has none.
    TColumnEh* CurrentColumn() const;
    // The grid while it hosts the editor; nullptr before that and once the grid lets it go.
    TCustomDBGridEh* OwnerGrid() const;
    // The first item equal to Text or, with PartialKey, starting with it; case-insensitive; -1 none.
    static int FindStringIndex(const TStrings& List, const std::string& Text, bool PartialKey);

    // State.
    TInplaceEditStyleEh ActiveEditStyle() const { return activeEditStyle_; }
    TWinControl* ActiveDropDown() const { return activeDropDown_; }
    TPopupListboxEh* PickList() const { return pickList_; }
    TPopupDataGridEh* DataList() const { return dataList_; }
    TPopupMonthCalendarEh* CalendarDropDown() const { return calendarDropDown_; }
    TPopupCalculatorEh* CalculatorDropDown() const { return calculatorDropDown_; }
    TDataSource* DropDownSource() const { return dropDownSource_; }
    bool ListShown() const { return listShown_; }
    bool DropDownOpen() const { return dropDownOpen_; }
    bool KeepOpenOnClick() const { return keepOpenOnClick_; }
    bool ListColumnsReordered() const { return listColumnsReordered_; }
    bool WordWrap() const { return wordWrap_; }
    // Changing it makes the window anew.
    void SetWordWrap(bool Value);
    int ButtonAreaWidth() const { return buttonAreaWidth_; }
    int ImageIndex() const { return imageIndex_; }
    bool UserEdited() const { return userEdited_; }
    TMRUListEh* MRUList() const { return mruList_; }
    TControlCanvas* Canvas() const { return canvas_.get(); }
    const std::string& TypedChars() const { return typedChars_; }
    // Entry 0 the main button, entry i the column's extra button i-1.
    const TEditButtonControlList& ButtonControls() const { return buttonControls_; }

  protected:
    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(TCanvas& ACanvas) override;
    void BoundsChanged() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A change of the text the user made by keys or the clipboard tells TextChangedByUser.
    void Change() override;
    // While a drop-down is shown the wheel is swallowed.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    // Message handlers.
    void CMCancelMode(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);

    // Mouse releases of the pick list and the list of remembered texts.
    void PickListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void MRUListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Steps of the keys and the mouse that belong with the typing and the lists.
    // Delete and Backspace in a lookup or key-list cell; sets Key to 0 when it took the key.
    void KeyDownInListCell(WORD& Key, TShiftState Shift);
    // A double click with the column's DblClickNextVal steps the value.
    void StepValueOnDoubleClick(TShiftState Shift);
    // After a message with the text changed by the user: the list of remembered texts opens or closes.
    void ReconsiderMRUList();

  private:
    // The cell's text, mask and length limit, loaded without telling the grid of a change.
    void LoadText(const std::string& Value);
    void ApplyCellParams(TCustomDBGridEh& Grid, TColumnEh& Column, const std::string& Text);
    TPopupListboxEh* EnsurePickList(TColumnEh* Column);
    TPopupDataGridEh* BorrowDataList(TColumnEh* Column);
    // Buttons: the row's make-up, one control's settings and the row's placement.
    void FitButtonControlCount(int Wanted);
    void SetButtonControlHooks(TEditButtonControlEh& Control);
    int SetUpMainButton(TEditButtonControlEh& Control);
    int SetUpExtraButton(TEditButtonControlEh& Control, const TEditButtonEh& Button);
    int DefaultButtonWidth() const;
    int ButtonHeightCandidate(int Width, bool Main) const;
    void PlaceButtonControls(int Height);
    bool IsMainButton(const TObject* Sender) const;
    void ExtraButtonPressed(int Index, TEditButtonControlEh& Control, bool TopButton, bool& AutoRepeat,
                            bool& Handled);
    bool ButtonHoldsPointInList(TControl& Button, int X, int Y, TPoint& ListPoint);
    // After the edit's own handling of a message: a user's change reconsiders the remembered texts.
    void AfterEditMessage();
    // Keys of KeyDown.
    bool WordWrapArrowKey(WORD Key, TShiftState Shift);
    bool SearchShortcutKey(WORD Key, TShiftState Shift);
    bool SpecRowShortcutKey(WORD Key, TShiftState Shift);
    // Painting.
    bool ShowsImage() const;
    // Drop-downs: showing the list, the choice it stands on, hiding it and what an accepted choice
    // writes to the cell.
    void ShowDropDown(TColumnEh& Column);
    Variant TakeDropDownChoice(TColumnEh& Column);
    void HideDropDown();
    void ShowGridText();
    void AcceptLookupChoice(TColumnEh& Column, const Variant& Value);
    void AcceptCalendarChoice(TColumnEh& Column);
    void AcceptCalculatorChoice(TColumnEh& Column);
    void AcceptPickListChoice(TColumnEh& Column, const Variant& Value);
    // Keys of WndProc for the open drop-down and for the remembered texts; true when taken.
    bool DropDownKeyMessage(TMessage& Message, WORD Key, TShiftState Shift);
    bool MRUListKeyMessage(TMessage& Message, WORD Key, TShiftState Shift);
    void ShowListTextInEditor();

    TInplaceEditStyleEh activeEditStyle_ = esSimpleEh;
    TWinControl* activeDropDown_ = nullptr;
    TPopupListboxEh* pickList_ = nullptr;
    TPopupDataGridEh* dataList_ = nullptr;
    TPopupMonthCalendarEh* calendarDropDown_ = nullptr;
    TPopupCalculatorEh* calculatorDropDown_ = nullptr;
    TDataSource* dropDownSource_ = nullptr;
    bool listShown_ = false;
    bool dropDownOpen_ = false;
    bool keepOpenOnClick_ = false;
    bool listColumnsReordered_ = false;
    bool wordWrap_ = false;
    int buttonAreaWidth_ = 0;
    int imageIndex_ = -1;
    bool userEdited_ = false;
    TMRUListEh* mruList_ = nullptr;
    TMRUListboxEh* mruListWindow_ = nullptr;
    TCustomDBGridEh* ownerGrid_;
    std::unique_ptr<TControlCanvas> canvas_;
    std::string typedChars_;
    TEditButtonControlList buttonControls_;
    // The read-only state the cell-parameter handlers set for the current cell, when they changed it.
    bool paramsReadOnlySet_ = false;
    // Set while the edit itself handles a key or a clipboard message: its changes are the user's.
    bool textChangeByUser_ = false;
    bool paramsReadOnly_ = false;
};
