#pragma once
// TCustomListBox: a list of rows of one height, drawn by the list itself or by its owner (OnDrawItem),
// with the rows kept in Items or, in the virtual styles, asked for by index (OnData). One row may be
// selected (ItemIndex); TopIndex is the first row shown and the window's vertical bar follows it,
// showing while the rows overflow. Rows the list draws itself are as high as a line of its font;
// owner-drawn rows are ItemHeight high. The LB_ messages read and set the same state.
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/string_list.h"
#include "platform/ui/custom_control.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbVirtual, lbVirtualOwnerDraw };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TLBGetDataEvent = std::function<void(TWinControl* Control, int Index, std::string& Data)>;

constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMRECT = 0x0198;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_SETCOUNT = 0x01A7;
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
constexpr LRESULT LB_ERR = -1;

class TCustomListBox : public TCustomControl {
  public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    std::string ClassName() const override { return "TCustomListBox"; }
    void Dispatch(TMessage& Message) override;

    TStrings* Items() const { return items_.get(); }
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    bool IsVirtual() const { return style_ == lbVirtual || style_ == lbVirtualOwnerDraw; }
    // The rows: Items' count, or the count set for the virtual styles.
    int Count() const;
    void SetCount(int value);
    // The rows' height: the font's line height for the styles the list draws itself, else the
    // height set (which those styles keep for when they are owner-drawn).
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool IsOwnerDraw() const { return style_ == lbOwnerDrawFixed || style_ == lbVirtualOwnerDraw; }
    // -1: none selected. Setting it shows the row.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    // The rows that fit whole in the client area (at least 1).
    int VisibleRows() const;
    // The row at a client point; -1 past the last row when Existing, else the row number there.
    int ItemAtPos(TPoint pos, bool Existing) const;
    TRect ItemRect(int index) const;
    std::string ItemText(int index) const;
    // The first row from after start on (wrapping round) that begins with text, case aside; -1: none.
    int FindPrefix(const std::string& text, int start) const;

    TDrawItemEvent OnDrawItem;
    TLBGetDataEvent OnData;

  protected:
    void Paint() override;
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void Resize() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void FontChanged() override;

  private:
    bool HandleListMessage(TMessage& Message);
    void WMVScroll(TMessage& Message);
    // A selection the user made: shown, then OnClick.
    void SelectByUser(int index);
    void ShowRow(int index);
    int MaxTopIndex() const;
    void UpdateScrollBar();
    void ItemsChanged();
    std::unique_ptr<TStrings> items_;
    TListBoxStyle style_ = lbStandard;
    int virtualCount_ = 0;
    int itemHeight_ = 16;
    mutable int fontRowHeight_ = 0;  // measured on first use after a font change
    bool hasScrollBar_ = false;      // the window was made with WS_VSCROLL
    int itemIndex_ = -1;
    int topIndex_ = 0;
};

class TListBox : public TCustomListBox {
  public:
    using TCustomListBox::TCustomListBox;
    std::string ClassName() const override { return "TListBox"; }
};
