#pragma once
// Where the demo form's parts stand (client coordinates).
namespace grid_demo::layout {
constexpr int kMargin = 8;
constexpr int kFormWidth = 820;
constexpr int kGridHeight = 330;
constexpr int kRowsTop = kMargin + kGridHeight + 12;
constexpr int kRowHeight = 32;
constexpr int kLabelWidth = 110;
constexpr int kControlLeft = kMargin + kLabelWidth;
constexpr int kControlWidth = 260;
constexpr int kButtonLeft = kControlLeft + kControlWidth + 40;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 26;
constexpr int kControlRows = 4;
constexpr int kFormHeight = kRowsTop + kControlRows * kRowHeight + kMargin;
constexpr int RowTop(int row) {
    return kRowsTop + row * kRowHeight;
}
}  // namespace grid_demo::layout
