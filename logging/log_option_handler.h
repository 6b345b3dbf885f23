#pragma once
// Base of loggers, layouts, appenders, filters and error handlers: a list of name=value options.
// Descendants act on the option names they know in SetOption and call the base to store them.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TLogOptionHandler {
  public:
    virtual ~TLogOptionHandler() = default;
    virtual std::string GetOption(std::string_view name) const;
    virtual void SetOption(std::string_view name, std::string_view value);

    // Options given between these two calls may be acted on once, at the end (a file appender
    // opens its file once, whatever order its options came in). Calls nest.
    void BeginOptions() { ++optionBatch_; }
    void EndOptions();

  protected:
    bool InOptionBatch() const { return optionBatch_ > 0; }
    // Called by the outermost EndOptions.
    virtual void OptionsApplied() {}

  private:
    std::vector<std::pair<std::string, std::string>> options_;
    int optionBatch_ = 0;
};

// Reads a boolean option value: "true"/"yes" and "false"/"no" in any letter case, else the default.
bool LogStrToBool(std::string_view value, bool defaultValue);
