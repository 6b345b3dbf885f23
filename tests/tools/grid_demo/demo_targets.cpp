#include "tests/tools/grid_demo/demo_targets.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace grid_demo_test {

namespace {

// "name words x y w h": the last four numbers are the rectangle, the words before them the name.
void ReadRect(const std::string& line, DemoTargets& targets) {
    const std::size_t tab = line.find('\t');
    std::istringstream words(line.substr(0, tab));
    std::vector<std::string> parts;
    for (std::string word; words >> word;) parts.push_back(word);
    if (parts.size() < 5)
        return;
    TargetRect rect;
    try {
        const std::size_t n = parts.size();
        rect = {std::stoi(parts[n - 4]), std::stoi(parts[n - 3]), std::stoi(parts[n - 2]),
                std::stoi(parts[n - 1]), tab == std::string::npos ? "" : line.substr(tab + 1)};
    } catch (const std::exception&) {
        return;
    }
    std::string name;
    for (std::size_t i = 0; i + 4 < parts.size(); ++i) name += (i > 0 ? " " : "") + parts[i];
    targets.rects[name] = rect;
}

}  // namespace

std::optional<TargetRect> DemoTargets::Find(const std::string& name) const {
    const auto it = rects.find(name);
    if (it == rects.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> DemoTargets::CellText(int visit, const std::string& field) const {
    const std::optional<TargetRect> cell = Find("cell " + std::to_string(visit) + " " + field);
    if (!cell)
        return std::nullopt;
    return cell->text;
}

DemoTargets ReadDemoTargets(const std::filesystem::path& file) {
    DemoTargets targets;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("rows", 0) == 0) {
            std::istringstream ids(line.substr(4));
            for (int id; ids >> id;) targets.rows.push_back(id);
        } else if (line.rfind("state ", 0) == 0) {
            targets.state = line.substr(6);
        } else if (line.rfind("current ", 0) == 0) {
            targets.current = std::atoi(line.c_str() + 8);
        } else if (line.rfind("found ", 0) == 0) {
            targets.found = line.substr(6);
        } else {
            ReadRect(line, targets);
        }
    }
    return targets;
}

}  // namespace grid_demo_test
