#include "tools/dbedit_demo/demo_form.h"

#include <algorithm>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_controls/db_edit.h"
#include "platform/db/field.h"
#include "platform/ui/label.h"
#include "platform/ui/speed_button.h"
#include "tools/dbedit_demo/demo_records.h"

using namespace demo_layout;

TEditDemoForm::TEditDemoForm(TComponent* AOwner, std::ostream& out) : TForm(AOwner), out_(out) {
    SetCaption("Edit controls demo");
    SetBounds(0, 0, kCloseLeft + kCloseWidth + 12, 100);
    DefineDemoTable(table_);
    table_.Open();
    source_.SetDataSet(&table_);

    NameEdit = AddEdit("Фамилия", "NAME");
    table_.FieldByName("NAME")->Required = true;
    NameEdit->SetHighlightRequired(true);

    PolicyEdit = AddEdit("Полис", "POLICY");
    PolicyEdit->SetEditMask("000-000;1;_");

    CodeEdit = AddEdit("Код", "CODE");
    CodeEdit->EditButton()->SetVisible(true);
    CodeEdit->EditButton()->SetStyle(ebsEllipsisEh);
    CodeEdit->OnButtonClick = [this](TObject*, bool& handled) {
        CodeEdit->SetText(CodeEdit->Text() + "K-7");
        handled = true;
    };

    CityEdit = AddEdit("Город", "CITY");
    CityEdit->MRUList()->SetActive(true);
    for (const char* city : {"Moscow", "Kazan", "Kaliningrad", "Omsk"})
        CityEdit->MRUList()->Items()->Add(city);

    AmountEdit = AddEdit("Сумма", "AMOUNT");
    AmountEdit->SetAlignment(taRightJustify);

    VisitCombo = NewComponent<TDBComboBoxEh>(this);
    AddRow("Приём", VisitCombo);
    VisitCombo->SetTabStop(true);
    for (const char* kind : {"Первичный", "Повторный", "Консультация"}) VisitCombo->Items()->Add(kind);
    for (const char* key : {"P", "R", "K"}) VisitCombo->KeyItems()->Add(key);
    VisitCombo->SetDataSource(&source_);
    VisitCombo->SetDataField("VISIT");

    PaidCheck = NewComponent<TDBCheckBoxEh>(this);
    PaidCheck->SetCaption("Оплачено");
    PaidCheck->SetHeight(20);
    AddRow("", PaidCheck);
    PaidCheck->SetTabStop(true);
    PaidCheck->SetDataSource(&source_);
    PaidCheck->SetDataField("PAID");

    CloseButton = NewComponent<TSpeedButton>(this);
    CloseButton->SetParent(this);
    CloseButton->SetCaption("Закрыть");
    CloseButton->SetBounds(kCloseLeft, RowTop(0), kCloseWidth, kCloseHeight);
    CloseButton->OnClick = [this](TObject*) { Close(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClosing(); };
    SetActiveControl(NameEdit);
}

TEditDemoForm::~TEditDemoForm() {
    table_.BeforeDestruction();
}

void TEditDemoForm::AddRow(const std::string& caption, TControl* control) {
    const int top = RowTop(rows_);
    auto* label = NewComponent<TLabel>(this);
    label->SetParent(this);
    label->SetCaption(caption);
    label->SetBounds(kLabelLeft, top + 4, kControlLeft - kLabelLeft - 8, 20);
    control->SetParent(this);
    control->SetBounds(kControlLeft, top, kControlWidth, control->Height());
    ++rows_;
    SetHeight(std::max(Height(), RowTop(rows_) + kTop));
}

TDBEditEh* TEditDemoForm::AddEdit(const std::string& caption, const std::string& field) {
    auto* edit = NewComponent<TDBEditEh>(this);
    AddRow(caption, edit);
    edit->SetTabStop(true);
    edit->SetDataSource(&source_);
    edit->SetDataField(field);
    return edit;
}

void TEditDemoForm::FormClosing() {
    // The focused edit writes what was typed, then the record is posted.
    if (auto* focused = dynamic_cast<TDBEditEh*>(ActiveControl()))
        focused->CommitData();
    if (table_.State() == dsEdit || table_.State() == dsInsert)
        table_.Post();
    PrintRecords(table_, out_);
}
