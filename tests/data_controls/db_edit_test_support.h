#pragma once
// A form holding a data-aware edit and a plain edit after it in the tab order, over an in-memory
// dataset with a text, an integer and a required column.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

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

struct DBEditForm : ::testing::Test {
    TMemoryDataSet ds;
    TDataSource source;
    platform::ui::HeadlessSession ui;
    TKeyWatchForm* form = nullptr;
    TDBEditEh* edit = nullptr;
    TEdit* next = nullptr;

    DBEditForm() {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        ds.SetColumns({"NAME", "AGE", "CODE"});
        ds.SetColumnType(kName, ftString, 20);
        ds.SetColumnType(kAge, ftInteger);
        ds.SetColumnType(kCode, ftString, 10);
        ds.AddRow({Variant("Ivanov"), Variant(40), Variant("A1")});
        ds.AddRow({Variant("Petrov"), Variant(31), Variant::Null()});
        source.SetDataSet(&ds);
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        edit = NewComponent<TDBEditEh>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 24);
        edit->SetTabStop(true);
        next = NewComponent<TEdit>(form);
        next->SetParent(form);
        next->SetBounds(10, 60, 100, 24);
        next->SetTabStop(true);
        form->Show();
        next->SetFocus();
        ui.ProcessMessages();
    }
    ~DBEditForm() override { ds.BeforeDestruction(); }

    void Bind(const std::string& field) {
        ds.Open();
        edit->SetDataSource(&source);
        edit->SetDataField(field);
    }
    // Tabbed into, as a user comes to it.
    void Focus() {
        edit->SetFocus();
        ui.ProcessMessages();
    }
    void Type(const std::string& text) {
        ui.TypeText(text);
        ui.ProcessMessages();
    }
    void Press(WORD key, TShiftState shift = {}) {
        ui.PressKey(key, shift);
        ui.ProcessMessages();
    }
    std::string Stored(int row, EditColumn column) const { return VarToStr(ds.StoredRow(row)[column]); }
};
