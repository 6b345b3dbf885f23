#pragma once
// A form holding a combo box with the items Red and Green and a plain edit after it in the tab
// order, over an in-memory dataset of names with a colour key and a required colour key.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/db_combo_box.h"
#include "platform/ui/input.h"
#include "tests/data_controls/data_control_form.h"

enum ComboColumn { kComboName, kComboColor, kComboRequired };

struct ComboForm : DataControlForm<TDBComboBoxEh> {
    TDBComboBoxEh* const combo = control;

    ComboForm()
        : DataControlForm(
              [](TMemoryDataSet& ds) {
                  ds.SetColumns({"NAME", "COLOR", "MUST"});
                  ds.SetColumnType(kComboName, ftString, 20);
                  ds.SetColumnType(kComboColor, ftString, 10);
                  ds.SetColumnType(kComboRequired, ftString, 10);
                  ds.AddRow({Variant("Ivanov"), Variant("B"), Variant("R")});
                  ds.AddRow({Variant("Petrov"), Variant::Null(), Variant::Null()});
              },
              [](TDBComboBoxEh& combo) {
                  combo.Items()->Add("Red");
                  combo.Items()->Add("Green");
              }) {}

    void KeyBased() {
        for (const char* key : {"R", "G", "B"}) combo->KeyItems()->Add(key);
    }
    void Bind(const std::string& field) {
        ds.Open();
        ds.FieldByName("MUST")->Required = true;
        DataControlForm::Bind(field);
    }
    // A wheel notch over the combo box: negative turns down.
    void Wheel(int notches, TShiftState shift = {}) {
        platform::ui::PostMouseWheel(*form, shift, notches * 120, {20, 20});
        ui.ProcessMessages();
    }
    TPopupListboxEh& List() { return *combo->EnsurePopupList(); }
    // The selection as (anchor, caret) is not public: start and length tell it apart well enough.
    std::pair<int, int> Selection() const { return {combo->SelStart(), combo->SelLength()}; }
};
