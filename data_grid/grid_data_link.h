#pragma once
// TGridDataLinkEh: the data grid's link to its data source. It maps the grid's data columns to
// dataset fields, turns the dataset's notices into calls on the grid and moves the current record
// for the grid. It never draws and keeps none of the dataset's data.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/data_link.h"

class TComponent;
class TField;

// What the link needs of the grid that owns it.
class IGridDataLinkOwnerEh {
  public:
    // The component that hears (through Notification) that a mapped field is freed; it passes
    // the notice on to the link's FieldFreed.
    virtual TComponent* FieldFreeNoticeReceiver() = 0;
    virtual void DataLinkActiveChanged(bool Active) = 0;
    virtual void LinkDataSetChanged() = 0;
    virtual void LinkDataSetScrolled(int Distance) = 0;
    virtual void EditingStateChanged() = 0;
    virtual void RecordChanged(TField* Field) = 0;
    virtual void RefreshLayout() = 0;
    // Set while the link's LayoutChanged rebuilds the grid's layout.
    virtual bool LinkLayoutChanging() const = 0;
    virtual void SetLinkLayoutChanging(bool Value) = 0;
    virtual void SelectFieldColumn(TField* Field) = 0;
    virtual TField* SelectedField() const = 0;
    virtual bool TryFocusGrid() = 0;
    virtual void ShowCellEditor() = 0;
    virtual void PostEditText() = 0;
    virtual bool InMemTableView() const = 0;

  protected:
    ~IGridDataLinkOwnerEh() = default;
};

class TGridDataLinkEh : public TDataLink {
  public:
    // No more entries than this; the text still speaks of 256 columns.
    static constexpr int MaxMapCount = 0x0FFFFFFF;

    explicit TGridDataLinkEh(IGridDataLinkOwnerEh* Grid) : grid_(Grid) {}
    ~TGridDataLinkEh() override;

    IGridDataLinkOwnerEh* Grid() const { return grid_; }

    // Appends the entry of the next data column: the field of that name, or -1 when a sparse map
    // finds none. Raises EInvalidGridOperation at the limit, and the dataset's own error when a
    // non-sparse map names no field; nothing is appended then.
    bool MapField(const std::string& FieldName);
    // The field of a data column; nullptr outside the map, for a -1 entry and for a freed field.
    TField* FieldAt(int Index) const;
    void ResetFieldMap();
    // A component is being freed; when it is a mapped field its entries become -1 until the
    // next rebuild. Takes the bare component: by then it may no longer be a TField.
    void FieldFreed(const TComponent* Component);

    int MapCapacity() const { return mapCapacity_; }
    int MapCount() const { return mapCount_; }
    // The stored field-list index of a data column (-1 for none); Index must lie in the map.
    int MapEntry(int Index) const { return map_.at(static_cast<std::size_t>(Index)).fieldIndex; }
    bool SparseMapping() const { return sparseMapping_; }
    void SetSparseMapping(bool Value) { sparseMapping_ = Value; }
    // Whether the grid may show the dataset's own fields as they are.
    bool DefaultFields() const;

    bool Modified() const { return modified_; }
    void MarkModified() { modified_ = true; }
    // Drops the grid's pending edit: reloads it from the field when the grid changed the cell,
    // otherwise cancels the dataset's edit.
    void Reset();
    // Moves the current record; returns how many records it actually moved.
    int MoveBy(int Distance);

  protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void EditingChanged() override;
    void FocusControl(TField* Field) override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    // Writes the grid's edited text to the field; a second call arriving meanwhile does nothing.
    void UpdateData() override;

  private:
    struct MapEntryEh {
        int fieldIndex = -1;
        TField* field = nullptr;
    };

    void GrowMap();
    TField* LookUpField(const std::string& FieldName) const;

    IGridDataLinkOwnerEh* grid_;
    std::vector<MapEntryEh> map_;
    int mapCapacity_ = 0;
    int mapCount_ = 0;
    bool modified_ = false;
    bool updatingData_ = false;
    bool sparseMapping_ = false;
};

// The map's capacity after growing from Capacity to hold entry Count: 8 from empty, otherwise
// double, at least Count + 1 and never above the limit.
int NextGridMapCapacity(int Capacity, int Count);
