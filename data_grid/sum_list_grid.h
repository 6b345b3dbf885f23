#pragma once
// The sum list a data grid owns: inactive until switched on, and while its grid is being designed
// it never touches the dataset's handlers.
#include "data_grid/sum_list.h"

class TDBGridEhSumList : public TDBSumListProducer {
  public:
    explicit TDBGridEhSumList(TComponent* AOwner);
    std::string ClassName() const override { return "TDBGridEhSumList"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    void HookDataSetEvents() override;
    void RestoreDataSetEvents() override;
};
