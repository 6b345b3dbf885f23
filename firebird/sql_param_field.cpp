// The field a parameter is compared with. The markers of the parameter are found once, in one walk
// over the text; each WHERE clause then looks up its first marker, so a statement with many
// (nested) clauses is still read in time proportional to its length.
#include "firebird/sql_param_field.h"

#include <algorithm>
#include <vector>

#include "firebird/sql_parser.h"
#include "firebird/sql_words.h"

namespace {
bool IsWordDelimiter(char c) {
    return IsSqlBlank(c) || IsSqlOperatorChar(c);
}

bool SameLetters(char a, char b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return upper(a) == upper(b);
}

// A parameter name can stand as a word only without delimiters and markers in it.
bool CanStandAsWord(std::string_view name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return IsWordDelimiter(c) || c == ':' || c == '?'; });
}

class TParamMarkers {
  public:
    TParamMarkers(std::string_view text, std::string_view name) : text_(text), name_(name) {}

    // Positions of marker + name standing as a word in the statement (outside strings and comments).
    std::vector<int> Find(char marker) const {
        std::vector<int> found;
        TSQLTextStates states(text_);
        for (int pos = 1; pos <= Length(); ++pos) {
            const TSQLCharStep step = states.Step(pos);
            if (step.Role == TSQLCharRole::Plain && At(pos) == marker && StandsAsWord(pos))
                found.push_back(pos);
        }
        return found;
    }

    // The expression in front of the marker at pos, not reaching before from.
    std::string FieldBefore(int from, int pos) const {
        int last = pos - 1;
        while (last >= from && (IsWordDelimiter(At(last)) || At(last) == ':')) --last;
        int first = last;
        while (first >= from && !IsWordDelimiter(At(first)) && At(first) != ':') --first;
        return std::string(
            text_.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first)));
    }

    int NameLength() const { return static_cast<int>(name_.size()); }

  private:
    int Length() const { return static_cast<int>(text_.size()); }
    char At(int pos) const { return text_[static_cast<std::size_t>(pos - 1)]; }

    bool StandsAsWord(int pos) const {
        if (pos > 1 && !IsWordDelimiter(At(pos - 1)))
            return false;
        const int end = pos + NameLength();  // the name's last character
        if (end > Length())
            return false;
        for (int i = 1; i <= NameLength(); ++i)
            if (!SameLetters(At(pos + i), name_[static_cast<std::size_t>(i - 1)]))
                return false;
        return end == Length() || IsWordDelimiter(At(end + 1));
    }

    std::string_view text_;
    std::string_view name_;
};

// The first marker of the list within the clause, or 0.
int FirstMarkerIn(const std::vector<int>& markers, const TWhereClauseBounds& clause, int nameLength) {
    const auto it = std::lower_bound(markers.begin(), markers.end(), clause.CondStart);
    return it != markers.end() && *it + nameLength <= clause.End ? *it : 0;
}
}  // namespace

std::string FieldNameForParam(std::string_view sql, std::string_view paramName) {
    if (!CanStandAsWord(paramName))
        return {};
    TSQLParser parser{std::string(sql)};
    const TParamMarkers markers(parser.SQLText(), paramName);
    const std::vector<int> colons = markers.Find(':');
    const std::vector<int> questions = markers.Find('?');
    for (const TWhereClauseBounds& clause : parser.WhereClauses()) {
        if (clause.End == 0)
            continue;
        for (const std::vector<int>* list : {&colons, &questions}) {
            const int marker = FirstMarkerIn(*list, clause, markers.NameLength());
            if (marker == 0)
                continue;
            std::string field = markers.FieldBefore(clause.CondStart, marker);
            if (!field.empty())
                return field;
        }
    }
    return {};
}
