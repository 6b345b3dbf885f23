#pragma once
// The query pool a database uses until it is given another: each statement is prepared straight
// through the client library when acquired and dropped when released. It serves the database's
// own small selects (server time, generator values, single values): parameters are sent as text
// for the server to convert, columns come back as numbers, texts, date-times and booleans, blobs
// as their text.
#include <ibase.h>

#include <memory>
#include <string>
#include <vector>

#include "firebird/pooled_query.h"

class TDirectQuery final : public IFIBPooledQuery {
  public:
    TDirectQuery(TFIBDatabase& database, TFIBTransaction& transaction, std::string sql);
    ~TDirectQuery() override;
    TDirectQuery(const TDirectQuery&) = delete;
    TDirectQuery& operator=(const TDirectQuery&) = delete;

    TFIBTransaction* Transaction() const override { return &transaction_; }
    int ParamCount() override;
    void SetParamValue(int index, const Variant& value) override;
    void ExecQuery() override;
    int FieldCount() override;
    int FieldSQLType(int index) override;
    Variant FieldValue(int index) override;
    std::string FieldAsString(int index) override;
    std::int64_t FieldAsInt64(int index) override;

  private:
    struct Area {
        std::vector<char> Bytes;
        std::vector<std::vector<std::int64_t>> Buffers;
        std::vector<ISC_SHORT> Indicators;
        XSQLDA* Get() { return reinterpret_cast<XSQLDA*>(Bytes.data()); }
        void Resize(int count);
        void Bind();
    };
    void Prepare();
    void Check(ISC_STATUS status);
    const XSQLVAR& Column(int index);
    std::string ReadBlob(const ISC_QUAD& id);

    TFIBDatabase& database_;
    TFIBTransaction& transaction_;
    std::string sql_;
    isc_stmt_handle statement_ = 0;
    bool prepared_ = false;
    Area params_;
    Area columns_;
    std::vector<std::string> paramTexts_;
    bool rowFetched_ = false;
};

class TDirectQueryPool final : public IFIBQueryPool {
  public:
    IFIBPooledQuery& AcquireCachedQuery(TFIBDatabase& database, TFIBTransaction& transaction,
                                        const std::string& sql) override;
    void ReleaseCachedQuery(IFIBPooledQuery& query, bool destroy) override;

  private:
    std::vector<std::unique_ptr<TDirectQuery>> queries_;
};
