#pragma once
// What an edit button shows, and the face the painters draw for it.
#include <cstdint>

enum TEditButtonStyleEh { ebsDropDownEh, ebsEllipsisEh, ebsGlyphEh, ebsUpDownEh, ebsPlusEh, ebsMinusEh };

enum TDrawButtonStyleEh : std::uint8_t {
    dbsDropDownEh,
    dbsEllipsisEh,
    dbsUpDownEh,
    dbsCheckBoxEh,
    dbsPlusEh,
    dbsMinusEh
};

// A glyph button is painted by its own picture; it maps to the up-down face only to fill the table.
constexpr TDrawButtonStyleEh DrawStyleOf(TEditButtonStyleEh style) {
    constexpr TDrawButtonStyleEh table[] = {dbsDropDownEh, dbsEllipsisEh, dbsUpDownEh,
                                            dbsUpDownEh,   dbsPlusEh,     dbsMinusEh};
    return table[style];
}
