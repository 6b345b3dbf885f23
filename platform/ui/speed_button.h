#pragma once
// TSpeedButton: a button without a window that never takes the focus; Flat ones show nothing but
// their caption until pressed. A press released over the button fires OnClick.
// Buttons of one parent with the same GroupIndex (above 0) act as a group: a click holds the button
// down and lets the group's other one up; a down button comes up by a click only with AllowAllUp.
// Glyph holds NumGlyphs pictures side by side: up, disabled, pressed, held down; its bottom-left
// pixel's colour is transparent.
#include <memory>

#include "platform/ui/bitmap.h"
#include "platform/ui/graphic_control.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
  public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    std::string ClassName() const override { return "TSpeedButton"; }

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TButtonState State() const { return state_; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    void Click() override;
    // An accelerator in the caption clicks the button.
    void Dispatch(TMessage& Message) override;

  protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // For buttons that press only a part of themselves and let it up while the mouse is held.
    void SetState(TButtonState value) {
        if (value == state_)
            return;
        state_ = value;
        Invalidate();
    }

  private:
    // Tells the group's other buttons that this one went down, or shares AllowAllUp with them.
    void NotifyGroup();
    void ButtonPressed(int group, TSpeedButton* sender);
    TButtonState RestingState() const { return down_ ? bsExclusive : bsUp; }
    void PaintFrame(TCanvas& canvas, const TRect& r, bool down);
    int PaintGlyph(TCanvas& canvas, const TRect& r, int contentWidth, int shift);
    bool flat_ = false;
    bool dragging_ = false;
    TButtonState state_ = bsUp;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    int numGlyphs_ = 1;
    std::unique_ptr<TBitmap> glyph_;
};
