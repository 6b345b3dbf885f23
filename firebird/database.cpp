#include "firebird/database.h"

#include "firebird/component_path.h"
#include "firebird/fib_base.h"
#include "firebird/fib_errors.h"
#include "firebird/fp_environment.h"
#include "firebird/library_texts.h"
#include "firebird/param_blocks.h"
#include "firebird/pooled_query.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/rtl/format.h"
#include "platform/rtl/runtime.h"

TFIBDatabase::TFIBDatabase(TComponent* AOwner)
    : TComponent(AOwner),
      libraryName_(DefaultClientLibraryName),
      connectListeners_(MakeComponent<TNotifyEventList>()),
      beforeDisconnectListeners_(MakeComponent<TNotifyEventList>()),
      destroyListeners_(MakeComponent<TNotifyEventList>()) {
    dbParams_.OnChanging = [this] {
        if (Connected())
            RaiseClientError(fceDatabaseOpen);
    };
    dbParams_.OnChange = [this] { rebuildDPB_ = true; };
    internalWrite_ = MakeInternalTransaction("write");
    internalRead_ = MakeInternalTransaction("read");
    DatabaseList().Add(this);
}

TObjectPtr<TFIBTransaction> TFIBDatabase::MakeInternalTransaction(const char* accessLine) {
    auto transaction = MakeComponent<TFIBTransaction>(nullptr);
    transaction->TRParams().SetText(std::string(accessLine) +
                                    "\r\nnowait\r\nrec_version\r\nread_committed\r\n");
    transaction->SetDefaultDatabase(this);
    return transaction;
}

TFIBDatabase::~TFIBDatabase() {
    ShutDown();
}

void TFIBDatabase::BeforeDestruction() {
    ShutDown();
    TComponent::BeforeDestruction();
}

// Nothing escapes: a failure on the way out goes to the program's exception report.
void TFIBDatabase::ShutDown() {
    if (std::exchange(shutDown_, true))
        return;
    DatabaseList().Remove(this);
    // The services' statements and transactions are links of this database: they go while it is whole.
    metadataRepository_.reset();
    queryPool_.reset();
    for (TObjectPtr<TFIBTransaction>* internal : {&internalWrite_, &internalRead_}) {
        try {
            if ((*internal)->Active())
                (*internal)->Commit();
        } catch (...) {
            platform::Runtime().Exceptions.HandleException(this);
        }
        internal->reset();
    }
    if (GlobalDefaultDatabase() == this)
        SetGlobalDefaultDatabase(nullptr);
    timer_.reset();
    try {
        if (Connected())
            CloseConnection(true);
    } catch (...) {
        platform::Runtime().Exceptions.HandleException(this);
    }
    // A disconnect event that failed kept the attachment; it must not outlive the database.
    if (Connected() && library_)
        library_->isc_detach_database(StatusVector(), &handle_);
    handle_ = 0;
    destroyListeners_->CallAll(true, this);
    for (int i = FIBBaseCount() - 1; i >= 0; --i) {
        if (i >= FIBBaseCount())
            continue;
        TFIBBase* link = links_[static_cast<std::size_t>(i)];
        link->DoDatabaseFree();
        if (link->Database() == this) {
            link->SetTransaction(nullptr);
            RemoveFIBBase(link->indexInDatabase_);
        }
    }
    while (!links_.empty()) RemoveFIBBase(FIBBaseCount() - 1);
    while (!transactions_.empty()) RemoveTransactionAt(TransactionCount() - 1);
    library_.reset();
}

void TFIBDatabase::SetConnected(bool value) {
    if (ComponentState().Contains(csLoading)) {
        streamedConnected_ = value;
        return;
    }
    if (value == Connected())
        return;
    if (value)
        OpenConnection();
    else
        Close();
}

void TFIBDatabase::Close() {
    if (Connected())
        CloseConnection(false);
}

void TFIBDatabase::SetDBName(const std::string& name) {
    CheckInactive();
    dbName_ = name;
}

void TFIBDatabase::SetLibraryName(const std::string& name) {
    CheckInactive();
    if (name == libraryName_)
        return;
    libraryName_ = name;
    library_.reset();
}

IIBClientLibrary& TFIBDatabase::GetClientLibrary() {
    if (!library_)
        library_ = ::GetClientLibrary(libraryName_);
    return *library_;
}

ISC_STATUS TFIBDatabase::ResetFpuAndMarkUsed(ISC_STATUS status) {
    ResetFloatingPointEnvironment();
    MarkUsed();
    return status;
}

void TFIBDatabase::RaiseIfFailed(ISC_STATUS status) {
    if (status > 0)
        RaiseServerError(GetClientLibrary(), this);
}

void TFIBDatabase::CheckActive() {
    if (streamedConnected_ && !Connected()) {
        streamedConnected_ = false;
        OpenConnection();
    }
    if (!Connected())
        RaiseClientError(fceDatabaseClosed, {ComponentPath(this)});
}

void TFIBDatabase::CheckInactive() {
    if (Connected())
        RaiseClientError(fceDatabaseOpen);
}

void TFIBDatabase::CheckDatabaseName() {
    if (dbName_.empty())
        RaiseClientError(fceDatabaseNameMissing);
}

void TFIBDatabase::FireLinks(void (TFIBBase::*fire)(), bool lastFirst) {
    const std::vector<TFIBBase*> links = links_;
    if (lastFirst) {
        for (auto it = links.rbegin(); it != links.rend(); ++it) ((*it)->*fire)();
    } else {
        for (TFIBBase* link : links) (link->*fire)();
    }
}

void TFIBDatabase::OpenConnection() {
    CheckInactive();
    CheckDatabaseName();
    IIBClientLibrary& library = GetClientLibrary();
    FireLinks(&TFIBBase::DoBeforeConnect);
    if (UseLoginPrompt && !Login())
        RaiseClientError(fceOperationCancelled);
    if (rebuildDPB_) {
        dpb_ = BuildDPB(dbParams_);
        rebuildDPB_ = false;
    }
    const ISC_STATUS status =
        library.isc_attach_database(StatusVector(), static_cast<short>(dbName_.size()), dbName_.c_str(),
                                    &handle_, static_cast<short>(dpb_.size()), dpb_.data());
    if (status > 0) {
        handle_ = 0;
        RaiseIfFailed(ResetFpuAndMarkUsed(status));
        return;
    }
    MarkUsed();
    FireLinks(&TFIBBase::DoAfterConnect);
    if (TFIBSQLMonitorHook* hook = GetMonitorHook())
        hook->TraceConnect(*this);
    ReadServerState();
    if (OnConnect)
        OnConnect(this);
    connectListeners_->CallAll(false, this);
}

void TFIBDatabase::ReadServerState() {
    serverTimeOffset_ = 0;
    const int serverDialect = GetServerDialect();
    if (serverDialect < sqlDialect_)
        sqlDialect_ = serverDialect;
    if (SynchronizeTime)
        serverTimeOffset_ = Now() - GetServerTime();
}

// A disconnect event's failure, told with the database's path; while the database is being freed
// the likely cause is a handler that reaches components already gone.
void TFIBDatabase::FireDisconnectEvent(const TNotifyEvent& event, const char* normalText,
                                       const char* destroyedText) {
    if (!event)
        return;
    try {
        event(this);
    } catch (const Exception& e) {
        throw Exception(Format(shutDown_ ? destroyedText : normalText, {ComponentPath(this), e.Message}));
    }
}

void TFIBDatabase::FireLinksGuarded(void (TFIBBase::*fire)(), bool force) {
    for (TFIBBase* link : std::vector<TFIBBase*>(links_)) {
        try {
            (link->*fire)();
        } catch (...) {
            if (!force)
                throw;
        }
    }
}

void TFIBDatabase::EndActiveTransactions(bool force) {
    for (TFIBTransaction* transaction : std::vector<TFIBTransaction*>(transactions_)) {
        if (transaction == nullptr || !transaction->Active())
            continue;
        try {
            transaction->EndByTimeoutAction();
        } catch (...) {
            if (!force)
                throw;
        }
    }
}

void TFIBDatabase::CloseConnection(bool Force) {
    CheckActive();
    FireDisconnectEvent(BeforeDisconnect, SBeforeDisconnectError, SBeforeDisconnectDestroyed);
    beforeDisconnectListeners_->CallAll(false, this);
    EndActiveTransactions(Force);
    FireLinksGuarded(&TFIBBase::DoBeforeDisconnect, Force);
    try {
        IIBClientLibrary& library = GetClientLibrary();
        RaiseIfFailed(ResetFpuAndMarkUsed(library.isc_detach_database(StatusVector(), &handle_)));
    } catch (...) {
        // The server may already be gone; the handle is of no further use either way.
    }
    handle_ = 0;
    if (TFIBSQLMonitorHook* hook = GetMonitorHook())
        hook->TraceDisconnect(*this);
    FireLinks(&TFIBBase::DoAfterDisconnect);
    FireDisconnectEvent(AfterDisconnect, SAfterDisconnectError, SAfterDisconnectDestroyed);
}

void TFIBDatabase::SetSQLDialect(int dialect) {
    if (dialect < 1 || (Connected() && dialect > GetServerDialect()))
        RaiseClientError(fceSQLDialectInvalid);
    sqlDialect_ = dialect;
}

void TFIBDatabase::SetTimeout(int ms) {
    if (ms < 0)
        RaiseClientError(fceTimeoutNegative);
    timeout_ = ms;
    if (ms == 0) {
        timer_.reset();
        return;
    }
    if (!timer_) {
        timer_ = MakeComponent<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->SetInterval(0);
        timer_->OnTimer = [this](TObject*) { TimeoutExpired(); };
    }
    timer_->SetInterval(static_cast<unsigned>(ms));
    timer_->SetEnabled(true);
}

void TFIBDatabase::TimeoutExpired() {
    if (!Connected())
        return;
    if (!idle_) {
        idle_ = true;
        return;
    }
    CloseConnection(true);
    if (OnTimeout)
        OnTimeout(this);
}

void TFIBDatabase::SetDesignDBOptions(TDesignDBOptions options) {
    designDBOptions_ = options;
    if (options.Contains(ddoIsDefaultDatabase)) {
        TFIBDatabase* previous = GlobalDefaultDatabase();
        if (previous != nullptr && previous != this)
            previous->designDBOptions_.Exclude(ddoIsDefaultDatabase);
        SetGlobalDefaultDatabase(this);
    } else if (GlobalDefaultDatabase() == this) {
        SetGlobalDefaultDatabase(nullptr);
    }
}

void TFIBDatabase::Loaded() {
    TComponent::Loaded();
    if (designDBOptions_.Contains(ddoIsDefaultDatabase))
        SetGlobalDefaultDatabase(this);
    if (!std::exchange(streamedConnected_, false))
        return;
    OpenConnection();
    if (defaultTransaction_ != nullptr && defaultTransaction_->streamedActive_ &&
        !defaultTransaction_->Active())
        defaultTransaction_->StartTransaction();
}

void TFIBDatabase::SetDefault(TFIBTransaction*& slot, TFIBTransaction* transaction) {
    if (slot == transaction)
        return;
    if (transaction != nullptr) {
        // A transaction that cannot take this database does not become its default.
        transaction->AddDatabase(this);
        AddTransaction(transaction);
    }
    slot = transaction;
    if (transaction == nullptr)
        return;
    if (transaction->DefaultDatabase() == nullptr)
        transaction->defaultDatabase_ = this;
}

void TFIBDatabase::SetDefaultTransaction(TFIBTransaction* transaction) {
    SetDefault(defaultTransaction_, transaction);
}

void TFIBDatabase::SetDefaultUpdateTransaction(TFIBTransaction* transaction) {
    SetDefault(defaultUpdateTransaction_, transaction);
}

void TFIBDatabase::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == defaultTransaction_)
        defaultTransaction_ = nullptr;
    if (AComponent == defaultUpdateTransaction_)
        defaultUpdateTransaction_ = nullptr;
}

int TFIBDatabase::AddFIBBase(TFIBBase* link) {
    links_.push_back(link);
    return FIBBaseCount() - 1;
}

void TFIBDatabase::RemoveFIBBase(int index) {
    if (index < 0 || index >= FIBBaseCount())
        return;
    const auto at = static_cast<std::size_t>(index);
    links_[at]->database_ = nullptr;
    links_[at] = links_.back();
    links_[at]->indexInDatabase_ = index;
    links_.pop_back();
}

TFIBBase* TFIBDatabase::GetFIBBase(int index) const {
    return index >= 0 && index < FIBBaseCount() ? links_[static_cast<std::size_t>(index)] : nullptr;
}

int TFIBDatabase::AddTransaction(TFIBTransaction* transaction) {
    const int found = FindTransaction(transaction);
    if (found >= 0)
        return found;
    transactions_.push_back(transaction);
    return TransactionCount() - 1;
}

void TFIBDatabase::RemoveTransactionAt(int index) {
    if (index < 0 || index >= TransactionCount())
        return;
    TFIBTransaction* transaction = transactions_[static_cast<std::size_t>(index)];
    transactions_.erase(transactions_.begin() + index);
    if (defaultTransaction_ == transaction)
        defaultTransaction_ = nullptr;
    if (defaultUpdateTransaction_ == transaction)
        defaultUpdateTransaction_ = nullptr;
    if (transaction->defaultDatabase_ == this)
        transaction->defaultDatabase_ = nullptr;
    transaction->RemoveDatabase(this);
}

void TFIBDatabase::RemoveTransaction(TFIBTransaction* transaction) {
    RemoveTransactionAt(FindTransaction(transaction));
}

int TFIBDatabase::FindTransaction(const TFIBTransaction* transaction) const {
    for (int i = 0; i < TransactionCount(); ++i)
        if (transactions_[static_cast<std::size_t>(i)] == transaction)
            return i;
    return -1;
}

TFIBTransaction* TFIBDatabase::GetTransaction(int index) const {
    return index >= 0 && index < TransactionCount() ? transactions_[static_cast<std::size_t>(index)]
                                                    : nullptr;
}

TFIBTransaction* TFIBDatabase::FirstActiveTransaction() const {
    for (TFIBTransaction* transaction : transactions_)
        if (transaction->Active())
            return transaction;
    return nullptr;
}
