// The kiosk program: logging first, then the one window and the message loop until it closes.
#include "app/main_form.h"
#include "logging/log_setup.h"
#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"

int main(int argc, char** argv) {
    ConfigureLogging();
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    Application->CreateForm(&MainForm);
    Application->Run();
    return 0;
}
