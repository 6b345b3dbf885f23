#include "logging/basic_configurator.h"

#include <mutex>
#include <vector>

#include "logging/class_registry.h"
#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "logging/logger.h"
#include "platform/rtl/strings.h"

namespace {

const std::string AppenderPrefix = "applog.appender.";

// Pieces between commas, untrimmed; an empty piece at the end is dropped.
std::vector<std::string> SplitAtCommas(const std::string& value) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        pieces.push_back(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (pieces.back().empty())
        pieces.pop_back();
    return pieces;
}

// Ends an option batch on every path, so the appender opens its file once.
class TOptionBatch {
  public:
    explicit TOptionBatch(TLogOptionHandler& handler) : handler_(handler) { handler_.BeginOptions(); }
    void End() {
        ended_ = true;
        handler_.EndOptions();
    }
    ~TOptionBatch() {
        if (ended_)
            return;
        try {
            handler_.EndOptions();
        } catch (...) {
        }
    }

  private:
    TLogOptionHandler& handler_;
    bool ended_ = false;
};

}  // namespace

TLogBasicConfigurator::TLogBasicConfigurator()
    : loggerFactory_(LogLoggerFactories().Create("TLogDefaultLoggerFactory")) {}

void TLogBasicConfigurator::SetOptions(const TLogProperties& props, TLogOptionHandler& handler,
                                       const std::string& prefix) {
    for (const TLogProperties::Line* line : props.LinesStartingWith(prefix)) {
        const auto& [name, value] = *line;
        const std::string option =
            name.size() > prefix.size() + 1 ? name.substr(prefix.size() + 1) : std::string();
        handler.SetOption(option, value);
    }
}

void TLogBasicConfigurator::SetPartOptions(const TLogProperties& props, TLogOptionHandler& part,
                                           const std::string& key, const std::string& appenderName,
                                           const char* kind) {
    LogLog().Debug("Parsing %s options for \"%s\"", {kind, appenderName});
    SetOptions(props, part, key);
    LogLog().Debug("End of parsing for \"%s\" %s", {appenderName, kind});
}

void TLogBasicConfigurator::ParseLogger(const TLogProperties& props, TLogLogger& logger,
                                        const std::string& value, bool isRoot) {
    LogLog().Debug("Parsing for logger \"%s\" with value=\"%s\"", {logger.Name(), value});
    const std::vector<std::string> pieces = SplitAtCommas(value);
    if (pieces.empty())
        return;
    if (!pieces.front().empty()) {
        const std::string& token = pieces.front();
        LogLog().Debug("Level token is \"%s\"", {token});
        if (!isRoot && SameText(token, "inherited")) {
            logger.SetLevel(nullptr);
        } else {
            logger.SetLevel(TLogLevel::GetLevel(LowerCase(token), TLogLevel::Debug()));
        }
        LogLog().Debug("Logger \"%s\" set to level \"%s\"",
                       {logger.Name(), logger.GetEffectiveLevel()->Name()});
    }
    logger.RemoveAllAppenders();
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (pieces[i].empty())
            continue;
        LogLog().Debug("Parsing appender named \"%s\"", {pieces[i]});
        if (ILogAppenderPtr appender = ParseAppender(props, pieces[i]))
            logger.AddAppender(std::move(appender));
    }
}

ILogAppenderPtr TLogBasicConfigurator::ParseAppender(const TLogProperties& props, const std::string& name) {
    if (auto it = appenders_.find(name); it != appenders_.end()) {
        LogLog().Debug("Appender \"%s\" was already parsed", {name});
        return it->second;
    }
    const std::string key = AppenderPrefix + name;
    ILogAppenderPtr appender = LogAppenders().Create(props.Value(key));
    if (!appender) {
        LogLog().Error("Couldn't create appender named \"%s\"", {name});
        return nullptr;
    }
    appender->SetName(name);
    ParseErrorHandler(props, *appender, name);
    ParseLayout(props, *appender, name);
    if (appender->RequiresLayout() && !appender->GetLayout())
        LogLog().Error("Appender \"%s\" requires a layout", {name});
    ParseFilters(props, *appender, name);
    TOptionBatch batch(*appender);
    SetOptions(props, *appender, key);
    batch.End();
    LogLog().Debug("Parsed \"%s\" options", {name});
    appenders_[name] = appender;
    return appender;
}

void TLogBasicConfigurator::ParseErrorHandler(const TLogProperties& props, ILogAppender& appender,
                                              const std::string& name) {
    const std::string key = AppenderPrefix + name + ".errorHandler";
    ILogErrorHandlerPtr handler = LogErrorHandlers().Create(props.Value(key));
    if (!handler)
        return;
    appender.SetErrorHandler(handler);
    SetPartOptions(props, *handler, key, name, "error handler");
}

void TLogBasicConfigurator::ParseLayout(const TLogProperties& props, ILogAppender& appender,
                                        const std::string& name) {
    const std::string key = AppenderPrefix + name + ".layout";
    ILogLayoutPtr layout = LogLayouts().Create(props.Value(key));
    if (!layout)
        return;
    appender.SetLayout(layout);
    SetPartOptions(props, *layout, key, name, "layout");
}

void TLogBasicConfigurator::ParseFilters(const TLogProperties& props, ILogAppender& appender,
                                         const std::string& name) {
    const std::string prefix = AppenderPrefix + name + ".filter";
    for (const TLogProperties::Line* line : props.LinesStartingWith(prefix)) {
        const auto& [key, value] = *line;
        if (key.find('.', prefix.size()) != std::string::npos)
            continue;
        ILogFilterPtr filter = LogFilters().Create(value);
        if (!filter)
            continue;
        appender.AddFilter(filter);
        SetPartOptions(props, *filter, key, name, "filter");
    }
}
