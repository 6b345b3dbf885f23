#pragma once
// TPopupListboxEh: a borderless list that shows on top of everything under an edit control without
// taking the focus from it. Its height is whole rows; it follows the mouse, finds rows as the user
// types, can show an image per row and carries a size grip.
#include <cstdint>
#include <functional>
#include <string>

#include "data_controls/size_grip.h"
#include "platform/ui/list_box.h"

class TCustomImageList;
class TFont;
class TStrings;

using TGetImageIndexEventEh = std::function<void(TObject* Sender, int ItemIndex, int& ImageIndex)>;

class TPopupListboxEh : public TCustomListBox {
  public:
    explicit TPopupListboxEh(TComponent* AOwner);
    ~TPopupListboxEh() override;
    std::string ClassName() const override { return "TPopupListboxEh"; }
    void Dispatch(TMessage& Message) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    // Rows come from this list (not owned) instead of Items while it is set.
    TStrings* ItemsSource() const { return itemsSource_; }
    void SetItemsSource(TStrings* value);
    // Height for that many rows (at least one).
    void SizeForRows(int rows);
    // The rows the list was snapped to at its last sizing.
    int RowCount() const { return rowCount_; }
    // What the frame adds to the rows' height.
    int BorderHeight() const;
    int BorderWidth() const { return borderWidth_; }
    // nullptr once the list is being freed (owned components go first).
    TSizeGripEh* SizeGrip() const { return ComponentState().Contains(csDestroying) ? nullptr : sizeGrip_; }
    // Set by every resize; the owner clears it after sizing the list itself.
    bool SizeGripResized() const { return sizeGripResized_; }
    void SetSizeGripResized(bool value) { sizeGripResized_ = value; }
    const std::string& SearchText() const { return searchText_; }

    TGetImageIndexEventEh OnGetImageIndex;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void KeyPress(char32_t& Key) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    void NCCalcSize(TMessage& Message);
    void NCPaint(TMessage& Message);
    void Ctl3DChanged(TMessage& Message);
    void AddSearchChar(char32_t key);
    void DrawItemWithImage(int Index, TRect Rect, TOwnerDrawState State);
    int RowHeight() const;
    TSizeGripEh* sizeGrip_ = nullptr;
    TCustomImageList* images_ = nullptr;
    TStrings* itemsSource_ = nullptr;
    std::string searchText_;
    std::uint32_t searchTick_ = 0;
    TPoint lastMousePos_{-1, -1};
    int borderWidth_ = 2;
    int rowCount_ = 1;
    bool showsFocus_ = false;
    bool sizeGripResized_ = false;
};

// The height of the control's font on the screen (tmHeight).
int GetFontTextHeight(const TControl* control);
// The height a window's frame adds: what its styles add, and twice the border drawn inside them.
int WindowBorderHeight(DWORD style, DWORD exStyle, int borderWidth);

// The widest of the texts in Font, in pixels: what a drop-down list needs to show them whole.
int WidestTextWidth(const TStrings& Items, const TFont& Font);
