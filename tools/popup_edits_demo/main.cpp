// The edit-control demo with a date picked from the pop-up calendar and a total worked out on the
// pop-up calculator; the records are printed to the standard output when the form closes.
#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"
#include "tools/popup_edits_demo/popup_edits_form.h"

int main(int argc, char** argv) {
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    TPopupEditsDemoForm* form = nullptr;
    Application->CreateForm(&form);
    Application->Run();
    return 0;
}
