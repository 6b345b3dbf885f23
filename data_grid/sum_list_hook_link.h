#pragma once
// The pieces a sum list hooks a dataset with (private to the sum list's sources).
#include <memory>

#include "data_grid/sum_list.h"

// One installed hook. While its list is attached the call goes to the list's hook, which calls
// the replaced handler itself at its own point; once the list lets go (Producer nullptr) the link
// only passes the call on, so another list that wrapped it keeps working.
struct TSumListHookLink {
    TDBSumListProducer* Producer = nullptr;
    void (TDBSumListProducer::*Hook)(TDataSet*) = nullptr;
    TDataSetNotifyEvent Replaced;
};

// What the dataset's handler slot holds; recognised by its type when the list unhooks.
struct TSumListHookCall {
    std::shared_ptr<TSumListHookLink> Link;
    void operator()(TDataSet* DataSet) const;
};

// Hears when the dataset or its master is freed.
class TSumListWatcher : public TComponent {
  public:
    explicit TSumListWatcher(TDBSumListProducer& Producer) : TComponent(nullptr), producer_(Producer) {}
    std::string ClassName() const override { return "TSumListWatcher"; }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    TDBSumListProducer& producer_;
};
