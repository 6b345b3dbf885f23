#include "platform/db/provider_support.h"

#include "platform/db/dataset.h"

std::unique_ptr<EUpdateError> IProviderSupport::PSGetUpdateException(const std::exception_ptr& error,
                                                                     const EUpdateError* previous) {
    std::string message;
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
    }
    return std::make_unique<EUpdateError>(std::move(message), std::string(), 0,
                                          previous != nullptr ? previous->ErrorCode : 0, error);
}

int IProviderSupport::PSExecuteStatement(const std::string& /*sql*/, const TParams& /*params*/,
                                         TObjectPtr<TDataSet>* /*resultSet*/) {
    DatabaseError("Provider statements are not supported by this dataset");
}

void IProviderSupport::PSExecute() {
    DatabaseError("Provider statements are not supported by this dataset");
}
