// Finding the WHERE clauses of a statement. One pass finds them all: each clause stays open until a
// word that ends a clause stands at its depth or above it, a ")" leaves the brackets it stands in,
// or the text ends; so listing every clause costs one walk over the text, nested clauses included.
#include <algorithm>
#include <map>

#include "firebird/sql_parser.h"
#include "firebird/sql_words.h"

namespace {
class TWhereClauseFinder {
  public:
    explicit TWhereClauseFinder(std::string_view text) : text_(text) {}

    std::vector<TWhereClauseBounds> Find(int from) {
        TSQLTextStates states(text_);
        const int len = static_cast<int>(text_.size());
        for (int pos = from; pos <= len; ++pos) {
            const TSQLCharStep step = states.Step(pos);
            if (step.Role == TSQLCharRole::OpenBracket) {
                ++depth_;
            } else if (step.Role == TSQLCharRole::CloseBracket) {
                // A clause inside brackets ends at the bracket that closes them.
                Close(std::max(depth_, 1), lastCode_);
                --depth_;
            } else if (step.Role == TSQLCharRole::Plain) {
                if (IsWhereAt(text_, pos))
                    Open(pos);
                else if (IsWhereEndAt(text_, pos))
                    Close(depth_, pos == len && step.IsCode ? pos : lastCode_);
            }
            if (step.IsCode)
                lastCode_ = pos;
        }
        if (len > 0 && states.EndsInNormalText())
            Close(depth_, lastCode_);
        return std::move(clauses_);
    }

  private:
    void Open(int pos) {
        int cond = pos + 5;
        while (cond <= static_cast<int>(text_.size()) &&
               IsSqlBlank(text_[static_cast<std::size_t>(cond - 1)]))
            ++cond;
        open_.emplace(depth_, clauses_.size());
        clauses_.push_back({pos, cond, 0, depth_});
    }

    // Ends every open clause at depth `depth` or deeper.
    void Close(int depth, int end) {
        for (auto it = open_.lower_bound(depth); it != open_.end(); it = open_.erase(it))
            clauses_[it->second].End = end;
    }

    std::string_view text_;
    int depth_ = 0;
    int lastCode_ = 0;
    std::multimap<int, std::size_t> open_;  // depth -> clause
    std::vector<TWhereClauseBounds> clauses_;
};
}  // namespace

std::vector<TWhereClauseBounds> TSQLParser::FindWhereClauses() const {
    return TWhereClauseFinder(sqlText_).Find(textStart_);
}

const std::vector<TWhereClauseBounds>& TSQLParser::WhereClauses() {
    if (!whereClausesFound_) {
        whereClauses_ = FindWhereClauses();
        whereClausesFound_ = true;
    }
    return whereClauses_;
}

void TSQLParser::GetWhereClause(int n, int& start, std::string& text, int& end) {
    text.clear();
    if (n < 0) {
        start = end = 0;
        return;
    }
    const auto& clauses = WhereClauses();
    const std::size_t index = n == 0 ? 0 : static_cast<std::size_t>(n - 1);
    if (index >= clauses.size())
        return;
    const TWhereClauseBounds& clause = clauses[index];
    if (clause.End == 0) {
        start = end = 0;
        return;
    }
    start = clause.Start;
    end = clause.End;
    text = Copy(clause.CondStart, clause.End);
}

void TSQLParser::GetMainWhere(int& start, int& end, std::string& text) {
    GetWhereClause(MainWhereIndex(), start, text, end);
}

int TSQLParser::WhereCount() {
    return static_cast<int>(WhereClauses().size());
}

int TSQLParser::MainWhereIndex() {
    const auto& clauses = WhereClauses();
    for (std::size_t i = 0; i < clauses.size(); ++i)
        if (clauses[i].Depth == 0)
            return static_cast<int>(i) + 1;
    return -1;
}
