// A column's life: making its parts, copying another column, going back to the defaults, and
// what it answers to the drop-down box and the grid.
#include "data_grid/column.h"

#include <algorithm>

#include "data_controls/edit_button.h"
#include "data_controls/mru_list.h"
#include "data_controls/spec_row.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"
#include "platform/ui/popup_menu.h"

namespace {

// Runs work inside BeginUpdate / EndUpdate of a collection; the update ends on every path.
template <class Work>
void WithinUpdate(TCollection* collection, Work work) {
    if (collection == nullptr) {
        work();
        return;
    }
    collection->BeginUpdate();
    try {
        work();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

}  // namespace

TColumnEh::TColumnEh(TCollection& Collection) : madeFor_(&Collection) {
    font_ = std::make_unique<TFont>();
    CopyFallbackFont();
    font_->OnChange = [this](TObject*) { FontChanged(); };
    imeName_ = "";  // the screen's default input method: this host has none
    visible_ = true;
}

void TColumnEh::AfterConstruction() {
    TCollectionItem::AfterConstruction();
    title_ = NewTitle();
    footer_ = NewFooter();
    footers_ = NewFooters();
    initialWidth_ = Width();
    editButtons_ = NewEditButtons();
    editButtons_->OnChangeHook = [this](TCollectionItem*) { NotifyChanged(false); };
    dropDownSpecRow_ = std::make_unique<TSpecRowEh>(this);
    dropDownSpecRow_->OnChanged = [this](TSpecRowEh*) { DropDownSpecRowChanged(); };
    dropDownBox_ = std::make_unique<TColumnDropDownBoxEh>(this);
    mruList_ = std::make_unique<TMRUListEh>(this);
    stFilter_ = NewSTFilter();
    imageChangeLink_ = std::make_unique<TChangeLink>();
    imageChangeLink_->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
}

TColumnEh::~TColumnEh() {
    if (TCustomDBGridEh* grid = OwnerGrid()) {
        auto& marked = grid->SortMarkedColumns();
        marked.erase(std::remove(marked.begin(), marked.end(), static_cast<IGridColumnEh*>(this)),
                     marked.end());
        grid->ForgetColumn(this);
    }
    if (imageList_ != nullptr && imageChangeLink_)
        imageList_->UnRegisterChanges(imageChangeLink_.get());
}

std::unique_ptr<TEditButtonsEh> TColumnEh::NewEditButtons() {
    return std::make_unique<TEditButtonsEh>(this, ItemClass<TVisibleEditButtonEh>());
}

// NewFooter, NewFooters and BindFooterSums come with the footers (column_footer.cpp).
std::unique_ptr<TPersistent> TColumnEh::NewSTFilter() {
    return std::make_unique<TSTColumnFilterEh>(this);
}

std::unique_ptr<TColumnTitleEh> TColumnEh::NewTitle() {
    return std::make_unique<TColumnTitleEh>(*this);
}

// Asked afresh each time: while the grid's columns are being destroyed the collection is no
// longer the grid's, and the column and its parts must not reach the grid through it.
TCustomDBGridEh* TColumnEh::OwnerGrid() const {
    TCollection* collection = Collection() != nullptr ? Collection() : madeFor_;
    auto* columns = dynamic_cast<TDBGridColumnsEh*>(collection);
    return columns != nullptr ? columns->Grid() : nullptr;
}

std::string TColumnEh::GetDisplayName() const {
    return fieldName_.empty() ? TCollectionItem::GetDisplayName() : fieldName_;
}

void TColumnEh::AssignOwnValues(const TColumnEh& Source) {
    const TColumnEhValues own = Source.OwnValues();
    if (own.Contains(ovColor))
        SetColor(Source.Color());
    if (own.Contains(ovWidth))
        SetWidth(Source.Width());
    if (own.Contains(ovFont))
        SetFont(*Source.Font());
    if (own.Contains(ovImeMode))
        SetImeMode(Source.ImeMode());
    if (own.Contains(ovImeName))
        SetImeName(Source.ImeName());
    if (own.Contains(ovAlignment))
        SetAlignment(Source.Alignment());
    if (own.Contains(ovReadOnly))
        SetReadOnly(Source.ReadOnly());
}

// Properties copied without a condition take the source's effective value and become set here.
void TColumnEh::AssignEffectiveValues(const TColumnEh& Source) {
    const TColumnEhValues own = Source.OwnValues();
    title_->Assign(*Source.Title());
    dropDownRows_ = Source.DropDownRows();
    SetButtonStyle(Source.ButtonStyle());
    SetPickList(Source.HasPickList() ? Source.PickList() : nullptr);
    SetPopupMenu(Source.PopupMenu());
    initialWidth_ = Source.InitialWidth();
    autoFitColWidth_ = Source.AutoFitColWidth();
    if (own.Contains(ovWordWrap))
        SetWordWrap(Source.WordWrap());
    SetEndEllipsis(Source.EndEllipsis());
    SetDropDownWidth(Source.DropDownWidth());
    if (own.Contains(ovLookupDisplayFields))
        SetLookupDisplayFields(Source.LookupDisplayFields());
    SetAutoDropDown(Source.AutoDropDown());
    SetAlwaysShowEditButton(Source.AlwaysShowEditButton());
    SetWordWrap(Source.WordWrap());
    footer_->Assign(*Source.Footer());
    SetKeyList(Source.HasKeyList() ? Source.KeyList() : nullptr);
    if (own.Contains(ovCheckboxes))
        SetCheckboxes(Source.Checkboxes());
    increment_ = Source.Increment();
    SetToolTips(Source.ToolTips());
    footers_->Assign(*Source.Footers());
    tag_ = Source.tag_;
    SetVisible(Source.Visible());
    SetImageList(Source.ImageList());
    SetNotInKeyListIndex(Source.NotInKeyListIndex());
    SetMinWidth(Source.MinWidth());
    SetMaxWidth(Source.MaxWidth());
    SetDblClickNextVal(Source.DblClickNextVal());
    SetDropDownSizing(Source.DropDownSizing());
    SetDropDownShowTitles(Source.DropDownShowTitles());
    SetOnGetCellParams(Source.OnGetCellParams(), Source.onGetCellParamsIdentity_);
    OnNotInList = Source.OnNotInList;
    OnUpdateData = Source.OnUpdateData;
    OnEditButtonClick = Source.OnEditButtonClick;
    OnEditButtonDown = Source.OnEditButtonDown;
    editButtons_->Assign(*Source.EditButtons());
    dropDownBox_->Assign(*Source.DropDownBox());
    mruList_->Assign(*Source.MRUList());
    SetDisplayFormat(Source.DisplayFormat());
    SetEditMask(Source.EditMask());
    SetShowImageAndText(Source.ShowImageAndText());
    SetHideDuplicates(Source.HideDuplicates());
    SetLayout(Source.Layout());
}

void TColumnEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnEh*>(&Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (source == this)
        return;
    WithinUpdate(Collection(), [&] {
        ResetToDefaults();
        SetFieldName(source->FieldName());
        AssignOwnValues(*source);
        AssignEffectiveValues(*source);
    });
}

void TColumnEh::ResetToDefaults() {
    const bool hadFont = ownValues_.Contains(ovFont);
    title_->ResetToDefaults();
    ownValues_ = {};
    SyncDefaultFont();
    pickList_.reset();
    buttonStyle_ = cbsAuto;
    NotifyChanged(hadFont);
    keyList_.reset();
}

void TColumnEh::DropDownSpecRowChanged() {
    NotifyChanged(false);
    const TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    if (dataList_ && popups.SetSpecRow)
        popups.SetSpecRow(*dataList_, *dropDownSpecRow_);
}

long TColumnEh::QueryInterface(const TGUID& IID, void** Obj) {
    if (IID == IID_IDropDownBoxOwnerEh) {
        if (Obj != nullptr)
            *Obj = static_cast<IDropDownBoxOwnerEh*>(this);
        return S_OK_EH;
    }
    if (Obj != nullptr)
        *Obj = nullptr;
    return E_NOINTERFACE_EH;
}

void TColumnEh::FireGetCellParams(bool EditMode, TColCellParamsEh* Params) {
    if (onGetCellParams_)
        onGetCellParams_(this, EditMode, Params);
}

void TColumnEh::SetOnGetCellParams(TColCellParamsEhEvent Value, const void* Identity) {
    const bool same = Identity != nullptr && Identity == onGetCellParamsIdentity_ &&
                      static_cast<bool>(Value) == static_cast<bool>(onGetCellParams_);
    onGetCellParams_ = std::move(Value);
    onGetCellParamsIdentity_ = Identity;
    if (!same)
        RepaintGrid();
}

void TColumnEh::FitWidthToContent() {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr)
        return;
    TColumnsEhList columns;
    columns.Add(this);
    grid->MeasureColumnWidths(columns);
}

void TColumnEh::WatchComponent(TComponent* Component) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (Component != nullptr && grid != nullptr)
        Component->FreeNotification(grid);
}

TCustomDBGridEh* TColumnEh::DropDownGrid() {
    const TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    if (!dataList_ && popups.Make) {
        dataList_ = popups.Make(*this);
        if (dataList_)
            dataList_->SetName("DataList");
    }
    return dataList_.get();
}

TDBLookupGridEhOptions TColumnEh::GetDropDownOptions() {
    TCustomDBGridEh* grid = DropDownGrid();
    const TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    return grid != nullptr && popups.Options ? popups.Options(*grid) : TDBLookupGridEhOptions{};
}

void TColumnEh::SetDropDownOptions(TDBLookupGridEhOptions Options) {
    TCustomDBGridEh* grid = DropDownGrid();
    const TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    if (grid != nullptr && popups.SetOptions)
        popups.SetOptions(*grid, Options);
}

void TColumnEh::ImagesChanged(TObject* Sender) {
    if (Sender != nullptr && Sender == imageList_)
        RepaintGrid();
}

void TColumnEh::RepaintGrid() const {
    if (TCustomDBGridEh* grid = OwnerGrid())
        grid->Invalidate();
}

void TColumnEh::ForgetComponent(const TComponent* Component) {
    if (Component == nullptr)
        return;
    if (Component == popupMenu_)
        popupMenu_ = nullptr;
    if (Component == imageList_)
        SetImageList(nullptr);
    if (dropDownBox_)
        dropDownBox_->ForgetComponent(Component);
}

void TColumnEh::SetPopupMenu(TPopupMenu* Value) {
    popupMenu_ = Value;
    WatchComponent(Value);
}

void TColumnEh::SetImageList(TCustomImageList* Value) {
    if (imageList_ != nullptr)
        imageList_->UnRegisterChanges(imageChangeLink_.get());
    imageList_ = Value;
    if (imageList_ != nullptr) {
        imageList_->RegisterChanges(imageChangeLink_.get());
        WatchComponent(imageList_);
    }
    RepaintGrid();
}

void TColumnEh::SetTitle(const TColumnTitleEh& Value) {
    title_->Assign(Value);
}
void TColumnEh::SetFooter(const TPersistent& Value) {
    footer_->Assign(Value);
}
void TColumnEh::SetFooters(const TCollection& Value) {
    footers_->Assign(Value);
}
void TColumnEh::SetEditButtons(const TEditButtonsEh& Value) {
    editButtons_->Assign(Value);
}
void TColumnEh::SetDropDownSpecRow(const TSpecRowEh& Value) {
    dropDownSpecRow_->Assign(Value);
}
void TColumnEh::SetDropDownBox(const TColumnDropDownBoxEh& Value) {
    dropDownBox_->Assign(Value);
}
void TColumnEh::SetMRUList(const TMRUListEh& Value) {
    mruList_->Assign(Value);
}
void TColumnEh::SetSTFilter(const TPersistent& Value) {
    stFilter_->Assign(Value);
}
