#include "tools/popup_edits_demo/popup_edits_form.h"

#include "platform/db/field.h"
#include "tools/dbedit_demo/demo_records.h"

TPopupEditsDemoForm::TPopupEditsDemoForm(TComponent* AOwner, std::ostream& out) : TEditDemoForm(AOwner, out) {
    visits_.SetColumns({"VISIT", "TOTAL"});
    visits_.SetColumnType(0, ftDate);
    visits_.SetColumnType(1, ftFloat);
    visits_.AddRow({Variant::Null(), Variant::Null()});
    visits_.Open();
    visitSource_.SetDataSet(&visits_);

    VisitEdit = NewComponent<TPopupDateEditDemo>(this);
    AddRow("Дата приёма", VisitEdit);
    TotalEdit = NewComponent<TPopupSumEditDemo>(this);
    AddRow("Итого", TotalEdit);
    for (TPopupEditDemo* edit :
         {static_cast<TPopupEditDemo*>(VisitEdit), static_cast<TPopupEditDemo*>(TotalEdit)}) {
        edit->SetTabStop(true);
        edit->EditButton()->SetVisible(true);
        edit->EditButton()->SetStyle(ebsDropDownEh);
        edit->SetDataSource(&visitSource_);
    }
    VisitEdit->SetDataField("VISIT");
    TotalEdit->SetDataField("TOTAL");

    // The demo's own closing prints its table first.
    auto demoClosing = OnClose;
    OnClose = [this, demoClosing, &out](TObject* sender, TCloseAction& action) {
        if (demoClosing)
            demoClosing(sender, action);
        PrintVisits(out);
    };
}

TPopupEditsDemoForm::~TPopupEditsDemoForm() {
    visits_.BeforeDestruction();
}

void TPopupEditsDemoForm::PrintVisits(std::ostream& out) {
    if (visits_.State() == dsEdit || visits_.State() == dsInsert)
        visits_.Post();
    PrintRecords(visits_, out);
}
