#pragma once
// A grid of orders on a shown headless form, for the in-place editor's drop-downs: a lookup column
// into three customers, a date, a sum (its drop-down a calculator), a status with a pick list and a
// remembered note. Keys and clicks go through the headless host to the focused editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_inplace_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/headless_grid_form.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"

namespace drop_down_test {

enum OrderColumn { CustomerCol, DayCol, SumCol, StatusCol, NoteCol };

struct OrdersGrid : HeadlessGridForm {
    TEdit* other = nullptr;
    TMemoryDataSet customers;
    TMemoryDataSet orders;
    TDataSource* source = nullptr;

    OrdersGrid() {
        customers.SetColumns({"ID", "NAME"});
        customers.SetColumnType(0, ftInteger);
        customers.SetColumnType(1, ftString, 20);
        customers.AddRow({1, "Ivanov"});
        customers.AddRow({2, "Petrov"});
        customers.AddRow({3, "Sidorov"});
        customers.Open();
        orders.SetColumns({"ID", "CUST_ID", "DAY", "SUM", "STATUS", "NOTE"});
        orders.SetColumnType(0, ftInteger);
        orders.SetColumnType(1, ftInteger);
        orders.SetColumnType(2, ftDate);
        orders.SetColumnType(3, ftFloat);
        orders.SetColumnType(4, ftString, 20);
        orders.SetColumnType(5, ftString, 30);
        orders.AddRow({10, 2, Variant::FromDateTime(EncodeDate(2026, 3, 14)), 12.5, "new", "first"});
        orders.AddRow({11, 3, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()});
        AddField<TIntegerField>(orders, "ID");
        AddField<TIntegerField>(orders, "CUST_ID");
        AddField<TDateField>(orders, "DAY");
        AddField<TFloatField>(orders, "SUM");
        AddField<TStringField>(orders, "STATUS", fkData, 20);
        AddField<TStringField>(orders, "NOTE", fkData, 30);
        AddLookupField<TStringField>(orders, "Customer", 20, customers, "CUST_ID", "ID", "NAME");
        orders.Open();

        CreateForm(600, 400);
        other = NewComponent<TEdit>(form);
        other->SetParent(form);
        other->SetBounds(10, 360, 100, 24);
        PlaceGrid({0, 0, 580, 300});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&orders);
        for (const char* name : {"Customer", "DAY", "SUM", "STATUS", "NOTE"})
            Columns().Add()->SetFieldName(name);
        Column(SumCol)->SetButtonStyle(cbsDropDown);
        for (const char* status : {"new", "paid", "sent"}) Column(StatusCol)->PickList()->Add(status);
        ShowGrid(source);
    }
    ~OrdersGrid() {
        grid->SetDataSource(nullptr);
        orders.BeforeDestruction();
        customers.BeforeDestruction();
    }
    // The cell of that column in the current record, with its editor shown and focused.
    TDBGridInplaceEdit& Edit(int dataCol) {
        grid->SelectColumnByIndex(dataCol);
        grid->ShowCellEditor();
        ui.ProcessMessages();
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor());
        EXPECT_NE(editor, nullptr);
        if (editor != nullptr && !editor->Focused()) {
            editor->SetFocus();
            ui.ProcessMessages();
        }
        return *editor;
    }
    void Press(WORD key, TShiftState shift = {}) { ui.PressKey(key, shift); }
    void Type(const std::string& text) { ui.TypeText(text); }
    std::string Stored(const char* field) { return orders.FieldByName(field)->AsString(); }
};

}  // namespace drop_down_test
