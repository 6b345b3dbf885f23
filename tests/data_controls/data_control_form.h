#pragma once
// A form holding one data-aware control and a plain edit after it in the tab order, the plain edit
// focused, over an in-memory dataset that the fixture fills.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

template <class Control, class Form = TForm>
struct DataControlForm : ::testing::Test {
    TMemoryDataSet ds;
    TDataSource source;
    platform::ui::HeadlessSession ui;
    Form* form = nullptr;
    Control* control = nullptr;
    TEdit* next = nullptr;

    // `fill` gives the dataset its columns and rows; `prepare` sets the control up before the form shows.
    explicit DataControlForm(const std::function<void(TMemoryDataSet&)>& fill,
                             const std::function<void(Control&)>& prepare = {}) {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        fill(ds);
        source.SetDataSet(&ds);
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        control = NewComponent<Control>(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 200, 24);
        control->SetTabStop(true);
        if (prepare)
            prepare(*control);
        next = NewComponent<TEdit>(form);
        next->SetParent(form);
        next->SetBounds(10, 60, 100, 24);
        next->SetTabStop(true);
        form->Show();
        next->SetFocus();
        ui.ProcessMessages();
    }
    ~DataControlForm() override { ds.BeforeDestruction(); }

    void Bind(const std::string& field) {
        ds.Open();
        control->SetDataSource(&source);
        control->SetDataField(field);
    }
    // Tabbed into, as a user comes to it.
    void Focus() {
        control->SetFocus();
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
    std::string Stored(int row, int column) const { return VarToStr(ds.StoredRow(row)[column]); }
};
