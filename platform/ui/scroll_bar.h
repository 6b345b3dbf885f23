#pragma once
// TScrollBar: a scroll-bar control. Arrows step by SmallChange, the track beside the thumb by
// LargeChange, the thumb drags (scTrack while it moves, scPosition where it is let go); held arrows
// and track repeat. Each step is told to the parent as WM_HSCROLL / WM_VSCROLL with the bar's window
// in LParam, and comes back to the bar as CN_HSCROLL / CN_VSCROLL; there it goes through OnScroll,
// which may change the position it is given, then becomes Position (OnChange).
// Its values are the SB_CTL bar of SetScrollInfo / GetScrollInfo.
#include <functional>
#include <memory>
#include <optional>

#include "platform/ui/custom_control.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/scroll_tracker.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TCustomControl {
  public:
    using Part = platform::ui::ScrollBarPart;

    explicit TScrollBar(TComponent* AOwner);
    ~TScrollBar() override;
    std::string ClassName() const override { return "TScrollBar"; }
    void Dispatch(TMessage& Message) override;

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return values_.Min; }
    int Max() const { return values_.Max; }
    int Position() const { return values_.Pos; }
    int PageSize() const { return static_cast<int>(values_.Page); }
    void SetMin(int value) { SetParams(Position(), value, Max()); }
    void SetMax(int value) { SetParams(Position(), Min(), value); }
    void SetPosition(int value) { SetParams(value, Min(), Max()); }
    void SetPageSize(int value);
    // Sets all three at once; the position is kept within the range (and the last full page).
    void SetParams(int APosition, int AMin, int AMax);
    int SmallChange = 1;
    int LargeChange = 1;
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    // The SB_CTL bar.
    const ScrollBarValues& Values() const { return values_; }
    int SetScrollValues(const SCROLLINFO& info);
    // Where the parts lie in the client area.
    Part PartAt(TPoint pos) const;
    TRect ThumbRect() const;
    TRect PartRect(Part part) const;
    // Runs one scroll step as a click or WM_HSCROLL / WM_VSCROLL would.
    void Scroll(TScrollCode code, int trackPos = 0);

  protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    LRESULT DialogCode() const override { return DLGC_WANTARROWS; }
    virtual void Change();

  private:
    platform::ui::ScrollBarLayout Layout() const;
    // Tells the parent of a step taken by the mouse or the keyboard (the bar itself when it has none).
    void Notify(int code, int pos);
    void ScrollMessage(TMessage& Message);
    void Apply(const ScrollBarValues& values);
    TScrollBarKind kind_ = sbHorizontal;
    ScrollBarValues values_{0, 100, 0, 0, 0};
    std::unique_ptr<platform::ui::ScrollTracker> tracker_;
    std::optional<int> notifiedPos_;  // while a notice travels: the position behind its 16 bits
};
