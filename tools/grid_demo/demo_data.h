#pragma once
// The grid demo's data: one connection to the demo database, the visits (with their customer's
// name looked up) and the customers. The visits write their own modify statements from the
// table's metadata and commit each post.
#include <string>

#include "firebird/database.h"
#include "firebird/transaction.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"

namespace grid_demo {

class TGridDemoData {
  public:
    // Connects to the database and opens both datasets.
    explicit TGridDemoData(const std::string& databasePath);
    ~TGridDemoData();
    TGridDemoData(const TGridDemoData&) = delete;
    TGridDemoData& operator=(const TGridDemoData&) = delete;

    TpFIBDataSet& Visits() { return *visits_; }
    TpFIBDataSet& Customers() { return *customers_; }
    TDataSource& VisitsSource() { return visitsSource_; }
    // Posts the visit being edited, if any.
    void PostPendingVisit();
    // Drops the changes to the visit being edited, if any.
    void CancelPendingVisit();

  private:
    void DefineVisitFields();

    TObjectPtr<TFIBDatabase> db_ = MakeComponent<TFIBDatabase>(nullptr);
    TObjectPtr<TFIBTransaction> tr_ = MakeComponent<TFIBTransaction>(nullptr);
    TObjectPtr<TpFIBDataSet> customers_ = MakeComponent<TpFIBDataSet>(nullptr);
    TObjectPtr<TpFIBDataSet> visits_ = MakeComponent<TpFIBDataSet>(nullptr);
    TDataSource visitsSource_{nullptr};
};

}  // namespace grid_demo
