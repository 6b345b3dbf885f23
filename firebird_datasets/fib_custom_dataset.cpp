// The dataset's construction, its links to database and transactions, its setters and checks.
#include "firebird_datasets/fib_custom_dataset.h"

#include "firebird/blob_stream.h"
#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "platform/db/data_source.h"

namespace {

// The four handlers a dataset keeps on a transaction.
struct TTransactionHandlers {
    TNotifyMethod Starting;
    TNotifyMethod Started;
    TEndTrMethod Ending;
    TEndTrMethod Ended;
};

void MoveHandlers(const TTransactionHandlers& handlers, TFIBTransaction* from, TFIBTransaction* to) {
    if (from == to)
        return;
    if (from != nullptr) {
        from->RemoveEventHandler(tlBeforeStart, handlers.Starting);
        from->RemoveEventHandler(tlAfterStart, handlers.Started);
        from->RemoveEndingHandler(tlEnding, handlers.Ending);
        from->RemoveEndingHandler(tlEnded, handlers.Ended);
    }
    if (to != nullptr) {
        to->AddEventHandler(tlBeforeStart, handlers.Starting);
        to->AddEventHandler(tlAfterStart, handlers.Started);
        to->AddEndingHandler(tlEnding, handlers.Ending);
        to->AddEndingHandler(tlEnded, handlers.Ended);
    }
}

}  // namespace

TDataSet* TFIBDataLink::GetDetailDataSet() const {
    return &dataSet_;
}

TFIBCustomDataSet::TFIBCustomDataSet(TComponent* AOwner)
    : TDataSet(AOwner),
      prepareOptions_{pfImportDefaultValues, psUseBooleanField, psGetOrderInfo},
      updateRecordTypes_{cusUnmodified, cusModified, cusInserted} {
    link_ = std::make_unique<TFIBBase>(this);
    ConnectLinkHandlers();
    dataLink_ = std::make_unique<TFIBDataLink>(*this);
    CreateStatements();
    sqls_ = std::make_unique<TSQLs>(*this);
    tableNames_.SetSorted(true);
    tableNames_.SetDuplicates(TDuplicates::dupIgnore);
    if (auto* database = dynamic_cast<TFIBDatabase*>(AOwner))
        SetDatabase(database);
    else if (auto* transaction = dynamic_cast<TFIBTransaction*>(AOwner))
        SetTransaction(transaction);
}

TFIBCustomDataSet::~TFIBCustomDataSet() {
    if (!Destroying()) {
        ReleaseWithoutEvents();
        DetachTransactions();
    }
    endScrollTimer_.reset();
    dataLink_.reset();
    link_.reset();
    FreeBlobStreams();
    cache_.reset();
}

void TFIBCustomDataSet::BeforeDestruction() {
    DetachTransactions();
    TDataSet::BeforeDestruction();
    // The owned statements are gone now.
    deleteQuery_ = insertQuery_ = refreshQuery_ = updateQuery_ = selectQuery_ = nullptr;
}

void TFIBCustomDataSet::DetachTransactions() {
    if (selectQuery_ == nullptr)
        return;
    MoveReadHandlers(selectQuery_->Transaction(), nullptr);
    MoveUpdateHandlers(updateQuery_->Transaction(), nullptr);
}

void TFIBCustomDataSet::ConnectLinkHandlers() {
    link_->OnBeforeDisconnect = [this](TFIBBase*) { DoDatabaseDisconnecting(); };
    link_->OnAfterDisconnect = [this](TFIBBase*) { DoDatabaseDisconnected(); };
    link_->OnDatabaseFreeing = [this](TFIBBase*) { DoDatabaseFree(); };
    link_->OnTransactionEnding = [this](TFIBBase*) { DoTransactionEnding(); };
    link_->OnTransactionFinished = [this](TFIBBase*) { DoTransactionEnded(); };
    link_->OnTransactionFreeing = [this](TFIBBase*) { DoTransactionFree(); };
}

TFIBQuery* TFIBCustomDataSet::CreateStatement(const char* name) {
    auto* statement = NewComponent<TFIBQuery>(this);
    statement->SetName(name);
    statement->GoToFirstRecordOnExecute = false;
    statement->ParamCheck = true;
    statement->Options = {};
    return statement;
}

void TFIBCustomDataSet::CreateStatements() {
    deleteQuery_ = CreateStatement("DeleteQuery");
    insertQuery_ = CreateStatement("InsertQuery");
    refreshQuery_ = CreateStatement("RefreshQuery");
    updateQuery_ = CreateStatement("UpdateQuery");
    selectQuery_ = CreateStatement("SelectQuery");
    selectQuery_->OnSQLChanging = [this](TObject*) { SelectSQLChanging(); };
    selectQuery_->FetchNotify = [this](int fetched, bool& stop) {
        if (BeforeFetchRecord)
            BeforeFetchRecord(selectQuery_, fetched, stop);
    };
    // The transaction tells its statements before the dataset; the dataset closes the cursor
    // itself, after fetching what cached updates keep.
    selectQuery_->CloseOnTransactionEnd = false;
}

void TFIBCustomDataSet::CheckDatasetClosed(const std::string& operation) const {
    if (Active())
        RaiseClientError(fceDatasetOpen, {operation, ComponentPath(this)});
}

void TFIBCustomDataSet::CheckDatasetOpen(const std::string& operation) const {
    if (!Active())
        RaiseClientError(fceDatasetClosed, {operation, ComponentPath(this)});
}

void TFIBCustomDataSet::SetDatabase(TFIBDatabase* value) {
    if (value == Database())
        return;
    CheckDatasetClosed(" change database ");
    TFIBTransaction* oldRead = selectQuery_->Transaction();
    TFIBTransaction* oldUpdate = updateQuery_->Transaction();
    link_->SetDatabase(value);
    for (TFIBQuery* statement : {deleteQuery_, insertQuery_, refreshQuery_, updateQuery_, selectQuery_})
        statement->SetDatabase(value);
    // Links without a transaction took the database's default one: the handlers go with them.
    MoveReadHandlers(oldRead, selectQuery_->Transaction());
    MoveUpdateHandlers(oldUpdate, updateQuery_->Transaction());
    const bool loading = ComponentState().Contains(csLoading) ||
                         (value != nullptr && value->ComponentState().Contains(csLoading));
    if (value != nullptr && value->DefaultUpdateTransaction() != nullptr && !loading &&
        (UpdateTransaction() == nullptr || UpdateTransaction() == Transaction()))
        SetUpdateTransaction(value->DefaultUpdateTransaction());
}

void TFIBCustomDataSet::SetTransaction(TFIBTransaction* value) {
    TFIBTransaction* old = selectQuery_->Transaction();
    if (value != old)
        CheckDatasetClosed(" change transaction ");
    const bool keepNoDatabase = ComponentState().Contains(csLoading) && Database() == nullptr;
    link_->SetTransaction(value);
    if (keepNoDatabase && Database() != nullptr)
        link_->SetDatabase(nullptr);
    MoveReadHandlers(old, value);
    selectQuery_->SetTransaction(value);
    if (old != nullptr && old == UpdateTransaction()) {
        MoveUpdateHandlers(old, value);
        for (TFIBQuery* statement : {refreshQuery_, deleteQuery_, insertQuery_, updateQuery_})
            statement->SetTransaction(value);
    } else if (refreshTransactionKind_ == tkReadTransaction) {
        refreshQuery_->SetTransaction(value);
    }
}

void TFIBCustomDataSet::SetUpdateTransaction(TFIBTransaction* value) {
    if (refreshTransactionKind_ == tkUpdateTransaction)
        refreshQuery_->SetTransaction(value);
    MoveUpdateHandlers(UpdateTransaction(), value);
    for (TFIBQuery* statement : {deleteQuery_, insertQuery_, updateQuery_}) statement->SetTransaction(value);
}

void TFIBCustomDataSet::SetRefreshTransactionKind(TTransactionKind value) {
    refreshTransactionKind_ = value;
    refreshQuery_->SetTransaction(value == tkReadTransaction ? Transaction() : UpdateTransaction());
}

void TFIBCustomDataSet::MoveReadHandlers(TFIBTransaction* from, TFIBTransaction* to) {
    MoveHandlers({MakeMethod(this, &TFIBCustomDataSet::ReadTransactionStarting),
                  MakeMethod(this, &TFIBCustomDataSet::ReadTransactionStarted),
                  MakeMethod(this, &TFIBCustomDataSet::ReadTransactionEnding),
                  MakeMethod(this, &TFIBCustomDataSet::ReadTransactionEnded)},
                 from, to);
}

void TFIBCustomDataSet::MoveUpdateHandlers(TFIBTransaction* from, TFIBTransaction* to) {
    MoveHandlers({MakeMethod(this, &TFIBCustomDataSet::UpdateTransactionStarting),
                  MakeMethod(this, &TFIBCustomDataSet::UpdateTransactionStarted),
                  MakeMethod(this, &TFIBCustomDataSet::UpdateTransactionEnding),
                  MakeMethod(this, &TFIBCustomDataSet::UpdateTransactionEnded)},
                 from, to);
}

void TFIBCustomDataSet::SetSelectSQL(const TStrings& value) {
    CheckDatasetClosed(" change SelectSQL ");
    selectQuery_->SQL().Assign(value);
}

void TFIBCustomDataSet::SelectSQLChanging() {
    CheckDatasetClosed(" change SelectSQL ");
    ClearSortInfo();
    FieldDefs().Clear();
    FieldDefs().SetUpdated(false);
    prepared_ = false;
}

TStrings& TFIBCustomDataSet::GetSQLText(TSQLKind kind) {
    switch (kind) {
        case TSQLKind::Select:
            return SelectSQL();
        case TSQLKind::Update:
            return UpdateSQL();
        case TSQLKind::Delete:
            return DeleteSQL();
        case TSQLKind::Insert:
            return InsertSQL();
        case TSQLKind::Refresh:
            break;
    }
    return RefreshSQL();
}

void TFIBCustomDataSet::SetSQLText(TSQLKind kind, const TStrings& text) {
    if (kind == TSQLKind::Select)
        SetSelectSQL(text);
    else
        GetSQLText(kind).Assign(text);
}

void TFIBCustomDataSet::SetUniDirectional(bool value) {
    CheckDatasetClosed(" change Unidirectional property ");
    uniDirectional_ = value;
}

void TFIBCustomDataSet::SetCachedUpdates(bool value) {
    if (value == cachedUpdates_)
        return;
    const bool reading = ComponentState().Contains(csReading);
    if (!value && Active())
        CancelUpdates();
    if (value && !reading)
        CheckDatasetClosed(" change CachedUpdates mode ");
    cachedUpdates_ = value;
    if (cache_)
        cache_->SetLogging(value);
}

void TFIBCustomDataSet::SetPrepareOptions(TpPrepareOptions value) {
    const TpPrepareOptions typeOptions{psUseBooleanField, psSQLINT64ToBCD};
    const bool typesChange = (value * typeOptions) != (prepareOptions_ * typeOptions);
    if (typesChange && !ComponentState().Contains(csReading)) {
        CheckDatasetClosed("change psUseBooleanField or psSQLINT64ToBCD\n");
        prepareOptions_ = value;
        if (prepared_) {
            FieldDefs().SetUpdated(false);
            InitFieldDefs();
        }
        return;
    }
    prepareOptions_ = value;
}

void TFIBCustomDataSet::SetUpdateRecordTypes(TFIBUpdateRecordTypes value) {
    updateRecordTypes_ = value;
    if (Active())
        First();
}

void TFIBCustomDataSet::SetBufferChunks(int value) {
    bufferChunks_ = value <= 0 ? 32 : value;
}

TDataSource* TFIBCustomDataSet::GetDataSource() const {
    return dataLink_->DataSource();
}

void TFIBCustomDataSet::SetDataSource(TDataSource* value) {
    if (IsLinkedTo(value))
        RaiseClientError(fceCircularReference, {ComponentPath(this)});
    dataLink_->SetDataSource(value);
}

void TFIBCustomDataSet::EndInternalUpdate() {
    if (internalUpdateCount_ > 0)
        --internalUpdateCount_;
}

void TFIBCustomDataSet::SetOnEndScroll(TDataSetNotifyEvent value) {
    onEndScroll_ = std::move(value);
    if (!onEndScroll_) {
        endScrollTimer_.reset();
        return;
    }
    if (!endScrollTimer_) {
        endScrollTimer_.reset(new TTimer(nullptr));
        endScrollTimer_->SetEnabled(false);
        endScrollTimer_->SetInterval(300);
        endScrollTimer_->OnTimer = [this](TObject* sender) { EndScrollTimerFired(sender); };
    }
}

void TFIBCustomDataSet::EndScrollTimerFired(TObject* /*sender*/) {
    endScrollTimer_->SetEnabled(false);
    if (onEndScroll_)
        onEndScroll_(this);
}

void TFIBCustomDataSet::DoBeforeScroll() {
    if (!InInternalUpdate())
        TDataSet::DoBeforeScroll();
}

void TFIBCustomDataSet::DoAfterScroll() {
    if (InInternalUpdate())
        return;
    TDataSet::DoAfterScroll();
    if (endScrollTimer_) {
        endScrollTimer_->SetEnabled(false);
        endScrollTimer_->SetEnabled(true);
    }
}

void TFIBCustomDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
    if (event == deFieldChange && OnFieldChange)
        OnFieldChange(reinterpret_cast<TField*>(info));
    TDataSet::DataEvent(event, info);
    if (ControlsDisabled() == controlsWereDisabled_)
        return;
    controlsWereDisabled_ = ControlsDisabled();
    const TDataSetNotifyEvent& handler = controlsWereDisabled_ ? OnDisableControls : OnEnableControls;
    if (handler)
        handler(this);
}

void TFIBCustomDataSet::InternalHandleException() {
    TDataSet::InternalHandleException();
}
