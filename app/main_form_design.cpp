// The window as designed: every control with its place, look and events.
#include "app/main_form.h"

namespace {

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const char* caption, TRect bounds, int fontSize,
                 TColor color) {
    auto* label = NewComponent<TLabel>(owner);
    label->SetParent(parent);
    label->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);  // left, top, width, height
    label->Font()->SetName("Verdana");
    label->Font()->SetSize(fontSize);
    label->Font()->SetColor(color);
    label->SetCaption(caption);
    return label;
}

TLabel* NewValueLabel(TComponent* owner, TWinControl* parent, const char* name, TRect bounds, int fontSize,
                      TColor color) {
    TLabel* label = NewLabel(owner, parent, name, bounds, fontSize, color);
    label->SetTransparent(true);
    return label;
}

TSpeedButton* NewTapButton(TComponent* owner, TWinControl* parent, int left, int top) {
    auto* button = NewComponent<TSpeedButton>(owner);
    button->SetParent(parent);
    button->SetBounds(left, top, 41, 38);
    button->SetFlat(true);
    return button;
}

TTimer* NewTimer(TComponent* owner, unsigned interval) {
    auto* timer = NewComponent<TTimer>(owner);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    return timer;
}

}  // namespace

void TMainForm::CreateControls() {
    SetBorderStyle(bsNone);
    SetCaption("Сканер штрихкода на талоне пациента");
    SetClientWidth(807);
    SetClientHeight(613);
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetSize(8);

    Image1 = NewComponent<TImage>(this);
    Image1->SetParent(this);
    Image1->SetBounds(0, 0, 807, 613);
    Image1->SetAlign(alClient);
    Image1->SetStretch(true);
    Image1->SetTransparent(true);
    Image1->Picture()->LoadFromResourceName("background");

    lbConnect = NewValueLabel(this, this, "", {32, 16, 7, 25}, 16, clMaroon);

    btExit1 = NewTapButton(this, this, 0, 575);
    btExit2 = NewTapButton(this, this, 766, 575);
    btExit3 = NewTapButton(this, this, 765, 253);
    btDebug = NewTapButton(this, this, 0, 253);

    lbCount = NewValueLabel(this, this, "lbCount", {688, 504, 74, 23}, 14, clSilver);

    edTicket = NewComponent<TEdit>(this);
    edTicket->SetParent(this);
    edTicket->SetBounds(4, 0, 33, 21);
    edTicket->Font()->SetName("MS Sans Serif");
    edTicket->Font()->SetSize(8);
    edTicket->Font()->SetColor(clMaroon);
    edTicket->AutoSelect = false;
    edTicket->SetTabOrder(0);
    edTicket->SetText("0");
    edTicket->SetVisible(false);

    pnInfo = NewComponent<TPanel>(this);
    pnInfo->SetParent(this);
    pnInfo->SetBounds(16, 0, 792, 265);
    pnInfo->SetColor(clSilver);
    pnInfo->SetTabOrder(1);

    const char* titles[] = {"Талон №", "Время приема", "Кабинет", "Специалист", "Врач"};
    const int titleWidths[] = {97, 155, 90, 128, 53};
    TLabel** titleLabels[] = {&lbTitle1, &lbTitle2, &lbTitle3, &lbTitle4, &lbTitle5};
    for (int i = 0; i < 5; ++i)
        *titleLabels[i] =
            NewLabel(this, pnInfo, titles[i], {16, 24 + 32 * i, titleWidths[i], 25}, 16, clNavy);

    btReturn = NewComponent<TSpeedButton>(this);
    btReturn->SetParent(pnInfo);
    btReturn->SetBounds(16, 200, 153, 30);
    btReturn->SetCaption("OK");
    btReturn->Font()->SetName("MS Sans Serif");
    btReturn->Font()->SetSize(10);

    pnData = NewComponent<TPanel>(this);
    pnData->SetParent(pnInfo);
    pnData->SetBounds(184, 1, 607, 263);
    pnData->SetAlign(alRight);
    pnData->SetBevelOuter(bvLowered);
    pnData->SetColor(clCream);

    lbTicket = NewValueLabel(this, pnData, "lbTicket", {16, 24, 585, 153}, 16, clMaroon);
    lbTicket->SetAutoSize(false);
    lbTicket->SetWordWrap(true);
    lbTicket->SetBounds(16, 24, 585, 153);  // its fixed size, after the caption sized it
    lbTicket->SetAnchors({akLeft, akTop, akRight, akBottom});
    lbVisitDateTime = NewValueLabel(this, pnData, "lbVisitDateTime", {16, 56, 166, 25}, 16, clBlack);
    lbRoom = NewValueLabel(this, pnData, "lbRoom", {16, 88, 80, 25}, 16, clBlack);
    lbSpec = NewValueLabel(this, pnData, "lbSpec", {16, 120, 70, 25}, 16, clBlack);
    lbFactDoctor = NewValueLabel(this, pnData, "lbFactDoctor", {16, 152, 133, 25}, 16, clBlack);
    lbMessage = NewValueLabel(this, pnData, "lbMessage", {16, 192, 111, 25}, 16, clGreen);
    lbNote = NewValueLabel(this, pnData, "lbNote", {16, 220, 62, 23}, 14, clPurple);

    edClear = NewComponent<TEdit>(this);
    edClear->SetParent(pnInfo);
    edClear->SetBounds(0, 0, 17, 21);
    edClear->SetTabOrder(1);
    edClear->SetText("0");
    edClear->SetVisible(false);

    MainTimer = NewTimer(this, 500);
    InfoTimer = NewTimer(this, 1000);
    ReturnTimer = NewTimer(this, 10000);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    MainTimer->OnTimer = [this](TObject* s) { MainTimerTimer(s); };
    InfoTimer->OnTimer = [this](TObject* s) { InfoTimerTimer(s); };
    ReturnTimer->OnTimer = [this](TObject* s) { ReturnTimerTimer(s); };
    btExit1->OnClick = [this](TObject* s) { btExit1Click(s); };
    btExit2->OnClick = [this](TObject* s) { btExit2Click(s); };
    btExit3->OnClick = [this](TObject* s) { btExit3Click(s); };
    btDebug->OnClick = [this](TObject* s) { btDebugClick(s); };
    btReturn->OnClick = [this](TObject* s) { btReturnClick(s); };
    edTicket->OnChange = [this](TObject* s) { edTicketChange(s); };
    edTicket->OnKeyUp = [this](TObject* s, WORD& key, TShiftState shift) { edTicketKeyUp(s, key, shift); };
}
