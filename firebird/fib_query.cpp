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

namespace {

constexpr ISC_STATUS kCursorNotOpen = 335544572;
constexpr ISC_STATUS kInvalidStatementHandle = 335544485;
constexpr ISC_STATUS kCursorAlreadyClosed = 335544577;

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

ISC_STATUS TFIBQuery::CheckStatus(ISC_STATUS status, bool raise) {
    ResetFloatingPointEnvironment();
    if (TFIBTransaction* transaction = Transaction())
        status = transaction->CheckStatus(status, false);
    else
        status = 0;
    if (raise && status > 0)
        RaiseError();
    return status;
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
    try {
        AllocateAndPrepare();
    } catch (const std::exception& e) {
        TraceQueryFailure(*this, "Prepare", e.what());
        FreeHandle();
        throw;
    }
    TraceQuery(*this, TQueryTraceStep::Prepare);
}

void TFIBQuery::AllocateAndPrepare() {
    if (serverText_.find_first_not_of(" \t\r\n") == std::string::npos)
        RaiseClientError(fceEmptyQuery, {"Prepare"});
    IIBClientLibrary& lib = *Library();
    CheckStatus(lib.isc_dsql_alloc_statement2(StatusVector(), link_.GetDBHandle(), &handle_), true);
    fields_.SetCount(1);
    const std::string text = serverText_ + "\r\n";
    CheckStatus(lib.isc_dsql_prepare(StatusVector(), link_.GetTRHandle(), &handle_, 0, text.c_str(),
                                     static_cast<unsigned short>(SQLDialect()), fields_.GetXSQLDA()),
                true);
    ReadStatementType();
    switch (sqlType_) {
        case SQLSelectForUpdate:
            CheckStatus(lib.isc_dsql_set_cursor_name(StatusVector(), &handle_, CursorName().c_str(), 0),
                        true);
            break;
        case SQLGetSegment:
        case SQLPutSegment:
        case SQLStartTransaction:
            FreeHandle();
            RaiseClientError(fceNotPermitted);
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
    CheckStatus(Library()->isc_dsql_sql_info(StatusVector(), &handle_, 1, &item, static_cast<short>(size),
                                             buffer.data()),
                true);
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
    if (Library()->isc_dsql_describe_bind(StatusVector(), &handle_, static_cast<unsigned short>(SQLDialect()),
                                          server.GetXSQLDA()) != 0)
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
        CheckStatus(
            Library()->isc_dsql_describe(StatusVector(), &handle_, static_cast<unsigned short>(SQLDialect()),
                                         fields_.GetXSQLDA()),
            true);
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
        CheckStatus(lib.isc_array_lookup_bounds(StatusVector(), link_.GetDBHandle(), link_.GetTRHandle(),
                                                relation.c_str(), field.c_str(), &desc),
                    true);
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
            CheckStatus(lib.isc_dsql_execute(StatusVector(), link_.GetTRHandle(), &handle_, dialect, sent),
                        true);
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
                lib.isc_dsql_execute2(StatusVector(), link_.GetTRHandle(), &handle_, dialect, sent,
                                      fields_.Count() > 0 ? fields_.GetXSQLDA() : nullptr);
            RecordStatistics(false);
            if (status != 0)
                RaiseError();
            procExecuted_ = true;
            break;
        }
        default:
            RecordStatistics(true);
            CheckStatus(lib.isc_dsql_execute(StatusVector(), link_.GetTRHandle(), &handle_, dialect, sent),
                        true);
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
    // The fetch's own status decides: without a transaction the check answers 0 for anything.
    const ISC_STATUS status = Library()->isc_dsql_fetch(
        StatusVector(), &handle_, static_cast<unsigned short>(SQLDialect()), fields_.GetXSQLDA());
    CheckStatus(status, false);
    if (status <= 0) {
        ++fetched_;
        bof_ = false;
        TraceQuery(*this, TQueryTraceStep::Fetch);
        return &fields_;
    }
    eof_ = true;
    if (status == 100 || StatusHasCode({kCursorNotOpen})) {
        TraceQuery(*this, TQueryTraceStep::Fetch);
        return nullptr;
    }
    // The error stays in the thread's status vector while the cursor closes.
    const ISC_STATUS saved[20] = {
        StatusVector()[0],  StatusVector()[1],  StatusVector()[2],  StatusVector()[3],  StatusVector()[4],
        StatusVector()[5],  StatusVector()[6],  StatusVector()[7],  StatusVector()[8],  StatusVector()[9],
        StatusVector()[10], StatusVector()[11], StatusVector()[12], StatusVector()[13], StatusVector()[14],
        StatusVector()[15], StatusVector()[16], StatusVector()[17], StatusVector()[18], StatusVector()[19]};
    try {
        Close();
    } catch (const Exception&) {
    }
    std::copy(std::begin(saved), std::end(saved), StatusVector());
    RaiseError();
    return nullptr;
}

void TFIBQuery::Close() {
    const bool closeCursor = handle_ != 0 && open_ && IsCursorKind(sqlType_);
    open_ = bof_ = eof_ = procExecuted_ = false;
    if (!closeCursor)
        return;
    const ISC_STATUS status =
        CheckStatus(Library()->isc_dsql_free_statement(StatusVector(), &handle_, DSQL_close), false);
    if (status > 0 && StatusVector()[0] == 1 &&
        !StatusHasCode({kInvalidStatementHandle, kCursorAlreadyClosed}))
        RaiseError();
}

void TFIBQuery::FreeHandle() {
    fields_.SetCount(0);
    const bool hadHandle = handle_ != 0;
    prepared_ = false;
    if (!hadHandle)
        return;
    const ISC_STATUS status =
        Library()
            ? CheckStatus(Library()->isc_dsql_free_statement(StatusVector(), &handle_, DSQL_drop), false)
            : 0;
    handle_ = 0;
    if (status > 0 && StatusVector()[0] == 1 && StatusVector()[1] != kInvalidStatementHandle)
        RaiseError();
}

void TFIBQuery::CloseAndFree() {
    if (handle_ == 0)
        return;
    try {
        Close();
    } catch (...) {
        FreeHandle();
        throw;
    }
    FreeHandle();
}
