#pragma once
// Edit masks as the mask edit takes them: "body[;save literals[;blank]]". In the body
//   L l  a letter (required / optional)      A a  a letter or digit
//   C c  any character                       0 9  a digit            #  a digit, '+' or '-' (optional)
//   >  upper case from here   <  lower case   <>  case as typed   \x  x as a literal
//   !  optional characters stand as leading blanks (the text aligns right)
//   :  the time separator   /  the date separator   _  a blank literal
// and every other character is a literal. The second field '0' keeps literals out of the text;
// the third gives the character shown for a position not yet typed ('_' without it).
#include <string>
#include <string_view>
#include <vector>

class TEditMask {
  public:
    TEditMask() = default;
    // Separators from the locale.
    explicit TEditMask(std::string_view mask);
    TEditMask(std::string_view mask, char dateSeparator, char timeSeparator);

    bool Empty() const { return slots_.empty(); }
    int Length() const { return static_cast<int>(slots_.size()); }
    bool SaveLiterals() const { return saveLiterals_; }
    char32_t Blank() const { return blank_; }

    bool IsLiteral(int pos) const;
    bool IsRequired(int pos) const;
    char32_t LiteralAt(int pos) const;
    // The character as the position stores it (its case applied), or 0 when refused there.
    char32_t Accept(int pos, char32_t ch) const;
    // The first position from pos on (back from pos) that takes input, or -1.
    int NextInput(int pos) const;
    int PreviousInput(int pos) const;

    // Edit text: one character per position, literals in place, Blank() where nothing was typed.
    std::u32string BlankEditText() const;
    std::u32string EditTextOf(std::u32string_view text) const;
    // Brings any text to the edit text's shape: its length, literals in place, refused characters blank.
    std::u32string Normalized(std::u32string_view editText) const;
    // The text a program reads: blanks as spaces, literals only when saved; without saved
    // literals the padding of optional positions is trimmed off.
    std::u32string TextOf(std::u32string_view editText) const;
    // The first required position still blank, or -1 when the edit text is complete.
    int FirstMissing(std::u32string_view editText) const;

  private:
    enum class Case { AsTyped, Upper, Lower };
    struct Slot {
        bool Literal = false;
        char32_t Char = 0;  // the literal, or the mask code
        Case Casing = Case::AsTyped;
    };
    void ParseBody(std::u32string_view body, char dateSeparator, char timeSeparator);
    void ParseOptions(std::u32string_view options);
    int InputCount() const;
    std::vector<Slot> slots_;
    bool saveLiterals_ = true;
    bool alignRight_ = false;
    char32_t blank_ = U'_';
};

// The value shaped by the mask as the edit would show it, blanks as spaces.
std::string FormatMaskText(std::string_view editMask, std::string_view value);
