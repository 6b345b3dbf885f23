#include <algorithm>

#include "firebird_datasets/fib_fields.h"

namespace {

// An array column's record value: the array's identifier.
constexpr int ArrayIdSize = 8;

}  // namespace

TFIBArrayField::TFIBArrayField(TComponent* AOwner) : TBytesField(AOwner) {
    InitSize(ArrayIdSize);
}

std::string TFIBArrayField::GetAsString() const {
    return IsNull() ? "(Array)" : "(ARRAY)";
}

Variant TFIBArrayField::GetAsVariant() const {
    IFIBFieldDataSet* dataSet = FIBFieldDataSet(*this);
    if (dataSet == nullptr)
        return TBytesField::GetAsVariant();
    return dataSet->GetArrayFieldValues(const_cast<TFIBArrayField*>(this));
}

void TFIBArrayField::SetAsVariant(const Variant& value) {
    IFIBFieldDataSet* dataSet = FIBFieldDataSet(*this);
    if (dataSet == nullptr)
        TBytesField::SetAsVariant(value);
    else
        dataSet->SetArrayFieldValues(this, value);
}

void TFIBArrayField::LoadBuffer() {
    const IFIBFieldDataSet* dataSet = FIBFieldDataSet(*this);
    const int size = dataSet == nullptr ? 0 : dataSet->ArrayFieldSize(this);
    arrayBuffer_.assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
    Variant data;
    if (!GetData(data) || !data.IsString())
        return;
    const std::string bytes = data.AsString();
    std::copy_n(bytes.begin(), std::min(bytes.size(), arrayBuffer_.size()), arrayBuffer_.begin());
}

void TFIBArrayField::StoreBuffer() {
    SetData(Variant(std::string(arrayBuffer_.begin(), arrayBuffer_.end())));
}
