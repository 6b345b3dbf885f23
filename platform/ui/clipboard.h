#pragma once
// TClipboard: text on the host's clipboard (the X clipboard under Qt, one kept in memory without a host).
#include <map>
#include <optional>
#include <string>

namespace platform::ui {

// Where the clipboard's text lives; a host installs its own.
class ClipboardStore {
  public:
    virtual ~ClipboardStore() = default;
    virtual std::optional<std::string> Text() = 0;
    virtual void SetText(const std::optional<std::string>& text) = 0;
    // Named formats: bytes by MIME type, put together as one offer replacing what was there.
    virtual std::optional<std::string> Data(const std::string& mimeType);
    virtual void SetData(const std::map<std::string, std::string>& formats);
};

// The MIME type a named clipboard format travels under: "VCLDBIF" application/x-vcldbif, "Csv"
// text/csv, "Rich Text Format" text/rtf, CF_TEXT and CF_UNICODETEXT UTF-8 text; any other name
// application/x- and the name in lower case.
std::string ClipboardMimeType(const std::string& format);
inline const std::string TextMimeType = "text/plain;charset=utf-8";

// Not owned; nullptr goes back to the one kept in memory.
void SetClipboardStore(ClipboardStore* store);

}  // namespace platform::ui

class TClipboard {
  public:
    bool HasText() const;
    std::string AsText() const;
    void SetAsText(const std::string& value);
    void Clear();

    // Named formats. Formats put between Open and Close reach the host together when the
    // clipboard closes, one offer holding every one of them; outside Open each is put at once.
    void Open();
    void Close();
    void SetFormat(const std::string& format, const std::string& bytes);
    bool HasFormat(const std::string& format) const;
    std::string GetFormat(const std::string& format) const;

  private:
    int openCount_ = 0;
    std::map<std::string, std::string> pending_;
};

// The standard formats' names, as the named-format calls take them.
inline const std::string CF_TEXT_FORMAT = "CF_TEXT";
inline const std::string CF_UNICODETEXT_FORMAT = "CF_UNICODETEXT";

// The clipboard of the installed host.
TClipboard* Clipboard();
