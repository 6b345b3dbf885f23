#pragma once
// How LocateEx compares one key value with one field of the record under test.
#include "firebird_datasets/fib_custom_dataset.h"

namespace fiblocate {

struct TKeyMatch {
    bool Matches = false;
    // For a mismatch: the record sought lies before the one tested in the sort order.
    bool TargetBefore = false;
};

// The key as the search uses it: upper-cased for a case-insensitive search on a text field.
Variant PrepareKey(const TField& field, const Variant& key, TExtLocateOptions options);
// Compares a prepared key with the field's value; ascending is the field's sort direction.
TKeyMatch MatchKey(const TField& field, const Variant& key, TExtLocateOptions options, bool ascending);

}  // namespace fiblocate
