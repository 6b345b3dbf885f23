#pragma once
// The filter options a fuzz run asks for, taken from the front of its input.
#include <fuzzer/FuzzedDataProvider.h>

#include "platform/db/expr_parser.h"

inline TFilterOptions ConsumeFilterOptions(FuzzedDataProvider& in) {
    TFilterOptions options;
    if (in.ConsumeBool())
        options = options + TFilterOptions{foCaseInsensitive};
    if (in.ConsumeBool())
        options = options + TFilterOptions{foNoPartialCompare};
    return options;
}
