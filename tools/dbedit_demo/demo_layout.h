#pragma once
// Where the rows stand on the form (client coordinates), for the demo's drivers too.
namespace demo_layout {
constexpr int kTop = 10;
constexpr int kRowHeight = 36;
constexpr int kLabelLeft = 10;
constexpr int kControlLeft = 130;
constexpr int kControlWidth = 220;
// The close button stands at the right of the first row, whatever rows follow.
constexpr int kCloseLeft = kControlLeft + kControlWidth + 12;
constexpr int kCloseWidth = 90;
constexpr int kCloseHeight = 26;
// The demo's rows from the top; forms built on it add theirs from kEditDemoRows on.
enum EditDemoRow {
    kNameRow,
    kPolicyRow,
    kCodeRow,
    kCityRow,
    kAmountRow,
    kVisitKindRow,
    kPaidRow,
    kEditDemoRows
};
constexpr int RowTop(int row) {
    return kTop + row * kRowHeight;
}
}  // namespace demo_layout
