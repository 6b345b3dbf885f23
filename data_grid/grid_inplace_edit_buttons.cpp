// The grid editor's buttons: the row of the main and the column's extra buttons, what their presses
// and clicks do, the up-down step and the extra buttons' shortcuts.
#include <algorithm>
#include <cmath>

#include "data_controls/edit_button_menu.h"
#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/ui/colors.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/pen.h"
#include "platform/ui/shape.h"
#include "platform/ui/system_metrics.h"

namespace {

TEditButtonControlEh* ButtonControlOf(TObject* Sender) {
    return dynamic_cast<TEditButtonControlEh*>(Sender);
}

}  // namespace

TEditButtonControlEh* TDBGridInplaceEdit::NewEditButtonControl() {
    return NewEditButtonControlFor(*this);
}

void TDBGridInplaceEdit::BoundsChanged() {
    // A menu marker left from a button of the last cell must not swallow a press in this one.
    if (HandleAllocated()) {
        TMsg msg;
        while (PeekMessage(msg, Handle(), CM_IGNOREEDITDOWNEH, CM_IGNOREEDITDOWNEH, PM_REMOVE)) {
        }
    }
    LayoutEditButtons();
    ActivateEditButtons();
    TRect rect = ComputeTextRect();
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
    Perform(EM_SCROLLCARET);
}

void TDBGridInplaceEdit::FitButtonControlCount(int Wanted) {
    while (static_cast<int>(buttonControls_.size()) > Wanted) {
        const TEditButtonControlLineRec surplus = buttonControls_.back();
        buttonControls_.pop_back();
        if (surplus.EditButtonControl != nullptr)
            surplus.EditButtonControl->SetVisible(false);
        if (surplus.ButtonLine != nullptr)
            surplus.ButtonLine->SetVisible(false);
        Free(surplus.EditButtonControl);
        Free(surplus.ButtonLine);
    }
    while (static_cast<int>(buttonControls_.size()) < Wanted) {
        TEditButtonControlLineRec line;
        line.EditButtonControl = NewEditButtonControl();
        line.ButtonLine = NewComponent<TShape>(this);
        line.ButtonLine->SetParent(this);
        buttonControls_.push_back(line);
    }
}

void TDBGridInplaceEdit::SetButtonControlHooks(TEditButtonControlEh& Control) {
    Control.OnDown = [this](TObject* Sender, bool Top, bool& AutoRepeat, bool& Handled) {
        EditButtonPressed(Sender, Top, AutoRepeat, Handled);
    };
    Control.OnClick = [this](TObject* Sender) { EditButtonClicked(Sender); };
    Control.OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) {
        EditButtonDragged(Sender, Shift, X, Y);
    };
    Control.OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        EditButtonMouseReleased(Sender, Button, Shift, X, Y);
    };
}

int TDBGridInplaceEdit::DefaultButtonWidth() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr && grid->Flat() ? ComputeFlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
}

// A button stands shorter than the editor only when the editor is taller than one and a half of its
// width (rounded half to even); otherwise it fills the editor's height.
int TDBGridInplaceEdit::ButtonHeightCandidate(int Width, bool Main) const {
    const int threshold = static_cast<int>(std::nearbyint(Width * 3.0 / 2.0));
    if (ClientHeight() <= threshold)
        return ClientHeight();
    TCustomDBGridEh* grid = OwnerGrid();
    return Main ? EditButtonHeightForWidth(Width, grid != nullptr && grid->Flat()) : Width;
}

void TDBGridInplaceEdit::LayoutEditButtons() {
    TColumnEh* column = CurrentColumn();
    TEditButtonsEh* extras = column != nullptr ? column->EditButtons() : nullptr;
    const int extraCount = extras != nullptr ? extras->Count() : 0;
    FitButtonControlCount(extraCount + 1);
    TCustomDBGridEh* grid = OwnerGrid();
    const bool flat = grid != nullptr && grid->Flat();
    int height = ClientHeight();
    for (int i = 0; i <= extraCount; ++i) {
        TEditButtonControlEh& control = *buttonControls_[i].EditButtonControl;
        const int width =
            i == 0 ? SetUpMainButton(control) : SetUpExtraButton(control, *extras->GetButton(i - 1));
        control.SetFlat(flat);
        control.SetBounds(control.Left(), 0, width, control.Height());
        if (control.Visible())
            height = std::min(height, ButtonHeightCandidate(width, i == 0));
        TShape& separator = *buttonControls_[i].ButtonLine;
        const bool line = flat && control.Visible();
        separator.SetVisible(line);
        separator.SetBounds(separator.Left(), 0, line ? 1 : 0, separator.Height());
        // The index tells the buttons apart when a menu's closing marker comes back.
        control.Tag = i;
        separator.Tag = i;
        SetButtonControlHooks(control);
    }
    PlaceButtonControls(height);
}

// The main button shows the style's own face; its width, 0 while hidden.
int TDBGridInplaceEdit::SetUpMainButton(TEditButtonControlEh& Control) {
    Control.SetVisible(activeEditStyle_ != esSimpleEh);
    Control.SetStyle(MainButtonStyle(activeEditStyle_));
    Control.SetGlyph(TBitmap());
    Control.Hint.clear();
    return Control.Visible() ? DefaultButtonWidth() : 0;
}

// An extra button takes the column's settings; its width, 0 while hidden.
int TDBGridInplaceEdit::SetUpExtraButton(TEditButtonControlEh& Control, const TEditButtonEh& Button) {
    Control.SetVisible(Button.Visible());
    Control.SetStyle(Button.Style());
    if (Button.Glyph() != nullptr)
        Control.SetGlyph(*Button.Glyph());
    else
        Control.SetGlyph(TBitmap());
    Control.SetNumGlyphs(Button.NumGlyphs());
    Control.Hint = Button.Hint();
    if (!Button.Visible())
        return 0;
    return Button.Width() > 0 ? Button.Width() : DefaultButtonWidth();
}

// Left to right: each button's separator, then the button, the row ending at the right edge;
// right-to-left the row is mirrored against the left edge.
void TDBGridInplaceEdit::PlaceButtonControls(int Height) {
    int total = 0;
    for (const auto& line : buttonControls_)
        total += line.ButtonLine->Width() + line.EditButtonControl->Width();
    const bool rtl = UseRightToLeftAlignment();
    const int start = ClientWidth() - total;
    int offset = 0;
    auto place = [&](TControl& control) {
        const int width = control.Width();
        const int left = rtl ? total - offset - width : start + offset;
        control.SetBounds(left, 0, width, Height);
        offset += width;
    };
    for (const auto& line : buttonControls_) {
        place(*line.ButtonLine);
        place(*line.EditButtonControl);
    }
    buttonAreaWidth_ = total;
}

void TDBGridInplaceEdit::ActivateEditButtons() {
    for (const auto& line : buttonControls_) {
        line.EditButtonControl->SetEnabled(true);
        line.EditButtonControl->SetActive(true);
        line.ButtonLine->Pen()->SetColor(clBtnFace);
        line.ButtonLine->Brush()->SetColor(clBtnFace);
    }
}

bool TDBGridInplaceEdit::IsMainButton(const TObject* Sender) const {
    return !buttonControls_.empty() && Sender == buttonControls_.front().EditButtonControl;
}

void TDBGridInplaceEdit::EditButtonPressed(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
    TEditButtonControlEh* control = StartButtonPress(*this, Sender, Handled);
    if (control == nullptr)
        return;
    TColumnEh* column = CurrentColumn();
    if (IsMainButton(Sender)) {
        if (column != nullptr && column->OnEditButtonDown)
            column->OnEditButtonDown(Sender, TopButton, AutoRepeat, Handled);
        if (!Handled)
            MainButtonPressed(!TopButton);
        return;
    }
    ExtraButtonPressed(control->Tag - 1, *control, TopButton, AutoRepeat, Handled);
}

void TDBGridInplaceEdit::ExtraButtonPressed(int Index, TEditButtonControlEh& Control, bool TopButton,
                                            bool& AutoRepeat, bool& Handled) {
    TColumnEh* column = CurrentColumn();
    TEditButtonsEh* extras = column != nullptr ? column->EditButtons() : nullptr;
    if (extras == nullptr || Index < 0 || Index >= extras->Count())
        return;
    TEditButtonEh& button = *extras->GetButton(Index);
    if (button.OnDown)
        button.OnDown(&Control, TopButton, AutoRepeat, Handled);
    if (Handled || button.DropdownMenu() == nullptr)
        return;
    ShowEditButtonMenu(*button.DropdownMenu(), *this, Control);
}

void TDBGridInplaceEdit::MainButtonPressed(bool BottomHalf) {
    if (activeEditStyle_ == esUpDownEh) {
        StepByUpDown(BottomHalf);
        return;
    }
    if (listShown_)
        return;
    OpenDropDown();
    keepOpenOnClick_ = true;
}

void TDBGridInplaceEdit::EditButtonClicked(TObject* Sender) {
    TEditButtonControlEh* control = ButtonControlOf(Sender);
    TColumnEh* column = CurrentColumn();
    TCustomDBGridEh* grid = OwnerGrid();
    const bool main = IsMainButton(Sender);
    bool handled = false;
    if (main) {
        if (grid != nullptr && (activeEditStyle_ == esEllipsisEh || activeEditStyle_ == esDropDownEh))
            grid->EditButtonClick();
        if (column != nullptr && column->OnEditButtonClick)
            column->OnEditButtonClick(Sender, handled);
    } else if (control != nullptr && column != nullptr) {
        TEditButtonsEh* extras = column->EditButtons();
        const int index = control->Tag - 1;
        if (extras != nullptr && index >= 0 && index < extras->Count() && extras->GetButton(index)->OnClick)
            extras->GetButton(index)->OnClick(Sender, handled);
    }
    if (!handled && main && listShown_ && !keepOpenOnClick_)
        CloseDropDown(false);
    keepOpenOnClick_ = false;
}

void TDBGridInplaceEdit::EditButtonMouseReleased(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                                 int X, int Y) {
    (void)Button;
    (void)Shift;
    const auto* control = dynamic_cast<TControl*>(Sender);
    if (control != nullptr && !control->ClientRect().Contains({X, Y}))
        keepOpenOnClick_ = false;
}

// A press on the main button dragged into the open list chooses there, as a press in the list would.
void TDBGridInplaceEdit::EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y) {
    (void)Shift;
    auto* button = dynamic_cast<TControl*>(Sender);
    if (button == nullptr || !IsMainButton(Sender) || !listShown_ || activeDropDown_ == nullptr ||
        GetCaptureControl() != button)
        return;
    TPoint listPoint;
    if (!ButtonHoldsPointInList(*button, X, Y, listPoint))
        return;
    button->Perform(WM_CANCELMODE);
    activeDropDown_->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(listPoint.X, listPoint.Y));
}

bool TDBGridInplaceEdit::ButtonHoldsPointInList(TControl& Button, int X, int Y, TPoint& ListPoint) {
    ListPoint = activeDropDown_->ScreenToClient(Button.ClientToScreen({X, Y}));
    const TRect area = activeDropDown_ == dataList_ && dataList_ != nullptr ? dataList_->DataRowsRect()
                                                                            : activeDropDown_->ClientRect();
    return area.Contains(ListPoint);
}

void TDBGridInplaceEdit::StepByUpDown(bool BottomHalf) {
    TColumnEh* column = CurrentColumn();
    TCustomDBGridEh* grid = OwnerGrid();
    if (column == nullptr || grid == nullptr || !column->IsEditable(true))
        return;
    // The grid's edit text follows every change of the editor's, so a typed text not yet in the
    // field shows only as the user's modification: written first, the step goes from it.
    if (Text() != grid->EditText() || Modified()) {
        grid->SetEditText(grid->Col(), grid->Row(), Text());
        grid->PostEditText();
    }
    // A list's top half goes to the previous item, a number's adds the increment.
    double delta = BottomHalf ? -column->Increment() : column->Increment();
    if (column->CellKind() != ckPlainEh)
        delta = -delta;
    column->StepValue(delta);
}

bool TDBGridInplaceEdit::EditButtonByShortCut(TShortCut ShortCut) {
    TColumnEh* column = CurrentColumn();
    TEditButtonsEh* extras = column != nullptr ? column->EditButtons() : nullptr;
    if (extras == nullptr || ShortCut == 0)
        return false;
    for (int i = 0; i < extras->Count() && i + 1 < static_cast<int>(buttonControls_.size()); ++i) {
        if (extras->GetButton(i)->ShortCut() != ShortCut)
            continue;
        TEditButtonControlEh& control = *buttonControls_[i + 1].EditButtonControl;
        bool autoRepeat = false;
        control.FireOnDown(true, autoRepeat);
        control.Click();
        return true;
    }
    return false;
}
