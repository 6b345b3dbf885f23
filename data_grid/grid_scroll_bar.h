#pragma once
// A data grid's settings for its horizontal and vertical scroll bar: whether the bar shows (the
// vertical one also when it is needed only), whether dragging the thumb scrolls at once, and a
// scroll-bar control outside the grid that takes the place of the grid's own bar. The external
// control is hooked through its window procedure, so its scrolling reaches the grid.
#include "data_grid/grid_parts.h"
#include "platform/rtl/component.h"
#include "platform/ui/messages.h"
#include "platform/ui/scroll_info.h"

class TCustomDBGridEh;
class TScrollBar;

class TDBGridEhScrollBar : public TPersistent, public IGridScrollBarEh {
  public:
    TDBGridEhScrollBar(TCustomDBGridEh* Grid, TScrollBarKindEh Kind);
    ~TDBGridEhScrollBar() override;
    TDBGridEhScrollBar(const TDBGridEhScrollBar&) = delete;
    TDBGridEhScrollBar& operator=(const TDBGridEhScrollBar&) = delete;
    std::string ClassName() const override { return "TDBGridEhScrollBar"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& Source) override;

    TScrollBarKindEh Kind() const override { return kind_; }
    TComponent* ExtScrollBar() const override;
    // Takes a TScrollBar or nullptr; raises EConvertError for another kind of component.
    void SetExtScrollBar(TComponent* Value) override;
    TScrollBar* ExtScrollBarControl() const { return extScrollBar_; }
    // Raises when another component has already hooked the control; the old attachment then stays.
    void SetExtScrollBarControl(TScrollBar* Value);
    bool Tracking() const override { return tracking_; }
    void SetTracking(bool Value) { tracking_ = Value; }
    TScrollBarVisibleModeEh VisibleMode() const override { return visibleMode_; }
    void SetVisibleMode(TScrollBarVisibleModeEh Value);
    // True unless the mode is never-show; setting it chooses auto-show or never-show.
    bool Visible() const { return visibleMode_ != sbNeverShowEh; }
    void SetVisible(bool Value);
    bool IsShown() const override;
    // The scroll information of the external control, or of the grid window's own bar.
    bool ReadScrollInfo(SCROLLINFO& Info) const;

  protected:
    // The external control's scroll notices reach the grid as its own scroll messages.
    void ExtScrollWindowProc(TMessage& Message);
    TCustomDBGridEh* Grid() const { return grid_; }

  private:
    bool Designing() const;
    void Unhook();

    TCustomDBGridEh* grid_;
    TScrollBar* extScrollBar_ = nullptr;
    TScrollBarKindEh kind_;
    bool tracking_ = false;
    TScrollBarVisibleModeEh visibleMode_ = sbAutoShowEh;
};

class TVertDBGridEhScrollBar : public TDBGridEhScrollBar {
  public:
    explicit TVertDBGridEhScrollBar(TCustomDBGridEh* Grid) : TDBGridEhScrollBar(Grid, sbVerticalEh) {}
    std::string ClassName() const override { return "TVertDBGridEhScrollBar"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};
