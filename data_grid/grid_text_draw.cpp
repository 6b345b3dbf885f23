// Horizontal cell text: wrapped through the platform's formatted text drawing, single lines
// placed by hand (right-aligned text ends 3 pixels inside the cell whatever the indent).
#include "data_grid/grid_text.h"
#include "data_grid/grid_text_scope.h"
#include "platform/ui/canvas.h"
#include "platform/ui/draw_text.h"

namespace {

constexpr int TabLength = 8;

UINT AlignmentFlags(TAlignment Alignment) {
    switch (Alignment) {
        case taRightJustify:
            return DT_RIGHT;
        case taCenter:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

struct TextCallEh {
    UINT Flags;
    DRAWTEXTPARAMS Params;
};

TextCallEh WrappedTextCall(TAlignment Alignment, bool MultyL, bool EndEllipsis, int LeftMarg, int RightMarg,
                           bool RightToLeft) {
    TextCallEh call{DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlags(Alignment), {}};
    if (MultyL)
        call.Flags |= DT_WORDBREAK;
    if (EndEllipsis)
        call.Flags |= DT_END_ELLIPSIS;
    if (RightToLeft)
        call.Flags |= DT_RTLREADING;
    call.Params.iTabLength = TabLength;
    call.Params.iLeftMargin = LeftMarg;
    call.Params.iRightMargin = RightMarg;
    return call;
}

// The text drawn in Rect less the indents, moved down for a centre or bottom layout.
void DrawWrapped(TCanvas& Canvas, const TRect& ARect, int DX, int DY, const std::string& Text,
                 TTextLayout Layout, TextCallEh Call) {
    TRect r{ARect.Left + DX, ARect.Top + DY, ARect.Right - DX, ARect.Bottom - DY};
    if (Layout != tlTop) {
        TRect measured = r;
        DRAWTEXTPARAMS params = Call.Params;
        const int height =
            DrawTextEx(Canvas.Handle(), Text, -1, &measured, Call.Flags | DT_CALCRECT, &params);
        if (Layout == tlCenter)
            r.Top = r.Top + (r.Bottom - r.Top) / 2 - height / 2;
        else
            r.Top = r.Bottom - height;
    }
    if (DX > 0)
        ++r.Bottom;
    DrawTextEx(Canvas.Handle(), Text, -1, &r, Call.Flags, &Call.Params);
}

void DrawThroughBitmap(TCanvas& Canvas, const TRect& ARect, int DX, int DY, const std::string& Text,
                       TTextLayout Layout, const TextCallEh& Call) {
    TOffscreenCellEh cell(Canvas, ARect.Width(), ARect.Height());
    DrawWrapped(cell.Canvas(), {0, 0, ARect.Width(), ARect.Height()}, DX, DY, Text, Layout, Call);
    cell.CopyTo(Canvas, ARect);
}

int SingleLineWidth(TCanvas& Canvas, const std::string& Text, TAlignment Alignment) {
    const TFontStyles style = Canvas.Font()->Style();
    if (Alignment == taLeftJustify || !(style.Contains(fsBold) || style.Contains(fsItalic)))
        return Canvas.TextWidth(Text);
    // Formatted measuring counts the overhang of a slanted or heavy font.
    TRect r{0, 0, 0, 0};
    DrawText(Canvas.Handle(), Text, -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    return r.Width();
}

int SingleLineX(const TRect& ARect, int DX, int Width, TAlignment Alignment) {
    switch (Alignment) {
        case taRightJustify:
            return ARect.Right - Width - 3;
        case taCenter:
            if (ARect.Left >= ARect.Right)
                return 0;
            return ARect.Left + static_cast<int>(static_cast<unsigned>(ARect.Right - ARect.Left) >> 1) -
                   static_cast<int>(static_cast<unsigned>(Width) >> 1);
        default:
            return ARect.Left + DX;
    }
}

int SingleLineY(const TRect& ARect, int DY, int Height, TTextLayout Layout) {
    if (Layout == tlTop || Height >= ARect.Height() - DY)
        return ARect.Top + DY;
    if (Layout == tlCenter)
        return (ARect.Top + ARect.Bottom - Height) / 2;
    return ARect.Bottom - Height;
}

void DrawSingleLine(TCanvas& Canvas, const TRect& ARect, bool FillRect, int DX, int DY, std::string Text,
                    TAlignment Alignment, TTextLayout Layout, bool EndEllipsis) {
    if (EndEllipsis)
        Text = ShortenTextToWidth(Text, &Canvas, ARect.Width() - DX);
    // Left-aligned text at the top needs no measuring: most cells are drawn so.
    const int width = Alignment == taLeftJustify ? 0 : SingleLineWidth(Canvas, Text, Alignment);
    const int height = Layout == tlTop ? 0 : Canvas.TextHeight(Text);
    const int x = SingleLineX(ARect, DX, width, Alignment);
    const int y = SingleLineY(ARect, DY, height, Layout);
    TClearBrushScopeEh brush(Canvas, !FillRect);
    Canvas.TextRect(ARect, x, y, Text);
}

}  // namespace

void DrawGridText(TCanvas* ACanvas, const TRect& ARect, bool FillRect, int DX, int DY,
                  const std::string& Text, TAlignment Alignment, TTextLayout Layout, bool MultyL,
                  bool EndEllipsis, int LeftMarg, int RightMarg, bool ARightToLeftReading) {
    TCanvas& canvas = *ACanvas;
    const TextCallEh call =
        WrappedTextCall(Alignment, MultyL, EndEllipsis, LeftMarg, RightMarg, ARightToLeftReading);
    if (BrushNeedsDrawBitmap(canvas)) {
        DrawThroughBitmap(canvas, ARect, DX, DY, Text, Layout, call);
    } else if (MultyL) {
        if (FillRect)
            canvas.FillRect(ARect);
        TClearBrushScopeEh brush(canvas, !FillRect);
        DrawWrapped(canvas, ARect, DX, DY, Text, Layout, call);
    } else {
        DrawSingleLine(canvas, ARect, FillRect, DX, DY, Text, Alignment, Layout, EndEllipsis);
    }
}
