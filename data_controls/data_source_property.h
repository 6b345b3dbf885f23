#pragma once
// Reading a dataset through a published data-source property of another object ("MasterSource").
class TDataSet;
class TPersistent;
struct TPropInfo;

// The dataset of the data source the property holds; nil when it holds something else, nothing,
// or reading it fails.
TDataSet* DataSourcePropDataSet(const TPersistent& instance, const TPropInfo& property);
