#pragma once
// The grid demo's target file as a driver reads it: the shown visits, the visits' state, and each
// named target's screen rectangle with the text a grid cell shows.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace grid_demo_test {

struct TargetRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string text;
    int CenterX() const { return x + width / 2; }
    int CenterY() const { return y + height / 2; }
};

struct DemoTargets {
    std::vector<int> rows;
    std::string state;
    int current = 0;  // the visit the grid's current row shows
    // Whether the find dialog's last search found (empty while the dialog does not show).
    std::string found;
    // By name: "title AMOUNT", "filter ROOM", "cell 7 AMOUNT", "button", "day 2024-03-20",
    // "control NOTE", "find" (the find dialog, with its pattern as the text).
    std::map<std::string, TargetRect> rects;

    std::optional<TargetRect> Find(const std::string& name) const;
    // The text the grid shows in a visit's cell; nothing when the cell is not shown.
    std::optional<std::string> CellText(int visit, const std::string& field) const;
};

// Reads the file the demo keeps; empty targets when it is not there yet.
DemoTargets ReadDemoTargets(const std::filesystem::path& file);

}  // namespace grid_demo_test
