// The non-client frame: the styles (or a WM_NCCALCSIZE handler) set its width, the client area and
// everything placed in it lie inside it, WM_NCPAINT draws it through a canvas over the whole window,
// and WM_NCHITTEST tells it from the client area.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/panel.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_functions.h"

namespace {

std::uint32_t Rgb(TColor color) {
    return ColorToArgb(color) & 0xFFFFFF;
}

class Framed : public TCustomControl {
  public:
    Framed(TComponent* owner, DWORD style, DWORD exStyle)
        : TCustomControl(owner), style_(style), exStyle_(exStyle) {
        SetColor(clWhite);
    }

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= style_;
        params.ExStyle |= exStyle_;
    }

  private:
    DWORD style_;
    DWORD exStyle_;
};

// A pop-up drawing its own 2-pixel frame, as the drop-down lists do: a dark line around a light one.
class OwnFramePopup : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_NCCALCSIZE) {
            auto& r = *reinterpret_cast<TRect*>(m.LParam);
            r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
            return;
        }
        if (m.Msg == WM_NCPAINT) {
            platform::ui::WindowCanvasTarget target(*this);
            TCanvas canvas(&target);
            canvas.Brush()->SetColor(clBlack);
            canvas.FillRect(Bounds(0, 0, Width(), Height()));
            canvas.Brush()->SetColor(clYellow);
            canvas.FillRect(Bounds(1, 1, Width() - 2, Height() - 2));
            return;
        }
        TCustomControl::Dispatch(m);
    }

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_POPUP;
    }
};

class WindowFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(clBlue);
        form->Show();
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
};

TEST_F(WindowFrameTest, TheStylesFrameHoldsTheClientAreaAndEverythingPlacedInIt) {
    struct Case {
        const char* what;
        DWORD style;
        DWORD exStyle;
        int frame;
    } cases[] = {
        {"no frame", 0, 0, 0},
        {"WS_BORDER", WS_BORDER, 0, 1},
        {"WS_EX_CLIENTEDGE", 0, WS_EX_CLIENTEDGE, 2},
        {"both", WS_BORDER, WS_EX_CLIENTEDGE, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto* box = new Framed(form, c.style, c.exStyle);
        box->SetBounds(50, 40, 100, 80);
        box->SetParent(form);
        auto* filler = new TPanel(form);
        filler->SetParent(box);
        filler->SetAlign(alClient);
        int f = c.frame;
        EXPECT_EQ(box->ClientRect(), Rect(0, 0, 100 - 2 * f, 80 - 2 * f));
        EXPECT_EQ(filler->BoundsRect(), box->ClientRect()) << "aligned children share the client area";
        EXPECT_EQ(box->ClientToScreen({0, 0}), (TPoint{50 + f, 40 + f}));
        EXPECT_EQ(box->WindowArea(), Bounds(50, 40, 100, 80));

        TRect adjusted = Bounds(0, 0, 10, 10);
        AdjustWindowRectEx(adjusted, c.style, false, c.exStyle);
        EXPECT_EQ(adjusted, Rect(-f, -f, 10 + f, 10 + f));

        auto hit = [&](int x, int y) {
            return SendMessage(box->Handle(), WM_NCHITTEST, 0, MakeLParam(x, y));
        };
        EXPECT_EQ(hit(50 + f, 40 + f), HTCLIENT);
        EXPECT_EQ(hit(50, 40), f > 0 ? HTBORDER : HTCLIENT);
        EXPECT_EQ(hit(49, 40), HTNOWHERE);
        Free(box);
    }
}

TEST_F(WindowFrameTest, AFrameIsPaintedAroundTheClientArea) {
    auto* border = new Framed(form, WS_BORDER, 0);
    border->SetBounds(10, 10, 50, 50);
    border->SetParent(form);
    auto* sunken = new Framed(form, 0, WS_EX_CLIENTEDGE);
    sunken->SetBounds(100, 10, 50, 50);
    sunken->SetParent(form);
    ui.ProcessMessages();
    const auto& s = form->SurfaceImage();
    struct Case {
        const char* what;
        int x, y;
        TColor color;
    } cases[] = {
        {"a border's corner", 10, 10, clWindowFrame}, {"a border's far side", 59, 30, clWindowFrame},
        {"inside the border", 11, 11, clWhite},       {"a sunken edge's outer top", 120, 10, clBtnShadow},
        {"its inner top", 120, 11, cl3DDkShadow},     {"its outer bottom", 120, 59, clBtnHighlight},
        {"its inner right", 148, 30, cl3DLight},      {"inside the edge", 102, 12, clWhite},
        {"the form beside", 70, 30, clBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(s.Pixel(c.x, c.y) & 0xFFFFFF, Rgb(c.color));
    }
}

TEST_F(WindowFrameTest, APopupsOwnFrameIsDrawnOnItsOwnSurfaceAroundItsClientArea) {
    auto* popup = new OwnFramePopup(form);
    popup->SetColor(clWhite);
    popup->SetVisible(false);
    popup->SetParent(form);
    SetWindowPos(popup->Handle(), HWND_TOP, 500, 400, 40, 30, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ui.ProcessMessages();
    EXPECT_EQ(popup->ClientRect(), Rect(0, 0, 36, 26));
    EXPECT_EQ(popup->ClientToScreen({0, 0}), (TPoint{502, 402}));
    platform::ui::RasterImage* s = platform::ui::TopLevelSurface(*popup);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Pixel(0, 0) & 0xFFFFFF, Rgb(clBlack));
    EXPECT_EQ(s->Pixel(1, 15) & 0xFFFFFF, Rgb(clYellow));
    EXPECT_EQ(s->Pixel(2, 2) & 0xFFFFFF, Rgb(clWhite));
    EXPECT_EQ(s->Pixel(37, 27) & 0xFFFFFF, Rgb(clWhite));
    EXPECT_EQ(s->Pixel(38, 28) & 0xFFFFFF, Rgb(clYellow));
}

TEST_F(WindowFrameTest, AFrameChangedAfterCreationIsAskedForBySwpFramechanged) {
    struct Switchable : TCustomControl {
        using TCustomControl::TCustomControl;
        int width = 0;
        void Dispatch(TMessage& m) override {
            if (m.Msg == WM_NCCALCSIZE) {
                auto& r = *reinterpret_cast<TRect*>(m.LParam);
                r = {r.Left + width, r.Top + width, r.Right - width, r.Bottom - width};
                return;
            }
            TCustomControl::Dispatch(m);
        }
    };
    auto* box = new Switchable(form);
    box->SetBounds(0, 0, 60, 60);
    box->SetParent(form);
    EXPECT_EQ(box->ClientRect(), Rect(0, 0, 60, 60));
    box->width = 4;
    SetWindowPos(box->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(box->ClientRect(), Rect(0, 0, 52, 52));
    EXPECT_EQ(box->ClientOffset(), (TPoint{4, 4}));
}

}  // namespace

namespace {

TEST_F(WindowFrameTest, AWindowRegionLimitsWhereTheWindowShowsAndTakesTheMouse) {
    auto* grip = new Framed(form, 0, 0);
    grip->SetColor(clRed);
    grip->SetBounds(100, 100, 20, 20);
    grip->SetParent(form);
    ui.ProcessMessages();
    // A triangle with its right angle in the bottom-right corner, as a size grip's.
    const TPoint triangle[] = {{0, 20}, {20, 0}, {20, 20}};
    ASSERT_EQ(SetWindowRgn(grip->Handle(), platform::ui::PolygonRegion(triangle), true), 1);
    ui.ProcessMessages();
    const auto& s = form->SurfaceImage();
    EXPECT_EQ(s.Pixel(118, 118) & 0xFFFFFF, Rgb(clRed));
    EXPECT_EQ(s.Pixel(102, 102) & 0xFFFFFF, Rgb(clBlue)) << "the form shows where the region leaves off";
    EXPECT_EQ(platform::ui::ControlAtFormPoint(*form, {118, 118}), grip);
    EXPECT_EQ(platform::ui::ControlAtFormPoint(*form, {102, 102}), form);
    EXPECT_EQ(SendMessage(grip->Handle(), WM_NCHITTEST, 0, MakeLParam(102, 102)), HTNOWHERE);

    SetWindowRgn(grip->Handle(), std::nullopt, true);
    ui.ProcessMessages();
    EXPECT_EQ(s.Pixel(102, 102) & 0xFFFFFF, Rgb(clRed));
    EXPECT_EQ(platform::ui::ControlAtFormPoint(*form, {102, 102}), grip);
}

}  // namespace
