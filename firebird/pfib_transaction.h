#pragma once
// TpFIBTransaction: a transaction whose parameter block follows a mode for the common isolation
// levels, with user events around start, end and each statement, and named transaction kinds
// kept in the registry.
#include <functional>
#include <string>

#include "firebird/transaction.h"

enum TTPBMode { tpbDefault, tpbReadCommitted, tpbRepeatableRead };

using TOnSQLExecute = std::function<void(TObject* Query, TFIBSQLTypes SQLType)>;

// The kind a user has no named kind for.
inline constexpr const char* NoUserKind = "NoUserKind";
// Where the named kinds are kept under HKEY_CURRENT_USER: one sub-key per kind, with its string
// values "Name" and "Params".
inline constexpr const char* TransactionKindsKey = "Software\\VEVU_Vizidoro\\Transation Kinds";

// The parameter lines of the named kind; false, leaving params as they are, when the registry
// has no such kind or the kind no "Params".
bool ReadUserTransactionKind(const std::string& kindName, TStrings& params);

class TpFIBTransaction : public TFIBTransaction {
  public:
    explicit TpFIBTransaction(TComponent* AOwner) : TFIBTransaction(AOwner) {}
    std::string ClassName() const override { return "TpFIBTransaction"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    // Nothing when already active; otherwise TRParams are set by TPBMode first.
    void StartTransaction() override;
    void EndTransaction(TTransactionAction Action, bool Force) override;
    void SQLExecuted(TObject* Query, int Kind) override;

    TTPBMode TPBMode = tpbReadCommitted;
    const std::string& UserKindTransaction() const { return userKind_; }
    // At design time a named kind also brings its parameter lines from the registry.
    void SetUserKindTransaction(const std::string& kind);
    std::string About() const { return "5.3.0"; }

    TNotifyEvent BeforeStart;
    TNotifyEvent AfterStart;
    TEndTrEvent BeforeEnd;
    TEndTrEvent AfterEnd;
    TOnSQLExecute BeforeSQLExecute;
    TOnSQLExecute AfterSQLExecute;

  protected:
    // The mode's own lines are not stored: they are set again at each start.
    bool StoresTRParams() const override { return TPBMode == tpbDefault; }

  private:
    std::string userKind_ = NoUserKind;
};
