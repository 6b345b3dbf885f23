#pragma once
// TColumnEh: one column of the data grid. It names a dataset field and carries its own look
// (width, colour, font, alignment, title, footers), its editing aids and its events. Most look
// properties fall back on the bound field, the grid or the grid's column defaults until the user
// sets them; OwnValues records which ones the user set, and only those that differ from their
// fallback are stored. TDBGridColumnEh publishes the full set and is the grid's column class.
#include <functional>
#include <memory>
#include <string>

#include "data_grid/column_cell_params.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_parts.h"
#include "data_grid/grid_parts.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/set.h"
#include "platform/rtl/variant.h"
#include "platform/ui/colors.h"
#include "platform/ui/control.h"

class TChangeLink;
class TColumnDropDownBoxEh;
class TColumnEh;
class TColumnTitleEh;
class TCustomDBGridEh;
class TCustomImageList;
class TDBGridColumnsEh;
class TEditButtonsEh;
class TField;
class TFont;
class TMRUListEh;
class TPopupMenu;
class TSpecRowEh;
class TStringList;
class TStrings;

// The fallback properties the user set, in declared order; the title's flags live here too.
enum TColumnEhValue {
    ovColor,
    ovWidth,
    ovFont,
    ovAlignment,
    ovReadOnly,
    ovTitleColor,
    ovTitleCaption,
    ovTitleAlignment,
    ovTitleFont,
    ovTitleButton,
    ovTitleEndEllipsis,
    ovTitleToolTips,
    ovTitleOrientation,
    ovImeMode,
    ovImeName,
    ovWordWrap,
    ovLookupDisplayFields,
    ovCheckboxes,
    ovAlwaysShowEditButton,
    ovEndEllipsis,
    ovAutoDropDown,
    ovDblClickNextVal,
    ovToolTips,
    ovDropDownSizing,
    ovDropDownShowTitles,
    ovLayout,
    ovHighlightRequired,
    ovBiDiMode
};
using TColumnEhValues = TSet<TColumnEhValue>;

enum TColumnButtonStyleEh { cbsAuto, cbsEllipsis, cbsNone, cbsUpDown, cbsDropDown };

class TColCellParamsEh;
using TColCellParamsEhEvent = std::function<void(TObject* Sender, bool EditMode, TColCellParamsEh* Params)>;
using TCheckDrawRequiredStateEh =
    std::function<void(TObject* Sender, const std::string& Text, bool& DrawState)>;
using TButtonClickEventEh = std::function<void(TObject* Sender, bool& Handled)>;
using TButtonDownEventEh =
    std::function<void(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled)>;
using TNotInListEventEh =
    std::function<void(TObject* Sender, const std::string& NewText, bool& RecheckInList)>;
using TColumnUpdateDataEventEh =
    std::function<void(TObject* Sender, std::string& Text, Variant& Value, bool& UseText, bool& Handled)>;

class TColumnEh : public TCollectionItem, public IGridColumnEh, public IDropDownBoxOwnerEh {
  public:
    explicit TColumnEh(TCollection& Collection);
    ~TColumnEh() override;
    std::string ClassName() const override { return "TColumnEh"; }
    // The construction steps that call the column's own virtual operations.
    void AfterConstruction() override;
    void Assign(const TPersistent& Source) override;
    void SetIndex(int Value) override;

    // New virtual operations, in slot order.
    virtual std::unique_ptr<TEditButtonsEh> NewEditButtons();
    virtual std::unique_ptr<TColumnFooterEh> NewFooter();
    virtual std::unique_ptr<TCollection> NewFooters();
    virtual std::unique_ptr<TPersistent> NewSTFilter();
    virtual std::unique_ptr<TColumnTitleEh> NewTitle();
    virtual bool IsAutoColumn() const { return !userColumn_; }
    virtual void SetAlignment(TAlignment Value);
    virtual void SetAutoFitColWidth(bool Value);
    void SetField(TField* Value) override;
    virtual void SetHideDuplicates(bool Value);
    virtual void SetHighlightRequired(bool Value);
    virtual void SetImeMode(TImeMode Value);
    virtual void SetImeName(const std::string& Value);
    virtual void SetLookupDisplayFields(const std::string& Value);
    virtual void SetReadOnly(bool Value);
    void SetWidth(int Value) override;
    virtual void SetWordWrap(bool Value);
    virtual void DropDownSpecRowChanged();
    virtual long QueryInterface(const TGUID& IID, void** Obj);
    virtual bool IsRightToLeft() const;
    virtual void FireGetCellParams(bool EditMode, TColCellParamsEh* Params);
    virtual void FitWidthToContent();
    virtual void ResetToDefaults();

    // No reference counting: the collection owns the column.
    long _AddRef() { return -1; }
    long _Release() { return -1; }

    // The grid, nullptr unless the collection is a grid's column collection.
    TCustomDBGridEh* OwnerGrid() const;
    // The field, bound on first need from FieldName once the dataset has its fields.
    TField* ResolveField();
    TField* Field() const override { return field_; }
    const std::string& FieldName() const override { return fieldName_; }
    void SetFieldName(const std::string& Value);
    // The collection item's change report; all items for a change of the layout.
    void NotifyChanged(bool AllItems) { Changed(AllItems); }
    void SyncDefaultFont() override;
    int FallbackWidth() const;
    bool FallbackWordWrap() const;
    int ClampWidth(int TryWidth) const;
    bool IsRightToLeftReading() const;
    void ImagesChanged(TObject* Sender);

    // IDropDownBoxOwnerEh.
    void WatchComponent(TComponent* Component) override;
    TCustomDBGridEh* DropDownGrid() override;
    TDBLookupGridEhOptions GetDropDownOptions() override;
    void SetDropDownOptions(TDBLookupGridEhOptions Options) override;

    // IGridColumnEh.
    TSortMarkerEh SortMarker() const override;
    void SetSortMarker(TSortMarkerEh Value) override;
    int SortIndex() const override;
    void ForgetComponent(const TComponent* Component) override;
    TPopupMenu* PopupMenu() const override { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* Value);
    int Width() const override;
    int InitialWidth() const override { return initialWidth_; }
    void SetInitialWidth(int Value) override { initialWidth_ = Value; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool Value);
    bool OwnImeSettings(TImeMode& Mode, std::string& Name) const override;

    // Properties with a fallback.
    TAlignment Alignment() const;
    bool AlwaysShowEditButton() const;
    void SetAlwaysShowEditButton(bool Value);
    bool AutoDropDown() const;
    void SetAutoDropDown(bool Value);
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode Value);
    bool Checkboxes() const;
    void SetCheckboxes(bool Value);
    TColor Color() const;
    void SetColor(TColor Value);
    bool DblClickNextVal() const;
    void SetDblClickNextVal(bool Value);
    bool DropDownShowTitles() const;
    void SetDropDownShowTitles(bool Value);
    bool DropDownSizing() const;
    void SetDropDownSizing(bool Value);
    bool EndEllipsis() const;
    void SetEndEllipsis(bool Value);
    TFont* Font() const;
    void SetFont(const TFont& Value);
    bool HighlightRequired() const;
    TImeMode ImeMode() const;
    std::string ImeName() const;
    TTextLayout Layout() const;
    void SetLayout(TTextLayout Value);
    std::string LookupDisplayFields() const;
    bool ReadOnly() const;
    bool ToolTips() const;
    void SetToolTips(bool Value);
    bool WordWrap() const;

    // Plain properties.
    bool AutoFitColWidth() const { return autoFitColWidth_; }
    TColumnButtonStyleEh ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyleEh Value);
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const std::string& Value);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int Value) { dropDownRows_ = Value; }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int Value);
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& Value);
    bool HideDuplicates() const { return hideDuplicates_; }
    TCustomImageList* ImageList() const { return imageList_; }
    void SetImageList(TCustomImageList* Value);
    double Increment() const { return increment_; }
    void SetIncrement(double Value) { increment_ = Value; }
    // Made empty on first read; nullptr frees the list, other strings are copied in.
    TStrings* KeyList() const;
    void SetKeyList(const TStrings* Value);
    TStrings* PickList() const;
    void SetPickList(const TStrings* Value);
    bool HasKeyList() const { return keyList_ != nullptr; }
    bool HasPickList() const { return pickList_ != nullptr; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int Value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int Value);
    int NotInKeyListIndex() const { return notInKeyListIndex_; }
    void SetNotInKeyListIndex(int Value);
    bool ShowImageAndText() const { return showImageAndText_; }
    void SetShowImageAndText(bool Value);
    int Tag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }

    // Owned parts; the Set... operations copy into them.
    TColumnTitleEh* Title() const { return title_.get(); }
    void SetTitle(const TColumnTitleEh& Value);
    TColumnFooterEh* Footer() const { return footer_.get(); }
    void SetFooter(const TPersistent& Value);
    TCollection* Footers() const { return footers_.get(); }
    // The footer of footer row Index: that item of Footers, or the single Footer past them.
    TColumnFooterEh* FooterAt(int Index) const;
    // Binds the footer and then every item of Footers to the grid's sum list.
    void BindFooterSums();
    void SetFooters(const TCollection& Value);
    TEditButtonsEh* EditButtons() const { return editButtons_.get(); }
    void SetEditButtons(const TEditButtonsEh& Value);
    TSpecRowEh* DropDownSpecRow() const { return dropDownSpecRow_.get(); }
    void SetDropDownSpecRow(const TSpecRowEh& Value);
    TColumnDropDownBoxEh* DropDownBox() const { return dropDownBox_.get(); }
    void SetDropDownBox(const TColumnDropDownBoxEh& Value);
    TMRUListEh* MRUList() const { return mruList_.get(); }
    void SetMRUList(const TMRUListEh& Value);
    TPersistent* STFilter() const { return stFilter_.get(); }
    void SetSTFilter(const TPersistent& Value);
    // The field's distinct values as the filter row lists them; kept until the dataset changes.
    const std::shared_ptr<IMemTableDataFieldValueListEh>& FilterValueList() const { return filterValueList_; }
    void SetFilterValueList(std::shared_ptr<IMemTableDataFieldValueListEh> Value) {
        filterValueList_ = std::move(Value);
    }

    const TColCellParamsEhEvent& OnGetCellParams() const { return onGetCellParams_; }
    // A handler is told apart by its target: assigning the one already there repaints nothing.
    void SetOnGetCellParams(TColCellParamsEhEvent Value, const void* Identity = nullptr);
    TCheckDrawRequiredStateEh OnCheckDrawRequiredState;
    TButtonClickEventEh OnEditButtonClick;
    TButtonDownEventEh OnEditButtonDown;
    TNotInListEventEh OnNotInList;
    TColumnUpdateDataEventEh OnUpdateData;

    // The current record's cell: what it shows, whether and how it is edited, and writing it back.
    TColumnCellKindEh CellKind();
    int EditButtonsWidth();
    std::string CellDisplayText();
    TCheckBoxState ReadCheckState();
    void WriteCheckState(TCheckBoxState State);
    int ValueListIndex();
    void InitCellParams(TColCellParamsEh& Params);
    // With BeginEdit the dataset also goes into edit mode.
    bool IsEditable(bool BeginEdit);
    // To the next (Delta > 0) or previous value: +-1 from clicks and keys, +-Increment from buttons.
    void StepValue(double Delta);
    // Through OnUpdateData first; the field takes Text (UseText) or Value unless the handler did.
    void PutCellValue(std::string Text, Variant Value, bool UseText);

    // Which of the values with a fallback the user set.
    TColumnEhValues OwnValues() const { return ownValues_; }
    void SetOwnValues(TColumnEhValues Value) { ownValues_ = Value; }
    // False for a column the grid made for a dataset field.
    bool UserColumn() const { return userColumn_; }
    void SetUserColumn(bool Value) { userColumn_ = Value; }

  protected:
    std::string GetDisplayName() const override;
    void DefineProperties(TFiler& Filer) override;
    const IGridColumnDefValuesEh* Defaults() const;
    // The font the column follows while it has none of its own.
    const TFont* FallbackFont() const;
    bool Loading() const;
    // The field as the fallbacks see it: bound on first need.
    TField* BoundField() const { return const_cast<TColumnEh*>(this)->ResolveField(); }
    // Stored-when predicates of the fallback properties.
    template <class V>
    bool OwnDiffers(TColumnEhValue Flag, V Own, V Fallback) const {
        return ownValues_.Contains(Flag) && Own != Fallback;
    }
    friend class TColumnTitleEh;
    friend struct TColumnEhStoring;

  private:
    // StepValue on a lookup column: the next or previous record of its list dataset.
    void StepLookupValue(const std::string& Text, bool Next);
    void FontChanged();
    void CopyFallbackFont() const;
    // Sets a flag property by the general rule: stores and reports a change unless it holds it.
    template <class V>
    void SetOwn(TColumnEhValue Flag, V& Stored, V Value);
    template <class V>
    void SetOwnQuietly(TColumnEhValue Flag, V& Stored, V Value);

    void RepaintGrid() const;
    bool LinkActive() const;
    void WidthFromDisplayWidth(int Value);
    void AssignOwnValues(const TColumnEh& Source);
    void AssignEffectiveValues(const TColumnEh& Source);

    // The collection the column was made for; it joins it only once made.
    TCollection* madeFor_;
    TColumnEhValues ownValues_;
    bool userColumn_ = true;
    int tag_ = 0;
    std::shared_ptr<IMemTableDataFieldValueListEh> filterValueList_;
    TField* field_ = nullptr;
    std::string fieldName_;
    int width_ = 0;
    int initialWidth_ = 0;
    int maxWidth_ = 0;
    int minWidth_ = 0;
    TColor color_ = clWindow;
    TAlignment alignment_ = taLeftJustify;
    bool readOnly_ = false;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    bool wordWrap_ = false;
    std::string lookupDisplayFields_;
    bool checkboxes_ = false;
    bool alwaysShowEditButton_ = false;
    bool endEllipsis_ = false;
    bool autoDropDown_ = false;
    bool dblClickNextVal_ = false;
    bool toolTips_ = false;
    bool dropDownSizing_ = false;
    bool dropDownShowTitles_ = false;
    TTextLayout layout_ = tlTop;
    bool highlightRequired_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool autoFitColWidth_ = true;
    TColumnButtonStyleEh buttonStyle_ = cbsAuto;
    std::string displayFormat_;
    int dropDownRows_ = 7;
    int dropDownWidth_ = 0;
    std::string editMask_;
    bool hideDuplicates_ = false;
    double increment_ = 1;
    int notInKeyListIndex_ = -1;
    bool showImageAndText_ = false;
    bool visible_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TCustomImageList* imageList_ = nullptr;
    mutable std::unique_ptr<TStringList> keyList_;
    mutable std::unique_ptr<TStringList> pickList_;
    std::unique_ptr<TFont> font_;
    // Set while the fallback font is copied in, which is no change of the user's.
    mutable bool copyingFont_ = false;
    std::unique_ptr<TColumnTitleEh> title_;
    std::unique_ptr<TColumnFooterEh> footer_;
    std::unique_ptr<TCollection> footers_;
    std::unique_ptr<TEditButtonsEh> editButtons_;
    std::unique_ptr<TSpecRowEh> dropDownSpecRow_;
    std::unique_ptr<TColumnDropDownBoxEh> dropDownBox_;
    std::unique_ptr<TMRUListEh> mruList_;
    std::unique_ptr<TPersistent> stFilter_;
    std::unique_ptr<TChangeLink> imageChangeLink_;
    TObjectPtr<TCustomDBGridEh> dataList_;
    TColCellParamsEhEvent onGetCellParams_;
    const void* onGetCellParamsIdentity_ = nullptr;
};

// The grid's column class: publishes every property of the column.
class TDBGridColumnEh : public TColumnEh {
  public:
    using TColumnEh::TColumnEh;
    std::string ClassName() const override { return "TDBGridColumnEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};

template <class V>
inline void TColumnEh::SetOwn(TColumnEhValue Flag, V& Stored, V Value) {
    if (ownValues_.Contains(Flag) && Stored == Value)
        return;
    Stored = std::move(Value);
    ownValues_.Include(Flag);
    NotifyChanged(false);
}

// The defaults' switches: a new value or a first setting is kept, and nothing is repainted.
template <class V>
inline void TColumnEh::SetOwnQuietly(TColumnEhValue Flag, V& Stored, V Value) {
    if (!ownValues_.Contains(Flag) || Stored != Value) {
        Stored = std::move(Value);
        ownValues_.Include(Flag);
    }
}
