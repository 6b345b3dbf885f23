#pragma once
// A form holding a data-aware edit and a plain edit after it in the tab order, over an in-memory
// dataset with a text, an integer and a required column.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_edit.h"
#include "platform/ui/form.h"
#include "tests/data_controls/data_control_form.h"

// Counts the keys the form is asked to act on (Escape closing a dialog, Enter pressing a default button).
class TKeyWatchForm : public TForm {
  public:
    using TForm::TForm;
    int DialogKeys = 0;
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CM_DIALOGKEY)
            ++DialogKeys;
        TForm::Dispatch(Message);
    }
};

enum EditColumn { kName, kAge, kCode };

struct DBEditForm : DataControlForm<TDBEditEh, TKeyWatchForm> {
    TDBEditEh* const edit = control;

    DBEditForm()
        : DataControlForm([](TMemoryDataSet& ds) {
              ds.SetColumns({"NAME", "AGE", "CODE"});
              ds.SetColumnType(kName, ftString, 20);
              ds.SetColumnType(kAge, ftInteger);
              ds.SetColumnType(kCode, ftString, 10);
              ds.AddRow({Variant("Ivanov"), Variant(40), Variant("A1")});
              ds.AddRow({Variant("Petrov"), Variant(31), Variant::Null()});
          }) {}
};
