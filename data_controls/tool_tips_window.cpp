#include "data_controls/tool_tips_window.h"

#include "platform/ui/font.h"

TRect TToolTipsWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
    // The base window measures in its own font, so the text's font becomes the window's.
    if (AData != nullptr) {
        Font()->Assign(*static_cast<TFont*>(AData));
        Font()->SetColor(clWindowText);
    }
    return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
}
