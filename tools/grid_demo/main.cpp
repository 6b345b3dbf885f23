// The grid demo: the visits of a Firebird database in a data grid with edit controls below it.
//   grid_demo <database file> <export file> [--target-rects <file>]
// The database is made and filled when its file is missing. SIGINT and SIGTERM close the demo as
// its Close button does, with exit code 0. With --target-rects the demo keeps
// the screen rectangles of its targets in that file for test drivers.
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_grid/grid_unit.h"
#include "data_grid_fib/fib_dataset_features.h"
#include "platform/os/termination_signals.h"
#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/termination_watch.h"
#include "tools/grid_demo/demo_database.h"
#include "tools/grid_demo/grid_demo_form.h"
#include "tools/grid_demo/target_rects.h"

namespace {

struct TCommandLine {
    grid_demo::TGridDemoSettings Settings;
    std::string TargetRectsPath;
};

std::optional<TCommandLine> ReadCommandLine(int argc, char** argv) {
    TCommandLine line;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--target-rects" && i + 1 < argc)
            line.TargetRectsPath = argv[++i];
        else if (arg.rfind("--", 0) == 0)
            return std::nullopt;
        else
            positional.push_back(arg);
    }
    if (positional.size() != 2)
        return std::nullopt;
    line.Settings = {positional[0], positional[1]};
    return line;
}

// The grid unit and the Firebird features, started once the application exists and shut down
// after the last grid is gone.
struct TGridUnits {
    TGridUnits() {
        InitializeDBGridEhUnit();
        InitializeFIBDatasetFeatures();
    }
    ~TGridUnits() {
        FinalizeFIBDatasetFeatures();
        FinalizeDBGridEhUnit();
    }
};

int RunDemo(const TCommandLine& line) {
    TObjectPtr<TTerminationWatch> watch = MakeComponent<TTerminationWatch>(nullptr);
    grid_demo::EnsureDemoDatabase(line.Settings.DatabasePath);
    TGridUnits units;
    grid_demo::TGridDemoForm* form = nullptr;
    Application->CreateForm(&form);
    form->Open(line.Settings);
    watch->OnSignal = [form](int) { form->CloseOnSignal(); };
    std::unique_ptr<grid_demo::TTargetRectWriter> rects;
    if (!line.TargetRectsPath.empty())
        rects = std::make_unique<grid_demo::TTargetRectWriter>(*form, line.TargetRectsPath);
    Application->Run();
    rects.reset();
    watch.reset();
    Application->DestroyForms();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<TCommandLine> line = ReadCommandLine(argc, argv);
    if (!line) {
        std::cerr << "usage: grid_demo <database file> <export file> [--target-rects <file>]\n";
        return 2;
    }
    // Before any thread is made, so that none of them is broken off by the signals.
    platform::CatchTerminationSignals();
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    try {
        return RunDemo(*line);
    } catch (const std::exception& e) {
        std::cerr << "grid_demo: " << e.what() << '\n';
        return 1;
    }
}
