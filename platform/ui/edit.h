#pragma once
// TEdit: one line of text the user types into. Characters arrive as WM_CHAR (after OnKeyPress),
// editing keys (arrows, Home, End, Delete) as WM_KEYDOWN; every change of Text fires OnChange.
#include <string>

#include "platform/ui/custom_control.h"

class TEdit : public TCustomControl {
  public:
    explicit TEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TEdit"; }
    void DefaultHandler(TMessage& Message) override;

    // Selects all text when the control takes the focus.
    bool AutoSelect = true;
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool ReadOnly = false;

    // Caret and selection, counted in characters.
    int SelStart() const { return selStart_; }
    void SetSelStart(int value);
    int SelLength() const { return selLength_; }
    void SetSelLength(int value);
    void SelectAll();
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

  protected:
    void Paint() override;
    void TextChanged() override;
    virtual void Change();
    LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void DoEnter() override;

  private:
    void InsertChar(char32_t ch);
    void DeleteSelection(bool forward);
    void Replace(const std::u32string& text, int caret);
    void EditKey(WORD key, TShiftState shift);
    int Length() const;
    int maxLength_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    bool editing_ = false;
};
