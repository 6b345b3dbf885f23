#pragma once
// TFieldDataLinkEh: ties one edit control to one field, or to several fields at once, of the
// dataset behind a data source. With neither a data source nor a field name the link is unbound:
// it keeps the control's value itself, so controls are written once for both cases.
#include <functional>
#include <string>

#include "data_controls/field_lists.h"
#include "platform/db/data_link.h"
#include "platform/rtl/variant.h"

class TComponent;

class TFieldDataLinkEh : public TDataLink {
  public:
    using THook = std::function<void(TFieldDataLinkEh* Sender)>;

    explicit TFieldDataLinkEh(TComponent* control = nullptr) : control_(control) {}

    TComponent* Control() const { return control_; }
    void SetControl(TComponent* value) { control_ = value; }

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& value);
    bool MultiFields() const { return multiFields_; }
    void SetMultiFields(bool value) { multiFields_ = value; }
    const TFieldsArrEh& Fields() const { return fields_; }
    int FieldsCount() const { return static_cast<int>(fields_.size()); }
    TField* FieldsField(int index) const;
    TField* FirstField() const { return fields_.empty() ? nullptr : fields_.front(); }

    void SetDataSource(TDataSource* value);
    TDataSource* BoundDataSource() const { return DataSource(); }

    bool Unbound() const { return unbound_; }
    const Variant& UnboundValue() const { return unboundValue_; }
    // Hides the data link's own flag: unbound, the link alone decides whether it edits.
    bool Editing() const { return editing_; }
    bool Modified() const { return modified_; }
    // The control changed its value since the last load or update.
    void SetModified() { modified_ = true; }

    bool BeginEditing();
    bool IsActive() const;
    bool IsModifiable() const;
    void ReloadRecord() { RecordChanged(nullptr); }
    void SetText(const std::string& text);
    void SetValue(const Variant& value);
    // Hands the control's pending value over (UpdateDataHook) and ends its modification.
    void UpdateData() override;
    // Binds Fields to the names of FieldName; a name the dataset lacks raises and leaves none.
    void ResolveFields();

    THook DataChangeHook;
    THook EditingChangeHook;
    THook UpdateDataHook;
    THook ActiveChangeHook;

  protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override { ResolveFields(); }
    void RecordChanged(TField* field) override;
    void FocusControl(TField* field) override;
    // While the dataset's controls are disabled its fields may be rebuilt: the link lets go of
    // them and binds its names again when the controls are enabled.
    void DataEvent(TDataEvent event, std::intptr_t info) override;

  private:
    void CheckUnbound();
    void SetEditing(bool value);
    void SetSeveralFields(const Variant& value);
    TFieldsArrEh LookUpFields() const;
    static void Fire(const THook& hook, TFieldDataLinkEh* link);

    TComponent* control_;
    std::string fieldName_;
    TFieldsArrEh fields_;
    bool multiFields_ = false;
    bool unbound_ = true;
    Variant unboundValue_ = Variant::Null();
    bool editing_ = false;
    bool modified_ = false;
};
