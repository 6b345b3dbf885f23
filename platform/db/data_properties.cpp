#include "platform/db/data_properties.h"

#include "platform/db/data_source.h"
#include "platform/db/dataset.h"

TComponent* ComponentProperty(const TComponent& component, std::string_view name) {
    const TPropInfo* info = component.PublishedProperties().Find(name);
    if (info == nullptr || info->Kind != pkComponent || !info->Get)
        return nullptr;
    try {
        const TPropValue value = info->Get(component);
        const auto* object = std::get_if<TPersistent*>(&value);
        return object == nullptr ? nullptr : dynamic_cast<TComponent*>(*object);
    } catch (const Exception&) {
        return nullptr;
    }
}

TDataSet* DataSetProperty(const TComponent& component) {
    return dynamic_cast<TDataSet*>(ComponentProperty(component, "DataSet"));
}

TDataSource* MasterSourceProperty(const TComponent& component) {
    return dynamic_cast<TDataSource*>(ComponentProperty(component, "MasterSource"));
}
