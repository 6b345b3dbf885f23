#include "firebird/sql_text_states.h"

#include "firebird/sql_words.h"

namespace {
constexpr TSQLCharStep kStringChar{TSQLCharRole::Hidden, true};
constexpr TSQLCharStep kCommentChar{TSQLCharRole::Hidden, false};
}  // namespace

TSQLCharStep TSQLTextStates::Step(int pos) {
    const char c = At(pos);
    switch (state_) {
        case TSQLScanState::Normal:
            return StepNormal(pos, c);
        case TSQLScanState::DoubleQuoted:
            if (c == '"')
                state_ = TSQLScanState::Normal;
            return kStringChar;
        case TSQLScanState::SingleQuoted:
            if (c == '\'')
                state_ = TSQLScanState::Normal;
            return kStringChar;
        case TSQLScanState::BlockComment:
            if (c == '*' && NextIs(pos, '/')) {
                state_ = TSQLScanState::Normal;
                commentCloserAt_ = pos + 1;
            }
            return kCommentChar;
        case TSQLScanState::LineComment:
            // Both line ends close it, so texts with LF line ends keep their following lines; the line
            // end is a blank of normal text again. A "/*" inside it is comment text like any other.
            if (c != '\r' && c != '\n')
                return kCommentChar;
            state_ = TSQLScanState::Normal;
            return {TSQLCharRole::Plain, false};
    }
    return kCommentChar;
}

TSQLCharStep TSQLTextStates::StepNormal(int pos, char c) {
    switch (c) {
        case '"':
            state_ = TSQLScanState::DoubleQuoted;
            return kStringChar;
        case '\'':
            state_ = TSQLScanState::SingleQuoted;
            return kStringChar;
        case '(':
            return {TSQLCharRole::OpenBracket, true};
        case ')':
            return {TSQLCharRole::CloseBracket, true};
        case '*':
            if (pos > 1 && At(pos - 1) == '/' && pos - 1 != commentCloserAt_) {
                state_ = TSQLScanState::BlockComment;
                return kCommentChar;
            }
            return {TSQLCharRole::Hidden, true};
        case '-':
            if (NextIs(pos, '-')) {
                state_ = TSQLScanState::LineComment;
                return kCommentChar;
            }
            return {TSQLCharRole::Hidden, true};
        default: {
            // A "/" that opens or closes a comment is shown to the tests but is no part of the statement.
            const bool commentSlash = c == '/' && (pos == commentCloserAt_ || NextIs(pos, '*'));
            return {TSQLCharRole::Plain, !IsSqlBlank(c) && !commentSlash};
        }
    }
}

int SkipBlanksAndComments(std::string_view text, int pos) {
    const int len = static_cast<int>(text.size());
    auto at = [&](int p) { return text[static_cast<std::size_t>(p - 1)]; };
    while (pos <= len) {
        if (IsSqlBlank(at(pos))) {
            ++pos;
        } else if (pos < len && at(pos) == '/' && at(pos + 1) == '*') {
            const std::size_t close = text.find("*/", static_cast<std::size_t>(pos + 1));
            pos = close == std::string_view::npos ? len + 1 : static_cast<int>(close) + 3;
        } else if (pos < len && at(pos) == '-' && at(pos + 1) == '-') {
            const std::size_t eol = text.find_first_of("\r\n", static_cast<std::size_t>(pos + 1));
            pos = eol == std::string_view::npos ? len + 1 : static_cast<int>(eol) + 1;
        } else {
            break;
        }
    }
    return pos;
}
