#include "platform/ui/qt/qt_text_engine.h"

#include <fontconfig/fontconfig.h>

namespace platform::ui {
namespace {

std::string FontconfigFamily(const std::string& name) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
    if (pattern == nullptr)
        return name;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string family = name;
    FcChar8* found = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch)
        family = reinterpret_cast<const char*>(found);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return family;
}

// The code point of one whole UTF-8 character; a stray byte stands for the replacement character.
char32_t CodePoint(std::string_view ch) {
    const auto lead = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1)
        return lead < 0x80 ? lead : 0xFFFD;
    char32_t code = lead & (0x7F >> ch.size());
    for (std::size_t i = 1; i < ch.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(ch[i]) & 0x3F);
    return code;
}

std::string Key(const FontSpec& spec) {
    return spec.Name + "|" + std::to_string(spec.PixelHeight) + "|" + std::to_string(spec.Style.Bits());
}

}  // namespace

std::string QtTextEngine::ResolveFamily(const std::string& name) {
    auto it = families_.find(name);
    if (it != families_.end())
        return it->second;
    return families_[name] = FontconfigFamily(name);
}

const QtTextEngine::QtFont& QtTextEngine::FontFor(const FontSpec& spec) {
    // Cells are drawn one after another in the same font: the last one is kept at hand.
    if (lastFont_ != nullptr && spec == lastSpec_)
        return *lastFont_;
    lastSpec_ = spec;
    lastFont_ = &FindFont(spec);
    return *lastFont_;
}

const QtTextEngine::QtFont& QtTextEngine::FindFont(const FontSpec& spec) {
    std::string key = Key(spec);
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second;
    QFont font(QString::fromStdString(ResolveFamily(spec.Name)));
    font.setPixelSize(std::max(1, spec.PixelHeight));
    font.setBold(spec.Style.Contains(fsBold));
    font.setItalic(spec.Style.Contains(fsItalic));
    font.setUnderline(spec.Style.Contains(fsUnderline));
    font.setStrikeOut(spec.Style.Contains(fsStrikeOut));
    return fonts_.try_emplace(key, font).first->second;
}

TSize QtTextEngine::Measure(const FontSpec& font, std::string_view text) {
    const QFontMetrics& metrics = FontFor(font).Metrics;
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return {metrics.horizontalAdvance(s), metrics.height()};
}

FontMetrics QtTextEngine::Metrics(const FontSpec& font) {
    const QFontMetrics& metrics = FontFor(font).Metrics;
    FontMetrics m;
    m.Ascent = metrics.ascent();
    m.Descent = metrics.descent();
    m.Height = metrics.height();
    m.InternalLeading = std::max(0, m.Height - std::max(1, font.PixelHeight));
    m.ExternalLeading = std::max(0, metrics.leading());
    m.AveCharWidth = metrics.averageCharWidth();
    m.MaxCharWidth = metrics.maxWidth();
    // Synthesised and most designed italics lean about 14 degrees.
    if (font.Style.Contains(fsItalic))
        m.SlopeRise = 4, m.SlopeRun = 1;
    return m;
}

std::vector<int> QtTextEngine::CharacterExtents(const FontSpec& font, std::string_view text) {
    const QFontMetricsF& metrics = FontFor(font).MetricsF;
    std::vector<int> extents;
    extents.reserve(text.size());
    qreal advance = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8CharLength(text, at);
        const char32_t code = CodePoint(text.substr(at, length));
        // A character of one UTF-16 unit comes from the font's advance cache, unshaped.
        if (code <= 0xFFFF)
            advance += metrics.horizontalAdvance(QChar(static_cast<char16_t>(code)));
        else
            advance += metrics.horizontalAdvance(QString::fromUcs4(&code, 1));
        extents.push_back(static_cast<int>(advance));
        at += length;
    }
    return extents;
}

void QtTextEngine::Draw(RasterImage& image, const FontSpec& font, std::uint32_t argb, const TRect& clip,
                        int x, int y, std::string_view text) {
    TRect area = IntersectRect(clip, image.BoundsRect());
    if (area.IsEmpty() || text.empty())
        return;
    const QtFont& f = FontFor(font);
    QPainter& painter = painter_.Begin(image, area, f.Font, argb);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const int ascent = f.Ascent;
    if (font.Escapement == 0) {
        painter.drawText(x, y + ascent, s);
        return;
    }
    // Turned about the start point, counter-clockwise: a 900 font reads upward.
    painter.translate(x, y);
    painter.rotate(-font.Escapement / 10.0);
    painter.drawText(0, ascent, s);
    painter.resetTransform();
}

}  // namespace platform::ui
