#include "api_client/json_log_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/rtl/strings.h"

using nlohmann::ordered_json;

namespace {

constexpr auto kReplaceInvalid = ordered_json::error_handler_t::replace;

bool IsSecretName(const std::string& name) {
    return SameText(name, "password") || SameText(name, "token");
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the UTF-8 sequence that lead starts.
std::size_t SequenceLength(char lead) {
    auto byte = static_cast<unsigned char>(lead);
    if (byte >= 0xF0)
        return 4;
    if (byte >= 0xE0)
        return 3;
    if (byte >= 0xC0)
        return 2;
    return 1;
}

// Cuts text to at most size bytes without splitting a character.
void CutAtCharacter(std::string& text, std::size_t size) {
    if (text.size() <= size)
        return;
    text.resize(size);
    std::size_t lead = size;
    while (lead > 0 && IsContinuationByte(text[lead - 1])) --lead;
    if (lead > 0 && lead - 1 + SequenceLength(text[lead - 1]) > size)
        text.resize(lead - 1);
}

// Writes a value the way nlohmann's dump does (indent 0: compact), with the secret members masked.
// Containers are walked with a stack of their own; writing stops once the limit is passed.
class TJsonLogWriter {
  public:
    explicit TJsonLogWriter(int indent) : indent_(indent) {}

    std::string Write(const ordered_json& value) {
        Open(value);
        while (!stack_.empty() && !Full()) Step();
        if (Full()) {
            CutAtCharacter(out_, kJsonLogLimit);
            out_ += kJsonLogCutMark;
        }
        return std::move(out_);
    }

  private:
    struct TFrame {
        const ordered_json* container;
        ordered_json::const_iterator next;
    };

    bool Full() const { return out_.size() > kJsonLogLimit; }
    // Room for one byte past the limit, which is enough to know the text must be cut.
    std::size_t Room() const { return Full() ? 0 : kJsonLogLimit + 1 - out_.size(); }

    void Append(std::string_view text) { out_.append(text.substr(0, Room())); }

    void NewLine(std::size_t depth) {
        if (indent_ == 0)
            return;
        Append("\n");
        out_.append(std::min(depth * indent_, Room()), ' ');
    }

    void String(const std::string& text) {
        // Escapes only lengthen a string, so a prefix as long as the room left fills it.
        std::string_view shown = std::string_view(text).substr(0, Room());
        Append(ordered_json(std::string(shown)).dump(-1, ' ', false, kReplaceInvalid));
    }

    void Open(const ordered_json& value) {
        if (value.is_structured() && !value.empty()) {
            Append(value.is_object() ? "{" : "[");
            stack_.push_back({&value, value.cbegin()});
        } else if (value.is_string()) {
            String(value.get_ref<const std::string&>());
        } else {
            Append(value.dump(-1, ' ', false, kReplaceInvalid));
        }
    }

    void Step() {
        TFrame& frame = stack_.back();
        const bool object = frame.container->is_object();
        if (frame.next == frame.container->cend()) {
            stack_.pop_back();
            NewLine(stack_.size());
            Append(object ? "}" : "]");
            return;
        }
        if (frame.next != frame.container->cbegin())
            Append(",");
        NewLine(stack_.size());
        auto item = frame.next++;  // frame may move once Open pushes a level
        if (object) {
            String(item.key());
            Append(indent_ == 0 ? ":" : ": ");
            if (IsSecretName(item.key())) {
                Append("\"***\"");
                return;
            }
        }
        Open(*item);
    }

    const std::size_t indent_;
    std::string out_;
    std::vector<TFrame> stack_;
};

}  // namespace

std::string JsonForLog(const ordered_json& value) {
    return TJsonLogWriter(2).Write(value);
}

std::string JsonCompactForLog(const ordered_json& value) {
    return TJsonLogWriter(0).Write(value);
}
