#include "firebird_datasets/repository.h"

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/transaction.h"
#include "firebird_datasets/metadata_queries.h"

namespace {

constexpr const char* kNotTested = "222";

const char* TableName(TRepositoryTable table) {
    switch (table) {
        case rtFieldsInfo:
            return "FIB$FIELDS_INFO";
        case rtDataSetsInfo:
            return "FIB$DATASETS_INFO";
        default:
            return "FIB$ERROR_MESSAGES";
    }
}

TFIBUseRepository UseOf(TRepositoryTable table) {
    switch (table) {
        case rtFieldsInfo:
            return urFieldsInfo;
        case rtDataSetsInfo:
            return urDataSetInfo;
        default:
            return urErrorMessagesInfo;
    }
}

std::string NameOf(const char* chars, short length) {
    return std::string(chars, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace

TpFIBRepository::TpFIBRepository(TComponent* AOwner)
    : TComponent(AOwner), tables_(MakeComponent<TpFIBTableInfoCollect>(*this)) {}

TpFIBRepository::TpFIBRepository(TCacheList& queries, TComponent* AOwner) : TpFIBRepository(AOwner) {
    queries_ = &queries;
}

TpFIBRepository::~TpFIBRepository() = default;

bool TpFIBRepository::RepositoryTableExists(TFIBDatabase& database, TRepositoryTable table) {
    const std::lock_guard guard(lock_);
    // A database being designed may get its tables at any moment: nothing is remembered.
    if (database.ComponentState().Contains(csDesigning))
        states_.clear();
    const auto found = states_.find(&database);
    const char state = found == states_.end() ? '2' : found->second[static_cast<std::size_t>(table - 1)];
    if (state != '2')
        return state == '1';
    if (!database.UseRepositories.Contains(UseOf(table)))
        return false;
    const bool exists = TestTable(database, table);
    auto [line, added] = states_.try_emplace(&database, kNotTested);
    if (added)
        database.FreeNotification(this);
    line->second[static_cast<std::size_t>(table - 1)] = exists ? '1' : '0';
    return exists;
}

bool TpFIBRepository::TestTable(TFIBDatabase& database, TRepositoryTable table) {
    TObjectPtr<TFIBTransaction> transaction = MakeComponent<TFIBTransaction>(nullptr);
    transaction->TimeoutAction = TACommit;
    transaction->SetDefaultDatabase(&database);
    TObjectPtr<TFIBQuery> query = MakeQuery(
        *transaction,
        "select COUNT(RDB$RELATION_NAME) from RDB$RELATIONS where RDB$FLAGS = 1 and RDB$RELATION_NAME=?RT");
    query->ParamByName("RT").WriteAsString(TableName(table));
    transaction->StartTransaction();
    query->ExecQuery();
    const bool exists = !query->Eof() && query->GetFieldByIndex(0).ReadAsInt64() >= 1;
    query->Close();
    transaction->Commit();
    return exists;
}

std::string TpFIBRepository::RepositoryState(const TFIBDatabase& database) const {
    const std::lock_guard guard(lock_);
    const auto found = states_.find(&database);
    return found == states_.end() ? kNotTested : found->second;
}

bool TpFIBRepository::AskColumn(const TFIBCustomDataSet& dataSet, const std::string& table,
                                const std::string& column, bool (*answer)(TpFIBFieldInfo&)) {
    TFIBDatabase* database = dataSet.Database();
    if (database == nullptr || table.empty() || column.empty())
        return false;
    const std::lock_guard guard(tables_->Lock());
    TpFIBFieldInfo* info = tables_->FindFieldInfo(*database, table, false, column);
    return info != nullptr && answer(*info);
}

bool TpFIBRepository::ColumnCanBeBoolean(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) {
    const XSQLVAR& var = *column.XSQLVar;
    return AskColumn(dataSet, NameOf(var.relname, var.relname_length),
                     NameOf(var.sqlname, var.sqlname_length),
                     [](TpFIBFieldInfo& info) { return info.BooleanCapable(); });
}

bool TpFIBRepository::ColumnCanBeGuid(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) {
    const XSQLVAR& var = *column.XSQLVar;
    return AskColumn(dataSet, NameOf(var.relname, var.relname_length),
                     NameOf(var.sqlname, var.sqlname_length),
                     [](TpFIBFieldInfo& info) { return info.GuidCapable(); });
}

bool TpFIBRepository::DefaultIsEmptyString(const TFIBCustomDataSet& dataSet, const TField* field) {
    if (field == nullptr || field->FieldKind != fkData)
        return false;
    // Reading a field's origin may describe the select statement; the dataset is not changed.
    auto& origin = const_cast<TFIBCustomDataSet&>(dataSet);
    return AskColumn(dataSet, origin.GetRelationName(field), origin.GetSQLFieldName(field),
                     [](TpFIBFieldInfo& info) { return info.DefaultIsEmptyString; });
}

void TpFIBRepository::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    const std::lock_guard guard(lock_);
    states_.erase(AComponent);
}

TpFIBRepository& DatabaseRepository(TFIBDatabase& database) {
    if (auto* own = dynamic_cast<TpFIBRepository*>(database.MetadataRepository()))
        return *own;
    std::shared_ptr<TpFIBRepository> made(MakeComponent<TpFIBRepository>(nullptr).release(), TFree{});
    database.SetMetadataRepository(made);
    return *made;
}
