#pragma once
// The datasets' option sets as older stored forms keep them: one boolean per element under a name
// of its own ("poUseBooleanField", "oTrimCharFields", "dcForceOpen" ...). Forms still carry them
// beside the published sets, so they are read into the sets and written where they matter.
#include <functional>

#include "firebird_datasets/dataset_option_sets.h"
#include "platform/rtl/filer.h"

struct TDataSetOptionSets {
    TpFIBDsOptions Options;
    TpPrepareOptions PrepareOptions;
    TDetailConditions DetailConditions;
    bool operator==(const TDataSetOptionSets&) const = default;
};

// The sets of a dataset, read when the filer asks and changed as each boolean is read.
struct TDataSetOptionSetsAccess {
    std::function<TDataSetOptionSets()> Get;
    std::function<void(const TDataSetOptionSets&)> Set;
};

// Defines every older name on the filer. A boolean is written when its element differs from the
// ancestor's, or without an ancestor from the element's usual value (on for the sets' default
// elements, off for the rest). "ObjectView" is read and dropped.
void DefineOlderOptionNames(TFiler& filer, const TDataSetOptionSetsAccess& sets,
                            const TDataSetOptionSets* ancestor);
