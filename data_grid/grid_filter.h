#pragma once
// TSTDBGridEhFilter: a grid's filter-row settings. Visible shows the filter row under the titles;
// Local asks for the filter to be applied to the records already fetched rather than by the
// server. While an update is locked the grid stays in filter-row editing.
#include <string>

#include "data_grid/grid_parts.h"
#include "platform/rtl/component.h"

class TCustomDBGridEh;

class TSTDBGridEhFilter : public TPersistent, public IGridFilterRowEh {
  public:
    explicit TSTDBGridEhFilter(TCustomDBGridEh* Grid) : grid_(Grid) {}
    std::string ClassName() const override { return "TSTDBGridEhFilter"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    TPersistent* GetOwner() const override;
    // Copies Visible and Local.
    void Assign(const TPersistent& Source) override;

    bool Local() const override { return local_; }
    void SetLocal(bool Value) { local_ = Value; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool Value);
    int UpdateCount() const override { return updateCount_; }
    void LockUpdate() { ++updateCount_; }
    void UnlockUpdate() { --updateCount_; }
    TCustomDBGridEh* Grid() const { return grid_; }

  private:
    TCustomDBGridEh* grid_;
    bool local_ = false;
    int updateCount_ = 0;
    bool visible_ = false;
};
