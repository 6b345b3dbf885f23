#include "platform/db/boolean_field.h"

#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

namespace {

// Whether `text` is a case-insensitive prefix of `full` (an empty text is a prefix of nothing).
bool IsPrefixOf(const std::string& text, const std::string& full) {
    const std::u32string wide = Utf8ToUtf32(text);
    const std::u32string whole = Utf8ToUtf32(full);
    if (wide.empty() || wide.size() > whole.size())
        return false;
    for (std::size_t i = 0; i < wide.size(); ++i)
        if (UpperCaseChar(wide[i]) != UpperCaseChar(whole[i]))
            return false;
    return true;
}

}  // namespace

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftBoolean);
}

void TBooleanField::SetDisplayValues(const std::string& value) {
    displayValues_ = value;
    const auto semicolon = value.find(';');
    trueText_ = value.substr(0, semicolon);
    falseText_ = semicolon == std::string::npos ? std::string() : value.substr(semicolon + 1);
}

void TBooleanField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else
        SetAsBooleanValue(value.AsBoolean());
}

void TBooleanField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        if (falseText_.empty())
            SetAsBooleanValue(false);
        else if (trueText_.empty())
            SetAsBooleanValue(true);
        else
            Clear();
    } else if (IsPrefixOf(value, falseText_)) {
        SetAsBooleanValue(false);
    } else if (IsPrefixOf(value, trueText_)) {
        SetAsBooleanValue(true);
    } else {
        DatabaseError("'" + value + "' is not a valid boolean value for field '" + DisplayName() + "'");
    }
}

std::string TBooleanField::GetAsString() const {
    if (IsNull())
        return {};
    return AsBoolean() ? trueText_ : falseText_;
}
