#pragma once
// '&' accelerators: "&Save" is saved by Alt+S (or S where the focused control types no characters);
// "&&" is a plain ampersand.
#include <string_view>

// True when caption marks ch (either case) as its accelerator.
bool IsAccel(char32_t ch, std::string_view caption);
