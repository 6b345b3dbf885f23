#pragma once
// The process-wide tree of loggers: names map to loggers, dotted names to their parents.
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logging/log_interfaces.h"
#include "logging/log_level.h"
#include "platform/os/critical_section.h"

class TLogLogger;
class TLogRoot;

class TLogDefaultLoggerFactory : public ILogLoggerFactory {
  public:
    std::unique_ptr<TLogLogger> MakeNewLoggerInstance(std::string_view name) override;
};

// The process-wide default factory.
ILogLoggerFactory& DefaultLoggerFactory();

class TLogHierarchy {
  public:
    explicit TLogHierarchy(std::unique_ptr<TLogRoot> root);
    ~TLogHierarchy();

    // Names are compared without regard to letter case.
    TLogLogger* GetLogger(std::string_view name, ILogLoggerFactory* factory = nullptr);
    TLogLogger* FindLogger(std::string_view name);  // nullptr when not registered
    std::vector<TLogLogger*> Loggers();

    TLogRoot* Root() const { return root_.get(); }
    const TLogLevel* Threshold() const { return threshold_.load(std::memory_order_relaxed); }
    void SetThreshold(const TLogLevel* level) { threshold_.store(level, std::memory_order_relaxed); }

    // Renderers by class: adding one for a class replaces the one it had.
    void AddRenderer(const TLogClass* renderedClass, std::shared_ptr<ILogRenderer> renderer);
    // The renderer of the object's class or of its nearest ancestor that has one.
    std::shared_ptr<ILogRenderer> FindRenderer(const TLogClass& objectClass);

    void ResetConfiguration();
    // Closes and removes the appenders of the root and of every registered logger.
    void Shutdown();

    TCriticalSection& Lock() { return lock_; }

  private:
    std::map<std::string, std::unique_ptr<TLogLogger>> loggers_;  // by lower-cased name
    std::vector<std::pair<const TLogClass*, std::shared_ptr<ILogRenderer>>> renderers_;
    std::unique_ptr<TLogRoot> root_;
    std::atomic<const TLogLevel*> threshold_;
    TCriticalSection lock_;
};

// The one hierarchy of the process.
TLogHierarchy& LogHierarchy();
