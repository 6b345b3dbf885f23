#pragma once
// The drop-down of remembered texts under an edit control, made, shown and hidden the same way for
// the data-aware edit and for the grid's in-place editor; each owner keeps its own hooks.
#include <string>

#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "platform/ui/mask_edit.h"

// A hidden, sorted list parented to Edit, reporting mouse releases to OnMouseUp.
TMRUListboxEh* NewMRUListBoxFor(TCustomMaskEdit& Edit, TMouseEvent OnMouseUp);
// The edit's text rectangle in screen coordinates: what the list drops down under.
TRect ScreenTextRectOf(TCustomMaskEdit& Edit);
// The list takes the edit's colour and font, rows as high as the font, and no chosen item.
void StyleMRUListBox(TMRUListboxEh& List, TCustomMaskEdit& Edit);
// Shows the list Width wide under TextRect without taking the focus, its size grip reporting to
// OnResized, and marks Settings dropped down.
void ShowMRUListBox(TMRUListboxEh& List, TMRUListEh& Settings, const TRect& TextRect, int Width,
                    TNotifyEvent OnResized);
// Hides the list, Settings marked closed first: the cancel-mode sent to the control holding the mouse
// may come back to close it again. The focus goes back to Edit when the list held it.
void HideMRUListBox(TMRUListboxEh& List, TMRUListEh& Settings, TCustomMaskEdit& Edit);
// Keeps the rows and width the user gave the list for the next time it drops down.
void KeepMRUListBoxSize(const TMRUListboxEh& List, TMRUListEh& Settings);
// Item begins with Prefix, in letter case too when CaseSensitive.
bool MRUItemStartsWith(const std::string& Item, const std::string& Prefix, bool CaseSensitive);
// The text of an empty edit: the mask's blank formatting, or nothing without a mask.
std::string BlankTextOf(const TCustomMaskEdit& Edit);
// A key the open list takes to move its choice: up, down and the page keys without Alt, and
// Ctrl+Home or Ctrl+End.
bool IsMRUListMoveKey(WORD Key, TShiftState Shift);
// Moves the open list under TextRect, its size kept.
void MoveMRUListBox(TMRUListboxEh& List, const TRect& TextRect);
