#pragma once
// TFIBBase: the link of one query or dataset (its owner) to a database and a transaction. The
// database and the transaction call the owner's handlers around connecting, disconnecting,
// starting and ending, and when they are freed; a handler that is not set is not called.
#include <ibase.h>

#include <functional>

class TObject;
class TFIBDatabase;
class TFIBTransaction;

class TFIBBase {
  public:
    using THandler = std::function<void(TFIBBase*)>;

    explicit TFIBBase(TObject* owner);
    virtual ~TFIBBase();
    TFIBBase(const TFIBBase&) = delete;
    TFIBBase& operator=(const TFIBBase&) = delete;

    // Client error 21 without a database, else the database's active check.
    virtual void CheckDatabase();
    // Client error 22 without a transaction, else the transaction's active check.
    virtual void CheckTransaction();

    TObject* Owner() const { return owner_; }
    TFIBDatabase* Database() const { return database_; }
    TFIBTransaction* Transaction() const { return transaction_; }
    // A link without a transaction takes the database's default transaction, unless its owner is
    // being read from a stream.
    void SetDatabase(TFIBDatabase* database);
    // A link whose database is not listed in the transaction takes the transaction's main database.
    void SetTransaction(TFIBTransaction* transaction);
    // Checked, then the address of the handle, which the client calls fill in.
    isc_db_handle* GetDBHandle();
    isc_tr_handle* GetTRHandle();

    THandler OnBeforeConnect;
    THandler OnAfterConnect;
    THandler OnBeforeDisconnect;
    THandler OnAfterDisconnect;
    THandler OnDatabaseFreeing;
    THandler OnTransactionEnding;
    THandler OnTransactionFinished;
    THandler OnBeforeTransactionStart;
    THandler OnAfterTransactionStart;
    THandler OnTransactionFreeing;

    void DoBeforeConnect() { Fire(OnBeforeConnect); }
    void DoAfterConnect() { Fire(OnAfterConnect); }
    void DoBeforeDisconnect() { Fire(OnBeforeDisconnect); }
    void DoAfterDisconnect() { Fire(OnAfterDisconnect); }
    void DoDatabaseFree() { Fire(OnDatabaseFreeing); }
    void DoTransactionEnding() { Fire(OnTransactionEnding); }
    void DoTransactionEnded() { Fire(OnTransactionFinished); }
    void DoBeforeTransactionStart() { Fire(OnBeforeTransactionStart); }
    void DoAfterTransactionStart() { Fire(OnAfterTransactionStart); }
    void DoTransactionFree() { Fire(OnTransactionFreeing); }

  private:
    friend class TFIBDatabase;
    friend class TFIBTransaction;
    void Fire(const THandler& handler) {
        if (handler)
            handler(this);
    }
    bool OwnerIsLoading() const;

    TObject* owner_;
    TFIBDatabase* database_ = nullptr;
    TFIBTransaction* transaction_ = nullptr;
    int indexInDatabase_ = -1;
    int indexInTransaction_ = -1;
};
