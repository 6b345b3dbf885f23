#pragma once
// TFont: name, size in points at 96 dots per inch (Height is the negative pixel height), colour and
// style. Changes are reported through OnChange.
#include <string>

#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/events.h"
#include "platform/ui/text_engine.h"

constexpr int ScreenPixelsPerInch = 96;

class TFont : public TPersistent {
  public:
    TFont();
    std::string ClassName() const override { return "TFont"; }
    void Assign(const TPersistent& source) override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Size() const { return size_; }
    void SetSize(int points);
    int Height() const;          // -(pixels), from Size at 96 dpi
    void SetHeight(int height);  // negative: character height; positive: cell height
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

    platform::ui::FontSpec Spec() const;
    bool operator==(const TFont& other) const;

    TNotifyEvent OnChange;

  protected:
    void Changed();

  private:
    std::string name_ = "MS Sans Serif";
    int size_ = 8;
    TColor color_ = clWindowText;
    TFontStyles style_;
};
