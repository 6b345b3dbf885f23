#pragma once
// TMenuWindow: the window of an open popup menu, showing the visible sub-items of one TMenuItem in a
// column: '&' prefixes underlined, shortcut texts right-aligned, separators, check marks, disabled
// items greyed and the highlighted item in the selection colours. The first window of a menu holds
// the mouse capture and the keyboard (the focus staying in the form) until it closes; an item with
// sub-items opens one more window beside it.
#include <functional>
#include <vector>

#include "platform/ui/custom_control.h"
#include "platform/ui/menu_item.h"

class TMenuWindow : public TCustomControl {
  public:
    // Called once when the menu closes: the item chosen, or nullptr.
    using TDoneEvent = std::function<void(TMenuItem* chosen)>;

    TMenuWindow(TComponent* AOwner, TMenuItem* items);
    ~TMenuWindow() override;
    std::string ClassName() const override { return "TMenuWindow"; }
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Shows the items with the window's top-left corner at a screen point (moved to stay on the
    // monitor), takes the mouse and the keyboard; done runs when it closes.
    void Open(TPoint screenPos, TDoneEvent done);
    // Closes without a choice.
    void Cancel() { Finish(nullptr); }

    TMenuItem* Items() const { return items_; }
    // The visible sub-items, as shown from the top.
    const std::vector<TMenuItem*>& Shown() const { return shown_; }
    // Client coordinates of the index-th shown item.
    TRect ItemRect(int index) const;
    // The shown item under a client point; -1: none.
    int ItemAt(TPoint pos) const;
    int Highlighted() const { return highlighted_; }
    // The open sub-menu's window; nullptr: none.
    TMenuWindow* SubMenu() const { return sub_; }

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

  private:
    struct Layout {
        int ItemHeight;
        int CaptionWidth;
        int ShortCutWidth;
    };
    int ItemHeight() const;
    Layout Measure() const;
    TSize ContentSize() const;
    // Shows the window at pos; when it would run off the monitor's right side, its right edge goes to
    // rightEdgeWhenFlipped instead.
    void ShowAt(TPoint pos, int rightEdgeWhenFlipped);
    void PaintItem(TCanvas& canvas, int index, const Layout& layout);
    bool Selectable(int index) const;
    bool HasSubItems(int index) const;
    void Highlight(int index);
    // The next selectable item from the highlighted one (step +1 or -1, wrapping); -1: none.
    int NextSelectable(int step) const;
    // Opens the highlighted item's sub-menu (selectFirst: with its first item highlighted).
    void OpenSubMenu(bool selectFirst);
    void CloseSubMenu();
    // The innermost open window: where keys go.
    TMenuWindow& Innermost();
    TMenuWindow& Root();
    // Runs the highlighted item: opens its sub-menu or chooses it.
    void Choose(int index);
    void Finish(TMenuItem* chosen);

    // Keys and the mouse while open (menu_tracking.cpp).
    void KeyDownWhileOpen(TMessage& Message);
    void CharWhileOpen(TMessage& Message);
    void MouseWhileOpen(TMessage& Message);
    // The window of this menu (this one or its sub-menu) under a screen point; nullptr: outside.
    TMenuWindow* WindowAt(TPoint screen);
    void HoverAt(TPoint screen);
    void ReleaseAt(TPoint screen);

    TMenuItem* items_;
    std::vector<TMenuItem*> shown_;
    int highlighted_ = -1;
    TMenuWindow* sub_ = nullptr;
    TMenuWindow* parentMenu_ = nullptr;
    TDoneEvent done_;
    bool open_ = false;
};
