// The logging configuration file: its lines through the property configurator.
#include <algorithm>
#include <exception>

#include "fuzz/fuzz_file.h"
#include "logging/log_hierarchy.h"
#include "logging/log_level.h"
#include "logging/log_properties.h"
#include "logging/log_root.h"
#include "logging/property_configurator.h"
#include "platform/rtl/strings.h"

namespace {

// The files the configuration names are made inside the scratch folder: no "/" is left in the
// text, and every file name becomes a name within the folder.
TLogProperties Confined(std::string_view text) {
    std::string safe(text);
    std::replace(safe.begin(), safe.end(), '/', '_');
    std::string confined;
    const TLogProperties lines = TLogProperties::FromText(safe);
    for (const auto& [name, value] : lines.Lines()) {
        const bool fileName = LowerCase(name).find("filename") != std::string::npos;
        confined += name + "=" + (fileName ? TFuzzScratchFolder::Get().Path() + "/" : "") + value + "\n";
    }
    return TLogProperties::FromText(confined);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        // A hierarchy of its own for each input: loggers, once named, live as long as their hierarchy.
        TLogHierarchy hierarchy(std::make_unique<TLogRoot>(TLogLevel::Debug()));
        try {
            TLogPropertyConfigurator().DoConfigure(Confined(text), hierarchy);
        } catch (const std::exception&) {
        }
        hierarchy.Shutdown();
    }
    TFuzzScratchFolder::Get().Empty();
    return 0;
}
