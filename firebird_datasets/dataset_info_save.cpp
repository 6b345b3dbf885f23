#include "firebird_datasets/dataset_info_save.h"

#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "firebird/library_texts.h"
#include "firebird/transaction.h"
#include "firebird_datasets/auto_update_options.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/metadata_queries.h"
#include "firebird_datasets/repository_upgrade.h"

namespace {

std::string UpdateSQL(int id) {
    return "UPDATE FIB$DATASETS_INFO SET "
           "SELECT_SQL=?SELECT_SQL,DESCRIPTION=?DESCRIPTION,UPDATE_SQL=?UPDATE_SQL,"
           "INSERT_SQL=?INSERT_SQL,DELETE_SQL=?DELETE_SQL,REFRESH_SQL=?REFRESH_SQL,NAME_GENERATOR=?NAME_"
           "GENERATOR,"
           "KEY_FIELD=?KEY_FIELD, UPDATE_TABLE_NAME=?UPDATE_TABLE_NAME, "
           "UPDATE_ONLY_MODIFIED_FIELDS=?UPDATE_ONLY_MODIFIED_FIELDS, CONDITIONS=?CONDITIONS WHERE DS_ID=" +
           std::to_string(id);
}

std::string InsertSQL(int id) {
    return "INSERT INTO FIB$DATASETS_INFO (DS_ID,UPDATE_ONLY_MODIFIED_FIELDS) VALUES(" + std::to_string(id) +
           ",1)";
}

// The update statement, prepared; a table of an older layout is upgraded first.
TObjectPtr<TFIBQuery> PreparedUpdate(TFIBTransaction& transaction, int id) {
    TObjectPtr<TFIBQuery> update = MakeQuery(transaction, UpdateSQL(id));
    try {
        update->Prepare();
    } catch (const EFIBError&) {
        UpgradeDataSetsInfoTable(transaction);
        transaction.StartTransaction();
        update = MakeQuery(transaction, UpdateSQL(id));
        update->Prepare();
    }
    return update;
}

bool RowExists(TFIBTransaction& transaction, int id) {
    TObjectPtr<TFIBQuery> row = MakeQuery(transaction, DataSetRowSelect(id));
    row->ExecQuery();
    return !row->Eof();
}

void EnsureRow(TFIBTransaction& transaction, int id) {
    if (RowExists(transaction, id))
        return;
    MakeQuery(transaction, InsertSQL(id))->ExecQuery();
    if (!RowExists(transaction, id))
        throw Exception(SInfoRecordInsertFailed);
}

// The select text without the conditions applied to it: the conditions are saved apart.
std::string BaseSelectText(TFIBCustomDataSet& dataSet) {
    return dataSet.Conditions().Applied() ? dataSet.Conditions().BaseSQLText() : dataSet.SelectSQL().Text();
}

void WriteSettings(IFIBRepositoryDataSet& dataSet, TFIBQuery& update) {
    TFIBCustomDataSet& source = dataSet.RepositoryDataSet();
    const TAutoUpdateOptions& options = dataSet.RepositoryUpdateOptions();
    update.ParamByName("SELECT_SQL").WriteAsString(BaseSelectText(source));
    update.ParamByName("DESCRIPTION").WriteAsString(dataSet.RepositoryDescription());
    update.ParamByName("UPDATE_SQL").WriteAsString(source.UpdateSQL().Text());
    update.ParamByName("INSERT_SQL").WriteAsString(source.InsertSQL().Text());
    update.ParamByName("DELETE_SQL").WriteAsString(source.DeleteSQL().Text());
    update.ParamByName("REFRESH_SQL").WriteAsString(source.RefreshSQL().Text());
    update.ParamByName("NAME_GENERATOR").WriteAsString(options.GeneratorName());
    update.ParamByName("KEY_FIELD").WriteAsString(options.KeyFields());
    update.ParamByName("UPDATE_TABLE_NAME").WriteAsString(options.UpdateTableName());
    update.ParamByName("UPDATE_ONLY_MODIFIED_FIELDS")
        .WriteAsInteger(options.UpdateOnlyModifiedFields() ? 1 : 0);
    update.ParamByName("CONDITIONS").WriteAsString(source.Conditions().GetAsText());
    update.ExecQuery();
}

}  // namespace

std::string DataSetRowSelect(int dataSetId) {
    return "SELECT * FROM FIB$DATASETS_INFO WHERE DS_ID=" + std::to_string(dataSetId);
}

void SaveDataSetRow(IFIBRepositoryDataSet& dataSet, TFIBTransaction& transaction,
                    const TDescriptionQuery& askDescription) {
    const int id = dataSet.RepositoryId();
    TObjectPtr<TFIBQuery> update = PreparedUpdate(transaction, id);
    EnsureRow(transaction, id);
    std::string description = dataSet.RepositoryDescription();
    if (askDescription && !askDescription(SSaveDataSetProperties, SSetDataSetDescription, description))
        return;
    dataSet.SetRepositoryDescription(description);
    WriteSettings(dataSet, *update);
}
