#include "data_grid/grid_unit.h"

#include "data_grid/grid_style.h"
#include "platform/rtl/exceptions.h"

namespace {

struct UnitSlot {
    std::unique_ptr<TDBGridEhUnit> unit;
    int starts = 0;
};

UnitSlot& Slot() {
    static UnitSlot slot;
    return slot;
}

}  // namespace

TDBGridEhUnit::TDBGridEhUnit() {
    MakeDefaultGridStyle();
    dataService_ = MakeComponent<TDBGridEhDataService>(registry_);
}

TDBGridEhUnit::~TDBGridEhUnit() {
    FreeDefaultGridStyle();
    dataService_.reset();
    registry_.UnregisterAllDatasetFeatures();
}

void InitializeDBGridEhUnit() {
    UnitSlot& slot = Slot();
    if (slot.starts == 0)
        slot.unit = std::make_unique<TDBGridEhUnit>();
    ++slot.starts;
}

void FinalizeDBGridEhUnit() {
    UnitSlot& slot = Slot();
    if (slot.starts == 0)
        return;
    if (--slot.starts == 0)
        slot.unit.reset();
}

TDBGridEhUnit* DBGridEhUnit() {
    return Slot().unit.get();
}

TDBGridEhDataService* DBGridEhDataService() {
    return Slot().unit ? &Slot().unit->DataService() : nullptr;
}

void RegisterDatasetFeatures(const TDatasetFeaturesEhClass& FeaturesClass, TClass DataSetClass) {
    if (DBGridEhUnit() == nullptr)
        throw EInvalidOperation("Dataset features need the grid unit started");
    DBGridEhUnit()->FeaturesRegistry().RegisterDatasetFeatures(FeaturesClass, DataSetClass);
}

TDatasetFeaturesEh* FeaturesForDataSetClass(TClass DataSetClass) {
    return DBGridEhUnit() != nullptr
               ? DBGridEhUnit()->FeaturesRegistry().FeaturesForDataSetClass(DataSetClass)
               : nullptr;
}

TDatasetFeaturesEh* FeaturesForDataSet(const TDataSet* DataSet) {
    return DBGridEhUnit() != nullptr ? DBGridEhUnit()->FeaturesRegistry().FeaturesForDataSet(DataSet)
                                     : nullptr;
}

void UnregisterAllDatasetFeatures() {
    if (DBGridEhUnit() != nullptr)
        DBGridEhUnit()->FeaturesRegistry().UnregisterAllDatasetFeatures();
}
