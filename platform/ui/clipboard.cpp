#include "platform/ui/clipboard.h"

#include <algorithm>
#include <cctype>

namespace platform::ui {
namespace {

class MemoryClipboard : public ClipboardStore {
  public:
    std::optional<std::string> Text() override { return Data(TextMimeType); }
    void SetText(const std::optional<std::string>& text) override {
        formats_.clear();
        if (text)
            formats_[TextMimeType] = *text;
    }
    std::optional<std::string> Data(const std::string& mimeType) override {
        const auto found = formats_.find(mimeType);
        return found != formats_.end() ? std::optional<std::string>(found->second) : std::nullopt;
    }
    void SetData(const std::map<std::string, std::string>& formats) override { formats_ = formats; }

  private:
    std::map<std::string, std::string> formats_;
};

ClipboardStore* g_store = nullptr;

ClipboardStore& CurrentStore() {
    static MemoryClipboard memory;
    return g_store != nullptr ? *g_store : memory;
}

}  // namespace

void SetClipboardStore(ClipboardStore* store) {
    g_store = store;
}

std::optional<std::string> ClipboardStore::Data(const std::string& mimeType) {
    return mimeType == TextMimeType ? Text() : std::nullopt;
}

void ClipboardStore::SetData(const std::map<std::string, std::string>& formats) {
    const auto text = formats.find(TextMimeType);
    SetText(text != formats.end() ? std::optional<std::string>(text->second) : std::nullopt);
}

std::string ClipboardMimeType(const std::string& format) {
    static const std::map<std::string, std::string> known = {
        {"VCLDBIF", "application/x-vcldbif"}, {"Csv", "text/csv"},
        {"Rich Text Format", "text/rtf"},     {"CF_TEXT", TextMimeType},
        {"CF_UNICODETEXT", TextMimeType},
    };
    const auto found = known.find(format);
    if (found != known.end())
        return found->second;
    std::string lower = format;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "application/x-" + lower;
}

}  // namespace platform::ui

bool TClipboard::HasText() const {
    return platform::ui::CurrentStore().Text().has_value();
}

std::string TClipboard::AsText() const {
    return platform::ui::CurrentStore().Text().value_or("");
}

void TClipboard::SetAsText(const std::string& value) {
    platform::ui::CurrentStore().SetText(value);
}

void TClipboard::Clear() {
    platform::ui::CurrentStore().SetText(std::nullopt);
}

void TClipboard::Open() {
    if (openCount_++ == 0)
        pending_.clear();
}

void TClipboard::Close() {
    if (openCount_ == 0 || --openCount_ > 0)
        return;
    if (!pending_.empty())
        platform::ui::CurrentStore().SetData(pending_);
    pending_.clear();
}

void TClipboard::SetFormat(const std::string& format, const std::string& bytes) {
    if (openCount_ > 0) {
        pending_[platform::ui::ClipboardMimeType(format)] = bytes;
        return;
    }
    platform::ui::CurrentStore().SetData({{platform::ui::ClipboardMimeType(format), bytes}});
}

bool TClipboard::HasFormat(const std::string& format) const {
    return platform::ui::CurrentStore().Data(platform::ui::ClipboardMimeType(format)).has_value();
}

std::string TClipboard::GetFormat(const std::string& format) const {
    return platform::ui::CurrentStore().Data(platform::ui::ClipboardMimeType(format)).value_or("");
}

TClipboard* Clipboard() {
    // It keeps nothing itself: every call goes to the store installed at the time.
    static TClipboard clipboard;
    return &clipboard;
}
