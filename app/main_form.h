#pragma once
// The kiosk's one window: an idle screen with a clock over a background picture, a hidden scan box
// that the barcode scanner types into, and the result panel of a ticket check.
#include <cstdint>
#include <memory>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "app/kiosk_settings.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/timer.h"

class TApiClient;
class TLogLogger;

class TMainForm : public TForm {
  public:
    explicit TMainForm(TComponent* AOwner);
    ~TMainForm() override;
    std::string ClassName() const override { return "TMainForm"; }
    void Dispatch(TMessage& Message) override;

    // The settings file: the executable's path with ".ini"; tests may name another one.
    static std::string SettingsFileName();
    static void SetSettingsFileNameForTests(std::string fileName);

    // Controls, as designed; the form owns them all.
    TImage* Image1;
    TLabel* lbConnect;
    TSpeedButton* btExit1;
    TSpeedButton* btExit2;
    TSpeedButton* btExit3;
    TSpeedButton* btDebug;
    TLabel* lbCount;
    TEdit* edTicket;
    TPanel* pnInfo;
    TLabel* lbTitle1;
    TLabel* lbTitle2;
    TLabel* lbTitle3;
    TLabel* lbTitle4;
    TLabel* lbTitle5;
    TSpeedButton* btReturn;
    TPanel* pnData;
    TLabel* lbTicket;
    TLabel* lbVisitDateTime;
    TLabel* lbRoom;
    TLabel* lbSpec;
    TLabel* lbFactDoctor;
    TLabel* lbMessage;
    TLabel* lbNote;
    TEdit* edClear;
    TTimer* MainTimer;
    TTimer* InfoTimer;
    TTimer* ReturnTimer;

    // Window events.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void MainTimerTimer(TObject* Sender);
    void btExit1Click(TObject* Sender);
    void btExit2Click(TObject* Sender);
    void btExit3Click(TObject* Sender);
    void btDebugClick(TObject* Sender);
    void edTicketKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void edTicketChange(TObject* Sender);
    void InfoTimerTimer(TObject* Sender);
    void ReturnTimerTimer(TObject* Sender);
    void btReturnClick(TObject* Sender);

    void LoadSplash(const std::string& fileName);

    // State, readable by tests.
    std::int32_t CheckCount() const { return FCheckCount; }
    bool DebugMode() const { return FDebugMode; }
    std::int32_t ExitStep() const { return FExitStep; }
    std::int32_t DesignWidth() const { return FDesignWidth; }
    std::int32_t DesignHeight() const { return FDesignHeight; }
    TBitmap* ClockBitmap() const { return FClockBitmap.get(); }

    // Settings as read at creation.
    const TKioskSettings& Settings() const { return FSettings; }

  private:
    void CreateControls();
    void ReadSettings();
    void ApplySettings();
    void ShowFirstFrame();
    void ScaleInfoPanel();
    void ScaleLabel(TLabel* label);
    void ScaleButton(TSpeedButton* button);
    void ClearValueLabels();
    void CheckTicket();
    void ShowTicket(const nlohmann::ordered_json& reply);
    nlohmann::ordered_json RequestTicket(std::int32_t number);
    std::string BuildRoomMessage(const nlohmann::ordered_json& reply) const;
    void DiscardPendingInput();

    TLogLogger* FLogger = nullptr;
    std::int32_t FDesignWidth = 0;
    std::int32_t FDesignHeight = 0;
    std::string FDebugBuffer;
    std::int32_t FCheckCount = 0;
    std::int32_t FExitStep = 0;
    bool FDebugMode = false;
    std::unique_ptr<TBitmap> FClockBitmap;
    TKioskSettings FSettings;
    TApiClient& FApiClient;
};

extern TMainForm* MainForm;
