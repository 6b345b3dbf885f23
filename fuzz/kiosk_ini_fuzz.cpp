// The kiosk's settings file: TIniFile and the kiosk's reading of every key, user group ids included.
#include <nlohmann/json.hpp>

#include "app/kiosk_settings.h"
#include "app/settings_values.h"
#include "fuzz/fuzz_file.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TIniFile ini(FuzzScratchFile(data, size));
    TKioskSettings settings;
    try {
        ReadKioskSettings(ini, settings);
    } catch (const EConvertError&) {
        // a clock colour that is not hexadecimal: reported at window creation
    }
    (void)ParseUserGroupIds(settings.CheckUserGroupIds);
    for (const std::string& key : ini.ReadSection("options")) StripHash(ini.ReadString("options", key, ""));
    return 0;
}
