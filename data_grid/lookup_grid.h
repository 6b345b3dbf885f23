#pragma once
// TDBLookupGridEh: a data grid over a list dataset whose purpose is to choose one key value (the
// key fields of a list record). The key is kept in the grid or written through a master link into
// fields of another dataset. A special row may stand above the data rows for a fixed key value.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/column_parts.h"
#include "data_grid/db_grid.h"
#include "data_grid/lookup_grid_data_link.h"
#include "platform/rtl/set.h"
#include "platform/rtl/variant.h"

class TDataSource;
class TDBGridColumnsEh;
class TField;
class TSpecRowEh;

class TDBLookupGridEh : public TCustomDBGridEh {
  public:
    explicit TDBLookupGridEh(TComponent* AOwner);
    ~TDBLookupGridEh() override;
    std::string ClassName() const override { return "TDBLookupGridEh"; }
    void AfterConstruction() override;

    // The master source and fields; the list source is the grid's own data source.
    TDataSource* DataSource() const { return masterLink_->DataSource(); }
    void SetDataSource(TDataSource* Source) { SetMasterDataSource(Source); }
    void SetMasterDataSource(TDataSource* Source);
    const std::string& DataField() const { return dataFieldName_; }
    void SetDataField(const std::string& Value);
    TDataSource* ListSource() const { return TCustomDBGridEh::DataSource(); }
    void SetListSource(TDataSource* Source);
    // Empty in lookup mode: the lookup field's own key fields are kept then.
    std::string KeyField() const { return lookupMode_ ? std::string() : keyFieldNames_; }
    void SetKeyField(const std::string& Value);
    const std::string& ListField() const { return listFieldName_; }
    void SetListField(const std::string& Value);
    int ListFieldIndex() const { return listFieldIndex_; }
    void SetListFieldIndex(int Value) { listFieldIndex_ = Value; }
    const Variant& KeyValue() const { return keyValue_; }
    void SetKeyValue(const Variant& Value);
    const std::string& SelectedText() const { return selectedText_; }
    TSpecRowEh* SpecRow() const { return specRow_.get(); }
    void AssignSpecRow(const TSpecRowEh& Value);
    TDBLookupGridEhOptions Options() const { return lookupOptions_; }
    void SetOptions(TDBLookupGridEhOptions Value);
    bool LookupAutoFitColWidths() const { return ownAutoFit_; }
    TGridDataLinkEh* ListDataLink() const { return DataLink(); }
    TLookupGridDataLinkEh* MasterDataLink() const { return masterLink_.get(); }

    bool ListActive() const { return listActive_; }
    bool LookupMode() const { return lookupMode_; }
    TField* ListFieldObject() const { return listField_; }
    const std::vector<TField*>& ListFields() const { return listFields_; }
    const std::vector<TField*>& KeyFields() const { return keyFields_; }
    const std::vector<TField*>& MasterFields() const { return masterFields_; }
    const std::string& MasterFieldNames() const { return masterFieldNames_; }
    TField* DataFieldAt(int Index) const {
        return Index >= 0 && Index < static_cast<int>(dataFields_.size()) ? dataFields_[Index] : nullptr;
    }
    int RecordIndex() const { return recordIndex_; }
    int RecordCount() const { return recordCount_; }
    bool KeyRowVisible() const { return keyRowVisible_; }
    const std::string& SearchText() const { return searchText_; }
    bool SpecRowSelected() const { return specRowSelected_; }

    // New virtual operations, in slot order.
    virtual bool CanModifyKey();
    virtual bool ValuesCompatible(const std::vector<TField*>& Fields, const Variant& Value);
    virtual int BorderSize();
    virtual int DataRowHeight();
    virtual int RowPitch();
    virtual void RefreshSpecRowState();
    virtual void ListRecordPosition();
    virtual void SelectByText(char32_t Key);
    virtual void StoreKeyValue(const Variant& Value);
    virtual void InvalidateList();
    virtual void FitColumnWidths();
    virtual void RebuildDataFields();
    virtual void RebuildListFields();
    virtual bool LocateKeyValue();

    // Whole-row geometry: the height always holds whole rows; SetRowCount sizes the grid for N
    // data rows (1 to 100), SetBounds snaps a height down to whole rows.
    bool TitlesShown() const;
    int TitleHeight() const;
    int ListRowCount() const { return rowCount_; }
    void SetRowCount(int N);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetShowTitles(bool Value);
    void SetUseMultiTitle(bool Value);
    void RefreshVertScrollBar() override;
    // The lookup grid's own auto-fit: the columns fill the client width and the horizontal bar goes.
    void SetLookupAutoFitColWidths(bool Value);
    // The width the columns take, and the data rows' box (with the special row), for a drop-down.
    int ColumnsWidth();
    TRect DataRowsRect();

    // Mouse and painting.
    void TrackMouse(int X, int Y);
    void AutoScrollTick() override;
    int SubTitleRowCount() override;
    bool CellHas3DFrame(int ACol, int ARow, TGridDrawState AState) override;
    bool GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont, TColor& Background,
                           TGridDrawState& State) override;
    bool ShowsRowFocusFrame() override;
    // The special row's cells: each column's special cell, highlighted with a focus frame when chosen.
    void DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState, TRect ARect,
                       std::uint16_t CellType) override;
    // The drop-down variant chooses without taking the focus.
    bool PopupMode() const { return popupMode_; }
    void SetPopupMode(bool Value) { popupMode_ = Value; }

    // What the master link reports.
    void DataRecordChanged(TField* Field);
    void SetLookupMode(bool On);
    // The row of the key value within the link's buffer; -1 when it is not there.
    int FindKeyRow();
    int KeyRowIndex();
    void StoreCurrentKey();
    void SelectSpecRow();

    // Grid operations this grid answers in its own way.
    void DataLinkActiveChanged(bool Active) override;
    void LinkDataSetChanged() override;
    void LinkDataSetScrolled(int Distance) override;
    void ActiveRecordChanged() override;
    void RecalcRowCount() override;
    void MapColumnsToFields() override;
    void CollectDataSetFields(std::vector<TField*>& Fields) override;
    void RefreshLayout() override;
    void ColWidthsChanged() override;

  protected:
    void CreateWnd() override;
    std::unique_ptr<IGridColumnDefValuesEh> NewColumnDefValues() override;
    std::unique_ptr<IGridColumnsEh> NewColumns() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The grid's own list source belongs to the grid and is never written with it.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  private:
    bool InSpecRow(int GridRow) const;
    void SpecRowChanged();
    void ListScrollMessage(int Code, int Pos);
    void FocusMessage(TMessage& Message, bool Gained);
    void SizeMessage(TMessage& Message);
    void KeepColumnWidthsAsInitial();
    bool OverSpecRow(const TMessage& SetCursor);
    void HintShowMessage(TMessage& Message);
    void TrackThumb(TDataSet& List);
    bool WheelMoves(int Direction);
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CheckPropertyGuards();
    void CheckNotCircular();
    void ResolveListFields();
    int KeyMoveDistance(WORD Key);
    void MoveByKey(WORD Key, int Distance);
    bool ListAtSameKey(const Variant& Key) const;
    Variant CurrentListKey() const;
    TDataSet* ListDataSet() const;
    TField* LookupField() const;
    TDBGridColumnsEh* LookupColumns() const;

    // The tick of the last typed search character, shared by every lookup grid.
    static inline std::uint32_t lastSearchTick_ = 0;
    static constexpr std::uint32_t SearchPause = 2000;
    static constexpr std::size_t SearchTextLimit = 32;
    static constexpr int MaxRowCount = 100;

    std::unique_ptr<TLookupGridDataLinkEh> masterLink_;
    // The source as set: a source being freed has already left the link when the grid hears of it.
    TDataSource* masterSource_ = nullptr;
    TDataSource* lookupSource_ = nullptr;
    std::unique_ptr<TSpecRowEh> specRow_;
    std::string dataFieldName_;
    std::string keyFieldNames_;
    std::string listFieldName_;
    int listFieldIndex_ = 0;
    Variant keyValue_ = Variant::Null();
    TDBLookupGridEhOptions lookupOptions_ = {dlgColLinesEh};
    bool ownAutoFit_ = false;
    std::string selectedText_;
    std::vector<TField*> masterFields_;
    std::string masterFieldNames_;
    std::vector<TField*> dataFields_;
    std::vector<TField*> keyFields_;
    std::vector<TField*> listFields_;
    TField* listField_ = nullptr;
    bool listActive_ = false;
    bool lookupMode_ = false;
    int recordIndex_ = 0;
    int recordCount_ = 0;
    bool keyRowVisible_ = false;
    bool positionLock_ = false;
    bool specRowSelected_ = false;
    std::string searchText_;
    int rowCount_ = 1;
    int specRowHeight_ = 0;
    bool specRowShown_ = false;
    int lastMouseY_ = 0;
    bool cellTracking_ = false;
    bool popupMode_ = false;
    bool heightSetting_ = false;
    bool widthSetting_ = false;
};
