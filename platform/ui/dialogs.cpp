#include "platform/ui/dialogs.h"

#include "platform/ui/application.h"
#include "platform/ui/window_system.h"

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return platform::ui::CurrentWindowSystem().ShowMessageBox(text, caption, flags);
}

void ShowMessage(const std::string& text) {
    if (Application->Title.empty())
        Application->Initialize();
    MessageBox(text, Application->Title, MB_OK);
}
