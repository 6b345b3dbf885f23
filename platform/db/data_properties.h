#pragma once
// Looking up a component's data properties by name, as helpers do that know nothing of the
// component's class: a data source answers "DataSet", a dataset "MasterSource".
#include <string_view>

class TComponent;
class TDataSet;
class TDataSource;

// The component a published component property of that name refers to; nullptr when there is
// no such property, it refers to none, or reading it fails.
TComponent* ComponentProperty(const TComponent& component, std::string_view name);
// The dataset named by the component's "DataSet" property.
TDataSet* DataSetProperty(const TComponent& component);
// The data source named by the component's "MasterSource" property.
TDataSource* MasterSourceProperty(const TComponent& component);
