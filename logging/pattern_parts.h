#pragma once
// The compiled form of a conversion pattern: one small formatter per part, made once when the
// pattern is set and then only run for each event.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLogEvent;
class TLogCustomLayout;

// The pattern letters; a letter's kind is its position here (0, the blank, is literal text).
inline constexpr std::string_view PatternLetters = " cCdeFlLmMnprtx%awh";

enum TLogPatternKind {
    pkLiteral = 0,
    pkLoggerName,
    pkClassName,
    pkDate,
    pkError,
    pkFileName,
    pkLocation,
    pkLineNumber,
    pkMessage,
    pkMethodName,
    pkNewLine,
    pkLevel,
    pkElapsed,
    pkThread,
    pkNDC,
    pkPercent,
    pkApplication,
    pkUserName,
    pkComputerName
};

// One parsed part: its text (modifiers with the letter turned into "s" or "d") and its kind.
struct TLogPatternPart {
    std::string Text;
    int Kind = pkLiteral;
};

std::vector<TLogPatternPart> ParsePattern(std::string_view pattern);

class TLogPatternFormatter {
  public:
    virtual ~TLogPatternFormatter() = default;
    virtual void Append(const TLogEvent& event, const TLogCustomLayout& layout, std::string& out) const = 0;
};

// The formatters of a parsed pattern. A run of parts that print the same for every event (literal
// text, line ends, "%%" and the process's names) becomes one literal, written in one go.
std::vector<std::unique_ptr<TLogPatternFormatter>> MakePatternFormatters(
    const std::vector<TLogPatternPart>& parts);
