#pragma once
// IDropDownOwnerEh: what a pop-up (calendar, calculator, list) calls on the control that opened it
// to close it, accepting its choice or not.
#include "platform/os/guid.h"

// {B64255B5-386A-4524-8BC7-7F49DDB410F4}
inline constexpr TGUID IID_IDropDownOwnerEh{
    0xB64255B5, 0x386A, 0x4524, {0x8B, 0xC7, 0x7F, 0x49, 0xDD, 0xB4, 0x10, 0xF4}};

class IDropDownOwnerEh {
  public:
    virtual void CloseDropDown(bool Accept) = 0;

  protected:
    ~IDropDownOwnerEh() = default;
};
