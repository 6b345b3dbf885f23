// TpFIBDataSet's record lock: before a protected edit the record is updated in the update
// transaction without changing it, so that nobody else can change it until that transaction ends.
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/ident_quoting.h"
#include "firebird/library_texts.h"
#include "firebird/sql_from_tables.h"
#include "firebird/str_basics.h"
#include "firebird/string_list_utils.h"
#include "firebird/transaction.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/blob_fields.h"
#include "platform/db/datetime_fields.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

std::vector<std::string> KeyNames(const std::string& keyFields) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= keyFields.size()) {
        std::size_t end = keyFields.find(';', start);
        if (end == std::string::npos)
            end = keyFields.size();
        if (std::string name = Trim(keyFields.substr(start, end - start)); !name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

// The table's name without an alias: its first word, or the whole quoted name.
std::string FirstWord(const std::string& table) {
    if (!table.empty() && table.front() == '"') {
        const std::size_t close = table.find('"', 1);
        return close == std::string::npos ? table.substr(1) : table.substr(1, close - 1);
    }
    return table.substr(0, table.find_first_of(" \t\r\n"));
}

std::string LockFailureText(TLockStatus status, const std::string& serverMessage) {
    switch (status) {
        case lsDeadLock:
            return SDeadlockDetected;
        case lsNotExist:
            return SRecordDoesNotExist;
        case lsMultiply:
            return SMultipleRecordsEdited;
        default:
            return serverMessage;
    }
}

}  // namespace

// Every key field is compared, named as its own parameter.
std::string TpFIBDataSet::LockKeyCondition() {
    const int dialect = Database() != nullptr ? Database()->SQLDialect() : 3;
    std::string condition;
    for (const std::string& name : KeyNames(AutoUpdateOptions().KeyFields())) {
        TField* field = FindField(name);
        const std::string column =
            field != nullptr && field->FieldKind == fkData ? GetSQLFieldName(field) : name;
        if (!condition.empty())
            condition += " and ";
        condition += DialectIdentifier(dialect, column) + "=?" + (field != nullptr ? field->FieldName : name);
    }
    return condition;
}

// The lock sets one column of the record to its own value: the row is locked and nothing in it
// changes, whatever the dataset holds in its cache.
std::string TpFIBDataSet::LockSQLText() {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    const int dialect = Database() != nullptr ? Database()->SQLDialect() : 3;
    std::string table;
    std::string condition;
    bool quoted = false;
    if (IsEmptyStrings(UpdateSQL()) || (options.AutoReWriteSqls() && options.UpdateOnlyModifiedFields())) {
        if (!options.AutoReWriteSqls())
            throw Exception(SLockQueryEmpty);
        table = options.UpdateTableName();
        condition = LockKeyCondition();
    } else {
        table = GetMainTableName(UpdateSQL().Text(), true);
        quoted = !table.empty() && table.front() == '"';
        condition = QUpdate().GetWhereText(1);
    }
    const std::string name = FirstWord(table);
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (field->FieldKind != fkData)
            continue;
        const std::string relation = GetRelationName(field);
        if (quoted ? relation != name : !AsciiSameStr(relation, name, false))
            continue;
        if (table == name)
            table = DialectIdentifier(dialect, relation);
        const std::string column = DialectIdentifier(dialect, GetSQLFieldName(field));
        return "UPDATE " + table + " SET " + column + "=" + column + " WHERE " + condition;
    }
    return UpdateSQL().Text();
}

void TpFIBDataSet::SetLockParams() {
    TRecordBuffer buffer = ActiveBuffer();
    if (!CachedUpdates() && State() != dsEdit && State() != dsInsert)
        SaveOldRecord(buffer);
    SetParamsFromRecord(*lockQuery_, buffer);
    if (!CachedUpdates())
        return;
    // The change log keeps the fetched values: the record is found by them.
    TFIBXSQLDA& params = lockQuery_->GetParams();
    for (int i = 0; i < params.Count(); ++i) {
        TField* field = FindField(params[i].VarName);
        if (field == nullptr || dynamic_cast<TBlobField*>(field) != nullptr)
            continue;
        const Variant old = field->OldValue();
        if (old.IsNull() || old.IsEmpty())
            params[i].WriteIsNull(true);
        else if (dynamic_cast<TDateTimeField*>(field) != nullptr)
            params[i].WriteAsDateTime(old.AsDouble());
        else
            params[i].WriteAsVariant(old);
    }
}

TLockStatus TpFIBDataSet::ExecuteLock(std::string& serverMessage) {
    StartUpdateTransaction();
    try {
        lockQuery_->Execute();
    } catch (EFIBError& error) {
        if (IsLockConflict(error))
            return lsDeadLock;
        serverMessage = error.Message;
        return lsUnknownError;
    }
    const int rows = lockQuery_->RowsAffected();
    return rows == 1 ? lsSuccess : rows == 0 ? lsNotExist : lsMultiply;
}

TLockStatus TpFIBDataSet::LockRecord(bool raiseOnFailure) {
    const std::string text = LockSQLText();
    if (Trim(lockQuery_->SQL().Text()) != Trim(text))
        lockQuery_->SQL().SetText(text);
    lockQuery_->SetDatabase(Database());
    lockQuery_->SetTransaction(UpdateTransaction());
    // Setting the parameters prepares the statement: its transaction must run.
    StartUpdateTransaction();
    SetLockParams();
    for (;;) {
        std::string serverMessage;
        const TLockStatus status = ExecuteLock(serverMessage);
        if (status == lsSuccess || !raiseOnFailure)
            return status;
        std::string message =
            std::string(SRecordUpdateError) + "\r\n" + LockFailureText(status, serverMessage);
        switch (HandleLockError(status, message)) {
            case daFail:
                throw Exception(message);
            case daAbort:
                Abort();
            case daRetry:
                break;
        }
    }
}

TDataAction TpFIBDataSet::HandleLockError(TLockStatus status, std::string& message) {
    TDataAction action = daFail;
    if (OnLockError)
        OnLockError(this, status, message, action);
    return action;
}

void TpFIBDataSet::ProtectedEdit() {
    if (RecordStatus(ActiveBuffer()) != cusUnmodified)
        return;
    LockRecord(true);
    TAutoUpdateOptions& options = AutoUpdateOptions();
    const bool generates = options.AutoReWriteSqls() || options.UpdateOnlyModifiedFields();
    std::string text;
    if (IsEmptyStrings(RefreshSQL()) && generates) {
        GenerateSQLText(options.UpdateTableName(), options.KeyFields(), text, gsRefresh);
        QRefresh().SQL().SetText(text);
    }
    // Read again: the edit starts from the values the lock now holds.
    if (!IsEmptyStrings(RefreshSQL()))
        Refresh();
    if (IsEmptyStrings(UpdateSQL()) && generates) {
        {
            const bool onlyModified = options.UpdateOnlyModifiedFields();
            options.SetUpdateOnlyModifiedFields(false);
            const TScopeExit restore(
                [&options, onlyModified] { options.SetUpdateOnlyModifiedFields(onlyModified); });
            GenerateSQLText(options.UpdateTableName(), options.KeyFields(), text, gsUpdate);
        }
        QUpdate().SQL().SetText(text);
    }
}

void TpFIBDataSet::DoBeforeEdit() {
    if (Options().Contains(poProtectedEdit)) {
        ApplyPendingMasterScroll();
        PrepareModifyStatement(ukModify);
        if (!CanEdit())
            Abort();
        ProtectedEdit();
    }
    NotifyContainer(deBeforeEdit);
    TFIBDataSet::DoBeforeEdit();
}

// Without cached updates the posted record stays locked until the update transaction ends: it
// keeps counting as modified, so that editing it again takes no second lock.
void TpFIBDataSet::DoAfterPost() {
    TRecordBuffer buffer = ActiveBuffer();
    if (Options().Contains(poProtectedEdit) && !CachedUpdates() && !AutoCommit() && buffer != nullptr &&
        RecordStatus(buffer) == cusUnmodified && RecordIndexOf(buffer) >= 0) {
        SetRecordStatus(buffer, cusModified);
        WriteRecordToCache(RecordIndexOf(buffer), buffer);
    }
    if (insertionPosting_ && PrepareOptions().Contains(psAskRecordCount))
        ++knownRecordCount_;
    insertionPosting_ = false;
    NotifyContainer(deAfterPost);
    TFIBDataSet::DoAfterPost();
}

// However the update transaction ends, its locks are gone: the records held as modified for them
// are unchanged again, and the next edit locks anew.
void TpFIBDataSet::DoAfterEndUpdateTransaction(TFIBTransaction* transaction, TTransactionAction action,
                                               bool force) {
    if (!CachedUpdates() && Active())
        ReleaseLockedRecords();
    TFIBDataSet::DoAfterEndUpdateTransaction(transaction, action, force);
}

void TpFIBDataSet::ReleaseLockedRecords() {
    bool released = false;
    {
        TRecordBuffer record = AllocRecordBuffer();
        const TScopeExit freeRecord([this, &record] { FreeRecordBuffer(record); });
        for (int i = 0; i < FetchedCount(); ++i) {
            InitRecordBuffer(i, record, false);
            const TCachedUpdateStatus status = RecordStatus(record);
            if (status == cusUnmodified || status == cusDeletedApplied)
                continue;
            SetRecordStatus(record, cusUnmodified);
            WriteRecordToCache(i, record);
            released = true;
        }
    }
    if (released && State() == dsBrowse)
        Resync({});
}
