#pragma once
// TFIBTransaction: one server transaction over one or more databases. It builds its parameter
// block from TRParams, starts on all its databases with one call, ends by commit or rollback,
// fully or retaining, ends itself after an idle time, and tells its links and listeners before and
// after each start and end. TpFIBTransaction adds the parameter-block modes, user events and
// transaction kinds kept in the registry.
#include <ibase.h>

#include <cstdint>
#include <string>
#include <vector>

#include "firebird/callback_list.h"
#include "firebird/client_library.h"
#include "firebird/sql_monitor_sources.h"
#include "firebird/statement_kind.h"
#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/timer.h"

class TFIBBase;
class TFIBDatabase;

enum TTransactionAction { TARollback, TARollbackRetaining, TACommit, TACommitRetaining };

class TFIBTransaction;
using TEndTrEvent = std::function<void(TFIBTransaction* transaction, TTransactionAction action, bool force)>;
using TEndTrMethod = TMethod<void(TFIBTransaction*, TTransactionAction, bool)>;
using TEndTrListeners = TCallBackList<void(TFIBTransaction*, TTransactionAction, bool)>;

// The kinds of listener a transaction keeps.
enum TTransactionListenerKind {
    tlBeforeStart = 0,
    tlAfterStart = 1,
    tlEnding = 2,
    tlEnded = 3,
    tlDestroy = 4,
};

// TFIBTransaction.State: what the transaction is doing.
enum TTransactionState : std::uint8_t {
    tsActive = 0,
    tsInactive = 1,
    tsDoRollback = 2,
    tsDoRollbackRetaining = 3,
    tsDoCommit = 4,
    tsDoCommitRetaining = 5,
};

class TFIBTransaction : public TComponent, public ITracedTransaction {
  public:
    explicit TFIBTransaction(TComponent* AOwner);
    ~TFIBTransaction() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TFIBTransaction"; }
    std::string TraceName() const override { return Name(); }
    // The id for the trace texts: the one read last, also once the transaction has ended.
    std::int64_t TransactionID() const override;
    bool HasDefaultDatabase() const override { return defaultDatabase_ != nullptr; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    virtual void EndTransaction(TTransactionAction Action, bool Force);
    // Statements call it with kind 0 before and 1 after they run.
    virtual void SQLExecuted(TObject* Query, int Kind);
    virtual void StartTransaction();
    virtual void Commit() { EndTransaction(TACommit, false); }
    virtual void CommitRetaining() { EndTransaction(TACommitRetaining, false); }
    virtual void Rollback() { EndTransaction(TARollback, false); }
    virtual void RollbackRetaining() { EndTransaction(TARollbackRetaining, false); }

    bool Active() const { return handle_ != 0; }
    bool InTransaction() const { return Active(); }
    // True starts an inactive transaction, false rolls back an active one.
    void SetActive(bool value);
    isc_tr_handle Handle() const { return handle_; }
    isc_tr_handle* HandleAddress() { return &handle_; }
    TTransactionState State() const { return state_; }

    TFIBDatabase* DefaultDatabase() const { return defaultDatabase_; }
    void SetDefaultDatabase(TFIBDatabase* database);
    int Timeout() const { return timeout_; }
    void SetTimeout(int ms);
    TTransactionAction TimeoutAction = TARollback;
    // Parameter-block lines; a change while active raises client error 16.
    TStrings& TRParams() { return trParams_; }
    const TStrings& TRParams() const { return trParams_; }
    TNotifyEvent OnTimeout;

    void CheckActive();
    void CheckInactive();
    void CheckDatabasesInList();
    // After each client call: the floating-point control words go back to the process defaults and
    // the transaction and its databases count as used (their idle timeouts start over). Answers the
    // status.
    ISC_STATUS ResetFpuAndMarkUsed(ISC_STATUS status);
    // A positive status raises the server's error with the transaction as sender.
    void RaiseIfFailed(ISC_STATUS status);

    // Databases.
    int AddDatabase(TFIBDatabase* database);
    void RemoveDatabaseAt(int index);
    void RemoveDatabase(TFIBDatabase* database);
    void RemoveDatabases();
    void ReplaceDatabase(TFIBDatabase* oldDatabase, TFIBDatabase* newDatabase);
    int FindDatabase(const TFIBDatabase* database) const;
    TFIBDatabase* GetDatabase(int index) const;
    int DatabaseCount() const { return static_cast<int>(databases_.size()); }
    TFIBDatabase* MainDatabase() const;

    // Links; their slots may be empty.
    int AddFIBBase(TFIBBase* link);
    void RemoveFIBBaseAt(int index);
    TFIBBase* GetFIBBase(int index) const;
    int FIBBaseCount() const { return static_cast<int>(links_.size()); }

    // Listeners by kind: before start, after start and destroy take notifications; ending and
    // ended take end handlers. Other kinds are ignored.
    void AddEventHandler(int kind, const TNotifyMethod& handler);
    void RemoveEventHandler(int kind, const TNotifyMethod& handler);
    void AddEndingHandler(int kind, const TEndTrMethod& handler);
    void RemoveEndingHandler(int kind, const TEndTrMethod& handler);

    // The server's id of the running transaction, read once; 0 when inactive.
    std::int64_t TransactionID();
    // Ends an active transaction by TimeoutAction with force, the retaining actions taken whole:
    // its database is going away.
    void EndByTimeoutAction();
    // One tick of the idle timer.
    void TimeoutExpired();

  protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // TRParams, stored as their lines when StoresTRParams says so.
    void DefineProperties(TFiler& filer) override;
    virtual bool StoresTRParams() const { return true; }

  private:
    friend class TFIBDatabase;
    void MarkUsed() { idle_ = false; }
    void RebuildTPBIfNeeded();
    void EndFully(TTransactionAction action, bool force);
    void EndRetaining(TTransactionAction action);
    void NotifyEnding(TTransactionAction action, bool force);
    void NotifyEnded(TTransactionAction action, bool force);
    void FireLinks(void (TFIBBase::*fire)(), bool lastFirst);
    void TraceEnd(TTransactionAction action);
    void RaiseError();
    void OnParamsChanging();
    static TTransactionAction FullAction(TTransactionAction action);
    IIBClientLibrary& Library();
    void ShutDown();

    isc_tr_handle handle_ = 0;
    std::vector<TFIBDatabase*> databases_;
    std::vector<TFIBBase*> links_;
    TFIBDatabase* defaultDatabase_ = nullptr;
    TStringList trParams_;
    std::string tpb_;
    bool rebuildTPB_ = true;
    int timeout_ = 0;
    TObjectPtr<TTimer> timer_;
    bool idle_ = false;
    bool streamedActive_ = false;
    std::int64_t transactionId_ = 0;
    TTransactionState state_ = tsInactive;
    TObjectPtr<TNotifyEventList> beforeStartListeners_;
    TObjectPtr<TNotifyEventList> afterStartListeners_;
    TObjectPtr<TEndTrListeners> endingListeners_;
    TObjectPtr<TEndTrListeners> endedListeners_;
    TObjectPtr<TNotifyEventList> destroyListeners_;
    bool shutDown_ = false;
};
