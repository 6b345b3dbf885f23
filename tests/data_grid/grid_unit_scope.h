#pragma once
// Starts the grid unit (shortcuts, find hook, default style) for a test's lifetime. The unit's
// shut-down frees the program's default grid style; the scope makes it again when there was one, so
// the suites that run after it in the same process still find it.
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"

class GridUnitScope {
  public:
    GridUnitScope() : hadDefaultStyle_(DefaultGridStyle() != nullptr) { InitializeDBGridEhUnit(); }
    ~GridUnitScope() {
        FinalizeDBGridEhUnit();
        if (hadDefaultStyle_)
            MakeDefaultGridStyle();
    }
    GridUnitScope(const GridUnitScope&) = delete;
    GridUnitScope& operator=(const GridUnitScope&) = delete;

  private:
    bool hadDefaultStyle_;
};
