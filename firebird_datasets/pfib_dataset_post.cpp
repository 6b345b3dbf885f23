// Posting and deleting one record through the modify statements, preparing them before a change,
// and the dataset's own work before and after a post.
#include <utility>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/library_texts.h"
#include "firebird/string_list_utils.h"
#include "firebird/transaction.h"
#include "firebird_datasets/datasets_settings.h"
#include "firebird_datasets/generated_sql.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope_exit.h"

namespace {

// The server's code for a permission refused.
constexpr int kNoPermissionSQLCode = -551;
// The code a record gone from the server is reported with (SQLCODE 100: no row found).
constexpr int kRecordNotFoundCode = 100;

bool ReturnsRow(TFIBSQLTypes type) {
    return type == SQLSelect || type == SQLExecProcedure || type == SQLSelectForUpdate;
}

}  // namespace

TFIBQuery& TpFIBDataSet::StatementOfKind(TUpdateKind kind) const {
    switch (kind) {
        case ukModify:
            return QUpdate();
        case ukInsert:
            return QInsert();
        case ukDelete:
            break;
    }
    return QDelete();
}

// A statement the dataset wrote itself names the record by its whole key: when no row changed,
// the record is gone from the server (or its key changed there), and the change must not pass as
// done.
void TpFIBDataSet::CheckRecordChanged(TFIBQuery& statement, TGeneratedSQLKind kind) {
    if (!HoldsGeneratedText(kind) || (statement.SQLType() != SQLUpdate && statement.SQLType() != SQLDelete))
        return;
    if (statement.RowsAffected() == 0)
        throw EFIBError(kRecordNotFoundCode, this,
                        std::string(SRecordUpdateError) + "\r\n" + SRecordDoesNotExist);
}

// The row the statement returned (RETURNING, a procedure, a select) becomes the record's values.
void TpFIBDataSet::StoreReturnedRow(TFIBQuery& statement, TRecordBuffer buffer) {
    const int index = RecordIndexOf(buffer);
    WriteRecordToCache(index, buffer);
    if (statement.SQLType() == SQLExecProcedure) {
        FetchAndStore(statement, index, buffer);
        return;
    }
    const TScopeExit close([&statement] { statement.Close(); });
    if (!statement.GoToFirstRecordOnExecute)
        statement.Next();
    if (!statement.Eof())
        FetchAndStore(statement, index, buffer);
}

void TpFIBDataSet::InternalPostRecord(TFIBQuery& statement, TRecordBuffer buffer) {
    if (IsNoActionSQL(statement.SQL()))
        return;
    StartUpdateTransaction();
    CheckDatasetOpen(" continue post ");
    if (!IsEmptyStrings(statement.SQL())) {
        SetParamsFromRecord(statement, buffer);
        if (statement.Open())
            statement.Close();
        statement.Execute();
        CheckRecordChanged(statement, &statement == &QUpdate() ? gsUpdate : gsInsert);
        if (ReturnsRow(statement.SQLType()))
            StoreReturnedRow(statement, buffer);
    }
    SetRecordStatus(buffer, cusUnmodified);
    SetModified(false);
    WriteRecordToCache(RecordIndexOf(buffer), buffer);
    if (!CachedUpdates())
        AutoCommitUpdate();
    if (!IsEmptyStrings(RefreshSQL()) && Options().Contains(poRefreshAfterPost)) {
        DoBeforeRefresh();
        RefreshRecordByQuery(QRefresh(), buffer);
        DoAfterRefresh();
    }
}

void TpFIBDataSet::DeleteRecordOnServer(TFIBQuery& statement, TRecordBuffer buffer) {
    if (IsNoActionSQL(statement.SQL()))
        return;
    StartUpdateTransaction();
    if (!IsEmptyStrings(statement.SQL())) {
        SetParamsFromRecord(statement, buffer);
        statement.Execute();
        CheckRecordChanged(statement, gsDelete);
    }
    SetRecordStatus(buffer, cusDeletedApplied);
    WriteRecordToCache(RecordIndexOf(buffer), buffer);
    if (!CachedUpdates())
        AutoCommitUpdate();
}

bool TpFIBDataSet::CanEdit() const {
    return (TFIBDataSet::CanEdit() || CanAutoGenerateSQL() || (CachedUpdates() && OnUpdateRecord)) &&
           allowedUpdateKinds_.Contains(ukModify);
}

bool TpFIBDataSet::CanInsert() const {
    return (TFIBDataSet::CanInsert() || CanAutoGenerateSQL() || (CachedUpdates() && OnUpdateRecord)) &&
           allowedUpdateKinds_.Contains(ukInsert);
}

bool TpFIBDataSet::CanDelete() const {
    return (TFIBDataSet::CanDelete() || CanAutoGenerateSQL() || (CachedUpdates() && OnUpdateRecord)) &&
           allowedUpdateKinds_.Contains(ukDelete);
}

// Prepared in the read transaction when it reaches the same database, so that a statement whose
// own transaction is not running yet still finds its errors (and missing rights) before the change.
void TpFIBDataSet::PrepareStatementOf(TFIBQuery& statement) {
    TFIBTransaction* own = statement.Transaction();
    if (Transaction() == nullptr)
        RaiseClientError(fceTransactionNotAssigned, {ComponentPath(this)});
    if (own->FindDatabase(Database()) >= 0) {
        PrepareTransactions();
        statement.SetTransaction(Transaction());
        const TScopeExit giveBack([&statement, own] { statement.SetTransaction(own); });
        statement.Prepare();
        return;
    }
    const bool started = !own->Active();
    if (started)
        own->StartTransaction();
    statement.Prepare();
    if (started)
        own->Commit();
}

void TpFIBDataSet::PrepareModifyStatement(TUpdateKind kind) {
    if (CachedUpdates() || AutoUpdateOptions().UpdateOnlyModifiedFields())
        return;
    TFIBQuery& statement = StatementOfKind(kind);
    // A statement without a transaction of its own is left to the post, which reports it: a
    // dataset that never posts may still edit.
    if (IsEmptyStrings(statement.SQL()) || statement.Prepared() || IsNoActionSQL(statement.SQL()) ||
        statement.Transaction() == nullptr)
        return;
    try {
        PrepareStatementOf(statement);
    } catch (EFIBError& error) {
        if (error.SqlErrorCode != kNoPermissionSQLCode ||
            !FIBDatasetsSettings().RemoveUpdateKindOnPermissionError)
            throw;
        allowedUpdateKinds_.Exclude(kind);
        Abort();
    }
}

void TpFIBDataSet::PreparePost() {
    postingInsertion_ = State() == dsInsert;
    if (State() == dsInsert && AutoUpdateOptions().WhenGetGenID() == wgBeforePost)
        FetchGeneratorValue();
    if (!CachedUpdates())
        RegenerateModifySQL(State());
}

// With AutoCommit(), cached changes go to the server at once and become the fetched state.
void TpFIBDataSet::FinishModification(TUpdateKind kind) {
    // The filter's hidden records after the new one are one place further on now.
    if (kind != ukDelete && std::exchange(postingInsertion_, false) && CurrentIndex() >= 0)
        hiddenRecords_.ShiftFrom(CurrentIndex() + 1, 1);
    if (AutoCommit() && CachedUpdates()) {
        ApplyUpdates();
        AutoCommitUpdate();
        CommitUpdates();
    }
    if (kind != ukDelete && DetailConditions().Contains(dcForceMasterRefresh) && !CachedUpdates())
        RefreshMaster();
}
