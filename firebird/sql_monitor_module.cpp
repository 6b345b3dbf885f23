#include "firebird/sql_monitor_module.h"

#include <mutex>

TMonitorModule::TMonitorModule(std::string namePrefix, std::size_t queueBound)
    : namePrefix_(std::move(namePrefix)), queueBound_(queueBound) {}

TMonitorModule::~TMonitorModule() {
    shutdown_.store(true);
    std::lock_guard lock(lock_);
    if (writer_) {
        writer_->RequestStop();
        writer_.reset();
    }
    hookView_.store(nullptr);
    hook_.reset();
}

TFIBSQLMonitorHook* TMonitorModule::GetMonitorHook() {
    if (shutdown_.load())
        return nullptr;
    if (TFIBSQLMonitorHook* hook = hookView_.load())
        return hook;
    std::lock_guard lock(lock_);
    if (shutdown_.load())
        return nullptr;
    if (!hook_) {
        hook_ = std::make_unique<TFIBSQLMonitorHook>(*this);
        hookView_.store(hook_.get());
    }
    return hook_.get();
}

void TMonitorModule::QueueTrace(TMonitorChannel& channel, std::string text, int category) {
    std::lock_guard lock(lock_);
    if (shutdown_.load())
        return;
    if (channel.MonitorCount() == 0) {
        writer_.reset();
        return;
    }
    if (!writer_)
        writer_ = std::make_unique<TMonitorWriterThread>(channel, TMonitorWriterFlags{shutdown_, enabled_},
                                                         queueBound_);
    if (!writer_->AddMessage(std::move(text), category))
        writer_.reset();
}

void TMonitorModule::FreeWriterThread() {
    std::lock_guard lock(lock_);
    writer_.reset();
}

bool TMonitorModule::HasWriterThread() {
    std::lock_guard lock(lock_);
    return writer_ != nullptr;
}

std::size_t TMonitorModule::QueuedCount() {
    std::lock_guard lock(lock_);
    return writer_ ? writer_->QueuedCount() : 0;
}

std::size_t TMonitorModule::QueuedBytes() {
    std::lock_guard lock(lock_);
    return writer_ ? writer_->QueuedBytes() : 0;
}

TMonitorModule& DefaultMonitorModule() {
    static TMonitorModule module;
    return module;
}

TFIBSQLMonitorHook* GetMonitorHook() {
    return DefaultMonitorModule().GetMonitorHook();
}

std::atomic<bool>& MonitorHookEnabled() {
    return DefaultMonitorModule().MonitorHookEnabled();
}
