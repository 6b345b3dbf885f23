#pragma once
// TMRUListboxEh: the drop-down of remembered texts under an edit control. A pop-up list with a
// scroll bar of its own that makes room for the size grip instead of the window's bar.
#include "data_controls/popup_listbox.h"
#include "platform/ui/scroll_bar.h"

class TMRUListboxEh : public TPopupListboxEh {
  public:
    explicit TMRUListboxEh(TComponent* AOwner);
    ~TMRUListboxEh() override;
    std::string ClassName() const override { return "TMRUListboxEh"; }
    void Dispatch(TMessage& Message) override;

    TScrollBar* ScrollBar() const { return scrollBar_; }
    // Shows the bar when the rows overflow and sets it to the rows shown.
    void ArrangeScrollBar();

  protected:
    void CreateParams(TCreateParams& Params) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  private:
    // Along the right edge, clear of a grip standing there.
    void PlaceScrollBar();
    void UpdateScrollBar();
    void ScrollBarWndProc(TMessage& Message);
    TScrollBar* scrollBar_ = nullptr;
    bool movingScrollBar_ = false;
};
