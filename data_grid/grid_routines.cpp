#include "data_grid/grid_routines.h"

#include <algorithm>

#include "platform/db/field.h"
#include "platform/ui/canvas.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/message_queue.h"

namespace {

// The text's bounding box from rect, as DrawText works it out.
TRect CalcTextRect(TCanvas& Canvas, const std::string& Text, TRect Rect, UINT Format) {
    DrawText(Canvas.Handle(), Text, -1, &Rect, Format | DT_CALCRECT | DT_NOPREFIX);
    return Rect;
}

}  // namespace

bool AllFieldsModifiable(const std::vector<TField*>& Fields) {
    return std::all_of(Fields.begin(), Fields.end(), [](const TField* field) { return field->CanModify(); });
}

TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom) {
    return TGridRect{Left, Top, Right, Bottom};
}

bool PointInGridRect(int Col, int Row, const TGridRect& Rect) {
    return Rect.Contains(Col, Row);
}

void RaiseGridOperationError(const std::string& Text) {
    throw EInvalidGridOperation(Text);
}

void DropPendingMessage(HWND Window, UINT Message) {
    TMsg removed;
    if (PeekMessage(removed, Window, Message, Message, PM_REMOVE) && removed.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(removed.wParam));
}

TRect RotateRectUpright(const TRect& Rect) {
    return TRect{Rect.Left, Rect.Top, Rect.Left + Rect.Height(), Rect.Top + Rect.Width()};
}

int MeasureTextWidth(TCanvas& Canvas, const std::string& Text) {
    return CalcTextRect(Canvas, Text, TRect{0, 0, 1, 0}, 0).Width();
}

bool TextNeedsHint(UINT ReadingFlags, TCanvas& Canvas, int RightIndent, int& TextHeight, int& TextWidth,
                   bool WordWrap, const TRect& Rect, const std::string& Text, int LineSpacing) {
    const int room = std::max(Rect.Width() - RightIndent - 2, 1);
    const TRect measured =
        CalcTextRect(Canvas, Text, TRect{0, 0, room, 0}, ReadingFlags | (WordWrap ? DT_WORDBREAK : 0));
    TextWidth = measured.Width();
    TextHeight = measured.Height();
    return TextWidth > room || TextHeight > Rect.Height() - LineSpacing + 1;
}
