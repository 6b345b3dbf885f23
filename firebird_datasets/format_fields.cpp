#include "firebird_datasets/format_fields.h"

namespace {

// The designer's formats apply to a dataset dropped in the designer, not to one read from a form.
bool MadeInDesigner(const TComponent* owner) {
    if (owner == nullptr || !owner->ComponentState().Contains(csDesigning))
        return false;
    for (const TComponent* c = owner; c != nullptr; c = c->Owner())
        if (c->ComponentState().Contains(csLoading))
            return false;
    return true;
}

// Any text a format can hold differs from it, so the stored-when rule alone decides.
constexpr const char* kNoDefault = "\x01\x02";

}  // namespace

TFormatFields::TFormatFields(TComponent* owner, const TFIBDatasetsSettings& settings)
    : owner_(owner), settings_(settings) {
    if (settings.UseAppDefaultFormats)
        SetFormats(settings.AppFormats);
    else if (MadeInDesigner(owner))
        SetFormats(settings.DesignerFormats);
    else
        SetFormats(TFIBFormatDefaults());
}

void TFormatFields::SetFormats(const TFIBFormatDefaults& formats) {
    dateTimeDisplayFormat_ = formats.DateDisplay + " " + formats.TimeDisplay;
    displayFormatDate_ = formats.DateDisplay;
    displayFormatTime_ = formats.TimeDisplay;
    numericDisplayFormat_ = formats.NumericDisplay;
    numericEditFormat_ = formats.NumericEdit;
}

TFIBFormatDefaults TFormatFields::StoredDefaults() const {
    return settings_.UseAppDefaultFormats ? settings_.AppFormats : TFIBFormatDefaults();
}

bool TFormatFields::IsDateTimeDisplayFormatStored() const {
    const TFIBFormatDefaults defaults = StoredDefaults();
    return dateTimeDisplayFormat_ != defaults.DateDisplay + " " + defaults.TimeDisplay;
}

const TPropertyList& TFormatFields::Published() {
    using T = TFormatFields;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .String("DateTimeDisplayFormat", &T::DateTimeDisplayFormat, &T::SetDateTimeDisplayFormat)
            .Default(kNoDefault)
            .StoredWhen(&T::IsDateTimeDisplayFormatStored)
            .String("DisplayFormatDate", &T::DisplayFormatDate, &T::SetDisplayFormatDate)
            .Default(kNoDefault)
            .StoredWhen(&T::IsDisplayFormatDateStored)
            .String("DisplayFormatTime", &T::DisplayFormatTime, &T::SetDisplayFormatTime)
            .Default(kNoDefault)
            .StoredWhen(&T::IsDisplayFormatTimeStored)
            .String("NumericDisplayFormat", &T::NumericDisplayFormat, &T::SetNumericDisplayFormat)
            .Default(kNoDefault)
            .StoredWhen(&T::IsNumericDisplayFormatStored)
            .String("NumericEditFormat", &T::NumericEditFormat, &T::SetNumericEditFormat)
            .Default(kNoDefault)
            .StoredWhen(&T::IsNumericEditFormatStored);
    return list;
}

void TFormatFields::AssignTo(TPersistent& dest) const {
    auto* target = dynamic_cast<TFormatFields*>(&dest);
    if (target == nullptr) {
        TPersistent::AssignTo(dest);
        return;
    }
    target->dateTimeDisplayFormat_ = dateTimeDisplayFormat_;
    target->displayFormatDate_ = displayFormatDate_;
    target->displayFormatTime_ = displayFormatTime_;
    target->numericDisplayFormat_ = numericDisplayFormat_;
    target->numericEditFormat_ = numericEditFormat_;
}
