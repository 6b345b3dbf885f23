#pragma once
// The edit-control demo's form with two more rows over a table of their own: a visit date picked from
// the calendar and a total worked out on the calculator. Closing prints that table after the demo's.
#include <iostream>

#include "platform/db/data_source.h"
#include "tests/support/memory_dataset.h"
#include "tools/dbedit_demo/demo_form.h"
#include "tools/dbedit_demo/demo_layout.h"
#include "tools/popup_edits_demo/popup_edits.h"

// The rows after the edit demo's own.
constexpr int kVisitRow = demo_layout::kEditDemoRows;
constexpr int kTotalRow = demo_layout::kEditDemoRows + 1;

class TPopupEditsDemoForm : public TEditDemoForm {
  public:
    explicit TPopupEditsDemoForm(TComponent* AOwner, std::ostream& out = std::cout);
    ~TPopupEditsDemoForm() override;
    std::string ClassName() const override { return "TPopupEditsDemoForm"; }

    TPopupDateEditDemo* VisitEdit = nullptr;
    TPopupSumEditDemo* TotalEdit = nullptr;

  private:
    void PrintVisits(std::ostream& out);
    TMemoryDataSet visits_;
    TDataSource visitSource_;
};
