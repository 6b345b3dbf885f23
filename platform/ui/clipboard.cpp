#include "platform/ui/clipboard.h"

namespace platform::ui {
namespace {

class MemoryClipboard : public ClipboardStore {
  public:
    std::optional<std::string> Text() override { return text_; }
    void SetText(const std::optional<std::string>& text) override { text_ = text; }

  private:
    std::optional<std::string> text_;
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

TClipboard* Clipboard() {
    // It keeps nothing itself: every call goes to the store installed at the time.
    static TClipboard clipboard;
    return &clipboard;
}
