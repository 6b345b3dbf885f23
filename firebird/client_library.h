#pragma once
// The binding to the Firebird client library, loaded by file name at run time. IIBClientLibrary
// offers one operation per entry point, with the client API's own arguments and result; calling
// an entry point that the library does not provide raises "Can't find procedure %s in %s".
//
// Which entry points are looked up:
// - always (a missing one fails the load): connection, transaction, statement, errors,
//   isc_vax_integer, the old date codec, blobs, arrays and events;
// - isc_rollback_retaining when present; with it the library has API level 6 (client version
//   6.0), and the SQL date codec, isc_portable_integer and the services are required too;
// - isc_get_client_version when present; with it the client's major and minor versions are
//   asked from the library itself;
// - never: the user-management calls, the array and blob descriptor calls, isc_cancel_blob and
//   the two-phase prepare calls.
#include <ibase.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class IIBClientLibrary {
  public:
    virtual ~IIBClientLibrary() = default;
    virtual std::string GetLibraryName() const = 0;
    virtual int ClientMajorVersion() const = 0;
    virtual int ClientMinorVersion() const = 0;

    virtual ISC_STATUS isc_attach_database(ISC_STATUS*, short, const ISC_SCHAR*, isc_db_handle*, short,
                                           const ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_array_get_slice(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                           const ISC_ARRAY_DESC*, void*, ISC_LONG*) = 0;
    virtual ISC_STATUS isc_array_lookup_bounds(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_SCHAR*,
                                               const ISC_SCHAR*, ISC_ARRAY_DESC*) = 0;
    virtual ISC_STATUS isc_array_lookup_desc(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_SCHAR*,
                                             const ISC_SCHAR*, ISC_ARRAY_DESC*) = 0;
    virtual ISC_STATUS isc_array_set_desc(ISC_STATUS*, const ISC_SCHAR*, const ISC_SCHAR*, const short*,
                                          const short*, const short*, ISC_ARRAY_DESC*) = 0;
    virtual ISC_STATUS isc_array_put_slice(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                           const ISC_ARRAY_DESC*, void*, ISC_LONG*) = 0;
    virtual ISC_STATUS isc_blob_info(ISC_STATUS*, isc_blob_handle*, short, const ISC_SCHAR*, short,
                                     ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_blob_lookup_desc(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_UCHAR*,
                                            const ISC_UCHAR*, ISC_BLOB_DESC*, ISC_UCHAR*) = 0;
    virtual ISC_STATUS isc_blob_set_desc(ISC_STATUS*, const ISC_UCHAR*, const ISC_UCHAR*, short, short, short,
                                         ISC_BLOB_DESC*) = 0;
    virtual ISC_STATUS isc_cancel_blob(ISC_STATUS*, isc_blob_handle*) = 0;
    virtual ISC_STATUS isc_cancel_events(ISC_STATUS*, isc_db_handle*, ISC_LONG*) = 0;
    virtual ISC_STATUS isc_que_events(ISC_STATUS*, isc_db_handle*, ISC_LONG*, short, const ISC_UCHAR*,
                                      ISC_EVENT_CALLBACK, void*) = 0;
    virtual ISC_STATUS isc_wait_for_event(ISC_STATUS*, isc_db_handle*, short, const ISC_UCHAR*,
                                          ISC_UCHAR*) = 0;
    virtual ISC_STATUS isc_close_blob(ISC_STATUS*, isc_blob_handle*) = 0;
    virtual ISC_STATUS isc_create_blob2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*,
                                        ISC_QUAD*, short, const ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_commit_retaining(ISC_STATUS*, isc_tr_handle*) = 0;
    virtual ISC_STATUS isc_commit_transaction(ISC_STATUS*, isc_tr_handle*) = 0;
    virtual ISC_STATUS isc_transaction_info(ISC_STATUS*, isc_tr_handle*, short, const ISC_SCHAR*, short,
                                            ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_database_info(ISC_STATUS*, isc_db_handle*, short, const ISC_SCHAR*, short,
                                         ISC_SCHAR*) = 0;
    virtual void isc_decode_date(const ISC_QUAD*, void*) = 0;
    virtual void isc_decode_sql_date(const ISC_DATE*, void*) = 0;
    virtual void isc_decode_sql_time(const ISC_TIME*, void*) = 0;
    virtual void isc_decode_timestamp(const ISC_TIMESTAMP*, void*) = 0;
    virtual ISC_STATUS isc_detach_database(ISC_STATUS*, isc_db_handle*) = 0;
    virtual ISC_STATUS isc_drop_database(ISC_STATUS*, isc_db_handle*) = 0;
    virtual ISC_STATUS isc_dsql_alloc_statement2(ISC_STATUS*, isc_db_handle*, isc_stmt_handle*) = 0;
    virtual ISC_STATUS isc_dsql_describe(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_describe_bind(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_execute(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                        const XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_execute2(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                         const XSQLDA*, const XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_execute_immediate(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, unsigned short,
                                                  const ISC_SCHAR*, unsigned short, const XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_exec_immed2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, unsigned short,
                                            const ISC_SCHAR*, unsigned short, const XSQLDA*,
                                            const XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_fetch(ISC_STATUS*, isc_stmt_handle*, unsigned short, const XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_free_statement(ISC_STATUS*, isc_stmt_handle*, unsigned short) = 0;
    virtual ISC_STATUS isc_dsql_prepare(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                        const ISC_SCHAR*, unsigned short, XSQLDA*) = 0;
    virtual ISC_STATUS isc_dsql_set_cursor_name(ISC_STATUS*, isc_stmt_handle*, const ISC_SCHAR*,
                                                unsigned short) = 0;
    virtual ISC_STATUS isc_dsql_sql_info(ISC_STATUS*, isc_stmt_handle*, short, const ISC_SCHAR*, short,
                                         ISC_SCHAR*) = 0;
    virtual void isc_encode_date(const void*, ISC_QUAD*) = 0;
    virtual void isc_encode_sql_date(const void*, ISC_DATE*) = 0;
    virtual void isc_encode_sql_time(const void*, ISC_TIME*) = 0;
    virtual void isc_encode_timestamp(const void*, ISC_TIMESTAMP*) = 0;
    // The names come as an array of count entries (at most kMaxEventNames) in place of the C
    // function's variable arguments.
    static constexpr int kMaxEventNames = 15;
    virtual ISC_LONG isc_event_block(ISC_UCHAR**, ISC_UCHAR**, ISC_USHORT, const char* const*) = 0;
    virtual void isc_event_counts(ISC_ULONG*, short, ISC_UCHAR*, const ISC_UCHAR*) = 0;
    virtual ISC_LONG isc_free(ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_get_segment(ISC_STATUS*, isc_blob_handle*, unsigned short*, unsigned short,
                                       ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_put_segment(ISC_STATUS*, isc_blob_handle*, unsigned short, const ISC_SCHAR*) = 0;
    virtual ISC_LONG isc_interprete(ISC_SCHAR*, ISC_STATUS**) = 0;
    virtual ISC_STATUS isc_open_blob2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*,
                                      ISC_QUAD*, ISC_USHORT, const ISC_UCHAR*) = 0;
    virtual ISC_STATUS isc_prepare_transaction2(ISC_STATUS*, isc_tr_handle*, ISC_USHORT,
                                                const ISC_UCHAR*) = 0;
    virtual ISC_STATUS isc_rollback_retaining(ISC_STATUS*, isc_tr_handle*) = 0;
    virtual ISC_STATUS isc_rollback_transaction(ISC_STATUS*, isc_tr_handle*) = 0;
    virtual ISC_STATUS isc_start_multiple(ISC_STATUS*, isc_tr_handle*, short, void*) = 0;
    virtual ISC_LONG isc_sqlcode(const ISC_STATUS*) = 0;
    virtual void isc_sql_interprete(short, ISC_SCHAR*, short) = 0;
    virtual ISC_LONG isc_vax_integer(const ISC_SCHAR*, short) = 0;
    virtual ISC_STATUS isc_add_user(ISC_STATUS*, const USER_SEC_DATA*) = 0;
    virtual ISC_STATUS isc_delete_user(ISC_STATUS*, const USER_SEC_DATA*) = 0;
    virtual ISC_STATUS isc_modify_user(ISC_STATUS*, const USER_SEC_DATA*) = 0;
    virtual ISC_STATUS isc_prepare_transaction(ISC_STATUS*, isc_tr_handle*) = 0;
    virtual int BLOB_put(ISC_SCHAR, FB_BLOB_STREAM) = 0;
    virtual int BLOB_get(FB_BLOB_STREAM) = 0;
    virtual ISC_STATUS isc_service_attach(ISC_STATUS*, unsigned short, const ISC_SCHAR*, isc_svc_handle*,
                                          unsigned short, const ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_service_detach(ISC_STATUS*, isc_svc_handle*) = 0;
    virtual ISC_STATUS isc_service_query(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                         const ISC_SCHAR*, unsigned short, const ISC_SCHAR*, unsigned short,
                                         ISC_SCHAR*) = 0;
    virtual ISC_STATUS isc_service_start(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                         const ISC_SCHAR*) = 0;
    virtual void isc_get_client_version(ISC_SCHAR*) = 0;
    virtual int isc_get_client_major_version() = 0;
    virtual int isc_get_client_minor_version() = 0;
    virtual ISC_INT64 isc_portable_integer(const ISC_UCHAR*, short) = 0;

    virtual void FreeClientLibrary() = 0;
};

using IIBClientLibraryPtr = std::shared_ptr<IIBClientLibrary>;

class TIBClientLibrary final : public IIBClientLibrary {
  public:
    // Loads the library; raises Exception "Can't load library %s " when it cannot be loaded, and
    // EOSError with the loader's text when a required entry point is missing.
    explicit TIBClientLibrary(std::string libraryName);
    ~TIBClientLibrary() override;
    TIBClientLibrary(const TIBClientLibrary&) = delete;
    TIBClientLibrary& operator=(const TIBClientLibrary&) = delete;

    std::string GetLibraryName() const override { return libraryName_; }
    int ClientMajorVersion() const override { return clientMajorVersion_; }
    int ClientMinorVersion() const override { return clientMinorVersion_; }

    ISC_STATUS isc_attach_database(ISC_STATUS*, short, const ISC_SCHAR*, isc_db_handle*, short,
                                   const ISC_SCHAR*) override;
    ISC_STATUS isc_array_get_slice(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                   const ISC_ARRAY_DESC*, void*, ISC_LONG*) override;
    ISC_STATUS isc_array_lookup_bounds(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_SCHAR*,
                                       const ISC_SCHAR*, ISC_ARRAY_DESC*) override;
    ISC_STATUS isc_array_lookup_desc(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_SCHAR*,
                                     const ISC_SCHAR*, ISC_ARRAY_DESC*) override;
    ISC_STATUS isc_array_set_desc(ISC_STATUS*, const ISC_SCHAR*, const ISC_SCHAR*, const short*, const short*,
                                  const short*, ISC_ARRAY_DESC*) override;
    ISC_STATUS isc_array_put_slice(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                   const ISC_ARRAY_DESC*, void*, ISC_LONG*) override;
    ISC_STATUS isc_blob_info(ISC_STATUS*, isc_blob_handle*, short, const ISC_SCHAR*, short,
                             ISC_SCHAR*) override;
    ISC_STATUS isc_blob_lookup_desc(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_UCHAR*,
                                    const ISC_UCHAR*, ISC_BLOB_DESC*, ISC_UCHAR*) override;
    ISC_STATUS isc_blob_set_desc(ISC_STATUS*, const ISC_UCHAR*, const ISC_UCHAR*, short, short, short,
                                 ISC_BLOB_DESC*) override;
    ISC_STATUS isc_cancel_blob(ISC_STATUS*, isc_blob_handle*) override;
    ISC_STATUS isc_cancel_events(ISC_STATUS*, isc_db_handle*, ISC_LONG*) override;
    ISC_STATUS isc_que_events(ISC_STATUS*, isc_db_handle*, ISC_LONG*, short, const ISC_UCHAR*,
                              ISC_EVENT_CALLBACK, void*) override;
    ISC_STATUS isc_wait_for_event(ISC_STATUS*, isc_db_handle*, short, const ISC_UCHAR*, ISC_UCHAR*) override;
    ISC_STATUS isc_close_blob(ISC_STATUS*, isc_blob_handle*) override;
    ISC_STATUS isc_create_blob2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*, ISC_QUAD*,
                                short, const ISC_SCHAR*) override;
    ISC_STATUS isc_commit_retaining(ISC_STATUS*, isc_tr_handle*) override;
    ISC_STATUS isc_commit_transaction(ISC_STATUS*, isc_tr_handle*) override;
    ISC_STATUS isc_transaction_info(ISC_STATUS*, isc_tr_handle*, short, const ISC_SCHAR*, short,
                                    ISC_SCHAR*) override;
    ISC_STATUS isc_database_info(ISC_STATUS*, isc_db_handle*, short, const ISC_SCHAR*, short,
                                 ISC_SCHAR*) override;
    void isc_decode_date(const ISC_QUAD*, void*) override;
    void isc_decode_sql_date(const ISC_DATE*, void*) override;
    void isc_decode_sql_time(const ISC_TIME*, void*) override;
    void isc_decode_timestamp(const ISC_TIMESTAMP*, void*) override;
    ISC_STATUS isc_detach_database(ISC_STATUS*, isc_db_handle*) override;
    ISC_STATUS isc_drop_database(ISC_STATUS*, isc_db_handle*) override;
    ISC_STATUS isc_dsql_alloc_statement2(ISC_STATUS*, isc_db_handle*, isc_stmt_handle*) override;
    ISC_STATUS isc_dsql_describe(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*) override;
    ISC_STATUS isc_dsql_describe_bind(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*) override;
    ISC_STATUS isc_dsql_execute(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                const XSQLDA*) override;
    ISC_STATUS isc_dsql_execute2(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short, const XSQLDA*,
                                 const XSQLDA*) override;
    ISC_STATUS isc_dsql_execute_immediate(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, unsigned short,
                                          const ISC_SCHAR*, unsigned short, const XSQLDA*) override;
    ISC_STATUS isc_dsql_exec_immed2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, unsigned short,
                                    const ISC_SCHAR*, unsigned short, const XSQLDA*, const XSQLDA*) override;
    ISC_STATUS isc_dsql_fetch(ISC_STATUS*, isc_stmt_handle*, unsigned short, const XSQLDA*) override;
    ISC_STATUS isc_dsql_free_statement(ISC_STATUS*, isc_stmt_handle*, unsigned short) override;
    ISC_STATUS isc_dsql_prepare(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                const ISC_SCHAR*, unsigned short, XSQLDA*) override;
    ISC_STATUS isc_dsql_set_cursor_name(ISC_STATUS*, isc_stmt_handle*, const ISC_SCHAR*,
                                        unsigned short) override;
    ISC_STATUS isc_dsql_sql_info(ISC_STATUS*, isc_stmt_handle*, short, const ISC_SCHAR*, short,
                                 ISC_SCHAR*) override;
    void isc_encode_date(const void*, ISC_QUAD*) override;
    void isc_encode_sql_date(const void*, ISC_DATE*) override;
    void isc_encode_sql_time(const void*, ISC_TIME*) override;
    void isc_encode_timestamp(const void*, ISC_TIMESTAMP*) override;
    ISC_LONG isc_event_block(ISC_UCHAR**, ISC_UCHAR**, ISC_USHORT, const char* const*) override;
    void isc_event_counts(ISC_ULONG*, short, ISC_UCHAR*, const ISC_UCHAR*) override;
    ISC_LONG isc_free(ISC_SCHAR*) override;
    ISC_STATUS isc_get_segment(ISC_STATUS*, isc_blob_handle*, unsigned short*, unsigned short,
                               ISC_SCHAR*) override;
    ISC_STATUS isc_put_segment(ISC_STATUS*, isc_blob_handle*, unsigned short, const ISC_SCHAR*) override;
    ISC_LONG isc_interprete(ISC_SCHAR*, ISC_STATUS**) override;
    ISC_STATUS isc_open_blob2(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*, ISC_QUAD*,
                              ISC_USHORT, const ISC_UCHAR*) override;
    ISC_STATUS isc_prepare_transaction2(ISC_STATUS*, isc_tr_handle*, ISC_USHORT, const ISC_UCHAR*) override;
    ISC_STATUS isc_rollback_retaining(ISC_STATUS*, isc_tr_handle*) override;
    ISC_STATUS isc_rollback_transaction(ISC_STATUS*, isc_tr_handle*) override;
    ISC_STATUS isc_start_multiple(ISC_STATUS*, isc_tr_handle*, short, void*) override;
    ISC_LONG isc_sqlcode(const ISC_STATUS*) override;
    void isc_sql_interprete(short, ISC_SCHAR*, short) override;
    ISC_LONG isc_vax_integer(const ISC_SCHAR*, short) override;
    ISC_STATUS isc_add_user(ISC_STATUS*, const USER_SEC_DATA*) override;
    ISC_STATUS isc_delete_user(ISC_STATUS*, const USER_SEC_DATA*) override;
    ISC_STATUS isc_modify_user(ISC_STATUS*, const USER_SEC_DATA*) override;
    ISC_STATUS isc_prepare_transaction(ISC_STATUS*, isc_tr_handle*) override;
    int BLOB_put(ISC_SCHAR, FB_BLOB_STREAM) override;
    int BLOB_get(FB_BLOB_STREAM) override;
    ISC_STATUS isc_service_attach(ISC_STATUS*, unsigned short, const ISC_SCHAR*, isc_svc_handle*,
                                  unsigned short, const ISC_SCHAR*) override;
    ISC_STATUS isc_service_detach(ISC_STATUS*, isc_svc_handle*) override;
    ISC_STATUS isc_service_query(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                 const ISC_SCHAR*, unsigned short, const ISC_SCHAR*, unsigned short,
                                 ISC_SCHAR*) override;
    ISC_STATUS isc_service_start(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                 const ISC_SCHAR*) override;
    void isc_get_client_version(ISC_SCHAR*) override;
    int isc_get_client_major_version() override;
    int isc_get_client_minor_version() override;
    ISC_INT64 isc_portable_integer(const ISC_UCHAR*, short) override;

    void FreeClientLibrary() override;

    enum class Entry {
        isc_attach_database,
        isc_array_get_slice,
        isc_array_lookup_bounds,
        isc_array_lookup_desc,
        isc_array_set_desc,
        isc_array_put_slice,
        isc_blob_info,
        isc_blob_lookup_desc,
        isc_blob_set_desc,
        isc_cancel_blob,
        isc_cancel_events,
        isc_que_events,
        isc_wait_for_event,
        isc_close_blob,
        isc_create_blob2,
        isc_commit_retaining,
        isc_commit_transaction,
        isc_transaction_info,
        isc_database_info,
        isc_decode_date,
        isc_decode_sql_date,
        isc_decode_sql_time,
        isc_decode_timestamp,
        isc_detach_database,
        isc_drop_database,
        isc_dsql_alloc_statement2,
        isc_dsql_describe,
        isc_dsql_describe_bind,
        isc_dsql_execute,
        isc_dsql_execute2,
        isc_dsql_execute_immediate,
        isc_dsql_exec_immed2,
        isc_dsql_fetch,
        isc_dsql_free_statement,
        isc_dsql_prepare,
        isc_dsql_set_cursor_name,
        isc_dsql_sql_info,
        isc_encode_date,
        isc_encode_sql_date,
        isc_encode_sql_time,
        isc_encode_timestamp,
        isc_event_block,
        isc_event_counts,
        isc_free,
        isc_get_segment,
        isc_put_segment,
        isc_interprete,
        isc_open_blob2,
        isc_prepare_transaction2,
        isc_rollback_retaining,
        isc_rollback_transaction,
        isc_start_multiple,
        isc_sqlcode,
        isc_sql_interprete,
        isc_vax_integer,
        isc_add_user,
        isc_delete_user,
        isc_modify_user,
        isc_prepare_transaction,
        BLOB_put,
        BLOB_get,
        isc_service_attach,
        isc_service_detach,
        isc_service_query,
        isc_service_start,
        isc_get_client_version,
        isc_get_client_major_version,
        isc_get_client_minor_version,
        isc_portable_integer
    };

  private:
    void LoadClientLibrary();
    void ResolveRequired(Entry entry);
    bool ResolveOptional(Entry entry);
    template <typename Fn>
    Fn Proc(Entry entry) const;

    std::string libraryName_;
    void* module_ = nullptr;
    int clientMajorVersion_ = 0;
    int clientMinorVersion_ = 0;
    std::vector<void*> procs_;
};

// The default library name of a database: the client library of this system.
extern const std::string DefaultClientLibraryName;

// The binding for a library file name (compared exactly): the cached one, or a new one that is
// loaded and added to the process-wide cache. A failed load leaves the cache unchanged.
IIBClientLibraryPtr GetClientLibrary(std::string_view libraryName);
// The cached bindings in order of creation.
std::vector<IIBClientLibraryPtr> ClientLibraryCache();
// Drops the cache's references at shut-down; a binding without other users unloads its library.
void ClearClientLibraryCache();

// Bytes of an XSQLDA with n variables on this machine.
constexpr std::size_t XSQLDALength(int n) {
    return sizeof(XSQLDA) + static_cast<std::size_t>(n - 1) * sizeof(XSQLVAR);
}
