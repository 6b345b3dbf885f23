// The kiosk window's creation: logger, settings, splash picture.
#include "app/main_form.h"

#include <algorithm>
#include <cstdint>

#include "api_client/rest_transport.h"
#include "app/settings_values.h"
#include "logging/log_setup.h"
#include "logging/logger.h"
#include "platform/os/paths.h"
#include "platform/rtl/inifile.h"
#include "platform/rtl/strings.h"

TMainForm* MainForm = nullptr;

namespace {
std::string& SettingsFileOverride() {
    static std::string fileName;
    return fileName;
}
constexpr const char* kSection = "options";
}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) { CreateControls(); }

TMainForm::~TMainForm() = default;

std::string TMainForm::SettingsFileName() {
    if (!SettingsFileOverride().empty()) return SettingsFileOverride();
    return ChangeFileExt(ExecutablePath(), ".ini");
}

void TMainForm::SetSettingsFileNameForTests(std::string fileName) { SettingsFileOverride() = std::move(fileName); }

void TMainForm::FormCreate(TObject*) {
    FClockBitmap = std::make_unique<TBitmap>();
    ConfigureLogging();
    FLogger = TLogLogger::GetLogger(ClassName());
    FLogger->Info("Start application");
    std::string splash;
    {
        const TIniFile ini(SettingsFileName());
        splash = ini.ReadString(kSection, "splash", "");
        ReadSettings(ini);
    }
    LoadSplash(splash);
    FormResize(this);
}

void TMainForm::ReadSettings(const TIniFile& ini) {
    FUserId = ini.ReadInteger(kSection, "user", -1);
    FPassword = ini.ReadString(kSection, "password", "");
    FHost = ini.ReadString(kSection, "host", "");
    SetHost(FHost);
    FClinicId = ini.ReadInteger(kSection, "clinic_id", 0);
    FInfoPosition = ini.ReadInteger(kSection, "info_position", 0);
    FCheckUserGroupIds = nlohmann::ordered_json::parse(
        UserGroupIdsText(ini.ReadString(kSection, "checkUserGroupIds", "")), nullptr, false, true);
    if (FCheckUserGroupIds.is_discarded()) FCheckUserGroupIds = nullptr;
    FCheckTime = ReadIniBool(ini, kSection, "checkTime", false);
    FCheckLab = ReadIniBool(ini, kSection, "checkLab", false);
    FCheckVisitAfter = ini.ReadInteger(kSection, "checkVisitAfter", 0);
    FCheckDocument = ReadIniBool(ini, kSection, "checkDocument", false);
    FCheckSocialStatus = ReadIniBool(ini, kSection, "checkSocialStatus", false);
    FCheckBirthplaces = ReadIniBool(ini, kSection, "checkBirthplaces", false);
    FCheckRegion = ini.ReadInteger(kSection, "checkRegion", 0);
    FCheckRoom = ReadIniBool(ini, kSection, "checkRoom", false);
    FCheckOkato = ReadIniBool(ini, kSection, "checkOkato", false);
    FCheckSmo = ReadIniBool(ini, kSection, "checkSmo", false);
    FCheckEnp = ReadIniBool(ini, kSection, "checkEnp", false);
    FCheckOmsNumber = ReadIniBool(ini, kSection, "checkOmsNumber", false);
    FCheckAreaMo = ReadIniBool(ini, kSection, "checkAreaMo", false);
    FMessageTemplate = ini.ReadString(kSection, "messageTemplate", "Пройдите в кабинет {room}");
    FTimeTemplate = ini.ReadString(kSection, "timeTemplate", "dddd dd.mm.yyyy hh:mm");
    FTimeX = ini.ReadInteger(kSection, "timeX", 10);
    FTimeY = ini.ReadInteger(kSection, "timeY", 180);
    const std::int32_t timeout = ini.ReadInteger(kSection, "messageTimeout", 10);
    // A negative time never fires, like 0: only OK returns to idle then.
    ReturnTimer->SetInterval(static_cast<unsigned>(std::clamp<std::int64_t>(std::int64_t{timeout} * 1000, 0, UINT32_MAX)));
    FTimeFontName = ini.ReadString(kSection, "timeFontName", "Verdana");
    FTimeFontSize = ini.ReadInteger(kSection, "timeFontSize", 16);
    FTimeFontColor = ParseHtmlColor(ini.ReadString(kSection, "timeFontColor", "#FF0000"));
}

void TMainForm::LoadSplash(const std::string& fileName) {
    if (Trim(fileName).empty() || !FileExists(fileName)) return;
    Image1->Picture()->LoadFromFile(fileName);
}

void TMainForm::FormDestroy(TObject*) { FClockBitmap.reset(); }
