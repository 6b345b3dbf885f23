// TFIBDataLink: how a detail dataset hears its master.
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/db/data_source.h"

void TFIBDataLink::ActiveChanged() {
    TDataSet* master = DataSource() != nullptr ? DataSource()->DataSet() : nullptr;
    if (master != nullptr && master->Active())
        dataSet_.MasterChanged();
    else
        dataSet_.MasterDisabled();
}

void TFIBDataLink::RecordChanged(TField* field) {
    // A field notice is an edit of the master's record; only a move to another record counts.
    if (field == nullptr && dataSet_.Active() && dataSet_.SetMasterParams())
        dataSet_.MasterChanged();
}
