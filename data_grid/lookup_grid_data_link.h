#pragma once
// TLookupGridDataLinkEh: the lookup grid's master link. It tells its grid of the master record's
// changes; the grid detaches it before it is freed, after which it does nothing.
#include "platform/db/data_link.h"

class TDBLookupGridEh;
class TField;

class TLookupGridDataLinkEh : public TDataLink {
  public:
    explicit TLookupGridDataLinkEh(TDBLookupGridEh* Grid) : grid_(Grid) {}
    TDBLookupGridEh* Grid() const { return grid_; }
    void Detach() { grid_ = nullptr; }
    // Set by a host that fixes the master source (a control grid); the grid's list setters refuse then.
    bool DataSourceFixed() const { return dataSourceFixed_; }
    void SetDataSourceFixed(bool Value) { dataSourceFixed_ = Value; }

  protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void FocusControl(TField* Field) override;

  private:
    TDBLookupGridEh* grid_;
    bool dataSourceFixed_ = false;
};
