// The option sets' older stored names: each boolean read into its element, and written only where
// the element differs from its usual value or from the ancestor's.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/dataset_option_names.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"

namespace {

using namespace std::string_literals;

const TDataSetOptionSets kUsual{
    {poTrimCharFields, poRefreshAfterPost, poStartTransaction, poAutoFormatFields},
    {pfImportDefaultValues, psUseBooleanField, psGetOrderInfo},
    {}};

// Stands in for a dataset: keeps the three sets and stores them under the older names only.
class TOlderNamesHolder : public TComponent {
  public:
    TOlderNamesHolder() : TComponent(nullptr) { SetName("DataSet1"); }
    std::string ClassName() const override { return "TOlderNamesHolder"; }
    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        const auto* ancestor = dynamic_cast<const TOlderNamesHolder*>(filer.Ancestor());
        DefineOlderOptionNames(filer, access_, ancestor ? &ancestor->Sets : nullptr);
    }
    TDataSetOptionSets Sets = kUsual;

  private:
    TDataSetOptionSetsAccess access_{[this] { return Sets; },
                                     [this](const TDataSetOptionSets& s) { Sets = s; }};
};

std::string Body(TOlderNamesHolder& holder, const TOlderNamesHolder* ancestor = nullptr) {
    const std::string text = ComponentToText(holder, ancestor);
    const auto first = text.find('\n') + 1;
    return text.substr(first, text.rfind("end") - first);
}

void Read(TOlderNamesHolder& holder, const std::string& body) {
    TReader("object DataSet1: TOlderNamesHolder\n" + body + "end\n").ReadRootComponent(holder);
}

template <class S, class E>
void Flip(S& set, E element) {
    if (set.Contains(element))
        set.Exclude(element);
    else
        set.Include(element);
}

struct TOlderCase {
    const char* name;
    void (*flip)(TDataSetOptionSets& sets);
    const char* written;  // the value written once flipped away from its usual state
};

template <auto Member, auto Element>
void FlipOf(TDataSetOptionSets& sets) {
    Flip(sets.*Member, Element);
}
constexpr auto P = &TDataSetOptionSets::PrepareOptions;
constexpr auto D = &TDataSetOptionSets::DetailConditions;
constexpr auto O = &TDataSetOptionSets::Options;

const TOlderCase kCases[] = {
    {"poUseBooleanField", FlipOf<P, psUseBooleanField>, "False"},
    {"poUseGuidField", FlipOf<P, psUseGuidField>, "True"},
    {"poImportDefaultValues", FlipOf<P, pfImportDefaultValues>, "False"},
    {"poGetOrderInfo", FlipOf<P, psGetOrderInfo>, "False"},
    {"poSetRequiredFields", FlipOf<P, pfSetRequiredFields>, "True"},
    {"poSetReadOnlyFields", FlipOf<P, pfSetReadOnlyFields>, "True"},
    {"poSQLINT64ToBCD", FlipOf<P, psSQLINT64ToBCD>, "True"},
    {"poApplyRepositary", FlipOf<P, psApplyRepositary>, "True"},
    {"poAskRecordCount", FlipOf<P, psAskRecordCount>, "True"},
    {"poCanEditComputedFields", FlipOf<P, psCanEditComputedFields>, "True"},
    {"WaitEndMasterScroll", FlipOf<D, dcWaitEndMasterScroll>, "True"},
    {"dcForceMasterRefresh", FlipOf<D, dcForceMasterRefresh>, "True"},
    {"dcForceOpen", FlipOf<D, dcForceOpen>, "True"},
    {"dcIgnoreMasterClose", FlipOf<D, dcIgnoreMasterClose>, "True"},
    {"oTrimCharFields", FlipOf<O, poTrimCharFields>, "False"},
    {"oRefreshAfterPost", FlipOf<O, poRefreshAfterPost>, "False"},
    {"oRefreshDeletedRecord", FlipOf<O, poRefreshDeletedRecord>, "True"},
    {"oStartTransaction", FlipOf<O, poStartTransaction>, "False"},
    {"oAutoFormatFields", FlipOf<O, poAutoFormatFields>, "False"},
    {"oProtectedEdit", FlipOf<O, poProtectedEdit>, "True"},
    {"oKeepSorting", FlipOf<O, poKeepSorting>, "True"},
    {"oPersistentSorting", FlipOf<O, poPersistentSorting>, "True"},
    {"oVisibleRecno", FlipOf<O, poVisibleRecno>, "True"},
    {"oNoForceIsNull", FlipOf<O, poNoForceIsNull>, "True"},
    {"oFetchAll", FlipOf<O, poFetchAll>, "True"},
};

TEST(DataSetOlderOptionNames, UsualSetsWriteNothing) {
    TOlderNamesHolder holder;
    EXPECT_EQ(Body(holder), "");
}

TEST(DataSetOlderOptionNames, EachNameIsWrittenAwayFromItsUsualValueAndReadBack) {
    for (const TOlderCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TOlderNamesHolder source;
        c.flip(source.Sets);
        const std::string body = Body(source);
        EXPECT_EQ(body, std::string("  ") + c.name + " = " + c.written + "\n");

        TOlderNamesHolder copy;
        Read(copy, body);
        EXPECT_TRUE(copy.Sets == source.Sets);
    }
}

TEST(DataSetOlderOptionNames, ReadingSetsBothWaysWhateverTheUsualValue) {
    TOlderNamesHolder holder;
    Read(holder,
         "  oTrimCharFields = True\n  oFetchAll = False\n  poUseGuidField = True\n"
         "  poUseBooleanField = False\n  dcForceOpen = True\n");
    TDataSetOptionSets expected = kUsual;
    expected.PrepareOptions.Include(psUseGuidField).Exclude(psUseBooleanField);
    expected.DetailConditions.Include(dcForceOpen);
    EXPECT_TRUE(holder.Sets == expected);
}

TEST(DataSetOlderOptionNames, AnAncestorDecidesWhatIsWritten) {
    TOlderNamesHolder ancestor;
    ancestor.Sets.Options.Include(poFetchAll).Exclude(poTrimCharFields);
    TOlderNamesHolder same;
    same.Sets = ancestor.Sets;
    EXPECT_EQ(Body(same, &ancestor), "");

    // Back to the usual values, which differ from the ancestor's.
    TOlderNamesHolder usual;
    EXPECT_EQ(Body(usual, &ancestor), "  oTrimCharFields = True\n  oFetchAll = False\n");
}

TEST(DataSetOlderOptionNames, ObjectViewIsReadAndDropped) {
    TOlderNamesHolder holder;
    Read(holder, "  ObjectView = True\n");
    EXPECT_TRUE(holder.Sets == kUsual);
    EXPECT_EQ(Body(holder), "");
}

TEST(DataSetOlderOptionNames, ADataSetStoresAndReadsItsOwnSets) {
    TObjectPtr<TFIBDataSet> source = MakeComponent<TFIBDataSet>(nullptr);
    source->SetName("DataSet1");
    source->SetOptions(source->Options().Include(poFetchAll).Exclude(poTrimCharFields));
    source->SetPrepareOptions(source->PrepareOptions().Include(psSQLINT64ToBCD));
    source->SetDetailConditions(source->DetailConditions().Include(dcForceOpen));
    const std::string text = ComponentToText(*source);
    for (const char* line :
         {"oFetchAll = True", "oTrimCharFields = False", "poSQLINT64ToBCD = True", "dcForceOpen = True"})
        EXPECT_NE(text.find("\n  "s + line + "\n"), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("\n  oRefreshAfterPost ="), std::string::npos) << text;

    TObjectPtr<TFIBDataSet> copy = MakeComponent<TFIBDataSet>(nullptr);
    TReader(
        "object DataSet1: TFIBDataSet\n  oFetchAll = True\n  oTrimCharFields = False\n"
        "  poSQLINT64ToBCD = True\n  dcForceOpen = True\nend\n")
        .ReadRootComponent(*copy);
    EXPECT_TRUE(copy->Options() == source->Options());
    EXPECT_TRUE(copy->PrepareOptions() == source->PrepareOptions());
    EXPECT_TRUE(copy->DetailConditions() == source->DetailConditions());
}

}  // namespace
