// The edit-control demo: a form of data-aware edits over an in-memory table; the table's records
// are printed to the standard output when the form closes.
#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"
#include "tools/dbedit_demo/demo_form.h"

int main(int argc, char** argv) {
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    TEditDemoForm* form = nullptr;
    Application->CreateForm(&form);
    Application->Run();
    return 0;
}
