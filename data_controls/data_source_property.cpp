#include "data_controls/data_source_property.h"

#include "platform/db/data_source.h"
#include "platform/rtl/published_properties.h"

TDataSet* DataSourcePropDataSet(const TPersistent& instance, const TPropInfo& property) {
    if (!property.Get)
        return nullptr;
    try {
        const TPropValue value = property.Get(instance);
        const auto* object = std::get_if<TPersistent*>(&value);
        const auto* source = object != nullptr ? dynamic_cast<const TDataSource*>(*object) : nullptr;
        return source != nullptr ? source->DataSet() : nullptr;
    } catch (...) {
        return nullptr;
    }
}
