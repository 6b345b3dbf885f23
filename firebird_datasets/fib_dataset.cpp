// TFIBDataSet: what the stored form keeps of a dataset.
#include "firebird/database.h"
#include "firebird_datasets/fib_custom_dataset.h"

const TPropertyList& TFIBDataSet::Published() {
    static const TPropertyList list =
        TPublish<TFIBDataSet>(TDataSet::Published())
            .Component("Database", &TFIBDataSet::Database, &TFIBDataSet::SetDatabase)
            .Component("Transaction", &TFIBDataSet::Transaction, &TFIBDataSet::SetTransaction)
            .Component("UpdateTransaction", &TFIBDataSet::UpdateTransaction,
                       &TFIBDataSet::SetUpdateTransaction)
            .Integer("BufferChunks", &TFIBDataSet::BufferChunks, &TFIBDataSet::SetBufferChunks)
            .Default(32)
            .Boolean("CachedUpdates", &TFIBDataSet::CachedUpdates, &TFIBDataSet::SetCachedUpdates)
            .Default(false)
            .Boolean("UniDirectional", &TFIBDataSet::UniDirectional, &TFIBDataSet::SetUniDirectional)
            .Default(false)
            .Boolean("AutoCommit", &TFIBDataSet::AutoCommit, &TFIBDataSet::AutoCommit)
            .Default(false)
            .Enum("RefreshTransactionKind", &TFIBDataSet::RefreshTransactionKind,
                  &TFIBDataSet::SetRefreshTransactionKind, {"tkReadTransaction", "tkUpdateTransaction"})
            .Default(tkReadTransaction);
    return list;
}
