#include "firebird/transaction.h"

#include <algorithm>
#include <cstring>

#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_base.h"
#include "firebird/fib_errors.h"
#include "firebird/fp_environment.h"
#include "firebird/library_texts.h"
#include "firebird/param_blocks.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/status_vector.h"
#include "platform/rtl/format.h"
#include "platform/rtl/runtime.h"
#include "platform/rtl/scope_exit.h"

namespace {

// One database of isc_start_multiple's list.
struct TransactionExistenceBlock {
    isc_db_handle* Database;
    int TPBLength;
    const char* TPB;
};

}  // namespace

TFIBTransaction::TFIBTransaction(TComponent* AOwner)
    : TComponent(AOwner),
      beforeStartListeners_(MakeComponent<TNotifyEventList>()),
      afterStartListeners_(MakeComponent<TNotifyEventList>()),
      endingListeners_(MakeComponent<TEndTrListeners>()),
      endedListeners_(MakeComponent<TEndTrListeners>()),
      destroyListeners_(MakeComponent<TNotifyEventList>()) {
    trParams_.OnChanging = [this] { CheckInactive(); };
    trParams_.OnChange = [this] { rebuildTPB_ = true; };
}

TFIBTransaction::~TFIBTransaction() {
    ShutDown();
}

void TFIBTransaction::BeforeDestruction() {
    ShutDown();
    TComponent::BeforeDestruction();
}

void TFIBTransaction::ShutDown() {
    if (std::exchange(shutDown_, true))
        return;
    try {
        EndByTimeoutAction();
    } catch (...) {
        platform::Runtime().Exceptions.HandleException(this);
    }
    // An end notification that failed kept the server transaction; it must not outlive this one.
    if (Active())
        Library().isc_rollback_transaction(StatusVector(), &handle_);
    handle_ = 0;
    destroyListeners_->CallAll(true, this);
    for (int i = FIBBaseCount() - 1; i >= 0; --i) {
        TFIBBase* link = GetFIBBase(i);
        if (link == nullptr)
            continue;
        link->DoTransactionFree();
        if (link->Transaction() == this)
            RemoveFIBBaseAt(link->indexInTransaction_);
    }
    for (int i = FIBBaseCount() - 1; i >= 0; --i) RemoveFIBBaseAt(i);
    RemoveDatabases();
    timer_.reset();
}

void TFIBTransaction::SetActive(bool value) {
    if (ComponentState().Contains(csLoading)) {
        streamedActive_ = value;
        return;
    }
    if (value && !Active())
        StartTransaction();
    else if (!value && Active())
        Rollback();
}

void TFIBTransaction::SQLExecuted(TObject* /*Query*/, int /*Kind*/) {}

IIBClientLibrary& TFIBTransaction::Library() {
    TFIBDatabase* database = DatabaseCount() > 0 ? databases_.front() : MainDatabase();
    if (database == nullptr)
        return *::GetClientLibrary(DefaultClientLibraryName);
    return database->GetClientLibrary();
}

ISC_STATUS TFIBTransaction::ResetFpuAndMarkUsed(ISC_STATUS status) {
    ResetFloatingPointEnvironment();
    for (TFIBDatabase* database : databases_) database->MarkUsed();
    MarkUsed();
    return status;
}

void TFIBTransaction::RaiseIfFailed(ISC_STATUS status) {
    if (status > 0)
        RaiseError();
}

void TFIBTransaction::RaiseError() {
    RaiseServerError(Library(), this);
}

void TFIBTransaction::CheckActive() {
    if (streamedActive_ && !Active())
        StartTransaction();
    if (!Active())
        RaiseClientError(fceNotInTransaction, {ComponentPath(this)});
}

void TFIBTransaction::CheckInactive() {
    if (Active())
        RaiseClientError(fceInTransaction, {ComponentPath(this)});
}

void TFIBTransaction::CheckDatabasesInList() {
    if (databases_.empty())
        RaiseClientError(fceNoDatabasesInTransaction, {ComponentPath(this)});
}

void TFIBTransaction::RebuildTPBIfNeeded() {
    if (!rebuildTPB_)
        return;
    tpb_ = BuildTPB(trParams_);
    rebuildTPB_ = false;
}

void TFIBTransaction::FireLinks(void (TFIBBase::*fire)(), bool lastFirst) {
    const std::vector<TFIBBase*> links = links_;
    if (lastFirst) {
        for (auto it = links.rbegin(); it != links.rend(); ++it)
            if (*it != nullptr)
                ((*it)->*fire)();
    } else {
        for (TFIBBase* link : links)
            if (link != nullptr)
                (link->*fire)();
    }
}

void TFIBTransaction::StartTransaction() {
    CheckInactive();
    CheckDatabasesInList();
    RebuildTPBIfNeeded();
    std::vector<TransactionExistenceBlock> blocks;
    for (TFIBDatabase* database : std::vector<TFIBDatabase*>(databases_)) {
        database->CheckActive();
        blocks.push_back({database->HandleAddress(), static_cast<int>(tpb_.size()), tpb_.data()});
    }
    FireLinks(&TFIBBase::DoBeforeTransactionStart, false);
    if (!Active()) {
        beforeStartListeners_->CallAll(true, this);
        const ISC_STATUS status = Library().isc_start_multiple(
            StatusVector(), &handle_, static_cast<short>(blocks.size()), blocks.data());
        if (status > 0) {
            handle_ = 0;
            RaiseIfFailed(ResetFpuAndMarkUsed(status));
            return;
        }
        MarkUsed();
        afterStartListeners_->CallAll(true, this);
    }
    FireLinks(&TFIBBase::DoAfterTransactionStart, false);
    if (TFIBSQLMonitorHook* hook = GetMonitorHook())
        hook->TraceStartTransaction(*this);
    state_ = tsActive;
}

TTransactionAction TFIBTransaction::FullAction(TTransactionAction action) {
    switch (action) {
        case TARollbackRetaining:
            return TARollback;
        case TACommitRetaining:
            return TACommit;
        default:
            return action;
    }
}

void TFIBTransaction::NotifyEnding(TTransactionAction action, bool force) {
    FireLinks(&TFIBBase::DoTransactionEnding, true);
    endingListeners_->CallAll(false, this, action, force);
}

void TFIBTransaction::NotifyEnded(TTransactionAction action, bool force) {
    FireLinks(&TFIBBase::DoTransactionEnded, true);
    endedListeners_->CallAll(false, this, action, force);
}

void TFIBTransaction::EndFully(TTransactionAction action, bool force) {
    IIBClientLibrary& library = Library();
    state_ = action == TARollback ? tsDoRollback : tsDoCommit;
    NotifyEnding(action, force);
    ISC_STATUS status = action == TARollback ? library.isc_rollback_transaction(StatusVector(), &handle_)
                                             : library.isc_commit_transaction(StatusVector(), &handle_);
    ResetFpuAndMarkUsed(status);
    if (force && status > 0)
        status = ResetFpuAndMarkUsed(library.isc_rollback_transaction(StatusVector(), &handle_));
    if (force)
        handle_ = 0;
    else if (status > 0)
        RaiseError();
    NotifyEnded(action, force);
}

void TFIBTransaction::EndRetaining(TTransactionAction action) {
    IIBClientLibrary& library = Library();
    const bool commit = action == TACommitRetaining;
    state_ = commit ? tsDoCommitRetaining : tsDoRollbackRetaining;
    NotifyEnding(action, false);
    RaiseIfFailed(ResetFpuAndMarkUsed(commit ? library.isc_commit_retaining(StatusVector(), &handle_)
                                             : library.isc_rollback_retaining(StatusVector(), &handle_)));
    NotifyEnded(action, false);
}

void TFIBTransaction::EndTransaction(TTransactionAction Action, bool Force) {
    CheckActive();
    // A monitor tool's text names the ending transaction by its id, which is gone after the end.
    if (TFIBSQLMonitorHook* hook = GetMonitorHook(); hook != nullptr && hook->MonitorCount() > 0) {
        try {
            TransactionID();
        } catch (const EFIBError&) {
            // The text goes without the id; the end itself decides what fails.
        }
    }
    {
        // A failed end leaves the transaction as it found it, not ending.
        const TScopeFail settle([this] { state_ = Active() ? tsActive : tsInactive; });
        if (Action == TARollback || Action == TACommit)
            EndFully(Action, Force);
        else
            EndRetaining(Action);
    }
    TraceEnd(Action);
    state_ = Active() ? tsActive : tsInactive;
    transactionId_ = 0;
}

void TFIBTransaction::TraceEnd(TTransactionAction action) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    if (hook == nullptr)
        return;
    switch (action) {
        case TARollback:
            hook->TraceRollback(*this);
            break;
        case TARollbackRetaining:
            hook->TraceRollbackRetaining(*this);
            break;
        case TACommit:
            hook->TraceCommit(*this);
            break;
        case TACommitRetaining:
            hook->TraceCommitRetaining(*this);
            break;
    }
}

std::int64_t TFIBTransaction::TransactionID() const {
    if (transactionId_ != 0 || !Active())
        return transactionId_;
    return const_cast<TFIBTransaction*>(this)->TransactionID();
}

void TFIBTransaction::EndByTimeoutAction() {
    if (Active())
        EndTransaction(FullAction(TimeoutAction), true);
}

std::int64_t TFIBTransaction::TransactionID() {
    if (!Active())
        return 0;
    if (transactionId_ != 0)
        return transactionId_;
    const char items[] = {isc_info_tra_id};
    char reply[32] = {};
    RaiseIfFailed(ResetFpuAndMarkUsed(
        Library().isc_transaction_info(StatusVector(), &handle_, 1, items, sizeof reply, reply)));
    std::int32_t id = 0;
    std::memcpy(&id, reply + 3, sizeof id);
    transactionId_ = id;
    return transactionId_;
}

void TFIBTransaction::SetTimeout(int ms) {
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
        timer_->OnTimer = [this](TObject*) { TimeoutExpired(); };
    }
    timer_->SetInterval(static_cast<unsigned>(ms));
    timer_->SetEnabled(true);
}

void TFIBTransaction::TimeoutExpired() {
    if (!Active())
        return;
    if (!idle_) {
        idle_ = true;
        return;
    }
    EndTransaction(TimeoutAction, true);
    if (OnTimeout)
        OnTimeout(this);
}

void TFIBTransaction::Loaded() {
    TComponent::Loaded();
    if (streamedActive_ && !Active())
        StartTransaction();
}

void TFIBTransaction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == defaultDatabase_)
        defaultDatabase_ = nullptr;
}

void TFIBTransaction::SetDefaultDatabase(TFIBDatabase* database) {
    CheckInactive();
    if (database == defaultDatabase_)
        return;
    if (defaultDatabase_ != nullptr)
        RemoveDatabase(defaultDatabase_);
    if (database != nullptr)
        AddDatabase(database);
    defaultDatabase_ = database;
}

int TFIBTransaction::AddDatabase(TFIBDatabase* database) {
    if (database == nullptr)
        return -1;
    const int found = FindDatabase(database);
    if (found >= 0)
        return found;
    if (!databases_.empty() && database->LibraryName() != databases_.front()->LibraryName())
        throw Exception(Format(SDifferentClientLibrary, {ComponentPath(this)}));
    databases_.push_back(database);
    database->AddTransaction(this);
    return DatabaseCount() - 1;
}

void TFIBTransaction::RemoveDatabaseAt(int index) {
    if (index < 0 || index >= DatabaseCount())
        return;
    TFIBDatabase* database = databases_[static_cast<std::size_t>(index)];
    databases_.erase(databases_.begin() + index);
    if (defaultDatabase_ == database)
        defaultDatabase_ = nullptr;
    if (database->defaultTransaction_ == this)
        database->defaultTransaction_ = nullptr;
    if (database->defaultUpdateTransaction_ == this)
        database->defaultUpdateTransaction_ = nullptr;
    database->RemoveTransaction(this);
}

void TFIBTransaction::RemoveDatabase(TFIBDatabase* database) {
    RemoveDatabaseAt(FindDatabase(database));
}

void TFIBTransaction::RemoveDatabases() {
    while (!databases_.empty()) RemoveDatabaseAt(DatabaseCount() - 1);
}

void TFIBTransaction::ReplaceDatabase(TFIBDatabase* oldDatabase, TFIBDatabase* newDatabase) {
    const int index = FindDatabase(oldDatabase);
    if (index < 0 || newDatabase == nullptr || FindDatabase(newDatabase) >= 0)
        return;
    RemoveDatabaseAt(index);
    AddDatabase(newDatabase);
    const int added = DatabaseCount() - 1;
    std::rotate(databases_.begin() + index, databases_.begin() + added, databases_.end());
}

int TFIBTransaction::FindDatabase(const TFIBDatabase* database) const {
    for (int i = 0; i < DatabaseCount(); ++i)
        if (databases_[static_cast<std::size_t>(i)] == database)
            return i;
    return -1;
}

TFIBDatabase* TFIBTransaction::GetDatabase(int index) const {
    return index >= 0 && index < DatabaseCount() ? databases_[static_cast<std::size_t>(index)] : nullptr;
}

TFIBDatabase* TFIBTransaction::MainDatabase() const {
    if (defaultDatabase_ != nullptr)
        return defaultDatabase_;
    return databases_.empty() ? nullptr : databases_.front();
}

int TFIBTransaction::AddFIBBase(TFIBBase* link) {
    for (std::size_t i = 0; i < links_.size(); ++i) {
        if (links_[i] == nullptr) {
            links_[i] = link;
            return static_cast<int>(i);
        }
    }
    links_.push_back(link);
    return FIBBaseCount() - 1;
}

void TFIBTransaction::RemoveFIBBaseAt(int index) {
    if (index < 0 || index >= FIBBaseCount())
        return;
    const auto at = static_cast<std::size_t>(index);
    if (links_[at] != nullptr)
        links_[at]->transaction_ = nullptr;
    links_[at] = links_.back();
    if (links_[at] != nullptr)
        links_[at]->indexInTransaction_ = index;
    links_.pop_back();
}

TFIBBase* TFIBTransaction::GetFIBBase(int index) const {
    return index >= 0 && index < FIBBaseCount() ? links_[static_cast<std::size_t>(index)] : nullptr;
}

void TFIBTransaction::AddEventHandler(int kind, const TNotifyMethod& handler) {
    if (kind == tlBeforeStart)
        beforeStartListeners_->Add(handler);
    else if (kind == tlAfterStart)
        afterStartListeners_->Add(handler);
    else if (kind == tlDestroy)
        destroyListeners_->Add(handler);
}

void TFIBTransaction::RemoveEventHandler(int kind, const TNotifyMethod& handler) {
    if (kind == tlBeforeStart)
        beforeStartListeners_->Remove(handler);
    else if (kind == tlAfterStart)
        afterStartListeners_->Remove(handler);
    else if (kind == tlDestroy)
        destroyListeners_->Remove(handler);
}

void TFIBTransaction::AddEndingHandler(int kind, const TEndTrMethod& handler) {
    if (kind == tlEnding)
        endingListeners_->AddEntry(handler);
    else if (kind == tlEnded)
        endedListeners_->AddEntry(handler);
}

void TFIBTransaction::RemoveEndingHandler(int kind, const TEndTrMethod& handler) {
    if (kind == tlEnding)
        endingListeners_->RemoveEntry(handler);
    else if (kind == tlEnded)
        endedListeners_->RemoveEntry(handler);
}
