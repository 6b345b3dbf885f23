#include "firebird/number_utils.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/rtl/strings.h"

namespace {

// Fields of no column round to this many places.
constexpr int NonDataFieldScale = -15;

}  // namespace

TFIBFloatField::TFIBFloatField(TComponent* AOwner) : TFloatField(AOwner) {}

int TFIBFloatField::ScaleForRounding() const {
    if (FieldKind != fkData)
        return NonDataFieldScale;
    TFIBFieldColumn column;
    return FIBFieldColumn(*this, column) ? column.Scale : 0;
}

void TFIBFloatField::SetAsFloatValue(double value) {
    const int scale = roundByScale_ ? ScaleForRounding() : 0;
    if (scale != 0)
        value = static_cast<double>(RoundToDecimals(-scale, value));
    TFloatField::SetAsFloatValue(value);
}

std::string TFIBFloatField::DefaultText(bool displayText) const {
    return Trim(TFloatField::DefaultText(displayText));
}
