#pragma once
// The one state machine for reading SQL text character by character: quoted strings, comments and
// brackets. Every scan of the SQL text routines walks the text through it.
#include <cstdint>
#include <string_view>

enum class TSQLScanState : std::uint8_t {
    Normal = 0,
    DoubleQuoted = 1,
    BlockComment = 2,
    LineComment = 3,
    SingleQuoted = 4,
};

// The part a character plays: Plain is a character of normal text that scans may test (letters,
// digits, blanks, "," and the like); brackets of normal text change the depth; Hidden covers
// quotes, string contents, comments and the characters that open or close them.
enum class TSQLCharRole : std::uint8_t { Plain, OpenBracket, CloseBracket, Hidden };

struct TSQLCharStep {
    TSQLCharRole Role;
    bool IsCode;  // belongs to the statement: neither a blank nor part of a comment
};

// Walks one text; Step must be called for consecutive positions.
class TSQLTextStates {
  public:
    explicit TSQLTextStates(std::string_view text) : text_(text) {}

    // The role of the character at the 1-based position pos, moving the state past it.
    TSQLCharStep Step(int pos);
    TSQLScanState State() const { return state_; }
    // A line comment that runs to the end of the text ends with it, as if a line end followed.
    bool EndsInNormalText() const {
        return state_ == TSQLScanState::Normal || state_ == TSQLScanState::LineComment;
    }

  private:
    char At(int pos) const { return text_[static_cast<std::size_t>(pos - 1)]; }
    bool NextIs(int pos, char c) const { return pos < static_cast<int>(text_.size()) && At(pos + 1) == c; }
    TSQLCharStep StepNormal(int pos, char c);

    std::string_view text_;
    TSQLScanState state_ = TSQLScanState::Normal;
    int commentCloserAt_ = 0;  // the "/" of the last "*/", which opens nothing
};

// The first position from pos that is neither a blank nor inside a comment, for a pos in normal
// text; the text's length + 1 when nothing else follows.
int SkipBlanksAndComments(std::string_view text, int pos);
