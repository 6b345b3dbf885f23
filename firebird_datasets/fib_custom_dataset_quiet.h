#pragma once
// Work over a dataset's records that its controls and scroll handlers must not see: controls
// disabled and internal updating on while it runs, both given back however it ends.
#include "firebird_datasets/fib_custom_dataset.h"

namespace fibds {

template <class F>
void Quietly(TFIBCustomDataSet& dataSet, F&& work) {
    dataSet.DisableControls();
    dataSet.BeginInternalUpdate();
    try {
        work();
    } catch (...) {
        dataSet.EndInternalUpdate();
        dataSet.EnableControls();
        throw;
    }
    dataSet.EndInternalUpdate();
    dataSet.EnableControls();
}

}  // namespace fibds
