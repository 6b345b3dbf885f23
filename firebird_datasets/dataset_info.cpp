#include "firebird_datasets/dataset_info.h"

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/library_texts.h"
#include "firebird/transaction.h"
#include "firebird_datasets/dataset_info_save.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/metadata_queries.h"
#include "firebird_datasets/repository.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

void CheckMayUseRepository(TpFIBRepository& repository, IFIBRepositoryDataSet& dataSet) {
    TFIBCustomDataSet& owner = dataSet.RepositoryDataSet();
    if (dataSet.RepositoryId() == 0)
        throw Exception(owner.Name() + SDataSetIdNotPositive);
    TFIBDatabase* database = owner.Database();
    if (database == nullptr)
        throw Exception(SDatabaseNotAssigned);
    if (!database->UseRepositories.Contains(urDataSetInfo))
        throw Exception(SDataSetsInfoNotUsed);
    if (!repository.DataSetsInfoTableExists(*database))
        throw Exception(SDataSetsInfoMissing);
}

// The column's text, or nothing when the row has no such column.
bool ReadColumn(TFIBQuery& query, const char* name, std::string& text) {
    TFIBXSQLDA& columns = query.GetFields();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i].VarName == name) {
            text = columns[i].ReadIsNull() ? std::string() : columns[i].ReadAsString();
            return true;
        }
    return false;
}

std::string ColumnText(TFIBQuery& query, const char* name) {
    std::string text;
    ReadColumn(query, name, text);
    return text;
}

void FillFromRow(TFIBQuery& row, TpDataSetInfo& info) {
    info.SelectSQL.SetText(ColumnText(row, "SELECT_SQL"));
    info.UpdateSQL.SetText(ColumnText(row, "UPDATE_SQL"));
    info.InsertSQL.SetText(ColumnText(row, "INSERT_SQL"));
    info.DeleteSQL.SetText(ColumnText(row, "DELETE_SQL"));
    info.RefreshSQL.SetText(ColumnText(row, "REFRESH_SQL"));
    info.KeyField = TrimRight(ColumnText(row, "KEY_FIELD"));
    info.GeneratorName = TrimRight(ColumnText(row, "NAME_GENERATOR"));
    info.Description = TrimRight(ColumnText(row, "DESCRIPTION"));
    // The columns an upgrade adds.
    std::string text;
    if (ReadColumn(row, "FIB$VERSION", text))
        info.Version = StrToIntDef(Trim(text), 0);
    if (ReadColumn(row, "UPDATE_TABLE_NAME", text))
        info.UpdateTableName = TrimRight(text);
    if (ReadColumn(row, "UPDATE_ONLY_MODIFIED_FIELDS", text))
        info.UpdateOnlyModifiedFields = Trim(text) == "1";
    if (ReadColumn(row, "CONDITIONS", text))
        info.Conditions = text;
}

void ReadRow(IFIBRepositoryDataSet& dataSet, TFIBTransaction& transaction, TpDataSetInfo& info) {
    TObjectPtr<TFIBQuery> row = MakeQuery(transaction, DataSetRowSelect(dataSet.RepositoryId()));
    row->ExecQuery();
    if (!row->Eof())
        FillFromRow(*row, info);
}

}  // namespace

TpDataSetInfo::TpDataSetInfo(IFIBRepositoryDataSet& dataSet) : DataSetId(dataSet.RepositoryId()) {
    const TFIBDatabase* database = dataSet.RepositoryDataSet().Database();
    if (database == nullptr || database->DBName().empty())
        throw Exception(SCantGetInfoFor + std::to_string(DataSetId) + "\r\n" + SDatabaseNotAssigned);
    DBName = database->DBName();
}

void ReadDataSetRepositoryInfo(TpFIBRepository& repository, IFIBRepositoryDataSet& dataSet,
                               TpDataSetInfo* info, const TDescriptionQuery& askDescription) {
    CheckMayUseRepository(repository, dataSet);
    TObjectPtr<TFIBTransaction> transaction = MakeComponent<TFIBTransaction>(nullptr);
    transaction->SetDefaultDatabase(dataSet.RepositoryDataSet().Database());
    transaction->StartTransaction();
    if (info != nullptr)
        ReadRow(dataSet, *transaction, *info);
    else
        SaveDataSetRow(dataSet, *transaction, askDescription);
    if (transaction->Active())
        transaction->Commit();
}
