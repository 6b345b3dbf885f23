#include "platform/ui/hint_window.h"

#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/window_functions.h"

namespace {

// Room around the text inside the border.
constexpr int kPadX = 2;
constexpr int kPadY = 2;

}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
    (void)AData;
    TRect r{0, 0, MaxWidth, 0};
    Canvas()->Font()->Assign(*Font());
    DrawText(Canvas(), AHint, -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    int border = StyleFrameWidth(WS_BORDER, 0);
    return {0, 0, r.Right + 2 * (kPadX + border), r.Bottom + 2 * (kPadY + border)};
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    SetCaption(AHint);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    SetVisible(true);
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData) {
    (void)AData;
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
}

void THintWindow::Paint() {
    TCanvas& canvas = *Canvas();
    platform::ui::PaintSolid(canvas, ClientRect(), Color());
    canvas.Font()->Assign(*Font());
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    r.Left += kPadX;
    r.Top += kPadY;
    DrawText(&canvas, Caption(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    canvas.Brush()->SetStyle(bsSolid);
}

std::string GetShortHint(const std::string& hint) {
    auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}
