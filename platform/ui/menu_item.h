#pragma once
// TMenuItem: one item of a menu, with a caption ("-" is a separator), a shortcut, OnClick and
// sub-items. A disabled or hidden item neither clicks nor answers its shortcut.
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/shortcuts.h"

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TMenuItem"; }

    std::string Caption;
    TShortCut ShortCut = scNone;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    // Takes the item in as the last sub-item (its owner stays as it was).
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    bool IsLine() const { return Caption == "-"; }
    // Fires OnClick when enabled.
    virtual void Click();
    // The enabled, visible item here or below whose shortcut this is; nullptr: none.
    TMenuItem* FindShortCut(TShortCut shortCut);
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};
