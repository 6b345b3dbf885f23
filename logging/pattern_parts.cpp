#include "logging/pattern_parts.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "logging/custom_layout.h"
#include "logging/log_event.h"
#include "logging/log_level.h"
#include "logging/log_process_info.h"
#include "logging/logger.h"
#include "logging/pattern_modifier.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"

namespace {

const char* const Unknown = "Unknown";

bool IsPatternLetter(char c) {
    return c != ' ' && PatternLetters.find(c) != std::string_view::npos;
}

int KindOf(char letter) {
    return static_cast<int>(PatternLetters.find(letter));
}

bool IsIntegerKind(int kind) {
    return kind == pkElapsed || kind == pkThread;
}

// "%" + modifiers + letter, with the letter replaced as the platform's Format expects it.
std::string PartText(std::string_view collected, int kind) {
    std::string text(collected.substr(0, collected.size() - 1));
    if (kind >= pkApplication)
        return text + collected.back();
    return text + (kind == pkLineNumber || IsIntegerKind(kind) ? 'd' : 's');
}

// --- formatters ---

class TLiteralFormatter : public TLogPatternFormatter {
  public:
    explicit TLiteralFormatter(std::string text) : text_(std::move(text)) {}
    void Append(const TLogEvent&, const TLogCustomLayout&, std::string& out) const override { out += text_; }

  private:
    std::string text_;
};

class TDateFormatter : public TLogPatternFormatter {
  public:
    void Append(const TLogEvent& event, const TLogCustomLayout& layout, std::string& out) const override {
        // Many lines share one millisecond; remember the last text per thread.
        thread_local std::string lastFormat, lastText;
        thread_local TDateTime lastTime = -1;
        if (event.TimeStamp != lastTime || layout.DateFormat() != lastFormat) {
            lastText = FormatDateTime(layout.DateFormat(), event.TimeStamp);
            lastTime = event.TimeStamp;
            lastFormat = layout.DateFormat();
        }
        out += lastText;
    }
};

// The text value of a string kind; scratch holds values that must be built.
std::string_view StringValue(int kind, const TLogEvent& event, std::string& scratch) {
    switch (kind) {
        case pkLoggerName:
            return event.Logger ? std::string_view(event.Logger->Name()) : std::string_view();
        case pkError:
            return event.ErrorMessage;
        case pkMessage:
            return event.Message;
        case pkLevel:
            return event.Level->Name();
        case pkNDC:
            return scratch = event.NDC();
        default:
            return Unknown;  // class, file, location, line and method names are not known
    }
}

std::int64_t IntegerValue(int kind, const TLogEvent& event) {
    return kind == pkElapsed ? event.ElapsedTime() : static_cast<std::int64_t>(event.ThreadId());
}

// A value kind with modifiers: plain ones go through our own padding, anything else through the
// platform's Format with the part's text, which raises EConvertError when it does not fit.
class TValueFormatter : public TLogPatternFormatter {
  public:
    TValueFormatter(int kind, std::string text, std::string_view modifiers)
        : kind_(kind), text_(std::move(text)), modifier_(TLogPatternModifier::Parse(modifiers)) {}

    void Append(const TLogEvent& event, const TLogCustomLayout&, std::string& out) const override {
        std::string scratch;
        if (IsIntegerKind(kind_)) {
            const std::int64_t value = IntegerValue(kind_, event);
            if (modifier_)
                return modifier_->AppendInteger(out, value);
            out += ::Format(text_, {static_cast<long long>(value)});
        } else {
            const std::string_view value = StringValue(kind_, event, scratch);
            if (modifier_)
                return modifier_->AppendString(out, value);
            out += ::Format(text_, {value});
        }
    }

  private:
    int kind_;
    std::string text_;
    std::optional<TLogPatternModifier> modifier_;
};

// The text of a part that prints the same for every event (modifiers do not apply to the
// process's names); nullopt for the others.
std::optional<std::string> ConstantText(const TLogPatternPart& part) {
    const TLogProcessInfo& info = LogProcessInfo();
    switch (part.Kind) {
        case pkLiteral:
            return part.Text;
        case pkNewLine:
            return "\r\n";
        case pkPercent:
            return "%";
        case pkApplication:
            return info.Application;
        case pkUserName:
            return info.UserName;
        case pkComputerName:
            return info.ComputerName;
        default:
            return std::nullopt;
    }
}

std::unique_ptr<TLogPatternFormatter> MakeValueFormatter(const TLogPatternPart& part) {
    switch (part.Kind) {
        case pkDate:
            return std::make_unique<TDateFormatter>();
        default: {
            const std::string_view text = part.Text;
            const std::string modifiers = TLogPatternModifier::CapNumbers(text.substr(1, text.size() - 2));
            // "%L" has no line number to give: it prints "Unknown" like its neighbours, as a text.
            const char letter = part.Kind == pkLineNumber ? 's' : text.back();
            return std::make_unique<TValueFormatter>(part.Kind, "%" + modifiers + letter, modifiers);
        }
    }
}

}  // namespace

std::vector<TLogPatternPart> ParsePattern(std::string_view pattern) {
    std::vector<TLogPatternPart> parts;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        if (pattern[pos] != '%') {
            const std::size_t end = std::min(pattern.find('%', pos), pattern.size());
            parts.push_back({std::string(pattern.substr(pos, end - pos)), pkLiteral});
            pos = end;
            continue;
        }
        std::size_t end = pos + 1;
        while (end < pattern.size() && !IsPatternLetter(pattern[end])) ++end;
        std::string collected(pattern.substr(pos, end - pos));
        if (end < pattern.size()) {
            collected += pattern[end++];
        } else {
            collected += 'm';  // a trailing "%" prints the message
        }
        const int kind = KindOf(collected.back());
        parts.push_back({PartText(collected, kind), kind});
        pos = end;
    }
    return parts;
}

std::vector<std::unique_ptr<TLogPatternFormatter>> MakePatternFormatters(
    const std::vector<TLogPatternPart>& parts) {
    std::vector<std::unique_ptr<TLogPatternFormatter>> formatters;
    std::string constant;
    for (const TLogPatternPart& part : parts) {
        if (auto text = ConstantText(part)) {
            constant += *text;
            continue;
        }
        if (!constant.empty())
            formatters.push_back(std::make_unique<TLiteralFormatter>(std::exchange(constant, {})));
        formatters.push_back(MakeValueFormatter(part));
    }
    if (!constant.empty())
        formatters.push_back(std::make_unique<TLiteralFormatter>(std::move(constant)));
    return formatters;
}
