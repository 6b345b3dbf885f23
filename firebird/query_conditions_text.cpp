// The conditions as text: one line per condition, name#$#$text#$#$1 (or 0).
#include <vector>

#include "firebird/query_conditions.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::string_view kMarker = "#$#$";

struct TConditionLine {
    std::string Name;
    std::string Text;
    bool Enabled = false;
};

// A stored line; a line without both markers, or with a blank name or one holding "=", is refused.
TConditionLine ParseLine(const std::string& line) {
    const std::size_t first = line.find(kMarker);
    const std::size_t second =
        first == std::string::npos ? std::string::npos : line.find(kMarker, first + kMarker.size());
    if (second == std::string::npos)
        throw EConvertError("Invalid condition line: no name and text markers");
    TConditionLine parsed;
    parsed.Name = line.substr(0, first);
    if (Trim(parsed.Name).empty() || parsed.Name.find('=') != std::string::npos)
        throw EConvertError("Invalid condition line: bad condition name");
    parsed.Text = line.substr(first + kMarker.size(), second - first - kMarker.size());
    parsed.Enabled = Trim(std::string_view(line).substr(second + kMarker.size())) == "1";
    return parsed;
}

}  // namespace

void TConditions::SaveToStrings(TStrings& list) const {
    list.Clear();
    for (int i = 0; i < Count(); ++i) {
        const TCondition* condition = GetCondition(i);
        if (condition == nullptr)
            continue;
        list.Add(condition->GetName() + std::string(kMarker) + condition->GetValue() + std::string(kMarker) +
                 (condition->Enabled() ? "1" : "0"));
    }
}

std::string TConditions::GetAsText() const {
    TStringList lines;
    SaveToStrings(lines);
    return lines.Text();
}

void TConditions::LoadFromStrings(const TStrings& list) {
    // Parsed whole before the list changes, so a refused text leaves the conditions as they were.
    std::vector<TConditionLine> parsed;
    for (int i = 0; i < list.Count(); ++i)
        if (!Trim(list[i]).empty())
            parsed.push_back(ParseLine(list[i]));
    Clear();
    for (const TConditionLine& line : parsed) AddCondition(line.Name, line.Text, line.Enabled);
}

void TConditions::SetAsText(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    LoadFromStrings(lines);
}
