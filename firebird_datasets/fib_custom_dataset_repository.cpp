// The dataset's metadata repository: the one it was given, else its database's own.
#include "firebird/component_path.h"
#include "firebird/library_texts.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/rtl/format.h"

IFIBColumnRepository* TFIBCustomDataSet::ColumnRepository() const {
    if (repositoryGiven_)
        return repository_;
    TFIBDatabase* database = Database();
    return database != nullptr ? &DatabaseRepository(*database) : nullptr;
}

void TFIBCustomDataSet::SetColumnRepository(IFIBColumnRepository* value) {
    if (repositoryComponent_ != nullptr)
        repositoryComponent_->RemoveFreeNotification(this);
    repository_ = value;
    repositoryGiven_ = true;
    // Kept beside the interface: by the time its removal is heard the interface part is gone.
    repositoryComponent_ = dynamic_cast<TComponent*>(value);
    if (repositoryComponent_ != nullptr)
        repositoryComponent_->FreeNotification(this);
}

IFIBColumnRepository& TFIBCustomDataSet::RequiredColumnRepository(const char* neededFor) const {
    IFIBColumnRepository* repository = ColumnRepository();
    if (repository == nullptr)
        throw Exception(Format(SNoMetadataRepository, {ComponentPath(this), neededFor}));
    return *repository;
}

void TFIBCustomDataSet::Notification(TComponent* AComponent, TOperation Operation) {
    TDataSet::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == repositoryComponent_) {
        repository_ = nullptr;
        repositoryComponent_ = nullptr;
    }
}
