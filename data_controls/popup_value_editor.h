#pragma once
// IPopupValueEditorEh: what a cell editor asks of a pop-up that edits a value (the calculator): may
// Enter close it, its keys' look, and the value it holds.
#include "platform/rtl/variant.h"

class IPopupValueEditorEh {
  public:
    virtual bool EnterClosesPopup() const = 0;
    virtual bool GetFlatKeys() const = 0;
    // An error variant while the pop-up shows an error.
    virtual Variant FetchPopupValue() const = 0;
    virtual void SetFlatKeys(bool Value) = 0;
    virtual void PutPopupValue(const Variant& Value) = 0;

  protected:
    ~IPopupValueEditorEh() = default;
};
