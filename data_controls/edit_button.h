#pragma once
// TEditButtonEh: the stored settings of one button of an edit control; TEditButtonsEh: the extra
// buttons of an edit control. The owning control builds a TEditButtonControlEh from each.
#include <functional>
#include <memory>
#include <string>

#include "data_controls/edit_button_control.h"
#include "platform/rtl/collection.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/shortcuts.h"

class TPopupMenu;
class TWinControl;
class TEditButtonEh;

using TButtonClickEventEh = std::function<void(TObject* Sender, bool& Handled)>;

class TEditButtonEh : public TCollectionItem {
  public:
    using TChangeHook = std::function<void(TEditButtonEh* Button)>;

    // A collection item.
    TEditButtonEh();
    // A button of an edit control's own, outside any collection.
    explicit TEditButtonEh(TWinControl* editControl);
    ~TEditButtonEh() override;
    std::string ClassName() const override { return "TEditButtonEh"; }
    // What stored forms keep of a button (its glyph not yet: pictures have no stored form).
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* value) { dropdownMenu_ = value; }
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap& value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int NumGlyphs() const { return numGlyphs_; }
    // Kept within 1 to 4.
    void SetNumGlyphs(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value) { shortCut_ = value; }
    TEditButtonStyleEh Style() const { return style_; }
    void SetStyle(TEditButtonStyleEh value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // 0 or less: the edit control's default width.
    int Width() const { return width_; }
    void SetWidth(int value);
    TButtonClickEventEh OnClick;
    TButtonDownEventEh OnDown;

    TWinControl* EditControl() const { return editControl_; }
    TChangeHook OnChangeHook;

    void Assign(const TPersistent& source) override;
    // A new button control on the edit control, for this button to drive.
    virtual std::unique_ptr<TEditButtonControlEh> MakeButtonControl() const;

  protected:
    void NotifyChanged();
    bool visible_ = false;

  private:
    TWinControl* editControl_ = nullptr;
    std::unique_ptr<TBitmap> glyph_;
    std::string hint_;
    int numGlyphs_ = 1;
    TEditButtonStyleEh style_ = ebsDropDownEh;
    int width_ = 0;
    TPopupMenu* dropdownMenu_ = nullptr;
    TShortCut shortCut_ = 0;
};

// The main or an extra button, shown and pressed by Alt+Down unless set otherwise.
class TVisibleEditButtonEh : public TEditButtonEh {
  public:
    TVisibleEditButtonEh();
    explicit TVisibleEditButtonEh(TWinControl* editControl);
    std::string ClassName() const override { return "TVisibleEditButtonEh"; }
    // The same properties, with shown and Alt+Down as the defaults of Visible and ShortCut.
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};

class TEditButtonsEh : public TCollection {
  public:
    using TChangeHook = std::function<void(TCollectionItem* Item)>;

    TEditButtonsEh(TPersistent* owner, TCollectionItemClass itemClass);
    std::string ClassName() const override { return "TEditButtonsEh"; }
    TEditButtonEh* GetButton(int index) const { return static_cast<TEditButtonEh*>(Items(index)); }
    TPersistent* GetOwner() const override { return owner_; }
    TChangeHook OnChangeHook;

  protected:
    void Update(TCollectionItem* item) override;

  private:
    TPersistent* owner_;
};
