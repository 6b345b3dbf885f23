#pragma once
// Builds loggers and appenders from configuration lines. A configurator lives for one
// configuration; the appenders it made stay with the loggers that took them.
#include <map>
#include <memory>
#include <string>

#include "logging/log_interfaces.h"
#include "logging/log_properties.h"

class TLogHierarchy;
class TLogLogger;

class TLogBasicConfigurator {
  public:
    TLogBasicConfigurator();
    virtual ~TLogBasicConfigurator() = default;
    virtual std::string ClassName() const { return "TLogBasicConfigurator"; }

  protected:
    // A logger's level and appenders from "level,appender,appender...".
    void ParseLogger(const TLogProperties& props, TLogLogger& logger, const std::string& value, bool isRoot);
    // The appender named N, made once per configuration; nullptr when it cannot be made.
    ILogAppenderPtr ParseAppender(const TLogProperties& props, const std::string& name);
    // Gives the handler every line whose name begins with prefix, as option (name after prefix + ".").
    static void SetOptions(const TLogProperties& props, TLogOptionHandler& handler,
                           const std::string& prefix);

    std::shared_ptr<ILogLoggerFactory> LoggerFactory() const { return loggerFactory_; }
    void SetLoggerFactory(std::shared_ptr<ILogLoggerFactory> factory) { loggerFactory_ = std::move(factory); }

  private:
    // The options of an appender's error handler, layout or filter (kind), between trace lines.
    static void SetPartOptions(const TLogProperties& props, TLogOptionHandler& part, const std::string& key,
                               const std::string& appenderName, const char* kind);
    void ParseErrorHandler(const TLogProperties& props, ILogAppender& appender, const std::string& name);
    void ParseLayout(const TLogProperties& props, ILogAppender& appender, const std::string& name);
    void ParseFilters(const TLogProperties& props, ILogAppender& appender, const std::string& name);

    std::map<std::string, ILogAppenderPtr> appenders_;
    std::shared_ptr<ILogLoggerFactory> loggerFactory_;
};
