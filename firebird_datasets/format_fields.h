#pragma once
// The display and edit formats a dataset gives its date-time and numeric fields.
#include <string>

#include "firebird_datasets/datasets_settings.h"
#include "platform/rtl/component.h"

class TFormatFields : public TPersistent {
  public:
    explicit TFormatFields(TComponent* owner, const TFIBDatasetsSettings& settings = FIBDatasetsSettings());
    std::string ClassName() const override { return "TFormatFields"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    std::string DateTimeDisplayFormat;
    std::string DisplayFormatDate;
    std::string DisplayFormatTime;
    std::string NumericDisplayFormat;
    std::string NumericEditFormat;

    // What a stored form leaves out: the application's formats while they are in use, else the
    // built-in ones. A format is stored only when it differs.
    TFIBFormatDefaults StoredDefaults() const;
    bool IsDateTimeDisplayFormatStored() const;
    bool IsDisplayFormatDateStored() const { return DisplayFormatDate != StoredDefaults().DateDisplay; }
    bool IsDisplayFormatTimeStored() const { return DisplayFormatTime != StoredDefaults().TimeDisplay; }
    bool IsNumericDisplayFormatStored() const {
        return NumericDisplayFormat != StoredDefaults().NumericDisplay;
    }
    bool IsNumericEditFormatStored() const { return NumericEditFormat != StoredDefaults().NumericEdit; }

  protected:
    void AssignTo(TPersistent& dest) const override;

  private:
    void SetFormats(const TFIBFormatDefaults& formats);

    TComponent* owner_;
    const TFIBDatasetsSettings& settings_;
};
