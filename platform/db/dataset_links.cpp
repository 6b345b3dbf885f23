// A dataset's master source as a published property, and the details that follow it.
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"

void TDataSet::SetDataSource(TDataSource* value) {
    if (value != nullptr)
        DatabaseError("This dataset cannot follow a master source", this);
}

bool TDataSet::IsLinkedTo(const TDataSource* source) const {
    // A circle that does not pass through this dataset would loop for ever; stop after as many
    // steps as there could be distinct datasets on the way.
    for (int steps = 0; source != nullptr && source->DataSet() != nullptr && steps < 10000; ++steps) {
        if (source->DataSet() == this)
            return true;
        source = source->DataSet()->GetDataSource();
    }
    return false;
}

std::vector<TDataSet*> TDataSet::GetDetailDataSets() const {
    std::vector<TDataSet*> details;
    for (const TDataSource* source : dataSources_) {
        for (TDataLink* link : source->links_) {
            auto* detail = dynamic_cast<TDetailDataLink*>(link);
            if (detail != nullptr && detail->DetailDataSet() != nullptr && detail->DetailDataSet()->Active())
                details.push_back(detail->DetailDataSet());
        }
    }
    return details;
}

const TPropertyList& TDataSet::Published() {
    static const TPropertyList list =
        TPublish<TDataSet>(TComponent::Published())
            .Component("MasterSource", &TDataSet::GetDataSource, &TDataSet::SetDataSource)
            .StoredWhen([](const TDataSet& ds) { return ds.GetDataSource() != nullptr; });
    return list;
}
