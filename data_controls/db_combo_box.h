#pragma once
// TCustomDBComboBoxEh: the data-aware edit with a list of choices. The drop-down button opens a
// pop-up list of Items; typing completes the text from the list; Up and Down, the mouse wheel and an
// up-down button step through the items. With KeyItems the box is key-based: the field keeps the
// key of the chosen item while the box shows the item's text, and typing searches the items instead
// of editing the text.
#include <functional>
#include <memory>
#include <string>

#include "data_controls/db_edit.h"
#include "data_controls/drop_down_box.h"
#include "data_controls/popup_listbox.h"
#include "platform/rtl/string_list.h"

class TCustomImageList;

using TCloseUpEventEh = std::function<void(TObject* Sender, bool Accept)>;
using TListGetImageIndexEventEh = std::function<void(TObject* Sender, int ItemIndex, int& ImageIndex)>;
using TNotInListEventEh =
    std::function<void(TObject* Sender, const std::string& NewText, bool& RecheckInList)>;
// Makes the pop-up list; nullptr stands for a plain TPopupListboxEh.
using TPopupListboxClassEh = TPopupListboxEh* (*)(TComponent* Owner);

class TCustomDBComboBoxEh : public TCustomDBEditEh {
  public:
    // The grid's filter editor: may refuse or accept a choice before it is applied.
    using TClosingUpHookEh = std::function<void(TObject* Sender, bool& Accept)>;
    // The grid's filter editor: fills an empty Items when they are first needed.
    using TItemsListHookEh = std::function<void(TObject* Sender)>;

    explicit TCustomDBComboBoxEh(TComponent* AOwner);
    ~TCustomDBComboBoxEh() override;
    std::string ClassName() const override { return "TCustomDBComboBoxEh"; }
    void AfterConstruction() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The choices and, for a key-based box, their keys.
    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings& value) { items_->Assign(value); }
    TStrings* KeyItems() const { return keyItems_.get(); }
    void SetKeyItems(const TStrings& value) { keyItems_->Assign(value); }
    // Items with a key as well when key-based.
    int ItemsCount() const { return itemsCount_; }
    bool KeyBased() const { return keyBased_; }
    // The current item (-1: none). Writing it chooses the item and writes it to the data.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value) { SelectItem(value); }
    void SelectItem(int Index);

    TDropDownBoxEh* DropDownBox() const { return dropDownBox_.get(); }
    TCustomImageList* Images() const;
    // Shows the images beside the text and in the list.
    void SetImages(TCustomImageList* value);
    // Makes the pop-up list in place of a plain TPopupListboxEh when set.
    TPopupListboxClassEh PopupListboxClass() const { return popupListboxClass_; }
    void SetPopupListboxClass(TPopupListboxClassEh value) { popupListboxClass_ = value; }
    // The pop-up list, made on first use.
    TPopupListboxEh* EnsurePopupList();
    TPopupListboxEh* PopupList() const { return popupList_; }
    bool ListVisible() const { return listVisible_; }

    // The previous item (IsPrior) or the next one, when the data can be edited.
    // False when the data cannot be edited.
    bool StepItem(bool IsPrior);
    // Empties the box: no key when key-based, else no text.
    void Clear();

    TCloseUpEventEh OnCloseUp;
    TNotifyEvent OnDropDown;
    TListGetImageIndexEventEh OnGetItemImageIndex;
    TNotInListEventEh OnNotInList;
    TClosingUpHookEh ClosingUpHook;
    TItemsListHookEh ItemsListHook;

    // New operations, in their order.
    virtual bool LocateItemText(const std::string& Text, bool Partial);
    virtual bool SearchTyped(const std::string& Text);
    virtual void RequestItems();
    virtual void ApplyItemIndex(int Index);

    // The edit's operations the combo box does its own way.
    std::unique_ptr<TEditButtonEh> NewEditButton() override;
    TAlignment FieldAlignment() const override;
    Variant FetchValue() const override;
    bool AcceptsChar(char32_t Key) const override;
    void ClearFieldMaxLength() override;
    void FieldDataChanged() override;
    void MainButtonPressed(bool InMouseControl) override;
    void OpenDropDown() override;
    void DoCloseDropDown(bool Accept) override;
    void EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y) override;
    void RefreshReadOnly() override;
    void ApplyText(const std::string& Text) override;
    void ApplyValue(const Variant& Value) override;
    void PostTextToField() override;
    void CommitData() override;
    std::string PaintCopyText() const override;
    int BaseImageIndex() const override { return baseImageIndex_; }
    void RefreshImageIndex() override;

  protected:
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DefineProperties(TFiler& filer) override;

  private:
    void ItemsChanged();
    void KeyItemsChanged();
    void Recount();
    // The item whose text the box shows; the open list and the image follow.
    void SyncItemIndex();
    // The index itself, never naming an item past ItemsCount.
    void SetIndexOnly(int index);
    void ListFollows();
    void SetSelectionBackTo(int length);
    // Typing into a box that is not key-based completes the text from the items.
    void CompleteTyped(char32_t key);
    void WidenSearchSelection();
    void PasteSearch();
    // A key-based box takes Delete as clearing its value.
    bool ClearsOnDelete();
    // Keys and the wheel while the list is open; true when taken.
    bool ListOpenMessage(TMessage& Message);
    bool EditButtonShortCut(WORD key, TShiftState shift) const;
    void SizeDropDown(TPopupListboxEh& list);
    void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // A move into the open list while the box or its button holds the mouse hands the drag to the list.
    void PassDragToList(TControl& from, int X, int Y);

    std::unique_ptr<TStringList> items_;
    std::unique_ptr<TStringList> keyItems_;
    std::unique_ptr<TDropDownBoxEh> dropDownBox_;
    TPopupListboxEh* popupList_ = nullptr;
    Variant value_ = Variant::Null();
    int itemsCount_ = 0;
    int itemIndex_ = -1;
    int baseImageIndex_ = -1;
    bool keyBased_ = false;
    bool listVisible_ = false;
    // The character whose typing is completed once the edit has taken it (0: none).
    char32_t typedChar_ = 0;
    TPopupListboxClassEh popupListboxClass_ = nullptr;
};

// The published combo box.
class TDBComboBoxEh : public TCustomDBComboBoxEh {
  public:
    explicit TDBComboBoxEh(TComponent* AOwner) : TCustomDBComboBoxEh(AOwner) {}
    std::string ClassName() const override { return "TDBComboBoxEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};
