#pragma once
// The kiosk's settings: every key of section "options" of its settings file, read once at start.
#include <cstdint>
#include <string>

class TIniFile;

// Each member starts at the default of its key, the clock's colour excepted.
struct TKioskSettings {
    std::string Splash;  // a picture shown in place of the built-in background
    std::int32_t UserId = -1;
    std::string Password;
    std::string Host;
    std::int32_t ClinicId = 0;
    std::int32_t InfoPosition = 0;  // 1 centred, 2 at the bottom, anything else at the top
    // The user group ids as JSON text for the lenient parser ("[1, 2]"); a text that does not parse
    // is sent as null (ParseUserGroupIds, app/settings_values.h).
    std::string CheckUserGroupIds = "[]";
    bool CheckTime = false;
    bool CheckLab = false;
    std::int32_t CheckVisitAfter = 0;  // days; sent only above 0
    bool CheckDocument = false;
    bool CheckSocialStatus = false;
    bool CheckBirthplaces = false;
    std::int32_t CheckRegion = 0;  // sent only above 0
    bool CheckRoom = false;
    bool CheckOkato = false;
    bool CheckSmo = false;
    bool CheckEnp = false;
    bool CheckOmsNumber = false;
    bool CheckAreaMo = false;
    std::string MessageTemplate = "Пройдите в кабинет {room}";
    std::string TimeTemplate = "dddd dd.mm.yyyy hh:mm";
    std::int32_t TimeX = 10;
    std::int32_t TimeY = 180;
    // "messageTimeout" (seconds) as the return timer's interval: a negative time counts as 0 (never
    // fires: only OK returns to idle), one past the timer's range is capped.
    std::uint32_t ReturnInterval = 10000;
    std::string TimeFontName = "Verdana";
    std::int32_t TimeFontSize = 16;
    // $00BBGGRR or a system colour. Black until "timeFontColor" has been read, which a colour text
    // that fails to convert never is.
    std::uint32_t TimeFontColor = 0;

    bool operator==(const TKioskSettings&) const = default;
};

// Reads every key; a missing key keeps its default. "timeFontColor" is read last: six characters
// that are not all hexadecimal digits raise EConvertError, with every other value already in settings.
void ReadKioskSettings(const TIniFile& ini, TKioskSettings& settings);
TKioskSettings ReadKioskSettings(const TIniFile& ini);
