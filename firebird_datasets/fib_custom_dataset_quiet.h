#pragma once
// Work over a dataset's records that its controls and scroll handlers must not see: controls
// disabled and internal updating on while it runs, both given back however it ends.
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/rtl/scope_exit.h"

namespace fibds {

// The scroll events stay silent for the length of a scope: BeginInternalUpdate now,
// EndInternalUpdate when the returned scope ends.
[[nodiscard]] inline auto InternalUpdateScope(TFIBCustomDataSet& dataSet) {
    dataSet.BeginInternalUpdate();
    return TScopeExit([&dataSet] { dataSet.EndInternalUpdate(); });
}

template <class F>
void Quietly(TFIBCustomDataSet& dataSet, F&& work) {
    const auto controls = ControlsDisabledScope(dataSet);
    const auto internal = InternalUpdateScope(dataSet);
    work();
}

}  // namespace fibds
