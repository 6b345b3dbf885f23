#pragma once
// Saving a dataset's settings into its FIB$DATASETS_INFO row, once ReadDataSetRepositoryInfo has
// checked that the dataset and its database may use the table.
#include <string>

#include "firebird_datasets/dataset_info.h"

class TFIBTransaction;

// The select of the dataset's row.
std::string DataSetRowSelect(int dataSetId);

// Makes the row when missing, asks for the description and writes the settings, in the
// transaction (started), which the caller commits.
void SaveDataSetRow(IFIBRepositoryDataSet& dataSet, TFIBTransaction& transaction,
                    const TDescriptionQuery& askDescription);
