// Matching one key value: NULL only meets NULL, other values are compared in the key's type, texts
// by prefix, "%" pattern or equality. The direction of a mismatch follows the sort's comparison,
// which ranks NULL first.
#include "firebird_datasets/locate_match.h"

#include "firebird/wildcards.h"
#include "firebird_datasets/filter_variant_ops.h"
#include "platform/rtl/strings.h"

namespace fiblocate {
namespace {

bool IsTextField(const TField& field) {
    return field.DataType() == ftString;
}

bool TextMatches(const std::string& value, const std::string& key, TExtLocateOptions options) {
    if (options.Contains(eloPartialKey))
        return value.compare(0, key.size(), key) == 0;
    if (options.Contains(eloWildCards))
        return MatchLikePattern(value, key);
    return value == key;
}

bool ValueMatches(const Variant& value, const Variant& key, TExtLocateOptions options) {
    if (key.IsString())
        return TextMatches(value.AsString(), key.AsString(), options);
    if (key.IsEmpty() || value.IsEmpty())
        return key.IsEmpty() && value.IsEmpty();
    return value == key;
}

// The field's value in the key's type; Empty when it has none or does not convert.
bool ReadFieldValue(const TField& field, const Variant& key, TExtLocateOptions options, Variant& value) {
    try {
        value = key.IsString() ? Variant(field.AsString()) : field.Value();
        if (key.IsString() && options.Contains(eloCaseInsensitive) && IsTextField(field))
            value = AnsiUpperCase(value.AsString());
        if (!key.IsEmpty() && !value.IsEmpty())
            value = VarAsType(value, key.VarType());
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool KeyAbove(const Variant& key, const Variant& value) {
    try {
        return filter_variants::Compare(key, value) > 0;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

Variant PrepareKey(const TField& field, const Variant& key, TExtLocateOptions options) {
    if (options.Contains(eloCaseInsensitive) && IsTextField(field) && !key.IsNull() && !key.IsEmpty())
        return AnsiUpperCase(key.AsString());
    return key;
}

TKeyMatch MatchKey(const TField& field, const Variant& key, TExtLocateOptions options, bool ascending) {
    const bool fieldNull = field.IsNull();
    Variant value = Variant::Null();
    bool matches = false;
    if (key.IsNull()) {
        matches = fieldNull;
    } else if (!fieldNull && ReadFieldValue(field, key, options, value)) {
        matches = ValueMatches(value, key, options);
    }
    if (matches || !options.Contains(eloInSortedDS))
        return {matches, false};
    return {false, ascending != KeyAbove(key, value)};
}

}  // namespace fiblocate
