#pragma once
// Measuring and drawing text: the one part of painting that each backend does its own way
// (Qt with real fonts through fontconfig; the headless backend with fixed metrics).
#include <string>
#include <string_view>

#include "platform/ui/raster_image.h"
#include "platform/ui/set.h"
#include "platform/ui/types.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

namespace platform::ui {

struct FontSpec {
    std::string Name;
    int PixelHeight = 11;  // the character height without internal leading (the em size)
    TFontStyles Style;
    bool operator==(const FontSpec&) const = default;
};

// The sizes of a font as the platform's text metrics give them, in pixels.
struct FontMetrics {
    int Height = 0;  // ascent + descent: one line
    int Ascent = 0;  // from the top of the line to the baseline
    int Descent = 0;
    int InternalLeading = 0;  // room for accents inside Height
    int ExternalLeading = 0;  // room the font suggests between lines
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

class TextEngine {
  public:
    virtual ~TextEngine() = default;
    // Advance width and line height of a single line of text.
    virtual TSize Measure(const FontSpec& font, std::string_view text) = 0;
    // Draws one line with its top-left cell corner at (x, y), colour 0xAARRGGBB, inside clip.
    virtual void Draw(RasterImage& image, const FontSpec& font, std::uint32_t argb, const TRect& clip, int x,
                      int y, std::string_view text) = 0;
    // By default from the line height: the first height - em rows internal leading, the baseline
    // four fifths of the em below them, every character as wide as an "x".
    virtual FontMetrics Metrics(const FontSpec& font);
    // The installed font family a font name resolves to.
    virtual std::string ResolveFamily(const std::string& name) = 0;
};

}  // namespace platform::ui
