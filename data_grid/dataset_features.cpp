#include "data_grid/dataset_features.h"

#include <algorithm>
#include <limits>

#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

bool TDatasetFeaturesEh::MoveRecords(TObject* /*Sender*/, const std::vector<std::string>& /*Bookmarks*/,
                                     int /*TargetRecNo*/, bool /*CheckOnly*/) {
    return false;
}
void TDatasetFeaturesEh::ApplySorting(TObject* /*Sender*/, TDataSet* /*DataSet*/, const TSortKeysEh& /*Keys*/,
                                      bool /*IsReopen*/) {}
void TDatasetFeaturesEh::ApplyFilter(TObject* /*Sender*/, TDataSet* /*DataSet*/, bool /*IsReopen*/) {}

int ClassDistance(TClass AClass, const std::string& Name) {
    const std::string wanted = AnsiUpperCase(Name);
    int distance = 0;
    for (TClass c = AClass; c; c = c.ClassParent(), ++distance)
        if (AnsiUpperCase(c.ClassName()) == wanted)
            return distance;
    return std::numeric_limits<int>::max();
}

void TDatasetFeaturesRegistryEh::RegisterDatasetFeatures(const TDatasetFeaturesEhClass& FeaturesClass,
                                                         TClass DataSetClass) {
    if (!DataSetClass)
        return;
    TObjectPtr<TDatasetFeaturesEh> features = FeaturesClass();
    features->SetDataSetClass(DataSetClass);
    const std::string name = DataSetClass.ClassName();
    const auto listed = std::find_if(entries_.begin(), entries_.end(), [&name](const Entry& entry) {
        return AnsiSameText(entry.DataSetClassName, name);
    });
    if (listed != entries_.end())
        listed->Features = std::move(features);
    else
        entries_.push_back({name, std::move(features)});
}

TDatasetFeaturesEh* TDatasetFeaturesRegistryEh::FeaturesForDataSetClass(TClass DataSetClass) const {
    TDatasetFeaturesEh* nearest = nullptr;
    int nearestDistance = std::numeric_limits<int>::max();
    for (const Entry& entry : entries_) {
        const int distance = ClassDistance(DataSetClass, entry.DataSetClassName);
        if (distance < nearestDistance) {
            nearest = entry.Features.get();
            nearestDistance = distance;
        }
    }
    return nearest;
}

TDatasetFeaturesEh* TDatasetFeaturesRegistryEh::FeaturesForDataSet(const TDataSet* DataSet) const {
    return DataSet != nullptr ? FeaturesForDataSetClass(TClass::Of(*DataSet)) : nullptr;
}

void TDatasetFeaturesRegistryEh::UnregisterAllDatasetFeatures() {
    for (Entry& entry : entries_) entry.Features.reset();
    entries_.clear();
}
