#pragma once
// TClipboard: text on the host's clipboard (the X clipboard under Qt, one kept in memory without a host).
#include <optional>
#include <string>

namespace platform::ui {

// Where the clipboard's text lives; a host installs its own.
class ClipboardStore {
  public:
    virtual ~ClipboardStore() = default;
    virtual std::optional<std::string> Text() = 0;
    virtual void SetText(const std::optional<std::string>& text) = 0;
};

// Not owned; nullptr goes back to the one kept in memory.
void SetClipboardStore(ClipboardStore* store);

}  // namespace platform::ui

class TClipboard {
  public:
    bool HasText() const;
    std::string AsText() const;
    void SetAsText(const std::string& value);
    void Clear();
};

// The clipboard of the installed host.
TClipboard* Clipboard();
