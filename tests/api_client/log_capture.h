#pragma once
// Collects the lines one logger writes, for the life of the object, at the level given.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "logging/custom_appender.h"
#include "logging/log_event.h"
#include "logging/logger.h"

struct CapturedLine {
    const TLogLevel* level;
    std::string text;
};

class CaptureAppender : public TLogCustomAppender {
  public:
    CaptureAppender() : TLogCustomAppender("capture", nullptr) {}
    std::vector<CapturedLine> Lines() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

  protected:
    void Append(const TLogEvent& event) override {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back({event.Level, std::string(event.Message)});
    }
    void DoAppendText(std::string_view) override {}

  private:
    std::mutex mutex_;
    std::vector<CapturedLine> lines_;
};

class LogCapture {
  public:
    LogCapture(const char* loggerName, const TLogLevel* level)
        : logger_(TLogLogger::GetLogger(loggerName)), previous_(logger_->Level()) {
        logger_->SetLevel(level);
        logger_->AddAppender(appender_);
    }
    ~LogCapture() {
        logger_->RemoveAppender(appender_);
        logger_->SetLevel(previous_);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<CapturedLine> Lines() { return appender_->Lines(); }
    std::vector<std::string> Texts(const TLogLevel* level) {
        std::vector<std::string> texts;
        for (auto& line : Lines())
            if (line.level == level)
                texts.push_back(line.text);
        return texts;
    }

  private:
    TLogLogger* logger_;
    const TLogLevel* previous_;
    std::shared_ptr<CaptureAppender> appender_ = std::make_shared<CaptureAppender>();
};
