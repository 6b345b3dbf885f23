#include "tools/grid_demo/grid_demo_form.h"

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_controls/db_edit.h"
#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "data_grid/grid_filter.h"
#include "data_grid/sum_list_grid.h"
#include "platform/ui/label.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/virtual_keys.h"
#include "tools/grid_demo/grid_demo_layout.h"
#include "tools/grid_demo/visit_filter.h"
#include "tools/popup_edits_demo/popup_edits.h"

namespace grid_demo {

using namespace layout;

namespace {

constexpr const char* kRooms[] = {"101", "102", "205", "310"};

struct TColumnPlan {
    const char* Field;
    int Width;
    TFooterValueType Footer;
    bool RoomPickList = false;
    bool SizableDropDown = false;
};

// The grid's columns from left to right: the count of visits under the number, the sum under the
// amount, the rooms offered in the room's cells, the patients' list sized by its grip.
constexpr TColumnPlan kColumns[] = {
    {"ID", 50, fvtCount},        {"CUSTOMER", 130, fvtNon, false, true},
    {"VISIT_DATE", 100, fvtNon}, {"ROOM", 70, fvtNon, true},
    {"AMOUNT", 120, fvtSum},     {"PAID", 70, fvtNon},
    {"NOTE", 220, fvtNon},
};

}  // namespace

TGridDemoForm::TGridDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Grid demo");
    SetBounds(0, 0, kFormWidth, kFormHeight);
    CreateGrid();
    CreateControls();
    CreateButtons();
    KeyPreview = true;
    OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
    OnClose = [this](TObject*, TCloseAction&) { FormClosing(); };
    SetActiveControl(Grid);
}

TGridDemoForm::~TGridDemoForm() = default;

void TGridDemoForm::BeforeDestruction() {
    BindControls(nullptr);
    TForm::BeforeDestruction();
}

void TGridDemoForm::Open(const TGridDemoSettings& settings) {
    settings_ = settings;
    data_ = std::make_unique<TGridDemoData>(settings.DatabasePath);
    BindControls(&data_->VisitsSource());
    Grid->SumList()->SetActive(true);
}

void TGridDemoForm::BindControls(TDataSource* source) {
    Grid->SetDataSource(source);
    NoteEdit->SetDataSource(source);
    RoomCombo->SetDataSource(source);
    PaidCheck->SetDataSource(source);
    DateEdit->SetDataSource(source);
}

void TGridDemoForm::CreateGrid() {
    Grid = NewComponent<TCustomDBGridEh>(this);
    Grid->SetParent(this);
    Grid->SetBounds(kMargin, kMargin, kFormWidth - 2 * kMargin, kGridHeight);
    Grid->SetOptions(Grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
    Grid->SetExtOptions(Grid->ExtOptions() + TDBGridEhExtOptions{gxoAutoSortMarkingEh});
    Grid->STFilter()->SetVisible(true);
    Grid->SetFooterRowCount(1);
    CreateColumns();
    Grid->OnFilterApply = [this](TObject*) {
        if (data_)
            ApplyColumnFilters(*Grid, data_->Visits());
    };
}

void TGridDemoForm::CreateColumns() {
    TStringList rooms;
    for (const char* room : kRooms) rooms.Add(room);
    TDBGridColumnsEh& columns = *Grid->Columns();
    for (const TColumnPlan& plan : kColumns) {
        TColumnEh* column = columns.Add();
        column->SetFieldName(plan.Field);
        column->SetWidth(plan.Width);
        column->Title()->SetTitleButton(true);
        column->Footer()->SetValueType(plan.Footer);
        if (plan.RoomPickList)
            column->SetPickList(&rooms);
        column->SetDropDownSizing(plan.SizableDropDown);
    }
}

void TGridDemoForm::AddControlRow(int row, const std::string& caption, TWinControl* control) {
    auto* label = NewComponent<TLabel>(this);
    label->SetParent(this);
    label->SetCaption(caption);
    label->SetBounds(kMargin, RowTop(row) + 4, kLabelWidth - 8, 20);
    control->SetParent(this);
    control->SetBounds(kControlLeft, RowTop(row), kControlWidth, control->Height());
    control->SetTabStop(true);
}

void TGridDemoForm::CreateControls() {
    NoteEdit = NewComponent<TDBEditEh>(this);
    AddControlRow(0, "Примечание", NoteEdit);
    NoteEdit->SetDataField("NOTE");

    RoomCombo = NewComponent<TDBComboBoxEh>(this);
    AddControlRow(1, "Кабинет", RoomCombo);
    for (const char* room : kRooms) RoomCombo->Items()->Add(room);
    RoomCombo->SetDataField("ROOM");

    PaidCheck = NewComponent<TDBCheckBoxEh>(this);
    PaidCheck->SetCaption("Оплачено");
    PaidCheck->SetHeight(20);
    AddControlRow(2, "", PaidCheck);
    PaidCheck->SetDataField("PAID");

    DateEdit = NewComponent<TPopupDateEditDemo>(this);
    AddControlRow(3, "Дата приёма", DateEdit);
    DateEdit->EditButton()->SetVisible(true);
    DateEdit->EditButton()->SetStyle(ebsDropDownEh);
    DateEdit->SetDataField("VISIT_DATE");
}

void TGridDemoForm::CreateButtons() {
    ExportButton = NewComponent<TSpeedButton>(this);
    ExportButton->SetParent(this);
    ExportButton->SetCaption("Экспорт CSV");
    ExportButton->SetBounds(kButtonLeft, RowTop(0), kButtonWidth, kButtonHeight);
    ExportButton->OnClick = [this](TObject*) { ExportGrid(); };

    CloseButton = NewComponent<TSpeedButton>(this);
    CloseButton->SetParent(this);
    CloseButton->SetCaption("Закрыть");
    CloseButton->SetBounds(kButtonLeft, RowTop(1), kButtonWidth, kButtonHeight);
    CloseButton->OnClick = [this](TObject*) { Close(); };
}

void TGridDemoForm::ExportGrid() {
    TDBGridEhExportAsCSV exporter;
    exporter.SetGrid(Grid);
    exporter.ExportFile(settings_.ExportPath, true);
}

void TGridDemoForm::CloseOnSignal() {
    try {
        Close();
    } catch (const std::exception&) {
        if (data_)
            data_->CancelPendingVisit();
    }
}

void TGridDemoForm::FormKeyDown(WORD& key, TShiftState shift) {
    if (key == 'E' && shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        ExportGrid();
        key = 0;
    }
}

void TGridDemoForm::FormClosing() {
    if (!data_)
        return;
    // The focused edit writes what was typed, then the record is posted.
    if (auto* focused = dynamic_cast<TDBEditEh*>(ActiveControl()))
        focused->CommitData();
    data_->PostPendingVisit();
}

}  // namespace grid_demo
