#pragma once
// TFIBDatabase: one connection to a Firebird database through the client library. It holds the
// connection parameters, attaches and detaches, asks for a login when told to, closes itself after
// an idle time, reads database information, and tells its links (queries and datasets) and its
// transactions of every change. Every database is listed in the process's database list while it
// exists.
#include <ibase.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "firebird/blob_filters.h"
#include "firebird/callback_list.h"
#include "firebird/client_library.h"
#include "firebird/connect_params.h"
#include "firebird/sql_monitor_sources.h"
#include "platform/rtl/component.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/notify_event.h"
#include "platform/rtl/set.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/timer.h"
#include "platform/rtl/variant.h"

class TFIBBase;
class TFIBTransaction;
class IFIBQueryPool;

// A service of a later layer that the database scopes without knowing its type (the datasets'
// metadata repository): made there on first use, freed with the database.
class IFIBDatabaseService {
  public:
    virtual ~IFIBDatabaseService() = default;
};

enum TDesignDBOption { ddoIsDefaultDatabase, ddoStoreConnected, ddoNotSavePassword };
using TDesignDBOptions = TSet<TDesignDBOption>;
enum TFIBUseRepository { urFieldsInfo, urDataSetInfo, urErrorMessagesInfo };
using TFIBUseRepositories = TSet<TFIBUseRepository>;

// What the server answered to one database information item.
struct TDBInfoValue {
    bool Returned = false;  // the server knows the item
    std::int64_t Value = 0;
};

class TFIBDatabase : public TComponent, public ITracedDatabase {
  public:
    explicit TFIBDatabase(TComponent* AOwner);
    ~TFIBDatabase() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TFIBDatabase"; }
    std::string TraceName() const override { return Name(); }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    // Attaching and detaching in their steps; see Close for a quiet disconnect.
    virtual void CloseConnection(bool Force);
    virtual void OpenConnection();
    // Disconnects when connected; nothing otherwise.
    void Close();
    void ForceClose() { CloseConnection(true); }
    bool Connected() const { return handle_ != 0; }
    void SetConnected(bool value);

    isc_db_handle Handle() const { return handle_; }
    // The handle's address, which client calls take.
    isc_db_handle* HandleAddress() { return &handle_; }

    const std::string& DBName() const { return dbName_; }
    void SetDBName(const std::string& name);
    // "name=value" lines of the parameter block; a change while connected raises client error 13.
    TStrings& DBParams() { return dbParams_; }
    const TStrings& DBParams() const { return dbParams_; }
    const std::string& LibraryName() const { return libraryName_; }
    void SetLibraryName(const std::string& name);

    TFIBTransaction* DefaultTransaction() const { return defaultTransaction_; }
    void SetDefaultTransaction(TFIBTransaction* transaction);
    TFIBTransaction* DefaultUpdateTransaction() const { return defaultUpdateTransaction_; }
    void SetDefaultUpdateTransaction(TFIBTransaction* transaction);

    int SQLDialect() const { return sqlDialect_; }
    // Client error 61 below 1, or while connected above the server's dialect.
    void SetSQLDialect(int dialect);
    int Timeout() const { return timeout_; }
    // Milliseconds; client error 17 when negative, 0 for never.
    void SetTimeout(int ms);
    TDesignDBOptions DesignDBOptions() const { return designDBOptions_; }
    void SetDesignDBOptions(TDesignDBOptions options);

    bool UseLoginPrompt = false;
    bool UpperOldNames = false;
    bool SynchronizeTime = true;
    TFIBUseRepositories UseRepositories{urFieldsInfo, urDataSetInfo, urErrorMessagesInfo};
    TNotifyEvent OnTimeout;
    TNotifyEvent BeforeDisconnect;
    TNotifyEvent AfterDisconnect;
    TNotifyEvent OnConnect;

    // The binding of LibraryName, loaded on first use.
    IIBClientLibrary& GetClientLibrary();
    // After each client call: the floating-point control words go back to the process defaults and
    // the connection counts as used (its idle timeout starts over). Answers the status.
    ISC_STATUS ResetFpuAndMarkUsed(ISC_STATUS status);
    // A positive status raises the server's error with the database as sender.
    void RaiseIfFailed(ISC_STATUS status);
    void CheckActive();
    void CheckInactive();
    void CheckDatabaseName();

    TDBInfoValue GetInfoValue(unsigned char item);
    int GetServerDialect();
    // Local date-time minus the server's, in days, measured at connect; 0 when not measured.
    double ServerTimeOffset() const { return serverTimeOffset_; }
    TDateTime GetServerTime();
    // Runs a one-row select and returns one column (columnIndex >= 0) or all columns as an array
    // [0..count-1] (columnIndex < 0); blob columns come as text. Without a transaction the
    // internal write transaction runs it. False when the statement returned no columns.
    bool SelectValue(const std::string& sql, int columnIndex, Variant& result, TFIBTransaction* transaction,
                     const std::vector<Variant>& params);
    bool SelectValue(const std::string& sql, int columnIndex, Variant& result,
                     TFIBTransaction* transaction = nullptr);
    std::int64_t GenerateID(const std::string& generatorName, TFIBTransaction* transaction,
                            std::int64_t step);
    bool UsesUpperCaseNames() const { return sqlDialect_ < 3 || UpperOldNames; }

    // Links.
    int AddFIBBase(TFIBBase* link);
    void RemoveFIBBase(int index);
    TFIBBase* GetFIBBase(int index) const;
    int FIBBaseCount() const { return static_cast<int>(links_.size()); }
    // Transactions that list this database.
    int AddTransaction(TFIBTransaction* transaction);
    void RemoveTransactionAt(int index);
    void RemoveTransaction(TFIBTransaction* transaction);
    int FindTransaction(const TFIBTransaction* transaction) const;
    TFIBTransaction* GetTransaction(int index) const;
    int TransactionCount() const { return static_cast<int>(transactions_.size()); }
    TFIBTransaction* FirstActiveTransaction() const;

    TFIBTransaction& InternalWriteTransaction() { return *internalWrite_; }
    TFIBTransaction& InternalReadTransaction() { return *internalRead_; }
    // The blob filters of this database's user-defined blob subtypes.
    TIBBlobFilters& BlobFilters() { return blobFilters_; }
    void FilterBlob(std::string& data, bool writing, int subtype) {
        blobFilters_.DoFilter(data, writing, subtype);
    }
    bool HasBlobFilter(int subtype) { return blobFilters_.HasFilter(subtype); }

    // The pool of prepared statements that the services above and the datasets' metadata queries
    // take theirs from: the database's own, made on first use, until another is given; nullptr
    // puts a new own one back.
    IFIBQueryPool& QueryPool();
    void SetQueryPool(std::shared_ptr<IFIBQueryPool> pool);
    // The datasets' metadata repository for this database; nullptr until their layer makes one or
    // one is given.
    IFIBDatabaseService* MetadataRepository() const { return metadataRepository_.get(); }
    void SetMetadataRepository(std::shared_ptr<IFIBDatabaseService> repository);

    // Listeners besides the links: told after a connect, before a disconnect, and when freed.
    TNotifyEventList& ConnectListeners() { return *connectListeners_; }
    TNotifyEventList& BeforeDisconnectListeners() { return *beforeDisconnectListeners_; }
    TNotifyEventList& DestroyListeners() { return *destroyListeners_; }

    // Asks LoginDialogHook for the user name, password and role and writes them into DBParams.
    bool Login();
    // One tick of the idle timer.
    void TimeoutExpired();

  protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // DBParams, stored as their lines.
    void DefineProperties(TFiler& filer) override;

  private:
    friend class TFIBTransaction;
    void MarkUsed() { idle_ = false; }
    void FireLinks(void (TFIBBase::*fire)(), bool lastFirst = false);
    void FireLinksGuarded(void (TFIBBase::*fire)(), bool force);
    void EndActiveTransactions(bool force);
    void FireDisconnectEvent(const TNotifyEvent& event, const char* normalText, const char* destroyedText);
    void ReadServerState();
    TObjectPtr<TFIBTransaction> MakeInternalTransaction(const char* accessLine);
    void ShutDown();
    void SetDefault(TFIBTransaction*& slot, TFIBTransaction* transaction);

    IIBClientLibraryPtr library_;
    isc_db_handle handle_ = 0;
    std::string dbName_;
    TDBParams dbParams_{this};
    std::string dpb_;
    bool rebuildDPB_ = true;
    std::string libraryName_;
    TFIBTransaction* defaultTransaction_ = nullptr;
    TFIBTransaction* defaultUpdateTransaction_ = nullptr;
    int sqlDialect_ = 1;
    int timeout_ = 0;
    TDesignDBOptions designDBOptions_{ddoStoreConnected};
    std::vector<TFIBBase*> links_;
    std::vector<TFIBTransaction*> transactions_;
    TObjectPtr<TTimer> timer_;
    bool idle_ = false;
    double serverTimeOffset_ = 0;
    bool streamedConnected_ = false;
    TObjectPtr<TNotifyEventList> connectListeners_;
    TObjectPtr<TNotifyEventList> beforeDisconnectListeners_;
    TObjectPtr<TNotifyEventList> destroyListeners_;
    TObjectPtr<TFIBTransaction> internalWrite_;
    TObjectPtr<TFIBTransaction> internalRead_;
    bool shutDown_ = false;
    std::shared_ptr<IFIBQueryPool> queryPool_;
    std::shared_ptr<IFIBDatabaseService> metadataRepository_;
    TIBBlobFilters blobFilters_;
};

// Every database in existence, in order of creation, under one lock.
class TFIBDatabaseList {
  public:
    void Add(TFIBDatabase* database);
    void Remove(TFIBDatabase* database);
    std::vector<TFIBDatabase*> Items() const;
    // Closes every listed database in list order.
    void CloseAll();

  private:
    mutable std::recursive_mutex lock_;
    std::vector<TFIBDatabase*> items_;
};
TFIBDatabaseList& DatabaseList();
// Closes every connected database at shut-down.
void CloseAllDatabases();

// The database marked ddoIsDefaultDatabase; at most one.
TFIBDatabase* GlobalDefaultDatabase();
// Kept by the databases as their ddoIsDefaultDatabase option changes.
void SetGlobalDefaultDatabase(TFIBDatabase* database);

// The login dialog's entry: the database name, and by reference the user name, password and role;
// true on OK.
using TLoginDialogHook = std::function<bool(const std::string& dbName, std::string& userName,
                                            std::string& password, std::string& role)>;
// Returns the previous hook; an empty hook removes it.
TLoginDialogHook SetLoginDialogHook(TLoginDialogHook hook);
const TLoginDialogHook& LoginDialogHook();
