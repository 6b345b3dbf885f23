#include "logging/property_configurator.h"

#include <mutex>

#include "logging/class_registry.h"
#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "logging/log_root.h"
#include "logging/logger.h"
#include "platform/rtl/strings.h"

namespace {

const std::string LoggerPrefix = "applog.logger.";
const std::string RendererPrefix = "applog.renderer.";
const std::string AdditivePrefix = "applog.additive.";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void TLogPropertyConfigurator::Configure(const std::string& fileName) {
    TLogPropertyConfigurator configurator;
    try {
        configurator.DoConfigure(TLogProperties::FromFile(fileName), LogHierarchy());
    } catch (const std::exception& e) {
        LogLog().Error("Couldn't read configuration file \"%s\" - %s", {fileName, e.what()});
        LogLog().Error("Ignoring configuration file \"%s\"", {fileName});
    }
}

void TLogPropertyConfigurator::DoConfigure(const TLogProperties& props, TLogHierarchy& hierarchy) {
    ConfigureGlobals(props, hierarchy);
    ConfigureRoot(props, hierarchy);
    for (const auto& [name, value] : props.Lines()) {
        if (StartsWith(name, LoggerPrefix)) {
            ConfigureLoggerLine(props, hierarchy, name.substr(LoggerPrefix.size()), value);
        } else if (StartsWith(name, RendererPrefix)) {
            ConfigureRendererLine(hierarchy, name.substr(RendererPrefix.size()), value);
        }
    }
    LogLog().Debug("Finished configuring with %s", {ClassName()});
}

void TLogPropertyConfigurator::ConfigureGlobals(const TLogProperties& props, TLogHierarchy& hierarchy) {
    if (auto factoryName = props.Find("applog.loggerFactory")) {
        if (auto factory = LogLoggerFactories().Create(*factoryName)) {
            SetLoggerFactory(std::move(factory));
            LogLog().Debug("Setting logger factory to \"%s\"", {*factoryName});
        } else {
            SetLoggerFactory(LogLoggerFactories().Create("TLogDefaultLoggerFactory"));
        }
    }
    if (auto debug = props.Find("applog.configDebug"))
        LogLog().SetInternalDebugging(LogStrToBool(*debug, false));
    if (auto threshold = props.Find("applog.threshold"))
        hierarchy.SetThreshold(TLogLevel::GetLevel(LowerCase(*threshold), TLogLevel::Debug()));
}

void TLogPropertyConfigurator::ConfigureRoot(const TLogProperties& props, TLogHierarchy& hierarchy) {
    const std::string value = props.Value("applog.rootLogger");
    if (value.empty()) {
        LogLog().Debug(std::string_view("Couldn't find root logger information. Is this OK?"));
        return;
    }
    TLogRoot& root = *hierarchy.Root();
    std::lock_guard guard(root.Lock());
    ParseLogger(props, root, value, true);
}

void TLogPropertyConfigurator::ConfigureLoggerLine(const TLogProperties& props, TLogHierarchy& hierarchy,
                                                   const std::string& loggerName, const std::string& value) {
    TLogLogger& logger = *hierarchy.GetLogger(loggerName, LoggerFactory().get());
    std::lock_guard guard(logger.Lock());
    ParseLogger(props, logger, value, false);
    const std::string key = AdditivePrefix + loggerName;
    const std::string additive = props.Value(key);
    LogLog().Debug("Handling %s=\"%s\"", {key, additive});
    if (!additive.empty()) {
        LogLog().Debug("Setting additivity for \"%s\" to \"%s\"", {loggerName, additive});
        logger.SetAdditive(LogStrToBool(additive, true));
    }
}

void TLogPropertyConfigurator::ConfigureRendererLine(TLogHierarchy& hierarchy, const std::string& className,
                                                     const std::string& value) {
    LogLog().Debug("Rendering class: \"%s\", Rendered class: \"%s\"", {value, className});
    if (!LogRenderedClasses().IsRegistered(className)) {
        LogLog().Error("Couldn't find rendered class \"%s\"", {className});
        return;
    }
    std::shared_ptr<ILogRenderer> renderer = LogRenderers().Create(value);
    if (!renderer) {
        LogLog().Error("Couldn't create renderer \"%s\"", {value});
        return;
    }
    hierarchy.AddRenderer(LogRenderedClasses().Create(className).get(), std::move(renderer));
}
