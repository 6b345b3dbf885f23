#pragma once
// TDropDownBoxEh: how a combo box's list drops down: its alignment against the box, the rows it
// shows, its width, whether it carries a size grip and whether typing opens it.
#include "data_controls/drop_down_placement.h"
#include "platform/rtl/component.h"

class TDropDownBoxEh : public TPersistent {
  public:
    explicit TDropDownBoxEh(TPersistent* owner = nullptr) : owner_(owner) {}
    std::string ClassName() const override { return "TDropDownBoxEh"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // Copies Align, Rows, Width and Sizable; AutoDrop stays the owner's.
    void Assign(const TPersistent& source) override;

    TDropDownAlign Align() const { return align_; }
    void SetAlign(TDropDownAlign value) { align_ = value; }
    // The first typed character opens the list.
    bool AutoDrop() const { return autoDrop_; }
    void SetAutoDrop(bool value) { autoDrop_ = value; }
    int Rows() const { return rows_; }
    void SetRows(int value) { rows_ = value; }
    // The list shows its size grip.
    bool Sizable() const { return sizable_; }
    void SetSizable(bool value) { sizable_ = value; }
    // 0: the box's width; -1: as wide as the widest item; else this width.
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }

  private:
    TPersistent* owner_;
    TDropDownAlign align_ = daLeft;
    bool autoDrop_ = false;
    int rows_ = 7;
    bool sizable_ = false;
    int width_ = 0;
};
