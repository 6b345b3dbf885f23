#pragma once
// The two sides of a grid cell editor: IInplaceEditorEh, what the holder (a grid) sets on the edit
// control it hosts, and IInplaceEditHolderEh, what the hosted editor asks its holder before it acts.
// A control provides an interface by deriving from it; the component owns the object, so neither
// interface frees anything.
#include "platform/os/guid.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/events.h"
#include "platform/ui/messages.h"
#include "platform/ui/win_control.h"

class TControl;
class TFont;

// {81F0C558-B001-4477-BAA6-2DC373FCDF88}
inline constexpr TGUID IID_IInplaceEditorEh{
    0x81F0C558, 0xB001, 0x4477, {0xBA, 0xA6, 0x2D, 0xC3, 0x73, 0xFC, 0xDF, 0x88}};
// {4BE708F1-4EA2-4AC7-BA64-89D7D2B83E09}
inline constexpr TGUID IID_IInplaceEditHolderEh{
    0x4BE708F1, 0x4EA2, 0x4AC7, {0xBA, 0x64, 0x89, 0xD7, 0xD2, 0xB8, 0x3E, 0x09}};

class IInplaceEditorEh {
  public:
    virtual TFont* GetFont() const = 0;
    virtual void AttachEditHolder(TWinControl* Holder) = 0;
    virtual void SetBorderStyle(TBorderStyle Value) = 0;
    virtual void SetFont(const TFont& Value) = 0;
    virtual void SetColor(TColor Value) = 0;
    virtual void SetOnKeyPress(TKeyPressEvent Handler) = 0;
    virtual void SetOnExit(TNotifyEvent Handler) = 0;

  protected:
    ~IInplaceEditorEh() = default;
};

class IInplaceEditHolderEh {
  public:
    virtual bool EditorCanModify(TControl* Editor) = 0;
    // Where and when (a tick count) the holder last saw the mouse pressed, for double clicks that
    // begin on the holder and end on the editor.
    virtual void EditorMouseDownPlace(TPoint& ScreenPoint, DWORD& Time) = 0;
    // Sees every message first; a non-zero Result stops it.
    virtual void EditorWindowProc(TControl* Editor, TMessage& Message) = 0;
    virtual void EditorKeyDown(TControl* Editor, WORD& Key, TShiftState Shift) = 0;
    virtual void EditorKeyPress(TControl* Editor, char32_t& Key) = 0;
    virtual void EditorKeyUp(TControl* Editor, WORD& Key, TShiftState Shift) = 0;

  protected:
    ~IInplaceEditHolderEh() = default;
};
