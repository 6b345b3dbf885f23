#pragma once
// What a column shares with its parts: the drop-down box's view of the
// column (IDropDownBoxOwnerEh), the lookup grid's option set and the list of distinct field values
// the filter row fills.
#include <functional>
#include <memory>
#include <string>

#include "data_controls/dataset_field_value_list.h"
#include "platform/os/guid.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/component.h"
#include "platform/rtl/set.h"

class TColumnEh;
class TCustomDBGridEh;
class TSpecRowEh;

enum TDBLookupGridEhOption {
    dlgColumnResizeEh,
    dlgColLinesEh,
    dlgRowLinesEh,
    dlgAutoSortMarkingEh,
    dlgMultiSortMarkingEh
};
using TDBLookupGridEhOptions = TSet<TDBLookupGridEhOption>;

// {2A1F4552-15C3-4359-ADAB-F2F6719FAA97}
inline constexpr TGUID IID_IDropDownBoxOwnerEh{
    0x2A1F4552, 0x15C3, 0x4359, {0xAD, 0xAB, 0xF2, 0xF6, 0x71, 0x9F, 0xAA, 0x97}};
inline constexpr long S_OK_EH = 0;
inline constexpr long E_NOINTERFACE_EH = static_cast<long>(0x80004002u);

// What a column's drop-down box asks of its column. Not reference counted: the column's
// collection owns the column.
class IDropDownBoxOwnerEh {
  public:
    // Asks the component to tell the column's grid when it is freed.
    virtual void WatchComponent(TComponent* Component) = 0;
    // The column's pop-up grid, made on first call and named "DataList"; nullptr while no pop-up
    // grid class is registered.
    virtual TCustomDBGridEh* DropDownGrid() = 0;
    virtual TDBLookupGridEhOptions GetDropDownOptions() = 0;
    virtual void SetDropDownOptions(TDBLookupGridEhOptions Options) = 0;

  protected:
    ~IDropDownBoxOwnerEh() = default;
};

// How columns make and talk to their pop-up grids; the pop-up grid's unit sets it.
struct TColumnDropDownGridClassEh {
    std::function<TObjectPtr<TCustomDBGridEh>(TColumnEh& Column)> Make;
    std::function<TDBLookupGridEhOptions(TCustomDBGridEh& Grid)> Options;
    std::function<void(TCustomDBGridEh& Grid, TDBLookupGridEhOptions Options)> SetOptions;
    std::function<void(TCustomDBGridEh& Grid, const std::string& ListField)> SetListField;
    std::function<void(TCustomDBGridEh& Grid, const TSpecRowEh& SpecRow)> SetSpecRow;
};

// The program's pop-up grid class for columns; empty (no pop-up grids) until one is registered.
TColumnDropDownGridClassEh& ColumnDropDownGridClass();
