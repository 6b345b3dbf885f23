#pragma once
// The clipboard's text on Qt's clipboard (the X clipboard under X).
#include "platform/ui/clipboard.h"

namespace platform::ui {

class QtClipboard : public ClipboardStore {
  public:
    std::optional<std::string> Text() override;
    void SetText(const std::optional<std::string>& text) override;
    std::optional<std::string> Data(const std::string& mimeType) override;
    void SetData(const std::map<std::string, std::string>& formats) override;
};

}  // namespace platform::ui
