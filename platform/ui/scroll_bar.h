#pragma once
// TScrollBar: a scroll-bar control. Arrows step by SmallChange, the track beside the thumb by
// LargeChange, the thumb drags (scTrack while it moves, scPosition where it is let go). Every step goes
// through OnScroll, which may change the position it is given, then becomes Position (OnChange).
// Its values are the SB_CTL bar of SetScrollInfo / GetScrollInfo.
#include <functional>

#include "platform/ui/custom_control.h"
#include "platform/ui/scroll_info.h"

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
    // The parts along the bar, from its start (top or left) to its end.
    enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

    explicit TScrollBar(TComponent* AOwner);
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
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    LRESULT DialogCode() const override { return DLGC_WANTARROWS; }
    virtual void Change();

  private:
    int Length() const;       // along the bar
    int ArrowLength() const;  // each arrow's extent along the bar
    int ThumbLength() const;
    int ThumbOffset() const;  // from the track's start
    int TrackLength() const { return Length() - 2 * ArrowLength(); }
    int Along(TPoint pos) const { return kind_ == sbVertical ? pos.Y : pos.X; }
    int PositionForThumbOffset(int offset) const;
    void Apply(const ScrollBarValues& values);
    TScrollBarKind kind_ = sbHorizontal;
    ScrollBarValues values_{0, 100, 0, 0, 0};
    Part pressed_ = Part::None;
    int dragGrip_ = 0;  // where in the thumb it was taken
};
