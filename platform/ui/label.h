#pragma once
// TLabel: text on its parent's background. With AutoSize it takes the size of its text (with
// WordWrap only its height follows, the width stays); with Transparent the parent shows through.
#include "platform/rtl/alignment.h"
#include "platform/ui/graphic_control.h"

class TWinControl;

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* AOwner);
    std::string ClassName() const override { return "TLabel"; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);

    // Accelerators: with ShowAccelChar an '&' underlines the next letter and Alt with that letter
    // focuses FocusControl.
    bool ShowAccelChar = false;
    TWinControl* FocusControl = nullptr;
    void Dispatch(TMessage& Message) override;

  protected:
    void Paint() override;
    void AdjustSize() override;

  private:
    std::vector<std::string> Lines(TCanvas& canvas, int width) const;
    void DrawLine(TCanvas& canvas, const TRect& client, int x, int y, const std::string& line) const;
    // The line as it shows, without its accelerator marks.
    std::string ShownText(const std::string& line) const;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
};

// Splits text into lines that fit width, breaking at blanks (a word wider than the width stands
// alone on its line); line breaks in the text always break.
std::vector<std::string> WrapText(TCanvas& canvas, const std::string& text, int width);
