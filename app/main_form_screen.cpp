// The kiosk's screen: placement on a monitor, proportional scaling, the clock, the hidden gestures.
#include "app/main_form.h"

#include "platform/rtl/datetime.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/screen.h"
#include "platform/ui/virtual_keys.h"

namespace {
// Posted by FormShow: handled once the window is up, before the message loop first paints it.
constexpr UINT WM_KIOSK_SHOWN = WM_USER + 1;

// Scaled values are 32-bit, multiplication first, the division truncating.
int Scale(int value, int current, int design) {
    return design == 0 ? value : static_cast<int>(std::int64_t{value} * current / design);
}
}  // namespace

void TMainForm::FormShow(TObject*) {
    FDesignWidth = Width();
    FDesignHeight = Height();
    // One monitor: its work area. Two or more: the second monitor's work area, wherever that monitor lies.
    // A host that reports no monitor leaves the window as designed.
    if (const TMonitor* monitor = Screen->Monitors(Screen->MonitorCount() < 2 ? 0 : 1)) {
        const TRect area = monitor->WorkareaRect;
        SetLeft(area.Left);
        SetTop(area.Top);
        SetWidth(area.Width());
        SetHeight(area.Height());
    }
    pnInfo->SetVisible(false);
    ScaleInfoPanel();
    ScaleLabel(lbConnect);
    ScaleLabel(lbCount);
    for (TLabel* label :
         {lbCount, lbTicket, lbVisitDateTime, lbRoom, lbSpec, lbFactDoctor, lbMessage, lbNote})
        label->SetCaption("");
    edClear->SetText("");
    edClear->SetWidth(0);
    edTicket->SetText("");
    edTicket->SetWidth(0);
    edTicket->SetVisible(true);
    MainTimer->SetEnabled(true);
    FClockBitmap->SetWidth(0);
    PostMessage(Handle(), WM_KIOSK_SHOWN, 0, 0);
}

void TMainForm::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_KIOSK_SHOWN) {
        ShowFirstFrame();
        return;
    }
    TForm::Dispatch(Message);
}

// The screen's first frame is the finished idle screen: the background painted now and the clock
// drawn on it, rather than the background alone until the timer's first tick.
void TMainForm::ShowFirstFrame() {
    if (!Visible())
        return;
    Update();
    MainTimerTimer(this);
}

void TMainForm::ScaleInfoPanel() {
    pnInfo->SetLeft(0);
    pnInfo->SetTop(0);
    pnInfo->SetWidth(Width());
    pnInfo->SetHeight(Scale(pnInfo->Height(), Height(), FDesignHeight));
    pnData->SetWidth(Scale(pnData->Width(), Width(), FDesignWidth));
    for (TLabel* label : {lbTitle1, lbTitle2, lbTitle3, lbTitle4, lbTitle5, lbTicket, lbVisitDateTime, lbRoom,
                          lbSpec, lbFactDoctor, lbMessage, lbNote})
        ScaleLabel(label);
    ScaleButton(btReturn);
}

void TMainForm::ScaleLabel(TLabel* label) {
    label->SetLeft(Scale(label->Left(), Width(), FDesignWidth));
    label->SetTop(Scale(label->Top(), Height(), FDesignHeight));
    label->Font()->SetSize(Scale(label->Font()->Size(), Width(), FDesignWidth));
}

void TMainForm::ScaleButton(TSpeedButton* button) {
    button->SetLeft(Scale(button->Left(), Width(), FDesignWidth));
    button->SetTop(Scale(button->Top(), Height(), FDesignHeight));
    button->SetWidth(Scale(button->Width(), Width(), FDesignWidth));
    button->SetHeight(Scale(button->Height(), Height(), FDesignHeight));
    button->Font()->SetSize(Scale(button->Font()->Size(), Height(), FDesignHeight));
}

void TMainForm::FormResize(TObject*) {
    const int cw = ClientWidth(), ch = ClientHeight();
    btExit1->SetLeft(0);
    btExit1->SetTop(ch - btExit1->Height());
    btExit2->SetLeft(cw - btExit2->Width());
    btExit2->SetTop(ch - btExit2->Height());
    btExit3->SetLeft(cw - btExit3->Width());
    btExit3->SetTop((ch - btExit3->Height()) / 2);
    btDebug->SetLeft(0);
    btDebug->SetTop((ch - btDebug->Height()) / 2);
    if (FClockBitmap)
        FClockBitmap->SetWidth(0);
}

void TMainForm::MainTimerTimer(TObject*) {
    const std::string text = FormatDateTime(FSettings.TimeTemplate, Now());
    TCanvas* bitmapCanvas = FClockBitmap->Canvas();
    if (FClockBitmap->Width() != bitmapCanvas->TextWidth(text)) {
        // Put back the background under the old text, then save the background under the new one.
        Canvas()->Draw(FSettings.TimeX, FSettings.TimeY, FClockBitmap.get());
        bitmapCanvas->Font()->SetName(FSettings.TimeFontName);
        bitmapCanvas->Font()->SetSize(FSettings.TimeFontSize);
        bitmapCanvas->Font()->SetColor(static_cast<TColor>(FSettings.TimeFontColor));
        bitmapCanvas->Brush()->SetStyle(bsClear);
        FClockBitmap->SetSize(bitmapCanvas->TextWidth(text), bitmapCanvas->TextHeight(text));
        BitBlt(bitmapCanvas->Handle(), 0, 0, FClockBitmap->Width(), FClockBitmap->Height(),
               Canvas()->Handle(), FSettings.TimeX, FSettings.TimeY, SRCCOPY);
    }
    TBitmap frame;
    frame.Assign(*FClockBitmap);
    frame.Canvas()->Font()->Assign(*bitmapCanvas->Font());
    frame.Canvas()->Brush()->SetStyle(bsClear);
    frame.Canvas()->TextRect(frame.Canvas()->ClipRect(), 0, 0, text);
    Canvas()->Draw(FSettings.TimeX, FSettings.TimeY, &frame);
}

void TMainForm::btExit1Click(TObject*) {
    FExitStep = 1;
}

void TMainForm::btExit2Click(TObject*) {
    FExitStep = FExitStep == 1 ? 2 : 0;
}

void TMainForm::btExit3Click(TObject*) {
    if (FExitStep == 2) {
        Close();
        return;
    }
    FExitStep = 0;
}

void TMainForm::btDebugClick(TObject*) {
    if (FExitStep == 2)
        FDebugMode = !FDebugMode;
    if (FDebugMode)
        edTicket->SetText("");
    FExitStep = 0;
}

void TMainForm::edTicketKeyUp(TObject*, WORD& Key, TShiftState Shift) {
    if (!FDebugMode || Shift * TShiftState{ssShift, ssAlt, ssCtrl} != TShiftState{ssAlt})
        return;
    if (Key == VK_RETURN) {
        edTicket->SetText(FDebugBuffer);
        FDebugBuffer.clear();
    } else if (Key >= '0' && Key <= '9') {
        FDebugBuffer += static_cast<char>(Key);
    }
    Key = 0;
}
