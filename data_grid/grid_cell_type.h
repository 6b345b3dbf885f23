#pragma once
// The kind of a grid cell, as GetCellType answers it: the low byte names the horizontal area (the
// indicator column or the data columns), the high byte the vertical one (title row, filter row, data
// rows, the filler row between data and footers, footer rows).
#include <cstdint>

inline constexpr std::uint16_t gctIndicatorEh = 0x0000;
inline constexpr std::uint16_t gctDataColEh = 0x0001;

inline constexpr std::uint16_t gctTitleRowEh = 0x0000;
inline constexpr std::uint16_t gctSubTitleRowEh = 0x0100;
inline constexpr std::uint16_t gctDataRowEh = 0x0200;
inline constexpr std::uint16_t gctFillerRowEh = 0x0300;
inline constexpr std::uint16_t gctFooterRowEh = 0x0400;

constexpr std::uint16_t CellHorzArea(std::uint16_t CellType) {
    return CellType & 0x00FF;
}
constexpr std::uint16_t CellVertArea(std::uint16_t CellType) {
    return CellType & 0xFF00;
}
