// The find dialog's form: its controls as laid out at 120 pixels per inch, scaled to the screen.
#include <algorithm>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/find_dialog.h"
#include "platform/ui/design_scaling.h"
#include "platform/ui/label.h"
#include "platform/ui/push_button.h"

namespace {

constexpr int DesignedPixelsPerInch = 120;
constexpr int LabelGap = 8;  // between the widest label and its box, at the designed resolution

TDBComboBoxEh* NewComboBox(TWinControl& Parent, const char* Name) {
    auto* box = NewComponent<TDBComboBoxEh>(&Parent);
    box->SetName(Name);
    box->SetParent(&Parent);
    box->SetText("");
    box->DropDownBox()->SetRows(17);
    box->DropDownBox()->SetSizable(true);
    return box;
}

// A key-based box: its keys are its item texts.
void FillKeyBased(TDBComboBoxEh& Box, std::initializer_list<const char*> Items) {
    for (const char* item : Items) Box.Items()->Add(item);
    Box.SetKeyItems(*Box.Items());
}

TLabel* NewLabel(TWinControl& Parent, const char* Name, const char* Caption, int Left, int Top,
                 TWinControl* Labelled) {
    auto* label = NewComponent<TLabel>(&Parent);
    label->SetName(Name);
    label->SetParent(&Parent);
    label->ShowAccelChar = true;
    label->FocusControl = Labelled;
    label->SetCaption(Caption);
    label->SetLeft(Left);
    label->SetTop(Top);
    return label;
}

TButton* NewButton(TWinControl& Parent, const char* Name, const char* Caption) {
    auto* button = NewComponent<TButton>(&Parent);
    button->SetName(Name);
    button->SetParent(&Parent);
    button->SetCaption(Caption);
    return button;
}

TDBCheckBoxEh* NewCheckBox(TWinControl& Parent, const char* Name, const char* Caption, bool Checked) {
    auto* box = NewComponent<TDBCheckBoxEh>(&Parent);
    box->SetName(Name);
    box->SetParent(&Parent);
    box->SetCaption(Caption);
    box->SetValueChecked("True");
    box->SetValueUnchecked("False");
    box->SetChecked(Checked);
    return box;
}

}  // namespace

TDBGridEhFindDlg::TDBGridEhFindDlg(TComponent* AOwner) : TForm(AOwner) {
    SetName("DBGridEhFindDlg");
    SetBorderStyle(bsDialog);
    SetCaption("Поиск");
    SetPosition(poScreenCenter);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-13);
    KeyPreview = true;
    OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
    CreateControls();
    PlaceControls();
    ScaleControlsFromDesign(*this, DesignedPixelsPerInch);
    FitLabelColumn();
}

TDBGridEhFindDlg::~TDBGridEhFindDlg() {
    SetFindGrid(nullptr);
}

void TDBGridEhFindDlg::CreateControls() {
    cbText = NewComboBox(*this, "cbText");
    cbText->OnChange = [this](TObject* Sender) { cbTextChange(Sender); };
    bFind = NewButton(*this, "bFind", "На&йти далее");
    bFind->OnClick = [this](TObject* Sender) { bFindClick(Sender); };
    bCancel = NewButton(*this, "bCancel", "Закрыть");
    bCancel->Cancel = true;
    bCancel->ModalResult = mrCancel;
    bCancel->OnClick = [this](TObject* Sender) { bCancelClick(Sender); };
    Label1 = NewLabel(*this, "Label1", "&Образец:", 12, 15, cbText);
    cbFindIn = NewComboBox(*this, "cbFindIn");
    cbFindIn->OnChange = [this](TObject* Sender) { cbFindInChange(Sender); };
    Label2 = NewLabel(*this, "Label2", "&Поиск в:", 12, 43, cbFindIn);
    cbMatchinType = NewComboBox(*this, "cbMatchinType");
    FillKeyBased(*cbMatchinType, {"С любой части поля", "Поля целиком", "С начала поля"});
    cbMatchinType->SetItemIndex(fmmAnywhereEh);
    cbMatchType = NewLabel(*this, "cbMatchType", "&Совпадение:", 12, 71, cbMatchinType);
    cbFindDirection = NewComboBox(*this, "cbFindDirection");
    FillKeyBased(*cbFindDirection, {"Вверх", "Вниз", "Все"});
    cbFindDirection->SetItemIndex(fdAllEh);
    cbFindDirection->OnChange = [this](TObject* Sender) { cbTextChange(Sender); };
    Label3 = NewLabel(*this, "Label3", "Прос&мотр:", 12, 101, cbFindDirection);
    cbCharCase = NewCheckBox(*this, "cbCharCase", "С учетом ре&гистра", false);
    cbUseFormat = NewCheckBox(*this, "cbUseFormat", "С у&четом формата", true);
}

// The layout was made for a narrower font: the column of labels takes the widest label at the real
// font plus its gap, and whatever stands right of it moves over as the dialog widens.
void TDBGridEhFindDlg::FitLabelColumn() {
    const int gap = ScaleFromDesign(LabelGap, DesignedPixelsPerInch);
    int labelsRight = 0;
    for (const TLabel* label : {Label1, Label2, cbMatchType, Label3})
        labelsRight = std::max(labelsRight, label->Left() + label->Width());
    const int columnLeft = cbText->Left();
    const int shift = labelsRight + gap - columnLeft;
    if (shift <= 0)
        return;
    for (int i = 0; i < ControlCount(); ++i)
        if (TControl* control = Controls(i); control->Left() >= columnLeft)
            control->SetLeft(control->Left() + shift);
    SetClientWidth(ClientWidth() + shift);
}

void TDBGridEhFindDlg::PlaceControls() {
    SetClientWidth(622);
    SetClientHeight(153);
    cbText->SetBounds(108, 11, 389, 24);
    bFind->SetBounds(508, 11, 101, 28);
    bCancel->SetBounds(508, 46, 101, 27);
    cbFindIn->SetBounds(108, 39, 237, 24);
    cbMatchinType->SetBounds(108, 68, 178, 24);
    cbFindDirection->SetBounds(108, 97, 178, 24);
    cbCharCase->SetBounds(108, 129, 178, 17);
    cbUseFormat->SetBounds(320, 129, 177, 17);
    TWinControl* const tabOrder[] = {cbText,     cbFindIn,    cbMatchinType, cbFindDirection,
                                     cbCharCase, cbUseFormat, bFind,         bCancel};
    for (int i = 0; i < static_cast<int>(std::size(tabOrder)); ++i) tabOrder[i]->SetTabOrder(i);
}
