#include "firebird_datasets/repository_upgrade.h"

#include <string>
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/transaction.h"
#include "firebird_datasets/metadata_queries.h"

namespace {

constexpr const char* kVersionGenerator = "FIB$FIELD_INFO_VERSION";

// One part of a repository table's layout: the statement that adds it, and the system-table query
// (with the part's name as its parameters) that counts it when it is already there.
struct TLayoutPart {
    std::string Sql;
    std::string ExistsSql;
    std::vector<std::string> Names;
};

TLayoutPart Generator() {
    return {std::string("CREATE GENERATOR ") + kVersionGenerator,
            "select count(*) from RDB$GENERATORS where RDB$GENERATOR_NAME = ?N",
            {kVersionGenerator}};
}

TLayoutPart Column(const std::string& table, const std::string& column, const std::string& definition) {
    return {"ALTER TABLE " + table + " ADD " + definition,
            "select count(*) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = ?T and RDB$FIELD_NAME = ?N",
            {table, column}};
}

TLayoutPart VersionTrigger(const std::string& table, const char* suffix, const char* event,
                           const char* afterBegin) {
    const std::string name = table + suffix;
    return {"CREATE TRIGGER " + name + " FOR " + table + " ACTIVE " + event + " POSITION 0 as \r\nbegin" +
                afterBegin + "\r\nnew.fib$version=gen_id(fib$field_info_version,1);\r\nend",
            "select count(*) from RDB$TRIGGERS where RDB$TRIGGER_NAME = ?N",
            {name}};
}

bool CountsAny(TFIBTransaction& transaction, const std::string& sql, const std::vector<std::string>& params) {
    TObjectPtr<TFIBQuery> query = MakeQuery(transaction, sql);
    for (std::size_t i = 0; i < params.size(); ++i)
        query->GetParams()[static_cast<int>(i)].WriteAsString(params[i]);
    query->ExecQuery();
    return !query->Eof() && query->GetFieldByIndex(0).ReadAsInt64() > 0;
}

void Execute(TFIBTransaction& transaction, const std::string& sql) {
    TObjectPtr<TFIBQuery> query = MakeComponent<TFIBQuery>(nullptr);
    query->ParamCheck = false;  // trigger bodies hold colons
    query->SetDatabase(transaction.DefaultDatabase());
    query->SetTransaction(&transaction);
    query->SQL().SetText(sql);
    query->ExecQuery();
}

void AddMissing(TFIBTransaction& transaction, const TLayoutPart& part) {
    if (!CountsAny(transaction, part.ExistsSql, part.Names))
        Execute(transaction, part.Sql);
}

void CommitWhenActive(TFIBTransaction& transaction) {
    if (transaction.Active())
        transaction.Commit();
}

}  // namespace

bool BooleanDomainExists(TFIBDatabase& database) {
    TObjectPtr<TFIBTransaction> transaction = MakeComponent<TFIBTransaction>(nullptr);
    transaction->SetDefaultDatabase(&database);
    transaction->StartTransaction();
    const bool exists = CountsAny(
        *transaction, "Select Count(*) FROM RDB$FIELDS FLD WHERE FLD.RDB$FIELD_NAME = 'FIB$BOOLEAN'", {});
    transaction->Commit();
    return exists;
}

void UpgradeFieldsInfoTable(TFIBTransaction& transaction) {
    const std::string table = "FIB$FIELDS_INFO";
    const TLayoutPart parts[] = {
        Generator(),
        Column(table, "DISPLAY_WIDTH", "DISPLAY_WIDTH INTEGER DEFAULT 0"),
        Column(table, "FIB$VERSION", "FIB$VERSION INTEGER"),
        VersionTrigger(table, "_BI", "BEFORE INSERT", " "),
        VersionTrigger(table, "_BU", "BEFORE UPDATE", " "),
    };
    StartIfInactive(transaction);
    for (const TLayoutPart& part : parts) {
        try {
            AddMissing(transaction, part);
        } catch (const Exception&) {
            // A part this database can't take leaves the rest to be added.
        }
    }
    CommitWhenActive(transaction);
}

void UpgradeDataSetsInfoTable(TFIBTransaction& transaction) {
    const std::string table = "FIB$DATASETS_INFO";
    TFIBDatabase* database = transaction.DefaultDatabase();
    const bool needsDomain = database != nullptr && !BooleanDomainExists(*database);
    StartIfInactive(transaction);
    if (needsDomain)
        Execute(transaction,
                "CREATE DOMAIN FIB$BOOLEAN AS SMALLINT DEFAULT 1 NOT NULL CHECK (VALUE IN (0,1))");
    const TLayoutPart parts[] = {
        Column(table, "UPDATE_TABLE_NAME", "UPDATE_TABLE_NAME  VARCHAR(68)"),
        Column(table, "UPDATE_ONLY_MODIFIED_FIELDS", "UPDATE_ONLY_MODIFIED_FIELDS  FIB$BOOLEAN NOT NULL"),
        Column(table, "CONDITIONS", "CONDITIONS  BLOB sub_type 1 segment size 80"),
        Generator(),
        Column(table, "FIB$VERSION", "fib$version  INTEGER"),
        VersionTrigger(table, "_BI", "BEFORE INSERT", ""),
        VersionTrigger(table, "_BU", "BEFORE UPDATE", ""),
    };
    for (const TLayoutPart& part : parts) AddMissing(transaction, part);
    CommitWhenActive(transaction);
}
