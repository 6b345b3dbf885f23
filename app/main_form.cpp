// The kiosk window's creation: logger, settings, splash picture.
#include "app/main_form.h"

#include "api_client/api_client.h"
#include "logging/log_setup.h"
#include "logging/logger.h"
#include "platform/os/paths.h"
#include "platform/rtl/inifile.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"
#include "platform/ui/cursors.h"

TMainForm* MainForm = nullptr;

namespace {
std::string& SettingsFileOverride() {
    static std::string fileName;
    return fileName;
}

void ShowHourglass(bool busy) {
    SetScreenCursor(busy ? crHourGlass : crDefault);
}
}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner), FApiClient(DefaultApiClient()) {
    CreateControls();
    FApiClient.SetBusyHook(ShowHourglass);
}

TMainForm::~TMainForm() = default;

std::string TMainForm::SettingsFileName() {
    if (!SettingsFileOverride().empty())
        return SettingsFileOverride();
    return ChangeFileExt(ExecutablePath(), ".ini");
}

void TMainForm::SetSettingsFileNameForTests(std::string fileName) {
    SettingsFileOverride() = std::move(fileName);
}

void TMainForm::FormCreate(TObject*) {
    FClockBitmap = std::make_unique<TBitmap>();
    ConfigureLogging();
    FLogger = TLogLogger::GetLogger(ClassName());
    FLogger->Info("Start application");
    ReadSettings();
    LoadSplash(FSettings.Splash);
    FormResize(this);
}

void TMainForm::ReadSettings() {
    const TIniFile ini(SettingsFileName());
    // What was read before a failure is in force all the same.
    TScopeExit apply([this] { ApplySettings(); });
    ReadKioskSettings(ini, FSettings);
}

void TMainForm::ApplySettings() {
    FApiClient.SetHost(FSettings.Host);
    ReturnTimer->SetInterval(FSettings.ReturnInterval);
}

void TMainForm::LoadSplash(const std::string& fileName) {
    if (Trim(fileName).empty() || !FileExists(fileName))
        return;
    Image1->Picture()->LoadFromFile(fileName);
}

void TMainForm::FormDestroy(TObject*) {
    FClockBitmap.reset();
}
