#include "firebird_datasets/table_info.h"

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/pfib_transaction.h"
#include "firebird/str_basics.h"
#include "firebird_datasets/column_default.h"
#include "firebird_datasets/fields_info_rows.h"
#include "firebird_datasets/metadata_queries.h"
#include "firebird_datasets/repository.h"
#include "firebird_datasets/repository_upgrade.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

constexpr const char* kRepositoryVersionSQL =
    "Select Max(fib$version) From FIB$FIELDS_INFO Where table_name=?TN";

// The relation id for a view, the format number for a table.
constexpr const char* kFormatNumberSQL =
    "select a1.RDB$RELATION_ID VER  from RDB$RELATIONS a1 where a1.RDB$SYSTEM_FLAG = 0  and "
    "a1.rdb$relation_name=?TN and not  a1.rdb$view_blr is null union select RDB$FORMAT from RDB$RELATIONS R "
    "where R.RDB$SYSTEM_FLAG = 0    and R.rdb$relation_name=?TN and  R.rdb$view_blr is null";

constexpr const char* kColumnsSQL =
    "Select R.RDB$FIELD_NAME,R.RDB$FIELD_SOURCE,F.RDB$COMPUTED_BLR, R.RDB$DEFAULT_SOURCE "
    "DS,F.RDB$DEFAULT_SOURCE "
    "DS1, F.RDB$FIELD_TYPE, F.RDB$DIMENSIONS, R.RDB$NULL_FLAG, F.RDB$NULL_FLAG from  RDB$RELATION_FIELDS R "
    "JOIN RDB$FIELDS F ON "
    "(R.RDB$FIELD_SOURCE = F.RDB$FIELD_NAME) where  R.RDB$RELATION_NAME=:TN order by R.RDB$FIELD_POSITION";

// A name that is no relation may be a selectable procedure: its output parameters, in the
// columns' layout.
constexpr const char* kProcedureOutputsSQL =
    "Select RDB$PARAMETER_NAME,0,NULL,0,0, RDB$PARAMETER_TYPE,0,0,0 from RDB$PROCEDURE_PARAMETERS WHERE "
    "RDB$PROCEDURE_NAME=:PN AND RDB$PARAMETER_TYPE=1 ";

constexpr int kBlobType = 261;
constexpr int kQuadType = 9;

enum TColumnsColumn {
    ccName,
    ccDomain,
    ccComputed,
    ccDefault,
    ccDomainDefault,
    ccType,
    ccDimensions,
    ccNullFlag,
    ccDomainNullFlag
};

int IntegerColumn(TFIBQuery& query, int index) {
    TFIBXSQLVAR& column = query.GetFieldByIndex(index);
    return column.ReadIsNull() ? 0 : column.ReadAsInteger();
}

void FillFromColumnsRow(TFIBQuery& query, TpFIBFieldInfo& info) {
    info.DomainName = Trim(query.GetFieldByIndex(ccDomain).ReadAsString());
    info.Computed = !query.GetFieldByIndex(ccComputed).ReadIsNull();
    std::string source = query.GetFieldByIndex(ccDefault).ReadAsString();
    if (IsBlankStr(source))
        source = query.GetFieldByIndex(ccDomainDefault).ReadAsString();
    const TColumnDefault columnDefault = ParseColumnDefault(source);
    info.DefaultValue = columnDefault.Text;
    info.DefaultIsEmptyString = columnDefault.IsEmptyString();
    const int type = IntegerColumn(query, ccType);
    info.NotNull = IntegerColumn(query, ccNullFlag) != 0 || IntegerColumn(query, ccDomainNullFlag) != 0;
    info.CanBeInWhere = type != kBlobType && type != kQuadType && IntegerColumn(query, ccDimensions) == 0;
}

void CommitWhenActive(TFIBTransaction& transaction) {
    if (transaction.Active())
        transaction.Commit();
}

// The infos read through read-only transactions: the upgrade writes in one of its own.
void UpgradeFieldsInfoTableOf(TFIBDatabase* database) {
    if (database == nullptr)
        return;
    TObjectPtr<TFIBTransaction> transaction = MakeComponent<TFIBTransaction>(nullptr);
    transaction->SetDefaultDatabase(database);
    UpgradeFieldsInfoTable(*transaction);
}

}  // namespace

TpFIBTableInfo::TpFIBTableInfo(TpFIBRepository& repository, bool withRepositoryInfo)
    : repository_(repository), withRepositoryInfo_(withRepositoryInfo), transaction_(MakeInfoTransaction()) {}

TpFIBTableInfo::~TpFIBTableInfo() {
    try {
        CommitWhenActive(*transaction_);
    } catch (const Exception&) {
    }
}

void TpFIBTableInfo::InitForTable(TFIBDatabase& database, const std::string& table) {
    tableName_ = table;
    dbName_ = database.DBName();
    database_ = &database;
    CommitWhenActive(*transaction_);
    transaction_->SetDefaultDatabase(&database);
    primaryKey_ = kDeferredPrimaryKey;
    const TScopeExit commit([this] { CommitWhenActive(*transaction_); });
    if (!table.empty())
        LoadFields(table, *transaction_);
}

void TpFIBTableInfo::LoadFields(const std::string& table, TFIBTransaction& transaction) {
    TFieldsInfoRows rows;
    const bool withRows = withRepositoryInfo_ && ReadRepositoryRows(transaction, rows);
    if (table != kAliasTable) {
        formatNumber_ = ReadFormatNumber(transaction);
        ReadColumns(transaction, withRows ? &rows : nullptr);
        return;
    }
    if (withRows)
        for (const std::string& name : rows.FieldNames())
            ApplyFieldsInfoRow(*rows.Find(name), AddField(name));
}

bool TpFIBTableInfo::ReadRepositoryRows(TFIBTransaction& transaction, TFieldsInfoRows& rows) {
    if (database_ == nullptr || !repository_.FieldsInfoTableExists(*database_))
        return false;
    repositoryVersion_ = ReadRepositoryVersion(transaction);
    try {
        rows.Read(transaction, tableName_);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

int TpFIBTableInfo::ReadRepositoryVersion(TFIBTransaction& transaction) {
    try {
        TPooledStatement statement(repository_.Queries(), transaction, kRepositoryVersionSQL);
        TFIBQuery& query = statement.Run(tableName_);
        return query.Eof() ? 0 : IntegerColumn(query, 0);
    } catch (const Exception&) {
        // A table of an older layout has no version column yet.
        UpgradeFieldsInfoTableOf(transaction.DefaultDatabase());
        return 0;
    }
}

int TpFIBTableInfo::ReadFormatNumber(TFIBTransaction& transaction) {
    TPooledStatement statement(repository_.Queries(), transaction, kFormatNumberSQL);
    TFIBQuery& query = statement.Run(tableName_);
    return query.Eof() ? 0 : IntegerColumn(query, 0);
}

void TpFIBTableInfo::ReadColumns(TFIBTransaction& transaction, const TFieldsInfoRows* rows) {
    const auto readRows = [&](TFIBQuery& query) {
        for (; !query.Eof(); query.Next()) {
            std::string name = Trim(query.GetFieldByIndex(ccName).ReadAsString());
            TpFIBFieldInfo& info = AddField(name);
            FillFromColumnsRow(query, info);
            if (const TFieldsInfoRow* row = rows != nullptr ? rows->Find(name) : nullptr)
                ApplyFieldsInfoRow(*row, info);
        }
    };
    TPooledStatement columns(repository_.Queries(), transaction, kColumnsSQL);
    if (!columns.Run(tableName_).Eof()) {
        readRows(*columns);
        return;
    }
    TPooledStatement outputs(repository_.Queries(), transaction, kProcedureOutputsSQL);
    readRows(outputs.Run(tableName_));
}

TpFIBFieldInfo& TpFIBTableInfo::AddField(std::string name) {
    fields_.emplace_back(std::move(name), std::make_unique<TpFIBFieldInfo>());
    return *fields_.back().second;
}

TpFIBFieldInfo* TpFIBTableInfo::FieldInfo(std::string_view name) const {
    const std::string wanted = UnquotedName(name);
    for (const auto& [fieldName, info] : fields_)
        if (AsciiSameStr(fieldName, wanted, false))
            return info.get();
    return nullptr;
}

void TpFIBTableInfo::ClearFields() {
    fields_.clear();
}

std::string TpFIBTableInfo::GetPrimaryKey() {
    const std::lock_guard guard(keyLock_);
    if (primaryKey_ != kDeferredPrimaryKey)
        return primaryKey_;
    const bool wasActive = transaction_->Active();
    {
        const TScopeExit commit([this, wasActive] {
            if (!wasActive)
                CommitWhenActive(*transaction_);
        });
        primaryKey_ = GetPrimaryKeyFields(repository_.Queries(), tableName_, transaction_.get());
    }
    return primaryKey_;
}

void TpFIBTableInfo::LoadRepositoryInfo(TFIBTransaction& transaction) {
    withRepositoryInfo_ = true;
    TFieldsInfoRows rows;
    if (!ReadRepositoryRows(transaction, rows))
        return;
    if (tableName_ == kAliasTable) {
        for (const std::string& name : rows.FieldNames())
            if (FieldInfo(name) == nullptr)
                ApplyFieldsInfoRow(*rows.Find(name), AddField(name));
        return;
    }
    for (auto& [name, info] : fields_)
        if (const TFieldsInfoRow* row = rows.Find(name); row != nullptr && !info->WithRepositoryInfo)
            ApplyFieldsInfoRow(*row, *info);
}

bool TpFIBTableInfo::IsCurrent(TFIBTransaction& transaction) {
    if (tableName_ != kAliasTable && ReadFormatNumber(transaction) != formatNumber_)
        return false;
    if (!withRepositoryInfo_ || database_ == nullptr || !repository_.FieldsInfoTableExists(*database_))
        return true;
    return ReadRepositoryVersion(transaction) == repositoryVersion_;
}
