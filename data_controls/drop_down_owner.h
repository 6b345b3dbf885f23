#pragma once
// IDropDownOwnerEh: what a pop-up (calendar, calculator, list) calls on the control that opened it
// to close it, accepting its choice or not.
class IDropDownOwnerEh {
  public:
    virtual void CloseDropDown(bool Accept) = 0;

  protected:
    ~IDropDownOwnerEh() = default;
};
