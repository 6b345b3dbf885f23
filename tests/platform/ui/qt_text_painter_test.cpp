// Text written by the Qt host into an image through the painter it keeps open between texts: the
// pixels come out as a painter opened and ended for each text gives them, whatever happens to the
// images in between (fills, other images, resizing, assigning, moving, destroying).
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/qt/qt_text_engine.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::FontSpec;
using platform::ui::QtTextEngine;
using platform::ui::RasterImage;

constexpr int ImageWidth = 100;
constexpr int ImageHeight = 40;
const TRect Whole{-1000, -1000, 1000, 1000};

struct Text {
    int X;
    int Y;
    std::string Chars;
    std::uint32_t Argb = 0xFF000000u;
    TRect Clip = Whole;
    bool Bold = false;
    int Escapement = 0;
};

FontSpec SpecOf(const Text& text) {
    FontSpec spec{"DejaVu Sans", 13, {}, text.Escapement};
    if (text.Bold)
        spec.Style.Include(fsBold);
    return spec;
}

// Plain Qt, one painter for one text.
void DrawOnce(QtTextEngine& engine, RasterImage& image, const Text& text) {
    const TRect area = IntersectRect(text.Clip, image.BoundsRect());
    if (area.IsEmpty())
        return;
    QImage target(reinterpret_cast<uchar*>(image.Bits()), image.Width(), image.Height(), image.Width() * 4,
                  QImage::Format_ARGB32);
    QPainter painter(&target);
    painter.setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()));
    QFont font(QString::fromStdString(engine.ResolveFamily("DejaVu Sans")));
    font.setPixelSize(13);
    font.setBold(text.Bold);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(text.Argb));
    const int ascent = QFontMetrics(font).ascent();
    const QString chars = QString::fromStdString(text.Chars);
    if (text.Escapement == 0) {
        painter.drawText(text.X, text.Y + ascent, chars);
        return;
    }
    painter.translate(text.X, text.Y);
    painter.rotate(-text.Escapement / 10.0);
    painter.drawText(0, ascent, chars);
}

using Images = std::array<std::optional<RasterImage>, 2>;
using Writer = std::function<void(RasterImage&, const Text&)>;
using Step = std::function<void(Images&, const Writer&)>;

Step Write(int slot, Text text) {
    return [=](Images& images, const Writer& write) { write(*images[slot], text); };
}
Step Fill(int slot, TRect rect, std::uint32_t argb) {
    return [=](Images& images, const Writer&) { images[slot]->Fill(rect, argb, images[slot]->BoundsRect()); };
}
Step Resize(int slot, int width, int height) {
    return [=](Images& images, const Writer&) { images[slot]->Resize(width, height, 0xFFE0E0E0u); };
}
Step CopyOver(int to, int from) {
    return [=](Images& images, const Writer&) { *images[to] = *images[from]; };
}
Step MoveOver(int to, int from) {
    return [=](Images& images, const Writer&) { *images[to] = std::move(*images[from]); };
}
// Destroyed and made again in the same place, most likely on the same block of memory.
Step Renew(int slot) {
    return [=](Images& images, const Writer&) {
        images[slot].reset();
        images[slot].emplace(ImageWidth, ImageHeight, 0xFFFFFFF0u);
    };
}

Images RunSteps(const std::vector<Step>& steps, const Writer& write) {
    Images images;
    for (auto& image : images) image.emplace(ImageWidth, ImageHeight);
    for (const Step& step : steps) step(images, write);
    return images;
}

struct Case {
    std::string Name;
    std::vector<Step> Steps;
};

class QtTextPainterTest : public QtHostTest {};

TEST_F(QtTextPainterTest, KeptPainterWritesWhatOnePainterPerTextWrites) {
    const Text name{2, 2, "Иванов 12"};
    const Text ticket{10, 10, "ticket №42", 0xFF0000C0u, Whole, true};
    const Text far{70, 20, "far"};
    const Case cases[] = {
        {"fills between texts on one image",
         {Write(0, name), Fill(0, {0, 8, 60, 14}, 0xFFFF0000u), Write(0, ticket),
          Write(0, {2, 2, "№42", 0xFF00A000u})}},
        {"two images in turn",
         {Write(0, name), Write(1, ticket), Write(0, far), Fill(1, {5, 5, 50, 20}, 0xFF00FFFFu),
          Write(1, name)}},
        {"resized between texts",
         {Write(0, name), Resize(0, 140, 50), Write(0, {110, 30, "far"}), Resize(0, 50, 30),
          Write(0, {5, 12, "near"})}},
        {"assigned and moved between texts",
         {Write(0, name), Write(1, ticket), CopyOver(0, 1), Write(0, far), MoveOver(1, 0),
          Write(1, {40, 2, "moved"}), Write(0, name)}},
        {"destroyed and made again", {Write(0, name), Renew(0), Write(0, ticket)}},
        {"turned, then level, then clipped",
         {Write(0, {20, 38, "Вверх", 0xFF000000u, Whole, false, 900}), Write(0, {30, 2, "level"}),
          Write(0, {40, 20, "narrow", 0xFF000000u, {40, 20, 55, 28}}), Write(0, {2, 24, "wide again"})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QtTextEngine kept;
        QtTextEngine once;
        const Images got = RunSteps(c.Steps, [&](RasterImage& image, const Text& text) {
            kept.Draw(image, SpecOf(text), text.Argb, text.Clip, text.X, text.Y, text.Chars);
        });
        const Images expected =
            RunSteps(c.Steps, [&](RasterImage& image, const Text& text) { DrawOnce(once, image, text); });
        for (std::size_t slot = 0; slot < got.size(); ++slot) {
            SCOPED_TRACE("image " + std::to_string(slot));
            ASSERT_EQ(got[slot]->Width(), expected[slot]->Width());
            ASSERT_EQ(got[slot]->Height(), expected[slot]->Height());
            const std::vector<std::uint32_t> gotPixels(
                got[slot]->Bits(), got[slot]->Bits() + got[slot]->Width() * got[slot]->Height());
            const std::vector<std::uint32_t> expectedPixels(
                expected[slot]->Bits(),
                expected[slot]->Bits() + expected[slot]->Width() * expected[slot]->Height());
            EXPECT_TRUE(gotPixels == expectedPixels);
        }
    }
}

// The painter stays open on the image between texts and ends with the engine, leaving the image free
// to change; text really lands (the comparison above is not between two blank images).
TEST_F(QtTextPainterTest, PainterStaysOnTheImageUntilTheEngineGoes) {
    RasterImage image(ImageWidth, ImageHeight);
    const RasterImage blank = image;
    {
        QtTextEngine engine;
        engine.Draw(image, SpecOf({}), 0xFF000000u, Whole, 2, 2, "Иванов");
        EXPECT_NE(image.GetAttachment(), nullptr);
        engine.Draw(image, SpecOf({}), 0xFF000000u, Whole, 2, 20, "ticket");
        EXPECT_NE(image.GetAttachment(), nullptr);
    }
    EXPECT_EQ(image.GetAttachment(), nullptr);
    EXPECT_FALSE(std::equal(image.Bits(), image.Bits() + ImageWidth * ImageHeight, blank.Bits()));
    image.Resize(10, 10);
    EXPECT_EQ(image.Width(), 10);
}

}  // namespace
