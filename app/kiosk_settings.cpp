#include "app/kiosk_settings.h"

#include <algorithm>

#include "app/settings_values.h"
#include "platform/rtl/inifile.h"

namespace {

constexpr const char* kSection = "options";

std::uint32_t ReturnInterval(std::int32_t seconds) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(std::int64_t{seconds} * 1000, 0, UINT32_MAX));
}

void ReadLogin(const TIniFile& ini, TKioskSettings& s) {
    s.UserId = ini.ReadInteger(kSection, "user", -1);
    s.Password = ini.ReadString(kSection, "password", "");
    s.Host = ini.ReadString(kSection, "host", "");
    s.ClinicId = ini.ReadInteger(kSection, "clinic_id", 0);
    s.InfoPosition = ini.ReadInteger(kSection, "info_position", 0);
}

void ReadChecks(const TIniFile& ini, TKioskSettings& s) {
    s.CheckUserGroupIds = UserGroupIdsText(ini.ReadString(kSection, "checkUserGroupIds", ""));
    s.CheckTime = ReadIniBool(ini, kSection, "checkTime", false);
    s.CheckLab = ReadIniBool(ini, kSection, "checkLab", false);
    s.CheckVisitAfter = ini.ReadInteger(kSection, "checkVisitAfter", 0);
    s.CheckDocument = ReadIniBool(ini, kSection, "checkDocument", false);
    s.CheckSocialStatus = ReadIniBool(ini, kSection, "checkSocialStatus", false);
    s.CheckBirthplaces = ReadIniBool(ini, kSection, "checkBirthplaces", false);
    s.CheckRegion = ini.ReadInteger(kSection, "checkRegion", 0);
    s.CheckRoom = ReadIniBool(ini, kSection, "checkRoom", false);
    s.CheckOkato = ReadIniBool(ini, kSection, "checkOkato", false);
    s.CheckSmo = ReadIniBool(ini, kSection, "checkSmo", false);
    s.CheckEnp = ReadIniBool(ini, kSection, "checkEnp", false);
    s.CheckOmsNumber = ReadIniBool(ini, kSection, "checkOmsNumber", false);
    s.CheckAreaMo = ReadIniBool(ini, kSection, "checkAreaMo", false);
}

void ReadScreen(const TIniFile& ini, TKioskSettings& s) {
    s.MessageTemplate = ini.ReadString(kSection, "messageTemplate", "Пройдите в кабинет {room}");
    s.TimeTemplate = ini.ReadString(kSection, "timeTemplate", "dddd dd.mm.yyyy hh:mm");
    s.TimeX = ini.ReadInteger(kSection, "timeX", 10);
    s.TimeY = ini.ReadInteger(kSection, "timeY", 180);
    s.ReturnInterval = ReturnInterval(ini.ReadInteger(kSection, "messageTimeout", 10));
    s.TimeFontName = ini.ReadString(kSection, "timeFontName", "Verdana");
    s.TimeFontSize = ini.ReadInteger(kSection, "timeFontSize", 16);
    s.TimeFontColor = ParseHtmlColor(ini.ReadString(kSection, "timeFontColor", "#FF0000"));
}

}  // namespace

void ReadKioskSettings(const TIniFile& ini, TKioskSettings& settings) {
    settings.Splash = ini.ReadString(kSection, "splash", "");
    ReadLogin(ini, settings);
    ReadChecks(ini, settings);
    ReadScreen(ini, settings);
}

TKioskSettings ReadKioskSettings(const TIniFile& ini) {
    TKioskSettings settings;
    ReadKioskSettings(ini, settings);
    return settings;
}
