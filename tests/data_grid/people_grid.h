#pragma once
// A grid over a small table of people: ID, NAME and CITY in an in-memory dataset, one column each.
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "tests/support/memory_dataset.h"

// Fills DataSet with the people (texts of TextSize characters), opens it through a new source owned
// by Owner and gives Grid a column for each field; returns the source.
template <class Person>
TDataSource* ShowPeopleInGrid(TCustomDBGridEh& Grid, TMemoryDataSet& DataSet,
                              const std::vector<Person>& People, int TextSize, TComponent* Owner) {
    DataSet.SetColumns({"ID", "NAME", "CITY"});
    DataSet.SetColumnType(0, ftInteger);
    DataSet.SetColumnType(1, ftString, TextSize);
    DataSet.SetColumnType(2, ftString, TextSize);
    for (const Person& p : People) DataSet.AddRow({Variant(p.id), Variant(p.name), Variant(p.city)});
    TDataSource* source = NewComponent<TDataSource>(Owner);
    source->SetDataSet(&DataSet);
    DataSet.Open();
    auto& columns = static_cast<TDBGridColumnsEh&>(*Grid.Columns());
    for (const char* name : {"ID", "NAME", "CITY"}) columns.Add()->SetFieldName(name);
    Grid.SetDataSource(source);
    return source;
}
