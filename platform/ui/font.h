#pragma once
// TFont: name, size in points at 96 dots per inch (Height is the negative pixel height), colour and
// style. Changes are reported through OnChange.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/events.h"
#include "platform/ui/text_engine.h"

constexpr int ScreenPixelsPerInch = 96;

// A logical font as the platform describes one; only what this platform's text can show is used
// (height, weight, italic, underline, strike-out, face name and escapement).
struct LOGFONT {
    int lfHeight = 0;  // negative: character height in pixels
    int lfWidth = 0;
    int lfEscapement = 0;  // tenths of a degree
    int lfOrientation = 0;
    int lfWeight = 400;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 1;  // DEFAULT_CHARSET
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;
    bool operator==(const LOGFONT&) const = default;
};
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t OUT_TT_ONLY_PRECIS = 7;
constexpr std::uint8_t CLIP_DEFAULT_PRECIS = 0;
constexpr std::uint8_t DEFAULT_QUALITY = 0;
constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
using HFONT = std::shared_ptr<const LOGFONT>;
HFONT CreateFontIndirect(const LOGFONT& font);

class TFont : public TPersistent {
  public:
    TFont();
    std::string ClassName() const override { return "TFont"; }
    void Assign(const TPersistent& source) override;
    // The same for a font known to be one, without asking the source's class.
    void Assign(const TFont& source);

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

    // A logical font drawn in place of the one the properties make (a turned one); setting the
    // name, size, height or style, even to its own value, makes the font from them again (the
    // colour is no part of it).
    const HFONT& Handle() const { return handle_; }
    void SetHandle(HFONT handle);

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
    HFONT handle_;
};
