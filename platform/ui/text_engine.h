#pragma once
// Measuring and drawing text: the one part of painting that each backend does its own way
// (Qt with real fonts through fontconfig; the headless backend with fixed metrics).
#include <string>
#include <string_view>
#include <vector>

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
    // Tenths of a degree counter-clockwise; 900: the text runs upward from its start point, the
    // glyphs' tops to the left.
    int Escapement = 0;
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
    // The slant of the upright strokes, as run across per rise up (0 per 1: upright).
    int SlopeRise = 1;
    int SlopeRun = 0;
};

// The bytes of the UTF-8 character starting at text[at]: a broken or cut sequence counts as one
// character per byte, so no character is ever split.
std::size_t Utf8CharLength(std::string_view text, std::size_t at);

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
    // The advance of the text up to the end of each of its characters (UTF-8 sequences), in one pass.
    virtual std::vector<int> CharacterExtents(const FontSpec& font, std::string_view text);
};

}  // namespace platform::ui
