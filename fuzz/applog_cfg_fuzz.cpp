// The logging configuration file: its lines through the property configurator.
#include <algorithm>
#include <exception>

#include "logging/log_hierarchy.h"
#include "logging/log_level.h"
#include "logging/log_properties.h"
#include "logging/log_root.h"
#include "logging/property_configurator.h"

namespace {

// File names in the configuration stay inside the scratch folder the fuzzer runs in.
TLogProperties Confined(std::string_view text) {
    std::string safe(text);
    std::replace(safe.begin(), safe.end(), '/', '_');
    return TLogProperties::FromText(safe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A hierarchy of its own for each input: loggers, once named, live as long as their hierarchy.
    TLogHierarchy hierarchy(std::make_unique<TLogRoot>(TLogLevel::Debug()));
    try {
        TLogPropertyConfigurator().DoConfigure(Confined(text), hierarchy);
    } catch (const std::exception&) {
    }
    hierarchy.Shutdown();
    return 0;
}
