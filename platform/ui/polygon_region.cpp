#include <algorithm>
#include <cmath>

#include "platform/ui/region.h"

namespace platform::ui {
namespace {

using Runs = std::vector<std::pair<int, int>>;  // [left, right) of each filled run of a row

// Where the polygon's edges cross the row's centre line, left to right.
std::vector<double> Crossings(std::span<const TPoint> points, double yc) {
    std::vector<double> xs;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint a = points[i];
        const TPoint b = points[(i + 1) % points.size()];
        if (a.Y == b.Y || yc < std::min(a.Y, b.Y) || yc >= std::max(a.Y, b.Y))
            continue;
        xs.push_back(a.X + (yc - a.Y) * (b.X - a.X) / (b.Y - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

Runs RowRuns(std::span<const TPoint> points, int y) {
    const std::vector<double> xs = Crossings(points, y + 0.5);
    Runs runs;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
        const int left = static_cast<int>(std::ceil(xs[i] - 0.5));
        const int right = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
        if (right > left)
            runs.emplace_back(left, right);
    }
    return runs;
}

}  // namespace

Region PolygonRegion(std::span<const TPoint> points) {
    Region region;
    if (points.size() < 3)
        return region;
    auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                           [](const TPoint& a, const TPoint& b) { return a.Y < b.Y; });
    // Rows with the same runs make one band of rectangles.
    Runs band;
    int bandTop = low->Y;
    auto flush = [&](int bottom) {
        for (const auto& [left, right] : band) region.Add({left, bandTop, right, bottom});
    };
    for (int y = low->Y; y < high->Y; ++y) {
        Runs runs = RowRuns(points, y);
        if (runs == band)
            continue;
        flush(y);
        band = std::move(runs);
        bandTop = y;
    }
    flush(high->Y);
    return region;
}

}  // namespace platform::ui
