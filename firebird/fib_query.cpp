// TFIBQuery: construction, links, preparing, executing, fetching, closing and freeing.
#include "firebird/fib_query.h"

#include <random>

#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_array.h"
#include "firebird/fib_errors.h"
#include "firebird/fib_query_trace.h"
#include "firebird/fp_environment.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/os/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope_exit.h"

namespace {

// The status isc_dsql_fetch answers after the last row.
constexpr ISC_STATUS kNoMoreRows = 100;

bool IsCursorKind(TFIBSQLTypes type) {
    return type == SQLSelect || type == SQLSelectForUpdate;
}

}  // namespace

TFIBQuery::TFIBQuery(TComponent* AOwner)
    : TComponent(AOwner),
      params_(std::make_unique<TFIBXSQLDA>(this, true)),
      serverParams_(std::make_unique<TFIBXSQLDA>(this, true)) {
    sql_.OnChanging = [this] { SQLChanging(); };
    sql_.OnChange = [this] { SQLChanged(); };
    extraServerParams_.SetSorted(true);
    extraServerParams_.SetDuplicates(TDuplicates::dupIgnore);
    link_.OnBeforeDisconnect = [this](TFIBBase*) { CloseAndFree(); };
    link_.OnTransactionEnding = [this](TFIBBase*) { OnTransactionEnding(); };
    if (auto* database = dynamic_cast<TFIBDatabase*>(AOwner))
        link_.SetDatabase(database);
    else if (auto* transaction = dynamic_cast<TFIBTransaction*>(AOwner))
        link_.SetTransaction(transaction);
}

TFIBQuery::~TFIBQuery() {
    try {
        CloseAndFree();
    } catch (...) {
        // The server statement goes with the connection anyway.
    }
    sql_.OnChanging = nullptr;
    sql_.OnChange = nullptr;
}

void TFIBQuery::OnTransactionEnding() {
    TFIBTransaction* transaction = Transaction();
    if (!CloseOnTransactionEnd || !transaction || !open_)
        return;
    if (transaction->State() == tsDoRollback || transaction->State() == tsDoCommit)
        Close();
}

void TFIBQuery::SetDatabase(TFIBDatabase* database) {
    if (database == Database())
        return;
    if (prepared_)
        CloseAndFree();
    link_.SetDatabase(database);
}

IIBClientLibrary* TFIBQuery::Library() {
    return Database() ? &Database()->GetClientLibrary() : nullptr;
}

int TFIBQuery::SQLDialect() const {
    return Database() ? Database()->SQLDialect() : 3;
}

isc_db_handle* TFIBQuery::DBHandle() {
    return Database() ? Database()->HandleAddress() : nullptr;
}

isc_tr_handle* TFIBQuery::TRHandle() {
    return Transaction() ? Transaction()->HandleAddress() : nullptr;
}

bool TFIBQuery::UpperOldNames() const {
    return Database() && Database()->UpperOldNames;
}

void TFIBQuery::StartTransactionOnDemand() {
    if (Options.Contains(qoStartTransaction) && Transaction() && !Transaction()->Active())
        Transaction()->StartTransaction();
}

void TFIBQuery::PrepareIfNeeded() {
    if (!prepared_)
        Prepare();
}

void TFIBQuery::CheckClosed(const char* operation) {
    if (open_)
        RaiseClientError(fceDatasetOpen, {operation, ComponentPath(this)});
}

void TFIBQuery::CheckOpen(const char* operation) {
    if (!open_)
        RaiseClientError(fceDatasetClosed, {operation, ComponentPath(this)});
}

ISC_STATUS TFIBQuery::ResetFpuAndMarkUsed(ISC_STATUS status) {
    ResetFloatingPointEnvironment();
    if (TFIBTransaction* transaction = Transaction())
        transaction->ResetFpuAndMarkUsed(status);
    return status;
}

bool TFIBQuery::FailedInTransaction(ISC_STATUS status) const {
    return status > 0 && Transaction() != nullptr;
}

void TFIBQuery::RaiseIfFailedInTransaction(ISC_STATUS status) {
    if (FailedInTransaction(status))
        RaiseError();
}

void TFIBQuery::RaiseError() {
    RaiseServerError(*Library(), this);
}

void TFIBQuery::Prepare() {
    Close();
    link_.CheckDatabase();
    StartTransactionOnDemand();
    link_.CheckTransaction();
    if (ParamsScannedAndPresent()) {
        if (!parsed_)
            ParseSQL();
        if (NeedsRebuild())
            RebuildServerText();
    }
    if (prepared_)
        return;
    const TScopeFail freeHandle([this] { FreeHandle(); });
    try {
        AllocateAndPrepare();
    } catch (const std::exception& e) {
        TraceQueryFailure(*this, "Prepare", e.what());
        throw;
    }
    TraceQuery(*this, TQueryTraceStep::Prepare);
}

void TFIBQuery::AllocateAndPrepare() {
    if (serverText_.find_first_not_of(" \t\r\n") == std::string::npos)
        RaiseClientError(fceEmptyQuery, {"Prepare"});
    IIBClientLibrary& lib = *Library();
    RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(handle_.Allocate(lib, link_.GetDBHandle())));
    fields_.SetCount(1);
    const std::string text = serverText_ + "\r\n";
    RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
        lib.isc_dsql_prepare(StatusVector(), link_.GetTRHandle(), handle_.Address(), 0, text.c_str(),
                             static_cast<unsigned short>(SQLDialect()), fields_.GetXSQLDA())));
    ReadStatementType();
    switch (sqlType_) {
        case SQLSelectForUpdate:
            RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
                lib.isc_dsql_set_cursor_name(StatusVector(), handle_.Address(), CursorName().c_str(), 0)));
            break;
        case SQLGetSegment:
        case SQLPutSegment:
        case SQLStartTransaction:
            RaiseClientError(fceNotPermitted);  // Prepare frees the handle
        default:
            break;
    }
    switch (sqlType_) {
        case SQLSelect:
        case SQLInsert:
        case SQLUpdate:
        case SQLDelete:
        case SQLExecProcedure:
        case SQLSelectForUpdate:
            DescribeParams();
            break;
        default:
            break;
    }
    if (sqlType_ == SQLSelect || sqlType_ == SQLExecProcedure || sqlType_ == SQLSelectForUpdate)
        DescribeColumns();
    else
        fields_.SetCount(0);
    AfterPrepareFixups();
    AttachArrays();
    prepared_ = true;
}

std::string TFIBQuery::SqlInfo(char item, std::size_t size) {
    std::string buffer(size, '\0');
    RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(Library()->isc_dsql_sql_info(
        StatusVector(), handle_.Address(), 1, &item, static_cast<short>(size), buffer.data())));
    return buffer;
}

void TFIBQuery::ReadStatementType() {
    const std::string info = SqlInfo(isc_info_sql_stmt_type, 8);
    if (info[0] != isc_info_sql_stmt_type)
        RaiseClientError(fceUnknownError);
    IIBClientLibrary& lib = *Library();
    const auto length = static_cast<short>(lib.isc_vax_integer(info.data() + 1, 2));
    sqlType_ = static_cast<TFIBSQLTypes>(lib.isc_vax_integer(info.data() + 3, length));
}

TFIBXSQLDA* TFIBQuery::AreaToSend() {
    if (textRewritten_ && ParamsScannedAndPresent())
        return serverParams_.get();
    return params_.get();
}

void TFIBQuery::DescribeParams() {
    TFIBXSQLDA* sent = AreaToSend();
    if (sent->Count() == 0)
        return;
    TFIBXSQLDA& server = *serverParams_;
    SaveParamValues(server, true);
    if (Library()->isc_dsql_describe_bind(StatusVector(), handle_.Address(),
                                          static_cast<unsigned short>(SQLDialect()), server.GetXSQLDA()) != 0)
        RaiseError();
    if (sent == params_.get()) {
        for (int i = 0; i < params_->Count() && i < server.Count(); ++i) {
            TFIBXSQLVAR& app = params_->GetVar(i);
            TFIBXSQLVAR& described = server.GetVar(i);
            const short serverType = static_cast<short>(described.XSQLVar->sqltype & ~1);
            if (app.ReadIsNull()) {
                app.XSQLVar->sqltype = static_cast<short>(serverType | 1);
                app.XSQLVar->sqllen = described.XSQLVar->sqllen;
                app.XSQLVar->sqlscale = described.XSQLVar->sqlscale;
                app.XSQLVar->sqlsubtype = described.XSQLVar->sqlsubtype;
                app.AllocData(static_cast<std::size_t>(described.XSQLVar->sqllen) +
                              (serverType == SQL_VARYING ? 2 : 0));
                app.WriteIsNull(true);
            } else if ((serverType == SQL_BLOB || serverType == SQL_ARRAY) && !app.IsBlobOrArray()) {
                const std::string text = app.ReadAsString();
                app.DescribedType = serverType;
                described.DescribedType = serverType;
                app.WriteAsString(text);
            }
        }
    }
    server.MakeUniqueNames();
    SaveParamValues(server, false);
}

void TFIBQuery::DescribeColumns() {
    XSQLDA* area = fields_.GetXSQLDA();
    if (area->sqld > area->sqln) {
        fields_.SetCount(area->sqld);
        RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
            Library()->isc_dsql_describe(StatusVector(), handle_.Address(),
                                         static_cast<unsigned short>(SQLDialect()), fields_.GetXSQLDA())));
    } else if (area->sqld == 0) {
        fields_.SetCount(0);
    }
    fields_.MakeUniqueNames();
}

void TFIBQuery::AfterPrepareFixups() {
    extraServerParams_.Clear();
    if (!textRewritten_)
        return;
    TFIBXSQLDA& server = *serverParams_;
    for (int i = 0; i < params_->Count(); ++i) {
        TFIBXSQLVAR& app = params_->GetVar(i);
        const auto found = server.NameList.find(app.VarName);
        if (found == server.NameList.end() || found->second >= server.Count())
            continue;
        TFIBXSQLVAR& described = server.GetVar(found->second);
        const short serverType = described.DescribedType;
        const short appType = app.ReadSQLType();
        if ((serverType == SQL_TIMESTAMP || serverType == SQL_TYPE_DATE) &&
            (appType == SQL_DOUBLE || appType == SQL_FLOAT) && !app.ReadIsNull()) {
            app.WriteAsDateTime(app.ReadAsDouble());
        } else if ((serverType == SQL_BLOB || serverType == SQL_ARRAY) && appType != serverType) {
            const bool wasNull = app.ReadIsNull();
            const std::string text = wasNull ? std::string() : app.ReadAsString();
            app.WriteIsNullable(false);
            if (wasNull) {
                app.WriteXSQLVAR(*described.XSQLVar);
                app.WriteIsNull(true);
            } else if (serverType != SQL_ARRAY) {
                app.DescribedType = serverType;
                app.WriteAsString(text);
            }
        }
    }
    for (int i = 0; i < server.Count(); ++i) {
        const std::string& name = server.GetVar(i).VarName;
        if (params_->NameList.find(name) == params_->NameList.end())
            extraServerParams_.Add(name);
    }
}

void TFIBQuery::AttachArrays() {
    IIBClientLibrary& lib = *Library();
    for (int i = 0; i < fields_.Count(); ++i) {
        TFIBXSQLVAR& var = fields_.GetVar(i);
        if (!var.IsArray())
            continue;
        const XSQLVAR& x = *var.XSQLVar;
        const std::string relation(x.relname, static_cast<std::size_t>(x.relname_length));
        const std::string field(x.sqlname, static_cast<std::size_t>(x.sqlname_length));
        ISC_ARRAY_DESC desc{};
        RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
            lib.isc_array_lookup_bounds(StatusVector(), link_.GetDBHandle(), link_.GetTRHandle(),
                                        relation.c_str(), field.c_str(), &desc)));
        if (!var.ArrayInfo)
            var.ArrayInfo = std::make_unique<TpFIBArray>(&lib, desc, relation, field,
                                                         ArrayElementKindOf(desc.array_desc_dtype));
    }
}

const std::string& TFIBQuery::CursorName() {
    if (cursorName_.empty()) {
        std::random_device device;
        std::uniform_int_distribution<int> digit(0, 9);
        for (int i = 0; i < 10; ++i) cursorName_ += static_cast<char>('0' + digit(device));
    }
    return cursorName_;
}

void TFIBQuery::Execute() {
    fields_.ClearValues();
    StartTransactionOnDemand();
    if (ParamsScannedAndPresent() || !prepared_)
        Prepare();
    const std::uint64_t start = GetTickCount64();
    TFIBTransaction* transaction = Transaction();
    try {
        transaction->SQLExecuted(this, 0);
        ExecuteByKind();
        executionTime_ = GetTickCount64() - start;
        TraceQuery(*this, TQueryTraceStep::Execute);
        if (ParamsScannedAndPresent())
            SaveParamValues(*params_, true);
        transaction->SQLExecuted(this, 1);
        if (Options.Contains(qoAutoCommit)) {
            if (transaction->TimeoutAction == TACommitRetaining)
                transaction->CommitRetaining();
            else
                transaction->Commit();
        }
    } catch (const Exception& e) {
        executionTime_ = GetTickCount64() - start;
        TraceQuery(*this, TQueryTraceStep::Execute);
        TraceQueryFailure(*this, "Execute", e.what());
        throw;
    }
    params_->ResetModified();
    macrosChanged_ = false;
}

XSQLDA* TFIBQuery::BoundArea() {
    TFIBXSQLDA* area = params_.get();
    if (textRewritten_ && ParamsScannedAndPresent()) {
        serverParams_->AssignValues(*params_);
        area = serverParams_.get();
    }
    return area->Count() > 0 ? area->GetXSQLDA() : nullptr;
}

void TFIBQuery::ExecuteByKind() {
    IIBClientLibrary& lib = *Library();
    XSQLDA* sent = BoundArea();
    const auto dialect = static_cast<unsigned short>(SQLDialect());
    switch (sqlType_) {
        case SQLSelect:
        case SQLSelectForUpdate:
            Close();
            RecordStatistics(true);
            RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
                lib.isc_dsql_execute(StatusVector(), link_.GetTRHandle(), handle_.Address(), dialect, sent)));
            RecordStatistics(false);
            open_ = true;
            bof_ = true;
            eof_ = false;
            fetched_ = 0;
            fields_.ClearValues();
            if (GoToFirstRecordOnExecute)
                Next();
            break;
        case SQLExecProcedure: {
            RecordStatistics(true);
            // The row a procedure returns comes with the execution, so the handle starts afresh.
            FreeHandle();
            Prepare();
            sent = BoundArea();
            const ISC_STATUS status =
                lib.isc_dsql_execute2(StatusVector(), link_.GetTRHandle(), handle_.Address(), dialect, sent,
                                      fields_.Count() > 0 ? fields_.GetXSQLDA() : nullptr);
            RecordStatistics(false);
            if (status != 0)
                RaiseError();
            procExecuted_ = true;
            break;
        }
        default:
            RecordStatistics(true);
            RaiseIfFailedInTransaction(ResetFpuAndMarkUsed(
                lib.isc_dsql_execute(StatusVector(), link_.GetTRHandle(), handle_.Address(), dialect, sent)));
            RecordStatistics(false);
            break;
    }
}

TFIBXSQLDA* TFIBQuery::Next() {
    if (eof_)
        return nullptr;
    CheckOpen("fetch next record");
    if (FetchNotify) {
        bool stop = false;
        FetchNotify(fetched_, stop);
        if (stop && !ComponentState().Contains(csLoading))
            Abort();
    }
    // The fetch's own status decides, also for a statement without a transaction.
    const ISC_STATUS status = ResetFpuAndMarkUsed(Library()->isc_dsql_fetch(
        StatusVector(), handle_.Address(), static_cast<unsigned short>(SQLDialect()), fields_.GetXSQLDA()));
    if (status <= 0) {
        ++fetched_;
        bof_ = false;
        TraceQuery(*this, TQueryTraceStep::Fetch);
        return &fields_;
    }
    eof_ = true;
    if (status == kNoMoreRows || StatusHasCode({isc_dsql_cursor_err})) {
        TraceQuery(*this, TQueryTraceStep::Fetch);
        return nullptr;
    }
    const TStatusSnapshot fetchFailure = TStatusSnapshot::Take();
    try {
        Close();
    } catch (const Exception&) {
        // The fetch's failure is the one to report.
    }
    fetchFailure.Restore();
    RaiseError();
    return nullptr;
}

void TFIBQuery::Close() {
    const bool closeCursor = handle_.Held() && open_ && IsCursorKind(sqlType_);
    open_ = bof_ = eof_ = procExecuted_ = false;
    if (!closeCursor)
        return;
    const ISC_STATUS status = ResetFpuAndMarkUsed(handle_.CloseCursor());
    if (FailedInTransaction(status) && StatusVector()[0] == isc_arg_gds &&
        !StatusHasCode({isc_bad_stmt_handle, isc_dsql_cursor_close_err}))
        RaiseError();
}

void TFIBQuery::FreeHandle() {
    fields_.SetCount(0);
    prepared_ = false;
    if (!handle_.Held())
        return;
    if (Library() == nullptr) {
        handle_.Forget();
        return;
    }
    const ISC_STATUS status = ResetFpuAndMarkUsed(handle_.Drop());
    if (FailedInTransaction(status) && StatusVector()[0] == isc_arg_gds &&
        StatusVector()[1] != isc_bad_stmt_handle)
        RaiseError();
}

void TFIBQuery::CloseAndFree() {
    if (!handle_.Held())
        return;
    const TScopeExit freeHandle([this] { FreeHandle(); });
    Close();
}
