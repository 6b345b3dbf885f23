#pragma once
// TCustomDBCheckBoxEh: a three-state check box bound to a field, or unbound and keeping its own
// Boolean value, that paints itself: an edit-button-style box that can be flat and light up under
// the mouse, and the caption beside it. Boolean fields are read directly; other fields by their
// text, matched against the ';'-separated lists ValueChecked and ValueUnchecked.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data_controls/field_data_link.h"
#include "platform/rtl/alignment.h"
#include "platform/ui/button_control.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
// Which side the caption stands on: taLeftJustify or taRightJustify.
using TLeftRight = TAlignment;

inline constexpr std::string_view STextTrue = "True";
inline constexpr std::string_view STextFalse = "False";

class TDataSource;

class TCustomDBCheckBoxEh : public TButtonControl {
  public:
    using TUpdateDataEvent = std::function<void(TObject* Sender, bool& Handled)>;

    explicit TCustomDBCheckBoxEh(TComponent* AOwner);
    ~TCustomDBCheckBoxEh() override;
    std::string ClassName() const override { return "TCustomDBCheckBoxEh"; }
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return GetChecked(); }
    void SetChecked(bool value) override;

    const std::string& ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const std::string& value);
    const std::string& ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const std::string& value);

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    bool AlwaysShowBorder() const { return alwaysShowBorder_; }
    void SetAlwaysShowBorder(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);

    const std::string& DataField() const { return dataLink_.FieldName(); }
    void SetDataField(const std::string& value) { dataLink_.SetFieldName(value); }
    TDataSource* DataSource() const { return dataLink_.BoundDataSource(); }
    void SetDataSource(TDataSource* value);
    TField* Field() const { return dataLink_.FirstField(); }
    bool ReadOnly() const { return dataLink_.ReadOnly(); }
    void SetReadOnly(bool value) { dataLink_.SetReadOnly(value); }
    TFieldDataLinkEh* DataLink() { return &dataLink_; }

    // The control's state differs from what the data last showed.
    bool Modified() const { return modified_; }
    // The state the data shows: the field's value or, unbound, the control's own.
    TCheckBoxState FieldState() const;

    // Runs before the state is written to the data; setting Handled keeps it from being written.
    TUpdateDataEvent OnUpdateData;

    virtual bool IsUnbound() const { return dataLink_.Unbound(); }
    // Sends the change notice (CM_CHANGED), then fires OnClick.
    void Click() override;

  protected:
    bool GetChecked() const override { return state_ == cbChecked; }
    void Paint() override;
    virtual void DrawCaption(TRect rect, bool focused, bool pressed, bool hot);
    virtual void DrawCheckGlyphBox(TRect rect, TCheckBoxState state, bool pressed, bool hot, bool focused);
    virtual void DrawControl(TCheckBoxState state, bool focused, bool pressed, bool hot);
    virtual void ApplyState(TCheckBoxState value);
    virtual void PostStateToField();
    // The next state, when the data can be edited: unchecked, grayed (with AllowGrayed), checked.
    virtual void Toggle();
    virtual void CommitData();

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;

  private:
    // The link's data-change hook: shows the data's state as not modified.
    void DataChange();
    // A press on an unfocused box first takes the focus; false when it did not arrive.
    bool TakeFocusForPress();
    // Leaving the control writes its state; a failure keeps the focus here.
    void CommitOnExit();
    // Lets go of the mouse, ending a left press outside the control.
    void CancelMode(TMessage& Message);

    TFieldDataLinkEh dataLink_{this};
    TCheckBoxState state_ = cbUnchecked;
    std::string valueChecked_{STextTrue};
    std::string valueUnchecked_{STextFalse};
    TLeftRight alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    bool alwaysShowBorder_ = false;
    bool flat_ = false;
    bool modified_ = false;
    bool mouseAboveControl_ = false;
    bool spacePressed_ = false;
    bool dataPosting_ = false;
};

// The published check box; it stores its own settings, the state only when unbound and not
// unchecked.
class TDBCheckBoxEh : public TCustomDBCheckBoxEh {
  public:
    explicit TDBCheckBoxEh(TComponent* AOwner) : TCustomDBCheckBoxEh(AOwner) {}
    std::string ClassName() const override { return "TDBCheckBoxEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};

// Whether text equals one of the ';'-separated entries of list, ignoring letter case.
bool CheckBoxValueInList(std::string_view text, std::string_view list);
// The state a field shows whatever its text: unchecked without a field, grayed when NULL, a
// boolean's own value; nothing when the text decides.
std::optional<TCheckBoxState> CheckBoxStateWithoutText(const TField* field);
// The list's first entry: what a check box writes into a text field.
std::string CheckBoxFirstValue(std::string_view list);
