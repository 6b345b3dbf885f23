// The kiosk's settings file: TIniFile and the readers of the kiosk's setting values.
#include <nlohmann/json.hpp>

#include "app/settings_values.h"
#include "fuzz/fuzz_file.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TIniFile ini(FuzzScratchFile(data, size));
    for (const std::string& key : ini.ReadSection("options")) {
        ini.ReadInteger("options", key, 0);
        ReadIniBool(ini, "options", key, false);
        const std::string text = ini.ReadString("options", key, "");
        StripHash(text);
        (void)nlohmann::ordered_json::parse(UserGroupIdsText(text), nullptr, false, true);
        try {
            ParseHtmlColor(text);
        } catch (const Exception&) {
        }
    }
    return 0;
}
