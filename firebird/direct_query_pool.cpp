#include "firebird/direct_query_pool.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"

namespace {

// Days from the server's day 0 (1858-11-17) to 1899-12-30.
constexpr double kServerDateDelta = 15018;
constexpr double kTimeUnitsPerDay = 864000000.0;  // 1/10000 seconds
constexpr int kSQLBoolean = 32764;

template <class T>
T Read(const XSQLVAR& var) {
    T value;
    std::memcpy(&value, var.sqldata, sizeof value);
    return value;
}

Variant Scaled(std::int64_t value, int scale) {
    if (scale == 0)
        return Variant(static_cast<long long>(value));
    return Variant(static_cast<double>(value) * std::pow(10.0, scale));
}

}  // namespace

void TDirectQuery::Area::Resize(int count) {
    Bytes.assign(XSQLDALength(std::max(count, 1)), 0);
    Get()->version = SQLDA_VERSION1;
    Get()->sqln = static_cast<ISC_SHORT>(std::max(count, 1));
}

void TDirectQuery::Area::Bind() {
    const auto count = static_cast<std::size_t>(Get()->sqld);
    Buffers.assign(count, {});
    Indicators.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        XSQLVAR& var = Get()->sqlvar[i];
        // Room for a VARCHAR's length word, aligned for the numeric types.
        Buffers[i].assign(static_cast<std::size_t>(var.sqllen) / 8 + 2, 0);
        var.sqldata = reinterpret_cast<ISC_SCHAR*>(Buffers[i].data());
        var.sqlind = &Indicators[i];
    }
}

TDirectQuery::TDirectQuery(TFIBDatabase& database, TFIBTransaction& transaction, std::string sql)
    : database_(database), transaction_(transaction), sql_(std::move(sql)) {}

TDirectQuery::~TDirectQuery() {
    if (statement_ != 0 && database_.Connected())
        database_.GetClientLibrary().isc_dsql_free_statement(StatusVector(), &statement_, DSQL_drop);
}

void TDirectQuery::Check(ISC_STATUS status) {
    database_.CheckStatus(status, true);
}

void TDirectQuery::Prepare() {
    if (prepared_)
        return;
    database_.CheckActive();
    transaction_.CheckActive();
    IIBClientLibrary& library = database_.GetClientLibrary();
    if (statement_ == 0)
        Check(library.isc_dsql_alloc_statement2(StatusVector(), database_.HandleAddress(), &statement_));
    columns_.Resize(1);
    const auto dialect = static_cast<unsigned short>(database_.SQLDialect());
    Check(library.isc_dsql_prepare(StatusVector(), transaction_.HandleAddress(), &statement_, 0, sql_.c_str(),
                                   dialect, columns_.Get()));
    if (columns_.Get()->sqld > columns_.Get()->sqln) {
        columns_.Resize(columns_.Get()->sqld);
        Check(library.isc_dsql_describe(StatusVector(), &statement_, 1, columns_.Get()));
    }
    columns_.Bind();
    params_.Resize(1);
    Check(library.isc_dsql_describe_bind(StatusVector(), &statement_, 1, params_.Get()));
    if (params_.Get()->sqld > params_.Get()->sqln) {
        params_.Resize(params_.Get()->sqld);
        Check(library.isc_dsql_describe_bind(StatusVector(), &statement_, 1, params_.Get()));
    }
    paramTexts_.assign(static_cast<std::size_t>(params_.Get()->sqld), {});
    params_.Indicators.assign(paramTexts_.size(), -1);
    for (std::size_t i = 0; i < paramTexts_.size(); ++i)
        params_.Get()->sqlvar[i].sqlind = &params_.Indicators[i];
    prepared_ = true;
}

int TDirectQuery::ParamCount() {
    Prepare();
    return params_.Get()->sqld;
}

void TDirectQuery::SetParamValue(int index, const Variant& value) {
    Prepare();
    if (index < 0 || index >= params_.Get()->sqld)
        RaiseClientError(fceInvalidParamColumnIndex);
    const auto at = static_cast<std::size_t>(index);
    XSQLVAR& var = params_.Get()->sqlvar[at];
    params_.Indicators[at] = value.IsNull() || value.IsEmpty() ? -1 : 0;
    paramTexts_[at] = VarToStr(value);
    // The server converts text to the parameter's own type.
    var.sqltype = SQL_TEXT | 1;
    var.sqlscale = 0;
    var.sqlsubtype = 0;
    var.sqllen = static_cast<ISC_SHORT>(paramTexts_[at].size());
    var.sqldata = paramTexts_[at].data();
}

void TDirectQuery::ExecQuery() {
    Prepare();
    IIBClientLibrary& library = database_.GetClientLibrary();
    rowFetched_ = false;
    XSQLDA* in = params_.Get()->sqld > 0 ? params_.Get() : nullptr;
    for (std::size_t i = 0; in != nullptr && i < paramTexts_.size(); ++i)
        if (params_.Get()->sqlvar[i].sqldata == nullptr)
            params_.Get()->sqlvar[i].sqltype |= 1;  // never given: NULL
    Check(library.isc_dsql_execute(StatusVector(), transaction_.HandleAddress(), &statement_, 1, in));
    if (columns_.Get()->sqld == 0)
        return;
    const ISC_STATUS status = library.isc_dsql_fetch(StatusVector(), &statement_, 1, columns_.Get());
    if (status != 100)
        Check(status);
    rowFetched_ = status == 0;
    library.isc_dsql_free_statement(StatusVector(), &statement_, DSQL_close);
}

int TDirectQuery::FieldCount() {
    return prepared_ ? columns_.Get()->sqld : 0;
}

const XSQLVAR& TDirectQuery::Column(int index) {
    if (index < 0 || index >= FieldCount())
        RaiseClientError(fceInvalidColumnIndex);
    return columns_.Get()->sqlvar[index];
}

int TDirectQuery::FieldSQLType(int index) {
    return Column(index).sqltype & ~1;
}

Variant TDirectQuery::FieldValue(int index) {
    const XSQLVAR& var = Column(index);
    if (!rowFetched_ || ((var.sqltype & 1) != 0 && *var.sqlind < 0))
        return Variant::Null();
    switch (var.sqltype & ~1) {
        case SQL_SHORT:
            return Scaled(Read<ISC_SHORT>(var), var.sqlscale);
        case SQL_LONG:
            return Scaled(Read<ISC_LONG>(var), var.sqlscale);
        case SQL_INT64:
            return Scaled(Read<ISC_INT64>(var), var.sqlscale);
        case SQL_FLOAT:
            return Variant(static_cast<double>(Read<float>(var)));
        case SQL_DOUBLE:
            return Variant(Read<double>(var));
        case SQL_TEXT:
            return Variant(std::string(var.sqldata, static_cast<std::size_t>(var.sqllen)));
        case SQL_VARYING:
            return Variant(std::string(var.sqldata + 2, static_cast<std::size_t>(Read<ISC_USHORT>(var))));
        case SQL_TYPE_DATE:
            return Variant::FromDateTime(Read<ISC_DATE>(var) - kServerDateDelta);
        case SQL_TYPE_TIME:
            return Variant::FromDateTime(Read<ISC_TIME>(var) / kTimeUnitsPerDay);
        case SQL_TIMESTAMP: {
            const auto stamp = Read<ISC_TIMESTAMP>(var);
            return Variant::FromDateTime(stamp.timestamp_date - kServerDateDelta +
                                         stamp.timestamp_time / kTimeUnitsPerDay);
        }
        case kSQLBoolean:
            return Variant(*var.sqldata != 0);
        case SQL_BLOB:
            return Variant(ReadBlob(Read<ISC_QUAD>(var)));
        default:
            RaiseClientError(fceUnknownSQLDataType);
    }
}

std::string TDirectQuery::FieldAsString(int index) {
    return VarToStr(FieldValue(index));
}

std::int64_t TDirectQuery::FieldAsInt64(int index) {
    const Variant value = FieldValue(index);
    return value.IsNull() ? 0 : value.AsInt64();
}

std::string TDirectQuery::ReadBlob(const ISC_QUAD& id) {
    IIBClientLibrary& library = database_.GetClientLibrary();
    isc_blob_handle blob = 0;
    ISC_QUAD blobId = id;
    Check(library.isc_open_blob2(StatusVector(), database_.HandleAddress(), transaction_.HandleAddress(),
                                 &blob, &blobId, 0, nullptr));
    std::string text;
    char segment[8192];
    for (;;) {
        unsigned short length = 0;
        const ISC_STATUS status =
            library.isc_get_segment(StatusVector(), &blob, &length, sizeof segment, segment);
        if (status != 0 && status != isc_segment) {
            if (status == isc_segstr_eof)
                break;
            try {
                Check(status);
            } catch (...) {
                library.isc_close_blob(StatusVector(), &blob);
                throw;
            }
        }
        text.append(segment, length);
    }
    Check(library.isc_close_blob(StatusVector(), &blob));
    return text;
}

IFIBPooledQuery& TDirectQueryPool::AcquireCachedQuery(TFIBDatabase& database, TFIBTransaction& transaction,
                                                      const std::string& sql) {
    queries_.push_back(std::make_unique<TDirectQuery>(database, transaction, sql));
    return *queries_.back();
}

void TDirectQueryPool::ReleaseCachedQuery(IFIBPooledQuery& query, bool /*destroy*/) {
    std::erase_if(queries_, [&](const auto& kept) { return kept.get() == &query; });
}
