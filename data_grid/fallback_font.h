#pragma once
// A column part's font that follows a fallback (the grid's, the column's) until the user sets it.
#include "platform/rtl/flag_scope.h"
#include "platform/ui/font.h"

// Copies the fallback into the font when it differs in any way, its colour included. `copying` is
// set meanwhile, so the font's change handler can tell the copy from a change of the user's.
inline void AssignFallbackFont(TFont& font, const TFont* fallback, bool& copying) {
    if (fallback == nullptr || fallback == &font || *fallback == font)
        return;
    const TFlagScope scope(copying);
    font.Assign(*fallback);
}
