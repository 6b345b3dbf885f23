// Cell text as the grid paints it, under the Qt host with real fonts, beside Qt doing the same in
// the same run: ShortenTextToWidth on texts of 100 to 100,000 characters beside
// QFontMetrics::elidedText to the same width, and DrawGridText for one screen of cells (40 rows of
// 12 columns, each filled and written) beside QPainter::fillRect and drawText into an image of the
// same size.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>
#include <string>

#include "data_grid/grid_text.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/window_system.h"

namespace {

constexpr int MaxWidth = 300;
constexpr int ScreenRows = 40;
constexpr int ScreenColumns = 12;
constexpr int CellWidth = 80;
constexpr int CellHeight = 20;
constexpr int FontPixels = 13;

platform::ui::QtHost& Host() {
    static std::unique_ptr<platform::ui::QtHost> host = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_grid_text";
        static char* argv[] = {name, nullptr};
        return std::make_unique<platform::ui::QtHost>(argc, argv);
    }();
    return *host;
}

std::string SampleText(int characters) {
    const std::string words[] = {"Пациент ", "ticket ", "№42 ", "Иванов ", "check "};
    std::string text;
    int count = 0;
    for (int i = 0; count < characters; ++i) {
        const std::string& word = words[i % 5];
        text += word;
        count += static_cast<int>(QString::fromStdString(word).size());
    }
    return text;
}

void SetFont(TCanvas& canvas) {
    canvas.Font()->SetName("DejaVu Sans");
    canvas.Font()->SetHeight(-FontPixels);
}

QFont QtFont() {
    QFont font(
        QString::fromStdString(platform::ui::CurrentWindowSystem().Text().ResolveFamily("DejaVu Sans")));
    font.setPixelSize(FontPixels);
    return font;
}

void BM_ShortenTextToWidth(benchmark::State& state) {
    Host();
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    SetFont(*bitmap.Canvas());
    const std::string text = SampleText(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ShortenTextToWidth(text, bitmap.Canvas(), MaxWidth));
}

void BM_QtElidedText(benchmark::State& state) {
    Host();
    const QFontMetrics metrics(QtFont());
    const QString text = QString::fromStdString(SampleText(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(metrics.elidedText(text, Qt::ElideRight, MaxWidth));
}

std::string CellText(int row, int column) {
    return "Иванов " + std::to_string(row * ScreenColumns + column);
}

void BM_DrawGridTextScreen(benchmark::State& state) {
    Host();
    TBitmap bitmap;
    bitmap.SetSize(ScreenColumns * CellWidth, ScreenRows * CellHeight);
    TCanvas& canvas = *bitmap.Canvas();
    SetFont(canvas);
    canvas.Brush()->SetColor(clWindow);
    for (auto _ : state)
        for (int row = 0; row < ScreenRows; ++row)
            for (int column = 0; column < ScreenColumns; ++column) {
                const TRect cell = Bounds(column * CellWidth, row * CellHeight, CellWidth, CellHeight);
                DrawGridText(&canvas, cell, true, 2, 2, CellText(row, column), taLeftJustify, tlTop, false,
                             false, 0, 0, false);
            }
}

void BM_QtDrawTextScreen(benchmark::State& state) {
    Host();
    QImage image(ScreenColumns * CellWidth, ScreenRows * CellHeight, QImage::Format_ARGB32);
    const QFont font = QtFont();
    const int ascent = QFontMetrics(font).ascent();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        for (int row = 0; row < ScreenRows; ++row)
            for (int column = 0; column < ScreenColumns; ++column) {
                const QRect cell(column * CellWidth, row * CellHeight, CellWidth, CellHeight);
                painter.fillRect(cell, Qt::white);
                painter.setClipRect(cell);
                painter.drawText(cell.left() + 2, cell.top() + 2 + ascent,
                                 QString::fromStdString(CellText(row, column)));
            }
    }
}

BENCHMARK(BM_ShortenTextToWidth)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtElidedText)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawGridTextScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtDrawTextScreen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
