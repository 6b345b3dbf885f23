#pragma once
// The demo's form: one labelled row per edit control, all bound to the in-memory table, and a close
// button. Closing posts the record being edited and prints the table to the given stream.
#include <iostream>
#include <string>

#include "platform/db/data_source.h"
#include "platform/ui/form.h"
#include "tests/support/memory_dataset.h"
#include "tools/dbedit_demo/demo_layout.h"

class TControl;
class TDBCheckBoxEh;
class TDBComboBoxEh;
class TDBEditEh;
class TSpeedButton;

class TEditDemoForm : public TForm {
  public:
    explicit TEditDemoForm(TComponent* AOwner, std::ostream& out = std::cout);
    ~TEditDemoForm() override;
    std::string ClassName() const override { return "TEditDemoForm"; }

    TMemoryDataSet& Table() { return table_; }
    TDataSource& Source() { return source_; }
    // Places control in the next row below a label with caption; other demos add their controls so.
    void AddRow(const std::string& caption, TControl* control);

    TDBEditEh* NameEdit = nullptr;        // required, with its mark
    TDBEditEh* PolicyEdit = nullptr;      // masked
    TDBEditEh* CodeEdit = nullptr;        // a button that appends the next code
    TDBEditEh* CityEdit = nullptr;        // remembered texts
    TDBEditEh* AmountEdit = nullptr;      // right-aligned
    TDBComboBoxEh* VisitCombo = nullptr;  // a key-based list: the visit's kind kept as its letter
    TDBCheckBoxEh* PaidCheck = nullptr;
    TSpeedButton* CloseButton = nullptr;

  private:
    TDBEditEh* AddEdit(const std::string& caption, const std::string& field);
    void FormClosing();
    std::ostream& out_;
    TMemoryDataSet table_;
    TDataSource source_;
    int rows_ = 0;
};
