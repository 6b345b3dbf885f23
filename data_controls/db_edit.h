#pragma once
// TCustomDBEditEh: a masked single-line edit that shows and edits one field of a dataset, or keeps
// its own value when unbound. Around the text it keeps a row of edit buttons at the right, an
// optional image at the left and a drop-down of remembered texts; it can paint a flat border, a
// mark under an empty required field and a tool-tip for text that does not fit, and it can run as
// a grid's cell editor, offering messages and keys to its holder first.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data_controls/drop_down_owner.h"
#include "data_controls/edit_button.h"
#include "data_controls/edit_image.h"
#include "data_controls/field_data_link.h"
#include "data_controls/inplace_editor.h"
#include "data_controls/mru_list.h"
#include "platform/rtl/alignment.h"
#include "platform/ui/canvas.h"
#include "platform/ui/mask_edit.h"
#include "platform/ui/messages.h"

class TCanvas;
class TControlCanvas;
class TDataSource;
class TField;
class TMRUListboxEh;
class TShape;
class IInplaceEditHolderEh;

// Asks a data-aware control for its data link (the answer is the link's address).
inline constexpr UINT CM_GETDATALINK = CM_BASE + 75;
// The edit's image settings changed: the window is made anew. WParam: the image object.
inline constexpr UINT CM_EDITIMAGECHANGEDEH = WM_USER + 101;
// Posted right after a button's drop-down menu closed; WParam: the button control's Tag.
inline constexpr UINT CM_IGNOREEDITDOWNEH = WM_USER + 102;

using TOnCheckDrawRequiredStateEventEh = std::function<void(TObject* Sender, bool& DrawState)>;
using TGetEditImageIndexEventEh = std::function<void(TObject* Sender, int& ImageIndex)>;
using TUpdateDataEventEh = std::function<void(TObject* Sender, bool& Handled)>;

// One button of the row: its 1-pixel separator and the button control (entry 0: the main button).
struct TEditButtonControlLineRec {
    TShape* ButtonLine = nullptr;
    TEditButtonControlEh* EditButtonControl = nullptr;
};
using TEditButtonControlList = std::vector<TEditButtonControlLineRec>;

class TCustomDBEditEh : public TCustomMaskEdit, public IDropDownOwnerEh, public IInplaceEditorEh {
  public:
    explicit TCustomDBEditEh(TComponent* AOwner);
    ~TCustomDBEditEh() override;
    std::string ClassName() const override { return "TCustomDBEditEh"; }
    // The parts a descendant may make differently (link, buttons, image, MRU settings).
    void AfterConstruction() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    bool ExecuteAction(TBasicAction* Action) override;
    bool UpdateAction(TBasicAction* Action) override;

    // Settings.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    bool AlignmentAssigned() const { return alignmentAssigned_; }
    std::string EditMask() const { return TCustomMaskEdit::EditMask(); }
    void SetEditMask(const std::string& value);
    bool EditMaskAssigned() const { return editMaskAssigned_; }
    bool AlwaysShowBorder() const { return alwaysShowBorder_; }
    void SetAlwaysShowBorder(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool HighlightRequired() const { return highlightRequired_; }
    void SetHighlightRequired(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // The control's own ShowHint; the window's ShowHint is this or Tooltips.
    bool OwnShowHint() const { return ownShowHint_; }
    void SetShowHint(bool value);
    bool Tooltips() const { return tooltips_; }
    void SetTooltips(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // Data.
    std::string DataField() const { return GetDataField(); }
    TDataSource* DataSource() const { return GetDataSource(); }
    TField* Field() const;
    TFieldDataLinkEh* DataLink() const { return dataLink_.get(); }
    // Writing a text or a value puts the dataset into editing and commits at once.
    void SetText(const std::string& value);
    Variant Value() const { return FetchValue(); }
    void SetValue(const Variant& value) { StoreValue(value); }
    bool DataPosting() const { return dataPosting_; }

    // Parts.
    TEditButtonEh* EditButton() const { return editButton_.get(); }
    TEditButtonsEh* EditButtons() const { return editButtons_.get(); }
    TEditImageEh* EditImage() const { return editImage_.get(); }
    TMRUListEh* MRUList() const { return mruList_.get(); }
    // The drop-down of remembered texts, made on first use.
    TMRUListboxEh* MRUListBox();
    const TEditButtonControlList& ButtonControls() const { return buttonControls_; }
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    int ImageWidth() const { return imageWidth_; }

    // State.
    bool BorderActive() const { return borderActive_; }
    bool MouseAboveControl() const { return mouseAboveControl_; }
    bool FocusedState() const { return focused_; }
    bool DroppedDown() const { return droppedDown_; }
    // The last character message as a whole.
    const std::string& CompleteKeyPress() const { return completeKeyPress_; }

    // Layout rectangles, in client coordinates.
    TRect ButtonRect() const;
    TRect TextAreaRect() const;
    TRect ImageRect() const;
    void UpdateEditButtonControlList();
    void UpdateEditButtonControlsState();
    void UpdateTextRect();
    void RefreshBorderState();

    // IDropDownOwnerEh.
    void CloseDropDown(bool Accept) override;

    // Hosting by a holder (a grid's cell editor).
    TFont* GetFont() const override { return Font(); }
    void AttachEditHolder(TWinControl* Holder) override;
    void SetBorderStyle(TBorderStyle value) override;
    void SetFont(const TFont& value) override { TCustomMaskEdit::SetFont(value); }
    void SetColor(TColor value) override { TCustomMaskEdit::SetColor(value); }
    void SetOnKeyPress(TKeyPressEvent handler) override { OnKeyPress = std::move(handler); }
    void SetOnExit(TNotifyEvent handler) override { OnExit = std::move(handler); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    bool InplaceMode() const { return inplaceMode_; }
    TWinControl* EditHolder() const { return editHolder_; }
    IInplaceEditHolderEh* EditHolderIntf() const { return editHolderIntf_; }
    void SetEditorBounds(const TRect& R);
    void Hide();
    bool Visible() const;
    void SetVisible(bool value);
    void SetFocus() override;

    TButtonClickEventEh OnButtonClick;
    TButtonDownEventEh OnButtonDown;
    TOnCheckDrawRequiredStateEventEh OnCheckDrawRequiredState;
    TGetEditImageIndexEventEh OnGetImageIndex() const { return onGetImageIndex_; }
    void SetOnGetImageIndex(TGetEditImageIndexEventEh value);
    TUpdateDataEventEh OnUpdateData;

    // The control's new virtual operations, in their order.
    virtual bool ButtonsUsable() const;
    virtual std::unique_ptr<TFieldDataLinkEh> NewDataLink();
    virtual std::unique_ptr<TEditButtonEh> NewEditButton();
    virtual TEditButtonControlEh* NewEditButtonControl();
    virtual std::unique_ptr<TEditButtonsEh> NewEditButtons();
    virtual std::unique_ptr<TEditImageEh> NewEditImage();
    virtual TMRUListboxEh* NewMRUListBox();
    virtual bool IsUnbound() const;
    virtual TAlignment FieldAlignment() const;
    virtual std::string FieldEditMask() const;
    virtual int BaseImageIndex() const { return -1; }
    virtual std::string GetDataField() const;
    virtual TDataSource* GetDataSource() const;
    virtual std::string PaintCopyText() const;
    virtual Variant FetchValue() const;
    virtual bool AcceptsChar(char32_t Key) const;
    virtual void LinkActiveChanged();
    virtual void FitHeightToFont();
    virtual void MainButtonPressed(bool InMouseControl);
    virtual TRect ComputeTextRect() const;
    virtual void DoCloseDropDown(bool Accept);
    virtual void FieldDataChanged();
    virtual void OpenDropDown();
    virtual void EditButtonClicked(TObject* Sender);
    virtual void EditButtonPressed(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
    virtual void EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y);
    virtual void EditButtonMouseReleased(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                         int Y);
    virtual void LinkEditingChanged();
    virtual void AcceptMRUItem(const std::string& Text, bool& Accept);
    virtual void ApplyText(const std::string& Text);
    virtual void ApplyValue(const Variant& Value);
    virtual void PostTextToField();
    virtual void MRUListBoxResized(TObject* Sender);
    virtual void PaintRequiredMark(TCanvas& Canvas);
    virtual void ClearFieldMaxLength();
    virtual void SetDataField(const std::string& Value);
    virtual void SetDataSource(TDataSource* Value);
    virtual void SetFocusedState(bool AFocused);
    virtual void StoreValue(const Variant& Value);
    virtual void RefreshReadOnly();
    virtual void UpdateFixedHeight();
    virtual void RefreshHintMode();
    virtual void RefreshImageIndex();
    virtual void TextChangedByUser();
    virtual void CommitData();

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Resize() override;
    void FontChanged() override;
    void Change() override;
    LRESULT DialogCode() const override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DefineProperties(TFiler& filer) override;

    // Painting and hosting entry points.
    // Paints the control on dc (nullptr: the control canvas): through the edit window, or its own aligned
    // text while unfocused or when painting a copy (paintingCopy_ or csPaintCopy), which shows the field's
    // text.
    void PaintWindowEh(HDC dc);
    void PaintWindow(TCanvas& canvas) override;
    void WMNCPaint(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMHintShow(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    // Whether the text is wider or taller than the text rectangle.
    bool TextOverflows();
    // The control canvas, made and bound to the window on first use.
    TControlCanvas* ControlCanvas();
    // The in-place window procedure: the holder first; false when it stopped the message.
    bool HolderWindowProc(TMessage& Message);
    // Handles the in-place WM_SETFOCUS and double-click rules; true when the message is done.
    bool InplaceMessage(TMessage& Message);
    // Self-painting pieces: the image at the left, and the text with the alignment the window lacks.
    void PaintEditImage(TCanvas& canvas);
    void PaintAlignedText(TCanvas& canvas, TAlignment alignment);

    // Keys while the list of remembered texts is open; true when taken.
    bool MRUListKey(TMessage& Message);
    // The MRU settings' hooks.
    void MRUListDropDown();
    void MRUListCloseUp(bool Accept);
    void MRUListBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    bool mouseAboveControl_ = false;
    bool borderActive_ = false;
    bool focused_ = false;
    bool droppedDown_ = false;
    bool noClickCloseUp_ = false;
    bool dataPosting_ = false;
    bool userTextChanged_ = false;
    bool paintingCopy_ = false;

  private:
    void BindLinkHooks();
    // A button control or separator freed from outside leaves the row with its partner.
    void ForgetButtonControl(TComponent* component);
    // Writing a text or value: the dataset enters editing first; false when the write is ignored.
    bool EntersEditingForWrite();
    // Commits unless a commit is under way; a failure shows the record's data again.
    void CommitAfterWrite();
    // The holder lets the data be changed (always, unhosted).
    bool HolderCanModify() const;
    // Enter and Escape kept from the form while the list has a choice, Escape while the text changed.
    bool WantsSpecialKey(WORD key) const;
    // Over the buttons and the image the pointer is the arrow, not the text's.
    bool ArrowOverButtonsOrImage(TMessage& Message);
    // A mouse message on the button row or the image, not for the edit's text.
    bool MouseOffTheText(const TMessage& Message) const;
    // A button holding the mouse lets go of it.
    void CancelChildCapture();
    // Backspace in an empty edit offers the remembered texts.
    void OpenMRUListOnBackspace();
    void SetButtonControlHooks(TEditButtonControlEh& control);
    void ResetButtonControl(TEditButtonControlLineRec& line, TEditButtonEh& button, bool isMain);
    void EditButtonChanged();
    void ImageChanged();
    void PlaceButtons();
    // The settings behind a button control (by its Tag); nullptr for a stale one.
    TEditButtonEh* ButtonOfControl(const TEditButtonControlEh& control) const;
    bool ButtonShortCut(WORD key, TShiftState shift);
    void BeginEditingUnlessReadOnly();
    bool PointInButtonsOrImage(TPoint clientPos) const;
    // A single border without the 3-D look.
    bool ThinBorder() const;
    void CheckCursor();
    void CloseMRUListOnExit(HWND focusedWnd);
    void CancelMode(TMessage& Message);
    bool IsPassword() const { return PasswordChar() != 0; }

    std::unique_ptr<TFieldDataLinkEh> dataLink_;
    std::unique_ptr<TEditButtonEh> editButton_;
    std::unique_ptr<TEditButtonsEh> editButtons_;
    std::unique_ptr<TEditImageEh> editImage_;
    std::unique_ptr<TMRUListEh> mruList_;
    TMRUListboxEh* mruListBox_ = nullptr;
    TEditButtonControlList buttonControls_;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
    int imageWidth_ = 0;
    TAlignment alignment_ = taLeftJustify;
    bool alignmentAssigned_ = false;
    bool editMaskAssigned_ = false;
    bool alwaysShowBorder_ = false;
    bool flat_ = false;
    bool highlightRequired_ = false;
    bool readOnly_ = false;
    bool ownShowHint_ = false;
    bool tooltips_ = false;
    bool wordWrap_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    TWinControl* editHolder_ = nullptr;
    IInplaceEditHolderEh* editHolderIntf_ = nullptr;
    bool inplaceMode_ = false;
    std::string completeKeyPress_;
    std::unique_ptr<TControlCanvas> canvas_;
    TGetEditImageIndexEventEh onGetImageIndex_;
};

// The published edit control.
class TDBEditEh : public TCustomDBEditEh {
  public:
    explicit TDBEditEh(TComponent* AOwner) : TCustomDBEditEh(AOwner) {}
    std::string ClassName() const override { return "TDBEditEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};

// The variant's text; '' for an array or when it has none.
std::string SafeVarToStr(const Variant& value);
