#pragma once
// A form holding a combo box with the items Red and Green and a plain edit after it in the tab
// order, over an in-memory dataset of names with a colour key and a required colour key.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_combo_box.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "tests/support/memory_dataset.h"

enum ComboColumn { kComboName, kComboColor, kComboRequired };

struct ComboForm : ::testing::Test {
    TMemoryDataSet ds;
    TDataSource source;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TDBComboBoxEh* combo = nullptr;
    TEdit* next = nullptr;

    ComboForm() {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        ds.SetColumns({"NAME", "COLOR", "MUST"});
        ds.SetColumnType(kComboName, ftString, 20);
        ds.SetColumnType(kComboColor, ftString, 10);
        ds.SetColumnType(kComboRequired, ftString, 10);
        ds.AddRow({Variant("Ivanov"), Variant("B"), Variant("R")});
        ds.AddRow({Variant("Petrov"), Variant::Null(), Variant::Null()});
        source.SetDataSet(&ds);
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        combo = NewComponent<TDBComboBoxEh>(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 200, 24);
        combo->SetTabStop(true);
        combo->Items()->Add("Red");
        combo->Items()->Add("Green");
        next = NewComponent<TEdit>(form);
        next->SetParent(form);
        next->SetBounds(10, 60, 100, 24);
        next->SetTabStop(true);
        form->Show();
        next->SetFocus();
        ui.ProcessMessages();
    }
    ~ComboForm() override { ds.BeforeDestruction(); }

    void KeyBased() {
        for (const char* key : {"R", "G", "B"}) combo->KeyItems()->Add(key);
    }
    void Bind(const std::string& field) {
        ds.Open();
        ds.FieldByName("MUST")->Required = true;
        combo->SetDataSource(&source);
        combo->SetDataField(field);
    }
    void Focus() {
        combo->SetFocus();
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
    // A wheel notch over the combo box: negative turns down.
    void Wheel(int notches, TShiftState shift = {}) {
        platform::ui::PostMouseWheel(*form, shift, notches * 120, {20, 20});
        ui.ProcessMessages();
    }
    std::string Stored(int row, ComboColumn column) const { return VarToStr(ds.StoredRow(row)[column]); }
    TPopupListboxEh& List() { return *combo->EnsurePopupList(); }
    // The selection as (anchor, caret) is not public: start and length tell it apart well enough.
    std::pair<int, int> Selection() const { return {combo->SelStart(), combo->SelLength()}; }
};
