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

    const std::string& DateTimeDisplayFormat() const { return dateTimeDisplayFormat_; }
    void SetDateTimeDisplayFormat(const std::string& value) { dateTimeDisplayFormat_ = value; }
    const std::string& DisplayFormatDate() const { return displayFormatDate_; }
    void SetDisplayFormatDate(const std::string& value) { displayFormatDate_ = value; }
    const std::string& DisplayFormatTime() const { return displayFormatTime_; }
    void SetDisplayFormatTime(const std::string& value) { displayFormatTime_ = value; }
    const std::string& NumericDisplayFormat() const { return numericDisplayFormat_; }
    void SetNumericDisplayFormat(const std::string& value) { numericDisplayFormat_ = value; }
    const std::string& NumericEditFormat() const { return numericEditFormat_; }
    void SetNumericEditFormat(const std::string& value) { numericEditFormat_ = value; }

    // What a stored form leaves out: the application's formats while they are in use, else the
    // built-in ones. A format is stored only when it differs.
    TFIBFormatDefaults StoredDefaults() const;
    bool IsDateTimeDisplayFormatStored() const;
    bool IsDisplayFormatDateStored() const { return displayFormatDate_ != StoredDefaults().DateDisplay; }
    bool IsDisplayFormatTimeStored() const { return displayFormatTime_ != StoredDefaults().TimeDisplay; }
    bool IsNumericDisplayFormatStored() const {
        return numericDisplayFormat_ != StoredDefaults().NumericDisplay;
    }
    bool IsNumericEditFormatStored() const { return numericEditFormat_ != StoredDefaults().NumericEdit; }

  protected:
    void AssignTo(TPersistent& dest) const override;

  private:
    void SetFormats(const TFIBFormatDefaults& formats);

    TComponent* owner_;
    const TFIBDatasetsSettings& settings_;
    std::string dateTimeDisplayFormat_;
    std::string displayFormatDate_;
    std::string displayFormatTime_;
    std::string numericDisplayFormat_;
    std::string numericEditFormat_;
};
