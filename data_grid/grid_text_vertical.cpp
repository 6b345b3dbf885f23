// Text turned by 90 degrees, reading upward from the cell's bottom: titles of narrow columns.
#include "data_grid/grid_text.h"
#include "data_grid/grid_text_scope.h"
#include "platform/rtl/strings.h"
#include "platform/ui/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/types.h"

namespace {

// The canvas's font turned for the drawing; made from its own properties again afterwards.
class TRotatedFontScopeEh {
  public:
    explicit TRotatedFontScopeEh(TFont& Font) : font_(Font) { font_.SetHandle(CreateRotatedFont(font_)); }
    ~TRotatedFontScopeEh() { font_.SetHeight(font_.Height()); }
    TRotatedFontScopeEh(const TRotatedFontScopeEh&) = delete;
    TRotatedFontScopeEh& operator=(const TRotatedFontScopeEh&) = delete;

  private:
    TFont& font_;
};

// How far a slanted font reaches past its advance.
int TextOverhang(TCanvas& Canvas, const TEXTMETRIC& Metrics) {
    OUTLINETEXTMETRIC outline;
    if (!Canvas.Font()->Style().Contains(fsItalic) ||
        GetOutlineTextMetrics(Canvas.Handle(), 212, &outline) == 0 || outline.otmsCharSlopeRise == 0)
        return Metrics.tmOverhang;
    return (Metrics.tmHeight - Metrics.tmInternalLeading) * outline.otmsCharSlopeRun /
           outline.otmsCharSlopeRise;
}

int HalfOf(int Value) {
    return static_cast<int>(static_cast<unsigned>(Value) >> 1);
}

// Where the upward text starts in Rect.
TPoint VerticalTextStart(const TRect& Rect, int DX, int DY, TAlignment Alignment, TTextLayout Layout,
                         int TextHeight, int MetricsOverhang, int Extent) {
    int x = Rect.Left + DX;
    if (Alignment == taRightJustify)
        x = Rect.Right - TextHeight;
    else if (Alignment == taCenter)
        x = Rect.Left + HalfOf(Rect.Right - Rect.Left) - HalfOf(TextHeight + MetricsOverhang);
    int y = Rect.Bottom - DY;
    if (Layout == tlTop)
        y = Rect.Top + Extent;
    else if (Layout == tlCenter)
        y = Rect.Bottom - (Rect.Bottom - Rect.Top) / 2 + Extent / 2;
    return {x, y};
}

}  // namespace

HFONT CreateRotatedFont(const TFont& Font) {
    LOGFONT font;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfHeight = Font.Height();
    font.lfWidth = 0;
    const TFontStyles style = Font.Style();
    font.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.Contains(fsItalic) ? 1 : 0;
    font.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
    font.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
    // This platform's fonts have no character set or pitch of their own: the defaults stand.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfFaceName = SameText(Font.Name(), "Default") ? std::string("MS Sans Serif") : Font.Name();
    font.lfQuality = DEFAULT_QUALITY;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return CreateFontIndirect(font);
}

int DrawGridTextVertical(TCanvas* ACanvas, const TRect& ARect, bool FillRect, int DX, int DY,
                         const std::string& Text, TAlignment Alignment, TTextLayout Layout,
                         bool /*EndEllipsis*/, bool CalcTextExtent) {
    TCanvas& canvas = *ACanvas;
    const TColor brushRgb = ColorToRGB(canvas.Brush()->Color());
    TRotatedFontScopeEh rotated(*canvas.Font());
    TEXTMETRIC metrics;
    GetTextMetrics(canvas.Handle(), &metrics);
    const int overhang = TextOverhang(canvas, metrics);
    const int extent = overhang + canvas.TextWidth(Text);
    if (CalcTextExtent)
        return extent;
    const int textHeight = canvas.TextHeight(Text);
    if (FillRect && GetNearestColor(canvas.Handle(), brushRgb) != brushRgb) {
        // Placed on the bitmap as it would be in the cell: the formatted text call clips to its
        // rectangle and cannot draw into an upside-down one.
        const TRect local{0, 0, ARect.Width(), ARect.Height()};
        TOffscreenCellEh cell(canvas, local.Right, local.Bottom);
        const TPoint at =
            VerticalTextStart(local, DX, DY, Alignment, Layout, textHeight, metrics.tmOverhang, extent);
        cell.Canvas().TextRect(local, at.X, at.Y, Text);
        cell.CopyTo(canvas, ARect);
        return extent;
    }
    const TPoint at =
        VerticalTextStart(ARect, DX, DY, Alignment, Layout, textHeight, metrics.tmOverhang, extent);
    TClearBrushScopeEh brush(canvas, !FillRect);
    canvas.TextRect(ARect, at.X, at.Y, Text);
    return extent;
}
