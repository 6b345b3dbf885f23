#pragma once
// Registries that make framework objects from class names, as the configuration file gives them.
// Names are compared without regard to letter case; registering a name again replaces it.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "logging/log_exception.h"
#include "logging/log_interfaces.h"

void LogCouldNotFindClass(std::string_view className);
bool LogSameClassName(std::string_view a, std::string_view b);
std::string LogDoesNotImplement(std::string_view className, std::string_view interfaceName);

template <class I>
class TLogClassRegistry {
  public:
    using Maker = std::function<std::shared_ptr<I>()>;

    explicit TLogClassRegistry(std::string interfaceName) : interfaceName_(std::move(interfaceName)) {}

    // Registers T under a name; raises ELogException when T does not provide the interface.
    template <class T>
    void Register(std::string_view className) {
        if constexpr (std::is_base_of_v<I, T> && std::is_default_constructible_v<T>) {
            Register(className, [] { return std::make_shared<T>(); });
        } else {
            throw ELogException(LogDoesNotImplement(className, interfaceName_));
        }
    }

    void Register(std::string_view className, Maker maker) {
        std::lock_guard guard(lock_);
        for (auto& [name, existing] : classes_) {
            if (LogSameClassName(name, className)) {
                name = className;
                existing = std::move(maker);
                return;
            }
        }
        classes_.emplace_back(std::string(className), std::move(maker));
    }

    bool IsRegistered(std::string_view className) const { return static_cast<bool>(FindMaker(className)); }

    // A new object of the named class; no object for an empty name, and for a name not
    // registered the internal error "Couldn't find class %s".
    std::shared_ptr<I> Create(std::string_view className) const {
        if (className.empty())
            return nullptr;
        Maker maker = FindMaker(className);
        if (!maker) {
            LogCouldNotFindClass(className);
            return nullptr;
        }
        return maker();
    }

    std::vector<std::string> ClassNames() const {
        std::lock_guard guard(lock_);
        std::vector<std::string> names;
        for (const auto& entry : classes_) names.push_back(entry.first);
        return names;
    }

  private:
    Maker FindMaker(std::string_view className) const {
        std::lock_guard guard(lock_);
        for (const auto& [name, maker] : classes_) {
            if (LogSameClassName(name, className))
                return maker;
        }
        return nullptr;
    }

    std::string interfaceName_;
    std::vector<std::pair<std::string, Maker>> classes_;
    mutable std::mutex lock_;
};

// The seven process-wide registries, filled with the built-in classes on first use.
TLogClassRegistry<ILogLoggerFactory>& LogLoggerFactories();
TLogClassRegistry<ILogErrorHandler>& LogErrorHandlers();
TLogClassRegistry<ILogLayout>& LogLayouts();
TLogClassRegistry<ILogFilter>& LogFilters();
TLogClassRegistry<ILogAppender>& LogAppenders();
TLogClassRegistry<const TLogClass>& LogRenderedClasses();
TLogClassRegistry<ILogRenderer>& LogRenderers();

// Makes a class known to the renderer lines of the configuration ("applog.renderer." + name).
void RegisterLogRenderedClass(const TLogClass& renderedClass);
