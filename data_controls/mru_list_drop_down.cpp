// The drop-down of remembered texts shared by the edit control and the grid's editor.
#include "data_controls/mru_list_drop_down.h"

#include "data_controls/drop_down_placement.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"
#include "platform/ui/edit_mask.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

TMRUListboxEh* NewMRUListBoxFor(TCustomMaskEdit& Edit, TMouseEvent OnMouseUp) {
    auto* list = NewComponent<TMRUListboxEh>(&Edit);
    list->SetVisible(false);
    list->SetCtl3D(false);
    list->SetParentCtl3D(false);
    if (auto* items = dynamic_cast<TStringList*>(list->Items()))
        items->SetSorted(true);
    list->SetParent(&Edit);
    list->OnMouseUp = std::move(OnMouseUp);
    return list;
}

TRect ScreenTextRectOf(TCustomMaskEdit& Edit) {
    TRect rect;
    Edit.Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const TPoint topLeft = Edit.ClientToScreen({rect.Left, rect.Top});
    const TPoint bottomRight = Edit.ClientToScreen({rect.Right, rect.Bottom});
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

void StyleMRUListBox(TMRUListboxEh& List, TCustomMaskEdit& Edit) {
    List.SetColor(Edit.Color());
    List.SetFont(*Edit.Font());
    List.SetItemHeight(GetFontTextHeight(&Edit));
    List.SetItemIndex(-1);
}

void ShowMRUListBox(TMRUListboxEh& List, TMRUListEh& Settings, const TRect& TextRect, int Width,
                    TNotifyEvent OnResized) {
    List.SetWidth(Width);
    const TPoint at = PlaceDropDownByRect(TextRect, &List, daLeft);
    List.SetBounds(at.X, at.Y, List.Width(), List.Height());
    List.SetVisible(true);
    ShowWindow(List.Handle(), SW_SHOWNOACTIVATE);
    if (TSizeGripEh* grip = List.SizeGrip()) {
        grip->SetVisible(true);
        grip->OnParentResized = std::move(OnResized);
    }
    List.ArrangeScrollBar();
    Settings.SetDroppedDown(true);
    List.SetSizeGripResized(false);
}

void HideMRUListBox(TMRUListboxEh& List, TMRUListEh& Settings, TCustomMaskEdit& Edit) {
    Settings.SetDroppedDown(false);
    if (TControl* capture = GetCaptureControl())
        capture->Perform(WM_CANCELMODE);
    if (List.HandleAllocated())
        SetWindowPos(List.Handle(), 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool listFocused = List.Focused();
    List.SetVisible(false);
    if (listFocused && Edit.CanFocus())
        Edit.SetFocus();
}

void KeepMRUListBoxSize(const TMRUListboxEh& List, TMRUListEh& Settings) {
    Settings.SetRows(List.RowCount());
    Settings.SetWidth(List.Width());
}

bool MRUItemStartsWith(const std::string& Item, const std::string& Prefix, bool CaseSensitive) {
    const std::u32string prefix = Utf8ToUtf32(Prefix);
    const std::u32string item = Utf8ToUtf32(Item);
    if (item.size() < prefix.size())
        return false;
    const std::string head = Utf32ToUtf8(item.substr(0, prefix.size()));
    return CaseSensitive ? CompareStr(head, Prefix) == 0 : AnsiCompareText(head, Prefix) == 0;
}

std::string BlankTextOf(const TCustomMaskEdit& Edit) {
    if (!Edit.IsMasked())
        return "";
    return Utf32ToUtf8(TEditMask(Edit.EditMask()).BlankEditText());
}

void MoveMRUListBox(TMRUListboxEh& List, const TRect& TextRect) {
    const TPoint at = PlaceDropDownByRect(TextRect, &List, daLeft);
    SetWindowPos(List.Handle(), 0, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

bool IsMRUListMoveKey(WORD Key, TShiftState Shift) {
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            return !Shift.Contains(ssAlt);
        case VK_HOME:
        case VK_END:
            return Shift.Contains(ssCtrl);
        default:
            return false;
    }
}
