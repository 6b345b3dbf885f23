// Texts from the data (any bytes, broken UTF-8 included) laid out and drawn by DrawText with any
// flags and rectangle: no crash, no hang, and the measure agrees with the drawing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/ui/bitmap.h"
#include "platform/ui/draw_text.h"

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // DT_TABSTOP gives bits 8-15 to the tab length, DT_CALCRECT among them: left out here.
    const UINT format = in.ConsumeIntegral<UINT>() & ~(DT_MODIFYSTRING | DT_TABSTOP);
    const int width = in.ConsumeIntegralInRange(-20, 300);
    const int height = in.ConsumeIntegralInRange(-20, 100);
    const std::string text = in.ConsumeRemainingBytesAsString();
    TBitmap bitmap;
    bitmap.SetSize(64, 32);
    TEXTMETRIC metrics;
    GetTextMetrics(bitmap.Canvas(), &metrics);
    const TRect box = Bounds(3, 2, width, height);
    TRect measured = box;
    const int textHeight = DrawText(bitmap.Canvas(), text, -1, &measured, format | DT_CALCRECT);
    Check(textHeight == measured.Height() && textHeight > 0);
    Check(textHeight % metrics.tmHeight == 0 || (format & DT_EXTERNALLEADING) != 0);
    Check(measured.Left == box.Left && measured.Top == box.Top && measured.Width() >= 0);
    TRect drawn = box;
    DrawText(bitmap.Canvas(), text, -1, &drawn, format & ~DT_CALCRECT);
    Check(drawn == box);
    return 0;
}
