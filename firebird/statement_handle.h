#pragma once
// A server statement handle, dropped once: by Drop, or else when the handle object goes. It moves
// but does not copy, so no two objects ever free the same server statement.
#include <ibase.h>

#include "firebird/client_library.h"

class TStatementHandle {
  public:
    TStatementHandle() = default;
    ~TStatementHandle();
    TStatementHandle(TStatementHandle&& other) noexcept;
    TStatementHandle& operator=(TStatementHandle&& other) noexcept;
    TStatementHandle(const TStatementHandle&) = delete;
    TStatementHandle& operator=(const TStatementHandle&) = delete;

    // isc_dsql_alloc_statement2 on the connection; the handle keeps the library for freeing.
    ISC_STATUS Allocate(IIBClientLibrary& library, isc_db_handle* database);
    bool Held() const { return handle_ != 0; }
    // The address the client calls on the statement take.
    isc_stmt_handle* Address() { return &handle_; }
    // Closes the open cursor (DSQL_close); the statement stays prepared.
    ISC_STATUS CloseCursor();
    // Frees the server statement (DSQL_drop); the handle is 0 afterwards whatever the server said.
    ISC_STATUS Drop();
    // Lets go of the handle without a call, when there is no library left to free it with.
    void Forget() { handle_ = 0; }

  private:
    IIBClientLibrary* library_ = nullptr;
    isc_stmt_handle handle_ = 0;
};
