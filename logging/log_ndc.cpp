#include "logging/log_ndc.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/os/sysinfo.h"
#include "platform/rtl/strings.h"

namespace {

struct TNDCMap {
    std::mutex Lock;
    std::map<std::string, std::vector<std::string>> Items;  // by thread id as decimal text
};

TNDCMap& NDCMap() {
    static TNDCMap* map = new TNDCMap;
    return *map;
}

std::string ThreadKey() {
    return IntToStr(GetCurrentThreadId());
}

}  // namespace

void TLogNDC::Push(std::string_view context) {
    TNDCMap& map = NDCMap();
    std::lock_guard guard(map.Lock);
    map.Items[ThreadKey()].emplace_back(context);
}

std::string TLogNDC::Pop() {
    TNDCMap& map = NDCMap();
    std::lock_guard guard(map.Lock);
    auto it = map.Items.find(ThreadKey());
    if (it == map.Items.end() || it->second.empty())
        return {};
    std::string last = std::move(it->second.back());
    it->second.pop_back();
    if (it->second.empty())
        map.Items.erase(it);
    return last;
}

void TLogNDC::Clear() {
    TNDCMap& map = NDCMap();
    std::lock_guard guard(map.Lock);
    map.Items.erase(ThreadKey());
}

int TLogNDC::Depth() {
    TNDCMap& map = NDCMap();
    std::lock_guard guard(map.Lock);
    auto it = map.Items.find(ThreadKey());
    return it == map.Items.end() ? 0 : static_cast<int>(it->second.size());
}

std::string TLogNDC::Get() {
    TNDCMap& map = NDCMap();
    std::lock_guard guard(map.Lock);
    auto it = map.Items.find(ThreadKey());
    if (it == map.Items.end())
        return {};
    std::string joined;
    for (const auto& item : it->second) {
        if (&item != &it->second.front())
            joined += '|';
        joined += item;
    }
    return joined;
}
