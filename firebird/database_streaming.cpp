// What a stored form holds of databases and transactions.
#include "firebird/database.h"
#include "firebird/pfib_transaction.h"
#include "firebird/strings_property.h"
#include "firebird/transaction.h"

namespace {

bool StoresConnected(const TFIBDatabase* database) {
    return database != nullptr && database->Connected() &&
           database->DesignDBOptions().Contains(ddoStoreConnected);
}

}  // namespace

const TPropertyList& TFIBDatabase::Published() {
    static const TPropertyList list =
        TPublish<TFIBDatabase>(TComponent::Published())
            .Boolean("Connected", &TFIBDatabase::Connected, &TFIBDatabase::SetConnected)
            .StoredWhen([](const TFIBDatabase& db) { return StoresConnected(&db); })
            .String("DBName", &TFIBDatabase::DBName, &TFIBDatabase::SetDBName)
            .StoredWhen([](const TFIBDatabase&) { return true; })
            .Component("DefaultTransaction", &TFIBDatabase::DefaultTransaction,
                       &TFIBDatabase::SetDefaultTransaction)
            .Component("DefaultUpdateTransaction", &TFIBDatabase::DefaultUpdateTransaction,
                       &TFIBDatabase::SetDefaultUpdateTransaction)
            .Integer("SQLDialect", &TFIBDatabase::SQLDialect, &TFIBDatabase::SetSQLDialect)
            .Integer("Timeout", &TFIBDatabase::Timeout, &TFIBDatabase::SetTimeout)
            .Default(0)
            .Boolean("UseLoginPrompt", &TFIBDatabase::UseLoginPrompt, &TFIBDatabase::UseLoginPrompt)
            .Default(false)
            .Boolean("UpperOldNames", &TFIBDatabase::UpperOldNames, &TFIBDatabase::UpperOldNames)
            .Default(false)
            .Boolean("SynchronizeTime", &TFIBDatabase::SynchronizeTime, &TFIBDatabase::SynchronizeTime)
            .Default(true)
            .SetOf("DesignDBOptions", &TFIBDatabase::DesignDBOptions, &TFIBDatabase::SetDesignDBOptions,
                   {"ddoIsDefaultDatabase", "ddoStoreConnected", "ddoNotSavePassword"})
            .Default(TDesignDBOptions{ddoStoreConnected})
            .SetOf("UseRepositories", &TFIBDatabase::UseRepositories, &TFIBDatabase::UseRepositories,
                   {"urFieldsInfo", "urDataSetInfo", "urErrorMessagesInfo"})
            .Default(TFIBUseRepositories{urFieldsInfo, urDataSetInfo, urErrorMessagesInfo})
            .String("LibraryName", &TFIBDatabase::LibraryName, &TFIBDatabase::SetLibraryName)
            .StoredWhen([](const TFIBDatabase& db) { return db.LibraryName() != DefaultClientLibraryName; });
    return list;
}

void TFIBDatabase::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    const auto* ancestor = dynamic_cast<const TFIBDatabase*>(filer.Ancestor());
    dbParams_.DefineProperties(filer, "DBParams", ancestor != nullptr ? &ancestor->DBParams() : nullptr);
}

const TPropertyList& TFIBTransaction::Published() {
    static const TPropertyList list =
        TPublish<TFIBTransaction>(TComponent::Published())
            .Boolean("Active", &TFIBTransaction::Active, &TFIBTransaction::SetActive)
            .StoredWhen(
                [](const TFIBTransaction& tr) { return tr.Active() && StoresConnected(tr.MainDatabase()); })
            .Component("DefaultDatabase", &TFIBTransaction::DefaultDatabase,
                       &TFIBTransaction::SetDefaultDatabase)
            .Integer("Timeout", &TFIBTransaction::Timeout, &TFIBTransaction::SetTimeout)
            .Default(0)
            .Enum("TimeoutAction", &TFIBTransaction::TimeoutAction, &TFIBTransaction::TimeoutAction,
                  {"TARollback", "TARollbackRetaining", "TACommit", "TACommitRetaining"})
            .Default(TARollback);
    return list;
}

void TFIBTransaction::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    DefineLinesProperty(
        filer, "TRParams", trParams_, [this](const TStrings& lines) { trParams_.Assign(lines); },
        StoresTRParams() && trParams_.Count() > 0);
}

const TPropertyList& TpFIBTransaction::Published() {
    static const TPropertyList list =
        TPublish<TpFIBTransaction>(TFIBTransaction::Published())
            .Enum("TPBMode", &TpFIBTransaction::TPBMode, &TpFIBTransaction::TPBMode,
                  {"tpbDefault", "tpbReadCommitted", "tpbRepeatableRead"})
            .Default(tpbReadCommitted)
            .String("UserKindTransaction", &TpFIBTransaction::UserKindTransaction,
                    &TpFIBTransaction::SetUserKindTransaction)
            .StoredWhen([](const TpFIBTransaction& tr) { return tr.UserKindTransaction() != NoUserKind; });
    return list;
}
