// Comparisons with NULL parameters rewritten to IS NULL and IS NOT NULL in one walk over the text.
// The WHERE clauses are found once; the walk then runs over the text with the blank each clause
// gets appended at its end, and rewrites only inside clauses. A text that macros grew to hundreds
// of clauses therefore costs two walks, not one parse per clause.
#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "firebird/sql_param_scanner.h"
#include "firebird/sql_parser.h"
#include "platform/rtl/strings.h"

namespace {

// The text with a blank after each clause (one per clause ending there), and which of its
// characters stand inside a clause.
struct TClauseText {
    std::string Text;
    std::vector<bool> InClause;
};

TClauseText MarkClauses(std::string_view text) {
    const std::size_t n = text.size();
    std::vector<int> opened(n + 1, 0);  // clauses starting minus clauses ending at each position
    std::vector<int> blanks(n + 1, 0);
    TSQLParser parser{std::string(text)};
    for (const TWhereClauseBounds& bounds : parser.WhereClauses()) {
        if (bounds.End == 0 || bounds.CondStart < 1)
            continue;
        const auto start = static_cast<std::size_t>(bounds.CondStart - 1);
        const auto end = static_cast<std::size_t>(bounds.End);
        if (start > end || end > n)
            continue;
        ++opened[start];
        --opened[end];
        ++blanks[end];
    }
    TClauseText marked;
    marked.Text.reserve(n);
    marked.InClause.reserve(n);
    int depth = 0;
    for (std::size_t pos = 0; pos <= n; ++pos) {
        // The appended blanks belong to their clauses, which end just behind them.
        marked.Text.append(static_cast<std::size_t>(blanks[pos]), ' ');
        marked.InClause.insert(marked.InClause.end(), static_cast<std::size_t>(blanks[pos]), true);
        depth += opened[pos];
        if (pos < n) {
            marked.Text += text[pos];
            marked.InClause.push_back(depth > 0);
        }
    }
    return marked;
}

class TNullRewriter {
  public:
    TNullRewriter(const std::vector<std::string>& names, int dialect) : dialect_(dialect) {
        for (const std::string& name : names) names_.insert(UpperCase(name));
    }

    std::string Rewrite(const TClauseText& marked) {
        const std::string& t = marked.Text;
        std::string out;
        out.reserve(t.size());
        for (std::size_t i = 0; i < t.size();) {
            const std::size_t blank = t[i] == ' ' && marked.InClause[i] ? ComparisonEnd(marked, i) : 0;
            if (blank == 0) {
                out += t[i++];
                continue;
            }
            out += t[i + 1] == '<' ? " IS NOT NULL" : " IS NULL";
            i = blank;  // the closing blank may open the next comparison
        }
        return out;
    }

    // The named parameters that stand after a marker inside some clause.
    std::vector<std::string> Found(const TClauseText& marked, const std::vector<std::string>& names) const {
        std::unordered_set<std::string> seen;
        const std::string& t = marked.Text;
        for (std::size_t i = 0; i + 1 < t.size(); ++i) {
            if (t[i] != '?' || !marked.InClause[i])
                continue;
            std::size_t from = i + 1;
            if (t[from] == '"') {
                ++from;
                if (const std::size_t close = QuoteEnd(marked, from); close != 0)
                    seen.insert(UpperCase(std::string_view(t).substr(from, close - from)));
            }
            std::size_t end = from;
            while (end < t.size() && marked.InClause[end] && IsParamNameChar(t[end])) ++end;
            seen.insert(UpperCase(std::string_view(t).substr(from, end - from)));
        }
        std::vector<std::string> found;
        for (const std::string& name : names)
            if (seen.count(UpperCase(name)) != 0 &&
                std::find(found.begin(), found.end(), name) == found.end())
                found.push_back(name);
        return found;
    }

  private:
    // At a blank inside a clause: the position of the blank that closes " = ?NAME " or
    // " <> ?NAME " (the quoted form under dialect 3) of a named parameter, or 0.
    std::size_t ComparisonEnd(const TClauseText& marked, std::size_t at) const {
        const std::string& t = marked.Text;
        std::size_t pos = at + 1;
        for (const std::string_view op : {"= ?", "<> ?"}) {
            if (t.compare(pos, op.size(), op) == 0 && Inside(marked, pos, pos + op.size())) {
                pos += op.size();
                return NameEnd(marked, pos);
            }
        }
        return 0;
    }

    std::size_t NameEnd(const TClauseText& marked, std::size_t from) const {
        const std::string& t = marked.Text;
        if (dialect_ >= 3 && from < t.size() && t[from] == '"') {
            const std::size_t close = QuoteEnd(marked, from + 1);
            if (close != 0 && close + 1 < t.size() && t[close + 1] == ' ' && marked.InClause[close + 1] &&
                IsNullName(std::string_view(t).substr(from + 1, close - from - 1)))
                return close + 1;
        }
        std::size_t end = from;
        while (end < t.size() && t[end] != ' ' && marked.InClause[end]) ++end;
        if (end == from || end >= t.size() || !marked.InClause[end])
            return 0;
        return IsNullName(std::string_view(t).substr(from, end - from)) ? end : 0;
    }

    // The closing double quote of a name that starts at `from`, within the clause; 0 when none.
    static std::size_t QuoteEnd(const TClauseText& marked, std::size_t from) {
        for (std::size_t i = from; i < marked.Text.size() && marked.InClause[i]; ++i)
            if (marked.Text[i] == '"')
                return i;
        return 0;
    }

    static bool Inside(const TClauseText& marked, std::size_t from, std::size_t to) {
        if (to > marked.Text.size())
            return false;
        for (std::size_t i = from; i < to; ++i)
            if (!marked.InClause[i])
                return false;
        return true;
    }

    bool IsNullName(std::string_view name) const { return names_.count(UpperCase(name)) != 0; }

    int dialect_;
    std::unordered_set<std::string> names_;  // upper case
};

}  // namespace

std::string RewriteNullComparisons(std::string_view text, const std::vector<std::string>& nullNames,
                                   int dialect, std::vector<std::string>& found) {
    const TClauseText marked = MarkClauses(text);
    TNullRewriter rewriter(nullNames, dialect);
    for (std::string& name : rewriter.Found(marked, nullNames)) found.push_back(std::move(name));
    return rewriter.Rewrite(marked);
}
