// TFIBDataSet: what the stored form keeps of a dataset.
#include "firebird/database.h"
#include "firebird_datasets/fib_custom_dataset.h"

namespace {

const std::vector<std::string> kOptionNames = {
    "poTrimCharFields",   "poRefreshAfterPost",  "poRefreshDeletedRecord",
    "poStartTransaction", "poAutoFormatFields",  "poProtectedEdit",
    "poKeepSorting",      "poPersistentSorting", "poVisibleRecno",
    "poNoForceIsNull",    "poFetchAll"};
const std::vector<std::string> kPrepareOptionNames = {
    "pfSetRequiredFields", "pfSetReadOnlyFields",    "pfImportDefaultValues", "psUseBooleanField",
    "psUseGuidField",      "psSQLINT64ToBCD",        "psApplyRepositary",     "psGetOrderInfo",
    "psAskRecordCount",    "psCanEditComputedFields"};
const std::vector<std::string> kDetailConditionNames = {"dcForceOpen", "dcIgnoreMasterClose",
                                                        "dcForceMasterRefresh", "dcWaitEndMasterScroll"};
const std::vector<std::string> kUpdateRecordTypeNames = {
    "cusUnmodified", "cusModified", "cusInserted", "cusDeleted", "cusUninserted", "cusDeletedApplied"};

// An open dataset is stored open only where its database is stored connected.
bool StoresActive(const TFIBDataSet& dataSet) {
    return dataSet.Active() && dataSet.Database() != nullptr &&
           dataSet.Database()->DesignDBOptions().Contains(ddoStoreConnected);
}

}  // namespace

void TFIBCustomDataSet::SetStreamedActive(bool value) {
    if (ComponentState().Contains(csLoading))
        streamedActive_ = value;
    else
        SetActive(value);
}

void TFIBCustomDataSet::Loaded() {
    TDataSet::Loaded();
    if (!streamedActive_)
        return;
    streamedActive_ = false;
    SetActive(true);
}

void TFIBCustomDataSet::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    TDataSet::GetChildren(
        [&](TComponent* child) {
            for (const TFIBQuery* statement :
                 {deleteQuery_, insertQuery_, refreshQuery_, updateQuery_, selectQuery_})
                if (child == statement)
                    return;
            proc(child);
        },
        root);
}

const TPropertyList& TFIBDataSet::Published() {
    using D = TFIBDataSet;
    static const TPropertyList list =
        TPublish<D>(TDataSet::Published())
            .Component("Database", &D::Database, &D::SetDatabase)
            .Component("Transaction", &D::Transaction, &D::SetTransaction)
            .Component("UpdateTransaction", &D::UpdateTransaction, &D::SetUpdateTransaction)
            .Object("SQLs", [](const D& ds) { return &ds.SQLs(); })
            .SetOf("Options", &D::Options, &D::SetOptions, kOptionNames)
            .Default(
                TpFIBDsOptions{poTrimCharFields, poRefreshAfterPost, poStartTransaction, poAutoFormatFields})
            .SetOf("PrepareOptions", &D::PrepareOptions, &D::SetPrepareOptions, kPrepareOptionNames)
            .Default(TpPrepareOptions{pfImportDefaultValues, psUseBooleanField, psGetOrderInfo})
            .SetOf("DetailConditions", &D::DetailConditions, &D::SetDetailConditions, kDetailConditionNames)
            .Default(TDetailConditions{})
            .SetOf("UpdateRecordTypes", &D::UpdateRecordTypes, &D::SetUpdateRecordTypes,
                   kUpdateRecordTypeNames)
            .Default(TFIBUpdateRecordTypes{cusUnmodified, cusModified, cusInserted})
            .Integer("BufferChunks", &D::BufferChunks, &D::SetBufferChunks)
            .Default(32)
            .Boolean("CachedUpdates", &D::CachedUpdates, &D::SetCachedUpdates)
            .Default(false)
            .Boolean("UniDirectional", &D::UniDirectional, &D::SetUniDirectional)
            .Default(false)
            .Boolean("AutoCommit", &D::AutoCommit, &D::SetAutoCommit)
            .Default(false)
            .Enum("RefreshTransactionKind", &D::RefreshTransactionKind, &D::SetRefreshTransactionKind,
                  {"tkReadTransaction", "tkUpdateTransaction"})
            .Default(tkReadTransaction)
            .Integer("SQLScreenCursor", &D::SQLScreenCursor, &D::SetSQLScreenCursor)
            .Default(0)
            .Boolean("Active", &D::Active, &D::SetStreamedActive)
            .StoredWhen(StoresActive);
    return list;
}
