// What the dataset answers a provider: names for its SQL, the read transaction, one record applied
// from a delta, and statements run with parameters by position.
#include <cmath>
#include <limits>

#include "firebird/cached_queries.h"
#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/pooled_query.h"
#include "firebird/sql_from_tables.h"
#include "firebird/sql_types.h"
#include "firebird/str_basics.h"
#include "firebird/string_list_utils.h"
#include "firebird/unnamed_params.h"
#include "firebird_datasets/metadata_queries.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/rtl/scope_exit.h"

namespace {

// A BCD value as the scaled integer the parameter takes; NULL when it does not fit.
Variant ScaledBcdValue(const Variant& value, int scale) {
    if (value.IsNull() || value.IsEmpty())
        return Variant::Null();
    const long double scaled =
        std::round(static_cast<long double>(value.AsDouble()) * std::pow(10.0L, -scale));
    if (!(std::fabs(scaled) < 9.2233720368547758e18L))
        return Variant::Null();
    return Variant(static_cast<std::int64_t>(scaled));
}

void SetDeltaParam(TFIBQuery& statement, const std::string& name, const Variant& value, bool bcd) {
    TFIBXSQLVAR* param = statement.FindParam(name);
    if (param == nullptr)
        return;
    if (bcd && param->ReadScale() < 0)
        param->WriteAsVariant(ScaledBcdValue(value, param->ReadScale()));
    else
        param->WriteAsVariant(value);
}

TFieldType ParamTypeOfSQL(int sqlType) {
    switch (sqlType & ~1) {
        case SQL_TEXT:
        case SQL_VARYING:
            break;
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_INT64:
            return ftFloat;
        case SQL_LONG:
            return ftInteger;
        case SQL_SHORT:
            return ftSmallint;
        case SQL_TIMESTAMP:
            return ftDateTime;
        case SQL_BLOB:
        case SQL_ARRAY:
            return ftBlob;
        case SQL_TYPE_TIME:
            return ftTime;
        case SQL_TYPE_DATE:
            return ftDate;
        default:
            break;
    }
    return ftString;
}

}  // namespace

std::string TpFIBDataSet::PSGetQuoteChar() const {
    return Database() != nullptr && Database()->SQLDialect() == 3 ? "\"" : "";
}

std::string TpFIBDataSet::PSGetTableName() const {
    TStringList tables;
    FillTableNames(SelectSQL().Text(), tables);
    const std::string& update = AutoUpdateOptions().UpdateTableName();
    for (int i = 0; i < tables.Count(); ++i) {
        if (AsciiUpperCase(tables[i]) == AsciiUpperCase(update))
            return tables[i];
    }
    return tables.Count() > 0 ? tables[0] : std::string();
}

std::string TpFIBDataSet::PSGetKeyFields() const {
    std::string keys = TFIBDataSet::PSGetKeyFields();
    return keys.empty() ? AutoUpdateOptions().KeyFields() : keys;
}

void TpFIBDataSet::PSSetCommandText(const std::string& text) {
    if (!text.empty())
        SelectSQL().SetText(text);
}

std::unique_ptr<EUpdateError> TpFIBDataSet::PSGetUpdateException(const std::exception_ptr& error,
                                                                 const EUpdateError* previous) {
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const EFIBError& e) {
        return std::make_unique<EUpdateError>(e.Message, std::string(), e.SqlErrorCode,
                                              previous != nullptr ? previous->ErrorCode : 0, error);
    } catch (...) {
    }
    return TFIBDataSet::PSGetUpdateException(error, previous);
}

bool TpFIBDataSet::PSInTransaction() const {
    return Transaction() != nullptr && Transaction()->Active();
}

void TpFIBDataSet::PSStartTransaction() {
    if (Database() == nullptr)
        RaiseClientError(fceDatabaseNotAssigned, {ComponentPath(this)});
    if (Transaction() == nullptr)
        RaiseClientError(fceTransactionNotAssigned, {ComponentPath(this)});
    if (!Database()->Connected())
        Database()->SetConnected(true);
    if (!Transaction()->Active())
        Transaction()->StartTransaction();
}

void TpFIBDataSet::PSEndTransaction(bool commit) {
    if (!PSInTransaction())
        return;
    if (commit)
        Transaction()->Commit();
    else
        Transaction()->Rollback();
}

bool TpFIBDataSet::PSUpdateRecord(TUpdateKind kind, TDataSet& delta) {
    if (OnUpdateRecord) {
        TFIBUpdateAction action = uaFail;
        OnUpdateRecord(this, kind, action);
        return action == uaApplied;
    }
    TFIBQuery& statement = StatementOfKind(kind);
    for (int i = 0; i < delta.Fields().Count(); ++i) {
        TField* field = delta.Fields().Fields(i);
        const bool bcd = field->DataType() == ftBCD || field->DataType() == ftFMTBcd;
        const Variant oldValue = field->OldValue();
        Variant newValue = field->NewValue();
        if (newValue.IsEmpty())
            newValue = oldValue;
        SetDeltaParam(statement, field->FieldName, newValue, bcd);
        SetDeltaParam(statement, "NEW_" + field->FieldName, newValue, bcd);
        SetDeltaParam(statement, "OLD_" + field->FieldName, oldValue, bcd);
    }
    if (!IsEmptyStrings(statement.SQL()))
        statement.Execute();
    return statement.SQL().Count() > 0;
}

namespace {

void BindByPosition(TFIBXSQLDA& target, const TParams& params) {
    for (int i = 0; i < params.Count() && i < target.Count(); ++i)
        target[i].WriteAsVariant(params.Items(i)->Value());
}

// Rows fetched to the end for a select, else the rows the statement changed.
int ExecutedCount(TFIBQuery& query) {
    if (query.SQLType() != SQLSelect && query.SQLType() != SQLSelectForUpdate)
        return query.RowsAffected();
    while (!query.Eof()) query.Next();
    const int count = query.FetchedCount();
    query.Close();
    return count;
}

}  // namespace

int TpFIBDataSet::PSExecuteStatement(const std::string& sql, const TParams& params,
                                     TObjectPtr<TDataSet>* resultSet) {
    const std::string text = NumberPositionalParams(sql);
    if (resultSet != nullptr) {
        TObjectPtr<TpFIBDataSet> rows = MakeComponent<TpFIBDataSet>(nullptr);
        rows->SetDatabase(Database());
        rows->SetTransaction(Transaction());
        if (Transaction() != nullptr && !Transaction()->Active())
            Transaction()->StartTransaction();
        rows->SelectSQL().SetText(text);
        BindByPosition(rows->Params(), params);
        rows->QSelect().Prepare();
        int count;
        if (rows->QSelect().SQLType() == SQLSelect) {
            rows->Open();
            rows->FetchAll();
            count = rows->RecordCount();
        } else {
            rows->QSelect().Execute();
            count = rows->QSelect().RowsAffected();
        }
        resultSet->reset(rows.release());
        return count;
    }
    TFIBTransaction* transaction = UpdateTransaction();
    if (Database() == nullptr || transaction == nullptr)
        RaiseClientError(Database() == nullptr ? fceDatabaseNotAssigned : fceTransactionNotAssigned,
                         {ComponentPath(this)});
    // A pooled statement (from the shared pools when the dataset's repository uses them), else one
    // of its own when the pool hands out another kind.
    auto* repository = dynamic_cast<TpFIBRepository*>(ColumnRepository());
    IFIBQueryPool& pool = QueryPoolOf(repository != nullptr ? repository->Queries() : nullptr, *Database());
    IFIBPooledQuery& pooled = pool.AcquireCachedQuery(*Database(), *transaction, text);
    TObjectPtr<TFIBQuery> own;
    TFIBQuery* query = dynamic_cast<TFIBQuery*>(&pooled);
    if (query == nullptr) {
        own = MakeComponent<TFIBQuery>(nullptr);
        own->SetDatabase(Database());
        own->SetTransaction(transaction);
        own->SQL().SetText(text);
        query = own.get();
    }
    const TScopeExit release([&pool, &pooled] { pool.ReleaseCachedQuery(pooled, false); });
    BindByPosition(query->GetParams(), params);
    if (!transaction->Active())
        transaction->StartTransaction();
    query->Execute();
    return ExecutedCount(*query);
}

void TpFIBDataSet::PSReset() {
    TFIBDataSet::PSReset();
    if (Active()) {
        Close();
        Open();
    }
}

void TpFIBDataSet::PSExecute() {
    QSelect().Execute();
}

TParams* TpFIBDataSet::PSGetParams() {
    providerParams_.Clear();
    TFIBXSQLDA& params = Params();
    for (int i = 0; i < params.Count(); ++i) {
        TFIBXSQLVAR& param = params[i];
        TParam* made =
            providerParams_.CreateParam(ParamTypeOfSQL(param.ReadSQLType()), param.VarName, ptInputOutput);
        made->SetValue(param.ReadAsVariant());
    }
    return &providerParams_;
}

void TpFIBDataSet::PSSetParams(const TParams& params) {
    for (int i = 0; i < params.Count(); ++i) {
        if (TFIBXSQLVAR* param = QSelect().FindParam(params.Items(i)->Name))
            param->WriteAsVariant(params.Items(i)->Value());
    }
}
