#pragma once
// A statement run on the embedded engine through descriptor areas: prepared and described with
// raw client calls, its parameters written and its row read through TFIBXSQLVAR, and array
// columns given their descriptors, as the statement layer does.
#include <ibase.h>

#include <cstring>
#include <memory>
#include <string>

#include "firebird/fib_array.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "firebird/xsqlda.h"
#include "tests/firebird/xsqlda_context.h"

namespace fbtest {

class TAreaStatement : public TAreaContext {
  public:
    TAreaStatement(IIBClientLibrary& lib, isc_db_handle& database, isc_tr_handle& transaction,
                   const std::string& sql)
        : lib_(lib) {
        library = &lib;
        db = &database;
        tr = &transaction;
        fetched = false;
        Check(lib_.isc_dsql_alloc_statement2(StatusVector(), db, &stmt_));
        columns.SetCount(1);
        Check(lib_.isc_dsql_prepare(StatusVector(), tr, &stmt_, 0, sql.c_str(), 3, columns.GetXSQLDA()));
        Describe(columns, false);
        params.SetCount(1);
        Check(lib_.isc_dsql_describe_bind(StatusVector(), &stmt_, 1, params.GetXSQLDA()));
        Describe(params, true);
    }
    ~TAreaStatement() override { lib_.isc_dsql_free_statement(StatusVector(), &stmt_, DSQL_drop); }
    TAreaStatement(const TAreaStatement&) = delete;
    TAreaStatement& operator=(const TAreaStatement&) = delete;

    void Execute() {
        Check(lib_.isc_dsql_execute(StatusVector(), tr, &stmt_, 1,
                                    params.Count() ? params.GetXSQLDA() : nullptr));
    }

    bool Fetch() {
        const ISC_STATUS status = lib_.isc_dsql_fetch(StatusVector(), &stmt_, 1, columns.GetXSQLDA());
        if (status == 100)
            return false;
        Check(status);
        fetched = true;
        return true;
    }

    TFIBXSQLDA params{this, true};
    TFIBXSQLDA columns{this, false};

  private:
    void Check(ISC_STATUS status) {
        if (status != 0)
            RaiseServerError(lib_, nullptr);
    }

    void Describe(TFIBXSQLDA& area, bool bind) {
        const int n = area.GetXSQLDA()->sqld;
        area.SetCount(n);
        if (n == 0)
            return;
        Check(bind ? lib_.isc_dsql_describe_bind(StatusVector(), &stmt_, 1, area.GetXSQLDA())
                   : lib_.isc_dsql_describe(StatusVector(), &stmt_, 1, area.GetXSQLDA()));
        area.MakeUniqueNames();
        for (int i = 0; i < n; ++i)
            if (area[i].IsArray())
                AttachArray(area[i]);
    }

    void AttachArray(TFIBXSQLVAR& var) {
        const XSQLVAR& x = *var.XSQLVar;
        const std::string relation(x.relname, static_cast<std::size_t>(x.relname_length));
        const std::string field(x.sqlname, static_cast<std::size_t>(x.sqlname_length));
        ISC_ARRAY_DESC desc{};
        Check(lib_.isc_array_lookup_bounds(StatusVector(), db, tr, relation.c_str(), field.c_str(), &desc));
        var.ArrayInfo = std::make_unique<TpFIBArray>(&lib_, desc, relation, field,
                                                     ArrayElementKindOf(desc.array_desc_dtype));
    }

    IIBClientLibrary& lib_;
    isc_stmt_handle stmt_ = 0;
};

}  // namespace fbtest
