#pragma once
// Edits whose button drops the calendar or the calculator. While the pop-up is open the edit keeps
// the focus and hands it the keys; an accepted close writes the pop-up's value to the field.
#include "data_controls/db_edit.h"

class TPopupMonthCalendarEh;
class TPopupCalculatorEh;

class TPopupEditDemo : public TDBEditEh {
  public:
    explicit TPopupEditDemo(TComponent* AOwner);
    void OpenDropDown() override;
    void DoCloseDropDown(bool Accept) override;
    virtual TWinControl* Popup() const = 0;

  protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoExit() override;
    // Fill the pop-up from the field, and write its value back.
    virtual void PutValue() = 0;
    virtual void TakeValue() = 0;
    // A key pressed while the pop-up is open; false leaves it to come as a typed character.
    virtual bool HandKeyDown(WORD Key);
    // Puts the field's dataset into editing.
    TField* EditedField();

  private:
    // Enter is handed over on key-down; its character must not reach the edit afterwards.
    bool swallowReturn_ = false;
};

class TPopupDateEditDemo : public TPopupEditDemo {
  public:
    explicit TPopupDateEditDemo(TComponent* AOwner);
    TWinControl* Popup() const override;
    TPopupMonthCalendarEh* Calendar() const { return calendar_; }

  protected:
    void PutValue() override;
    void TakeValue() override;

  private:
    TPopupMonthCalendarEh* calendar_ = nullptr;
};

class TPopupSumEditDemo : public TPopupEditDemo {
  public:
    explicit TPopupSumEditDemo(TComponent* AOwner);
    TWinControl* Popup() const override;
    TPopupCalculatorEh* Calculator() const { return calculator_; }

  protected:
    bool HandKeyDown(WORD Key) override;
    void KeyPress(char32_t& Key) override;
    void PutValue() override;
    void TakeValue() override;

  private:
    TPopupCalculatorEh* calculator_ = nullptr;
};
