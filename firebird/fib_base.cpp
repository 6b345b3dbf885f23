#include "firebird/fib_base.h"

#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/transaction.h"
#include "platform/rtl/component.h"

namespace {

std::string OwnerPath(TObject* owner) {
    return ComponentPath(dynamic_cast<const TComponent*>(owner));
}

}  // namespace

TFIBBase::TFIBBase(TObject* owner) : owner_(owner) {}

TFIBBase::~TFIBBase() {
    SetTransaction(nullptr);
    SetDatabase(nullptr);
}

void TFIBBase::CheckDatabase() {
    if (database_ == nullptr)
        RaiseClientError(fceDatabaseNotAssigned, {OwnerPath(owner_)});
    database_->CheckActive();
}

void TFIBBase::CheckTransaction() {
    if (transaction_ == nullptr)
        RaiseClientError(fceTransactionNotAssigned, {OwnerPath(owner_)});
    transaction_->CheckActive();
}

bool TFIBBase::OwnerIsLoading() const {
    for (auto* c = dynamic_cast<const TComponent*>(owner_); c != nullptr; c = c->Owner())
        if (c->ComponentState().Contains(csLoading))
            return true;
    return false;
}

void TFIBBase::SetDatabase(TFIBDatabase* database) {
    if (database == database_)
        return;
    if (database_ != nullptr)
        database_->RemoveFIBBase(indexInDatabase_);
    database_ = nullptr;
    if (database != nullptr) {
        indexInDatabase_ = database->AddFIBBase(this);
        database_ = database;
    }
    if (database_ != nullptr && transaction_ == nullptr && owner_ != nullptr && !OwnerIsLoading())
        SetTransaction(database_->DefaultTransaction());
}

void TFIBBase::SetTransaction(TFIBTransaction* transaction) {
    if (transaction == transaction_)
        return;
    if (transaction_ != nullptr)
        transaction_->RemoveFIBBaseAt(indexInTransaction_);
    transaction_ = nullptr;
    if (transaction == nullptr)
        return;
    indexInTransaction_ = transaction->AddFIBBase(this);
    transaction_ = transaction;
    if ((database_ == nullptr || transaction->FindDatabase(database_) < 0) &&
        transaction->DatabaseCount() > 0)
        SetDatabase(transaction->MainDatabase());
}

isc_db_handle* TFIBBase::GetDBHandle() {
    CheckDatabase();
    return database_->HandleAddress();
}

isc_tr_handle* TFIBBase::GetTRHandle() {
    CheckTransaction();
    return transaction_->HandleAddress();
}
