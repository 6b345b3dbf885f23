// What stored forms keep of the Firebird field classes beyond the platform's fields.
#include "firebird_datasets/fib_fields.h"

namespace {

constexpr int BcdDefaultSize = 8;

}  // namespace

const TPropertyList& TFIBstringField::Published() {
    static const TPropertyList list =
        TPublish<TFIBstringField>(TComponent::Published())
            .Boolean("EmptyStrToNull", &TFIBstringField::EmptyStrToNull, &TFIBstringField::SetEmptyStrToNull)
            .Default(true);
    return list;
}

const TPropertyList& TFIBIntegerField::Published() {
    static const TPropertyList list =
        TPublish<TFIBIntegerField>(TComponent::Published())
            .Boolean("IsTimeField", &TFIBIntegerField::IsTimeField, &TFIBIntegerField::SetIsTimeField)
            .Default(false);
    return list;
}

const TPropertyList& TFIBFloatField::Published() {
    static const TPropertyList list =
        TPublish<TFIBFloatField>(TComponent::Published())
            .Boolean("RoundByScale", &TFIBFloatField::RoundByScale, &TFIBFloatField::SetRoundByScale)
            .Default(true);
    return list;
}

const TPropertyList& TFIBBCDField::Published() {
    static const TPropertyList list =
        TPublish<TFIBBCDField>(TComponent::Published())
            .Integer("Size", &TFIBBCDField::Size, &TFIBBCDField::SetSize)
            .Default(BcdDefaultSize)
            .Boolean("RoundByScale", &TFIBBCDField::RoundByScale, &TFIBBCDField::SetRoundByScale)
            .Default(true);
    return list;
}

const TPropertyList& TFIBBooleanField::Published() {
    static const TPropertyList list =
        TPublish<TFIBBooleanField>(TComponent::Published())
            .String("StringTrue", &TFIBBooleanField::StringTrue, &TFIBBooleanField::SetStringTrue)
            .StoredWhen([](const TFIBBooleanField& f) { return f.StringTrue() != "True"; })
            .String("StringFalse", &TFIBBooleanField::StringFalse, &TFIBBooleanField::SetStringFalse)
            .StoredWhen([](const TFIBBooleanField& f) { return f.StringFalse() != "False"; });
    return list;
}
