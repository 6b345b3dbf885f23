#pragma once
// TCustomMaskEdit: an edit whose text follows an edit mask (platform/ui/edit_mask.h). Typing
// overwrites one position at a time and steps over literals; a character the position refuses is
// dropped; Backspace and Delete blank positions rather than close them up. Text is the edit text
// without blanks (and without literals unless the mask saves them); EditText is what is shown.
// Escape puts back the text the edit held before the user's changes.
#include "platform/rtl/exceptions.h"
#include "platform/ui/edit.h"
#include "platform/ui/edit_mask.h"

// The text does not fill the mask's required positions.
class EDBEditError : public Exception {
  public:
    using Exception::Exception;
};

class TCustomMaskEdit : public TEdit {
  public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomMaskEdit"; }

    std::string EditMask() const { return editMask_; }
    void SetEditMask(const std::string& value);
    bool IsMasked() const { return !mask_.Empty(); }
    std::string EditText() const { return EditBuffer(); }
    void SetEditText(const std::string& value);
    // Raises EDBEditError with the caret on the first required position left blank.
    virtual void ValidateEdit();
    // Undoes the user's changes since the text was last set.
    void Reset();

  protected:
    std::string GetText() const override;
    void SetTextBuf(const std::string& value) override;
    void TypeChar(char32_t ch) override;
    void DeleteChars(bool forward) override;
    void InsertText(const std::string& text) override;
    bool EditKey(WORD key, TShiftState shift) override;
    void DoExit() override;
    virtual void ValidateError();

  private:
    // Puts ch at the first input position from pos on; the position after it, or -1 when refused.
    int PlaceChar(std::u32string& text, int pos, char32_t ch) const;
    void BlankRange(std::u32string& text, int start, int end) const;
    TEditMask mask_;
    std::string editMask_;
    std::string savedText_;
};

class TMaskEdit : public TCustomMaskEdit {
  public:
    using TCustomMaskEdit::TCustomMaskEdit;
    std::string ClassName() const override { return "TMaskEdit"; }
};
