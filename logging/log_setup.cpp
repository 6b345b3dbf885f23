#include "logging/log_setup.h"

#include <mutex>

#include "logging/log_exception.h"
#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "logging/property_configurator.h"
#include "platform/os/paths.h"
#include "platform/os/replacing_file.h"
#include "platform/rtl/format.h"

namespace {

const char* const ConfigFileName = "applog.cfg";

std::recursive_mutex& SetupLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::string& ConfigDirectoryOverride() {
    static std::string dir;
    return dir;
}

bool& Configured() {
    static bool configured = false;
    return configured;
}

}  // namespace

const std::string& DefaultLogConfigText() {
    static const std::string text =
        "applog.appender.logfile=TLogRollingFileAppender\r\n"
        "applog.appender.logfile.maxFileSize=10000KB\r\n"
        "applog.appender.logfile.maxBackupIndex=3\r\n"
        "applog.appender.logfile.append=true\r\n"
        "applog.appender.logfile.lockingModel=InterProcessLock\r\n"
        "applog.appender.logfile.fileName=app_applog.log\r\n"
        "applog.appender.logfile.layout=TLogPatternLayout\r\n"
        "applog.appender.logfile.layout.dateFormat=yyyy-mm-dd hh:nn:ss.zzz\r\n"
        "applog.appender.logfile.layout.pattern=%d %p [%c] (%h:%w:%a:%t) - %m%n\r\n"
        "\r\n"
        "applog.rootLogger=info,logfile";
    return text;
}

void SetLogConfigDirectory(std::string_view dir) {
    std::lock_guard guard(SetupLock());
    std::string value(dir);
    if (!value.empty() && value.back() != '/')
        value += '/';
    ConfigDirectoryOverride() = value;
}

std::string LogConfigDirectory() {
    std::lock_guard guard(SetupLock());
    const std::string& dir = ConfigDirectoryOverride();
    return dir.empty() ? ExtractFilePath(ExecutablePath()) : dir;
}

std::string EnsureLogConfig() {
    const std::string path = LogConfigDirectory() + ConfigFileName;
    if (FileExists(path))
        return path;
    try {
        // Whole or not at all: a cut-off file would be taken for the configuration at every later start.
        ReplaceFileContents(path, DefaultLogConfigText());
    } catch (const std::exception&) {
        throw ELogException(::Format("Couldn't write configuration file \"%s\"", {path}));
    }
    return path;
}

void ConfigureLogging() {
    std::lock_guard guard(SetupLock());
    if (Configured())
        return;
    LogHierarchy().ResetConfiguration();
    try {
        TLogPropertyConfigurator::Configure(EnsureLogConfig());
    } catch (const std::exception& e) {
        // Without a configuration file the program still runs; its log lines go nowhere.
        LogLog().Error(std::string_view(e.what()));
    }
    Configured() = true;
}
