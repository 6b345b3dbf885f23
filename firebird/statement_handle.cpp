#include "firebird/statement_handle.h"

#include <utility>

#include "firebird/status_vector.h"

TStatementHandle::~TStatementHandle() {
    Drop();
}

TStatementHandle::TStatementHandle(TStatementHandle&& other) noexcept
    : library_(other.library_), handle_(std::exchange(other.handle_, 0)) {}

TStatementHandle& TStatementHandle::operator=(TStatementHandle&& other) noexcept {
    if (this != &other) {
        Drop();
        library_ = other.library_;
        handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
}

ISC_STATUS TStatementHandle::Allocate(IIBClientLibrary& library, isc_db_handle* database) {
    library_ = &library;
    return library.isc_dsql_alloc_statement2(StatusVector(), database, &handle_);
}

ISC_STATUS TStatementHandle::CloseCursor() {
    return library_->isc_dsql_free_statement(StatusVector(), &handle_, DSQL_close);
}

ISC_STATUS TStatementHandle::Drop() {
    if (handle_ == 0)
        return 0;
    const ISC_STATUS status = library_->isc_dsql_free_statement(StatusVector(), &handle_, DSQL_drop);
    handle_ = 0;
    return status;
}
