#include "logging/log_level.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>

namespace {

struct TLevelList {
    std::mutex Lock;
    std::vector<std::unique_ptr<TLogLevel>> Levels;  // highest value first
    // A replaced level stays alive here: loggers, appenders and filters may still point at it.
    std::vector<std::unique_ptr<TLogLevel>> Retired;

    const TLogLevel* Add(std::unique_ptr<TLogLevel> level) {
        std::lock_guard guard(Lock);
        const TLogLevel* result = level.get();
        auto pos = std::find_if(Levels.begin(), Levels.end(),
                                [&](const auto& l) { return l->Value() <= level->Value(); });
        if (pos != Levels.end() && (*pos)->Value() == level->Value()) {
            Retired.push_back(std::move(*pos));
            *pos = std::move(level);
        } else {
            Levels.insert(pos, std::move(level));
        }
        return result;
    }
};

struct TBuiltInLevels {
    const TLogLevel* All;
    const TLogLevel* Debug;
    const TLogLevel* Info;
    const TLogLevel* Warn;
    const TLogLevel* Error;
    const TLogLevel* Fatal;
    const TLogLevel* Off;
};

TLevelList& LevelList() {
    static TLevelList* list = new TLevelList;  // outlives every static that may still log
    return *list;
}

const TBuiltInLevels& BuiltIns() {
    static const TBuiltInLevels levels = [] {
        TLevelList& list = LevelList();
        TBuiltInLevels l{};
        l.All = list.Add(std::make_unique<TLogLevel>("all", std::numeric_limits<std::int32_t>::min()));
        l.Debug = list.Add(std::make_unique<TLogLevel>("debug", 10000));
        l.Info = list.Add(std::make_unique<TLogLevel>("info", 20000));
        l.Warn = list.Add(std::make_unique<TLogLevel>("warn", 30000));
        l.Error = list.Add(std::make_unique<TLogLevel>("error", 40000));
        l.Fatal = list.Add(std::make_unique<TLogLevel>("fatal", 50000));
        l.Off = list.Add(std::make_unique<TLogLevel>("off", std::numeric_limits<std::int32_t>::max()));
        return l;
    }();
    return levels;
}

}  // namespace

const TLogLevel* TLogLevel::Create(std::string name, std::int32_t value) {
    BuiltIns();
    return LevelList().Add(std::make_unique<TLogLevel>(std::move(name), value));
}

const TLogLevel* TLogLevel::GetLevel(std::string_view name, const TLogLevel* defaultLevel) {
    BuiltIns();
    TLevelList& list = LevelList();
    std::lock_guard guard(list.Lock);
    for (const auto& level : list.Levels) {
        if (level->Name() == name)
            return level.get();
    }
    return defaultLevel;
}

const TLogLevel* TLogLevel::GetLevel(std::string_view name) {
    return GetLevel(name, Debug());
}

std::vector<const TLogLevel*> TLogLevel::Levels() {
    BuiltIns();
    TLevelList& list = LevelList();
    std::lock_guard guard(list.Lock);
    std::vector<const TLogLevel*> result;
    for (const auto& level : list.Levels) result.push_back(level.get());
    return result;
}

const TLogLevel* TLogLevel::All() {
    return BuiltIns().All;
}
const TLogLevel* TLogLevel::Debug() {
    return BuiltIns().Debug;
}
const TLogLevel* TLogLevel::Info() {
    return BuiltIns().Info;
}
const TLogLevel* TLogLevel::Warn() {
    return BuiltIns().Warn;
}
const TLogLevel* TLogLevel::Error() {
    return BuiltIns().Error;
}
const TLogLevel* TLogLevel::Fatal() {
    return BuiltIns().Fatal;
}
const TLogLevel* TLogLevel::Off() {
    return BuiltIns().Off;
}
