#pragma once
// The controls of a dataset stay as they are for the length of a scope: DisableControls now,
// EnableControls when the returned scope ends (which tells the controls of what changed meanwhile).
#include "platform/db/dataset.h"
#include "platform/rtl/scope_exit.h"

[[nodiscard]] inline auto ControlsDisabledScope(TDataSet& dataSet) {
    dataSet.DisableControls();
    return TScopeExit([&dataSet] { dataSet.EnableControls(); });
}
