#include "logging/log_hierarchy.h"

#include <cstdlib>
#include <mutex>

#include "logging/log_internal.h"
#include "logging/log_process_info.h"
#include "logging/log_root.h"
#include "logging/logger.h"
#include "platform/rtl/strings.h"

std::unique_ptr<TLogLogger> TLogDefaultLoggerFactory::MakeNewLoggerInstance(std::string_view name) {
    return std::make_unique<TLogLogger>(std::string(name));
}

ILogLoggerFactory& DefaultLoggerFactory() {
    static TLogDefaultLoggerFactory* factory = new TLogDefaultLoggerFactory;
    return *factory;
}

TLogHierarchy::TLogHierarchy(std::unique_ptr<TLogRoot> root)
    : root_(std::move(root)), threshold_(TLogLevel::All()) {
    root_->SetHierarchy(this);
}

TLogHierarchy::~TLogHierarchy() {
    try {
        Shutdown();
    } catch (...) {
    }
}

TLogLogger* TLogHierarchy::GetLogger(std::string_view name, ILogLoggerFactory* factory) {
    std::lock_guard guard(lock_);
    const std::string key = AnsiLowerCase(name);
    if (auto it = loggers_.find(key); it != loggers_.end())
        return it->second.get();
    std::unique_ptr<TLogLogger> made =
        (factory ? *factory : DefaultLoggerFactory()).MakeNewLoggerInstance(name);
    TLogLogger* logger = made.get();
    logger->SetHierarchy(this);
    loggers_.emplace(key, std::move(made));
    const std::size_t dot = name.rfind('.');
    logger->SetParent(dot == std::string_view::npos ? root_.get() : GetLogger(name.substr(0, dot), factory));
    return logger;
}

TLogLogger* TLogHierarchy::FindLogger(std::string_view name) {
    std::lock_guard guard(lock_);
    auto it = loggers_.find(AnsiLowerCase(name));
    return it == loggers_.end() ? nullptr : it->second.get();
}

std::vector<TLogLogger*> TLogHierarchy::Loggers() {
    std::lock_guard guard(lock_);
    std::vector<TLogLogger*> result;
    for (const auto& [key, logger] : loggers_) result.push_back(logger.get());
    return result;
}

void TLogHierarchy::AddRenderer(const TLogClass* renderedClass, std::shared_ptr<ILogRenderer> renderer) {
    std::lock_guard guard(lock_);
    for (auto& [cls, existing] : renderers_) {
        if (cls == renderedClass) {
            existing = std::move(renderer);
            return;
        }
    }
    renderers_.emplace_back(renderedClass, std::move(renderer));
}

std::shared_ptr<ILogRenderer> TLogHierarchy::FindRenderer(const TLogClass& objectClass) {
    std::lock_guard guard(lock_);
    for (const TLogClass* cls = &objectClass; cls; cls = cls->Parent) {
        for (const auto& [registered, renderer] : renderers_) {
            if (registered == cls)
                return renderer;
        }
    }
    return nullptr;
}

void TLogHierarchy::ResetConfiguration() {
    std::lock_guard guard(lock_);
    root_->SetLevel(TLogLevel::Debug());
    SetThreshold(TLogLevel::All());
    Shutdown();
    for (const auto& [key, logger] : loggers_) {
        logger->SetLevel(nullptr);
        logger->SetAdditive(true);
    }
    renderers_.clear();
}

void TLogHierarchy::Shutdown() {
    std::lock_guard guard(lock_);
    auto closeAll = [](TLogLogger* logger) {
        logger->CloseAllAppenders();
        logger->RemoveAllAppenders();
    };
    closeAll(root_.get());
    for (const auto& [key, logger] : loggers_) closeAll(logger.get());
}

TLogHierarchy& LogHierarchy() {
    // Never freed: a logger held by any object stays valid to the very end of the process.
    // The appenders are closed (their footers written, their files shut) when the process exits.
    static TLogHierarchy* hierarchy = [] {
        LogProcessInfo();  // the start time and the process names, taken when logging starts
        auto* made = new TLogHierarchy(std::make_unique<TLogRoot>(TLogLevel::Error()));
        std::atexit([] { LogHierarchy().Shutdown(); });
        return made;
    }();
    return *hierarchy;
}
