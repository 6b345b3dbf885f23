#pragma once
// Configures the process-wide hierarchy from a file of "applog." name=value lines.
#include <string>

#include "logging/basic_configurator.h"

class TLogPropertyConfigurator : public TLogBasicConfigurator {
  public:
    std::string ClassName() const override { return "TLogPropertyConfigurator"; }

    // Reads and applies the file; a failure is reported through the internal logger and ends
    // the configuration with what was applied so far.
    static void Configure(const std::string& fileName);
    // Applies configuration lines to a hierarchy; failures propagate.
    void DoConfigure(const TLogProperties& props, TLogHierarchy& hierarchy);

  private:
    void ConfigureGlobals(const TLogProperties& props, TLogHierarchy& hierarchy);
    void ConfigureRoot(const TLogProperties& props, TLogHierarchy& hierarchy);
    void ConfigureLoggerLine(const TLogProperties& props, TLogHierarchy& hierarchy,
                             const std::string& loggerName, const std::string& value);
    void ConfigureRendererLine(TLogHierarchy& hierarchy, const std::string& className,
                               const std::string& value);
};
