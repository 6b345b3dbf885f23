#include "firebird_datasets/dataset_option_names.h"

#include <array>

#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

namespace {

struct TOlderName {
    const char* Name;
    bool (*Has)(const TDataSetOptionSets& sets);
    void (*Put)(TDataSetOptionSets& sets, bool on);
    bool Usual;
};

template <auto Member, auto Element>
constexpr TOlderName Older(const char* name, bool usual) {
    return {name, [](const TDataSetOptionSets& sets) { return (sets.*Member).Contains(Element); },
            [](TDataSetOptionSets& sets, bool on) {
                if (on)
                    (sets.*Member).Include(Element);
                else
                    (sets.*Member).Exclude(Element);
            },
            usual};
}

constexpr auto P = &TDataSetOptionSets::PrepareOptions;
constexpr auto D = &TDataSetOptionSets::DetailConditions;
constexpr auto O = &TDataSetOptionSets::Options;

// In the order older forms wrote them.
constexpr std::array kOlderNames = {
    Older<P, psUseBooleanField>("poUseBooleanField", true),
    Older<P, psUseGuidField>("poUseGuidField", false),
    Older<P, pfImportDefaultValues>("poImportDefaultValues", true),
    Older<P, psGetOrderInfo>("poGetOrderInfo", true),
    Older<P, pfSetRequiredFields>("poSetRequiredFields", false),
    Older<P, pfSetReadOnlyFields>("poSetReadOnlyFields", false),
    Older<P, psSQLINT64ToBCD>("poSQLINT64ToBCD", false),
    Older<P, psApplyRepositary>("poApplyRepositary", false),
    Older<P, psAskRecordCount>("poAskRecordCount", false),
    Older<P, psCanEditComputedFields>("poCanEditComputedFields", false),
    Older<D, dcWaitEndMasterScroll>("WaitEndMasterScroll", false),
    Older<D, dcForceMasterRefresh>("dcForceMasterRefresh", false),
    Older<D, dcForceOpen>("dcForceOpen", false),
    Older<D, dcIgnoreMasterClose>("dcIgnoreMasterClose", false),
    Older<O, poTrimCharFields>("oTrimCharFields", true),
    Older<O, poRefreshAfterPost>("oRefreshAfterPost", true),
    Older<O, poRefreshDeletedRecord>("oRefreshDeletedRecord", false),
    Older<O, poStartTransaction>("oStartTransaction", true),
    Older<O, poAutoFormatFields>("oAutoFormatFields", true),
    Older<O, poProtectedEdit>("oProtectedEdit", false),
    Older<O, poKeepSorting>("oKeepSorting", false),
    Older<O, poPersistentSorting>("oPersistentSorting", false),
    Older<O, poVisibleRecno>("oVisibleRecno", false),
    Older<O, poNoForceIsNull>("oNoForceIsNull", false),
    Older<O, poFetchAll>("oFetchAll", false),
};

}  // namespace

void DefineOlderOptionNames(TFiler& filer, const TDataSetOptionSetsAccess& sets,
                            const TDataSetOptionSets* ancestor) {
    const TDataSetOptionSets current = sets.Get();
    for (const TOlderName& older : kOlderNames) {
        const bool on = older.Has(current);
        const bool reference = ancestor ? older.Has(*ancestor) : older.Usual;
        filer.DefineProperty(
            older.Name,
            [&sets, &older](TReader& reader) {
                TDataSetOptionSets changed = sets.Get();
                older.Put(changed, reader.ReadBoolean());
                sets.Set(changed);
            },
            [on](TWriter& writer) { writer.WriteBoolean(on); }, on != reference);
    }
    filer.DefineProperty(
        "ObjectView", [](TReader& reader) { reader.ReadBoolean(); }, {}, false);
}
