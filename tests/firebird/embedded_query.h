#pragma once
// A select run on the embedded engine straight through the client binding, for engine tests that
// only need to know how many rows a statement returns or the integer in its first column. Failures
// raise the server's error (EFIBInterBaseError).
#include <ibase.h>

#include <cstdint>
#include <string>
#include <vector>

#include "firebird/client_library.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "platform/rtl/exceptions.h"

namespace fbtest {

class TEmbeddedQuery {
  public:
    TEmbeddedQuery(IIBClientLibrary& lib, isc_db_handle& db, isc_tr_handle& tr, const std::string& sql)
        : lib_(lib), tr_(tr) {
        Check(lib_.isc_dsql_alloc_statement2(StatusVector(), &db, &stmt_));
        Check(lib_.isc_dsql_prepare(StatusVector(), &tr_, &stmt_, 0, sql.c_str(), 3, Columns(1)));
        if (Area()->sqld > Area()->sqln)
            Check(lib_.isc_dsql_describe(StatusVector(), &stmt_, 1, Columns(Area()->sqld)));
        BindBuffers();
        Check(lib_.isc_dsql_execute(StatusVector(), &tr_, &stmt_, 1, nullptr));
    }
    ~TEmbeddedQuery() { lib_.isc_dsql_free_statement(StatusVector(), &stmt_, DSQL_drop); }
    TEmbeddedQuery(const TEmbeddedQuery&) = delete;
    TEmbeddedQuery& operator=(const TEmbeddedQuery&) = delete;

    // Fetches the rest of the rows; returns how many there were.
    std::int64_t CountRows() {
        std::int64_t rows = 0;
        while (Fetch()) ++rows;
        return rows;
    }

    // The first column of the next row as an integer (SMALLINT, INTEGER or BIGINT without scale).
    std::int64_t ReadInteger() {
        if (!Fetch())
            throw Exception("no row");
        const XSQLVAR& var = Area()->sqlvar[0];
        switch (var.sqltype & ~1) {
            case SQL_SHORT:
                return *reinterpret_cast<const ISC_SHORT*>(var.sqldata);
            case SQL_LONG:
                return *reinterpret_cast<const ISC_LONG*>(var.sqldata);
            case SQL_INT64:
                return *reinterpret_cast<const ISC_INT64*>(var.sqldata);
            default:
                throw Exception("not an integer column");
        }
    }

  private:
    void Check(ISC_STATUS status) {
        if (status != 0)
            RaiseServerError(lib_, nullptr);
    }

    XSQLDA* Area() { return reinterpret_cast<XSQLDA*>(area_.data()); }

    // A descriptor area for n columns.
    XSQLDA* Columns(int n) {
        area_.assign(XSQLDA_LENGTH(n), 0);
        Area()->version = SQLDA_VERSION1;
        Area()->sqln = static_cast<ISC_SHORT>(n);
        return Area();
    }

    void BindBuffers() {
        const int count = Area()->sqld;
        buffers_.assign(static_cast<std::size_t>(count), {});
        indicators_.assign(static_cast<std::size_t>(count), 0);
        for (int i = 0; i < count; ++i) {
            XSQLVAR& var = Area()->sqlvar[i];
            // Room for the length word of VARCHAR; aligned for the integer and float types.
            buffers_[static_cast<std::size_t>(i)].assign(static_cast<std::size_t>(var.sqllen) / 8 + 2, 0);
            var.sqldata = reinterpret_cast<ISC_SCHAR*>(buffers_[static_cast<std::size_t>(i)].data());
            var.sqlind = &indicators_[static_cast<std::size_t>(i)];
        }
    }

    bool Fetch() {
        const ISC_STATUS status = lib_.isc_dsql_fetch(StatusVector(), &stmt_, 1, Area());
        if (status == 100)
            return false;
        Check(status);
        return true;
    }

    IIBClientLibrary& lib_;
    isc_tr_handle& tr_;
    isc_stmt_handle stmt_ = 0;
    std::vector<char> area_;
    std::vector<std::vector<std::int64_t>> buffers_;
    std::vector<ISC_SHORT> indicators_;
};

}  // namespace fbtest
