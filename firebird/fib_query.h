#pragma once
// TFIBQuery runs one SQL statement: it reads its text into parameters and macros, prepares the
// text the server takes, binds the values, executes, fetches rows into its column area and frees
// the server statement. It is linked to a database and a transaction through a TFIBBase link.
#include <ibase.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "firebird/fib_base.h"
#include "firebird/param_field_access.h"
#include "firebird/pooled_query.h"
#include "firebird/query_conditions.h"
#include "firebird/sql_parser.h"
#include "firebird/statement_context.h"
#include "firebird/statement_handle.h"
#include "firebird/statement_kind.h"
#include "firebird/xsqlda.h"
#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/set.h"
#include "platform/rtl/string_list.h"

class TFIBDatabase;
class TFIBTransaction;

enum TpFIBQueryOption { qoStartTransaction, qoAutoCommit, qoTrimCharFields, qoNoForceIsNull };
using TpFIBQueryOptions = TSet<TpFIBQueryOption>;

// Called before each fetch with the rows fetched so far; setting stop ends the fetching.
using TFetchNotify = std::function<void(int fetched, bool& stop)>;

// Timers, counters and texts kept per statement text by an application that wants them.
class IQueryStatistics {
  public:
    virtual ~IQueryStatistics() = default;
    virtual void SetText(const std::string& sql, const std::string& item, const std::string& value) = 0;
    virtual void StartTimer(const std::string& sql, const std::string& item) = 0;
    virtual std::int64_t ElapsedTime(const std::string& sql, const std::string& item) = 0;
    virtual std::int64_t Value(const std::string& sql, const std::string& item) = 0;
    virtual void SetValue(const std::string& sql, const std::string& item, std::int64_t value) = 0;
    virtual void SetDetails(const std::string& sql, const std::string& item,
                            const std::vector<std::string>& lines) = 0;
};
IQueryStatistics* QueryStatistics();
void SetQueryStatistics(IQueryStatistics* statistics);  // not owned; nullptr removes it

class TFIBQuery : public TComponent,
                  public IFIBStatementContext,
                  public IFIBStatementKind,
                  public IParamFieldAccess,
                  public IFIBPooledQuery {
  public:
    explicit TFIBQuery(TComponent* AOwner);
    ~TFIBQuery() override;
    std::string ClassName() const override { return "TFIBQuery"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    virtual void SetDatabase(TFIBDatabase* database);
    virtual void Execute();

    TFIBDatabase* Database() const { return link_.Database(); }
    TFIBTransaction* Transaction() const override { return link_.Transaction(); }
    void SetTransaction(TFIBTransaction* transaction) { link_.SetTransaction(transaction); }

    TStrings& SQL() { return sql_; }
    const TStrings& SQL() const { return sql_; }
    TConditions& Conditions() { return conditions_; }
    const TConditions& Conditions() const { return conditions_; }
    bool GoToFirstRecordOnExecute = true;
    bool ParamCheck = true;
    bool CloseOnTransactionEnd = true;
    TpFIBQueryOptions Options;
    TNotifyEvent OnSQLChanging;
    TFetchNotify FetchNotify;
    char MacroChar = '@';

    // Lifecycle.
    void Prepare();
    TFIBXSQLDA* Next();  // nullptr at the end
    void Close();
    void FreeHandle();
    void CloseAndFree();
    void ExecQuery() override { Execute(); }

    void CheckClosed(const char* operation);
    void CheckOpen(const char* operation);

    // Columns.
    TFIBXSQLDA& GetFields() { return fields_; }
    TFIBXSQLVAR& FieldByName(const std::string& name);
    TFIBXSQLVAR& GetFieldByIndex(int index);
    int FieldIndex(const std::string& name);
    bool Eof() const { return eof_ || !open_; }
    bool Bof() const { return bof_; }
    bool Open() const { return open_; }
    bool Prepared() const { return prepared_; }
    int FetchedCount() const { return fetched_; }

    // Parameters.
    TFIBXSQLDA& GetParams();
    TFIBXSQLVAR* FindParam(const std::string& name);
    TFIBXSQLVAR& ParamByName(const std::string& name);

    // Texts: the normalized one the parameters come from and the one sent to the server.
    const std::string& NormalizedSQL() const { return normalizedText_; }
    const std::string& ServerSQL() const { return serverText_; }
    const TStringList& ExtraServerParams() const { return extraServerParams_; }

    // Server information.
    TFIBSQLTypes SQLType() const override { return sqlType_; }
    std::string GetPlanText();
    int RowsAffected();
    std::string GetModifyTableName();
    std::uint64_t ExecutionTime() const { return executionTime_; }
    const std::string& CursorName();

    // WHERE clauses of the SQL lines.
    int GetMainWhereIndex();
    std::string GetMainWhereText();
    void SetMainWhereText(const std::string& text);
    std::string GetWhereText(int n);

    // Changes of the SQL lines are not parsed while a change is under way.
    void BeginSQLChange();
    void EndSQLChange();
    int SQLChangeCount() const { return sqlChangeCount_; }

    // Parameters and macros (ParseSQL runs on every change of the SQL lines).
    void ParseSQL();
    std::string BuildExecSQL();
    std::string ExpandMacros(const std::string& text);
    void RefreshSQLText();
    void SaveParamValues(TFIBXSQLDA& area, bool save);
    bool NeedsRebuild();

    // IFIBStatementContext.
    IIBClientLibrary* Library() override;
    int SQLDialect() const override;
    isc_db_handle* DBHandle() override;
    isc_tr_handle* TRHandle() override;
    void StartTransactionOnDemand() override;
    bool TrimCharFields() const override { return Options.Contains(qoTrimCharFields); }
    bool UpperOldNames() const override;
    bool RowFetched() const override { return fetched_ > 0; }
    bool IsProcedureCall() const override { return procExecuted_; }
    TFIBXSQLDA* AppParamArea() override { return params_.get(); }
    TFIBXSQLDA* ServerParamArea() override { return serverParams_.get(); }
    void PrepareIfNeeded() override;
    bool MacrosChanged() const override { return macrosChanged_; }
    void NoteMacrosChanged() override { macrosChanged_ = true; }
    void RebuildSQLIfMacrosChanged() override;

    // IParamFieldAccess.
    int GetParamCount() override { return GetParams().Count(); }
    std::string GetParamName(int index) override;
    int GetFieldCount() override { return fields_.Count(); }
    bool FindFieldIndex(const std::string& name, int& index) override;
    bool FindParamIndex(const std::string& name, int& index) override;
    Variant GetFieldValueByName(const std::string& name) override;
    Variant GetFieldValue(int index) override;
    Variant GetParamValueByName(const std::string& name) override;
    Variant GetParamValue(int index) override;
    void SetParamValue(int index, const Variant& value) override;

    // IFIBPooledQuery.
    int ParamCount() override { return GetParamCount(); }
    int FieldCount() override { return fields_.Count(); }
    int FieldSQLType(int index) override { return GetFieldByIndex(index).ReadSQLType(); }
    Variant FieldValue(int index) override { return GetFieldByIndex(index).ReadAsVariant(); }
    std::string FieldAsString(int index) override { return GetFieldByIndex(index).ReadAsString(); }
    std::int64_t FieldAsInt64(int index) override { return GetFieldByIndex(index).ReadAsInt64(); }

  protected:
    void DefineProperties(TFiler& filer) override;

  private:
    void SQLChanging();
    void SQLChanged();
    void ForgetConditionsBase();
    void RestoreLines();
    void RunScan(const std::string& text, bool serverPass);
    void CarryValues(TFIBXSQLDA& from, TFIBXSQLDA& to);
    void RewriteNullParams(std::string& text);
    void RebuildServerText();
    void AllocateAndPrepare();
    void ReadStatementType();
    void DescribeParams();
    void DescribeColumns();
    void AfterPrepareFixups();
    void AttachArrays();
    TFIBXSQLDA* AreaToSend();
    XSQLDA* BoundArea();
    void ExecuteByKind();
    void FinishExecute();
    void RecordStatistics(bool before);
    std::string SqlInfo(char item, std::size_t size);
    // After each client call: the floating-point control words go back to the process defaults and
    // the transaction and its databases count as used. Answers the status.
    ISC_STATUS ResetFpuAndMarkUsed(ISC_STATUS status);
    // A failure counts only for a statement in a transaction.
    bool FailedInTransaction(ISC_STATUS status) const;
    void RaiseIfFailedInTransaction(ISC_STATUS status);
    void RaiseError();
    void OnTransactionEnding();
    bool ParamsScannedAndPresent() { return paramsScanned_ && GetParams().Count() > 0; }

    TFIBBase link_{this};
    TStringList sql_;
    TConditions conditions_{this};
    std::unique_ptr<TFIBXSQLDA> params_;
    std::unique_ptr<TFIBXSQLDA> serverParams_;
    TFIBXSQLDA fields_{this, false};
    TSQLParser parser_;
    std::string normalizedText_;
    std::string serverText_;
    std::string linesText_;
    bool changingSeen_ = false;
    std::string mainTableName_ = "-1";
    std::string cursorName_;
    TStringList extraServerParams_;
    TStatementHandle handle_;
    TFIBSQLTypes sqlType_ = SQLUnknown;
    bool hasMacros_ = false;
    bool paramsScanned_ = false;
    bool parsed_ = false;
    bool macrosChanged_ = false;
    bool textRewritten_ = false;
    bool open_ = false;
    bool bof_ = false;
    bool eof_ = false;
    bool prepared_ = false;
    bool procExecuted_ = false;
    int fetched_ = 0;
    int sqlChangeLock_ = 0;
    int sqlChangeCount_ = 0;
    std::uint64_t executionTime_ = 0;
};
