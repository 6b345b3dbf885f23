#include "firebird/client_library.h"

#include <algorithm>
#include <mutex>

#include "firebird/library_texts.h"
#include "firebird/number_utils.h"
#include "platform/os/dynamic_library.h"
#include "platform/os/os_error.h"
#include "platform/rtl/format.h"

namespace {

enum class Rule { Always, Optional, Level6, ClientVersion, Never };

struct EntryInfo {
    const char* name;
    Rule rule;
};

// In the order of TIBClientLibrary::Entry.
constexpr EntryInfo kEntries[] = {
    {"isc_attach_database", Rule::Always},
    {"isc_array_get_slice", Rule::Always},
    {"isc_array_lookup_bounds", Rule::Always},
    {"isc_array_lookup_desc", Rule::Never},
    {"isc_array_set_desc", Rule::Never},
    {"isc_array_put_slice", Rule::Always},
    {"isc_blob_info", Rule::Always},
    {"isc_blob_lookup_desc", Rule::Never},
    {"isc_blob_set_desc", Rule::Never},
    {"isc_cancel_blob", Rule::Never},
    {"isc_cancel_events", Rule::Always},
    {"isc_que_events", Rule::Always},
    {"isc_wait_for_event", Rule::Always},
    {"isc_close_blob", Rule::Always},
    {"isc_create_blob2", Rule::Always},
    {"isc_commit_retaining", Rule::Always},
    {"isc_commit_transaction", Rule::Always},
    {"isc_transaction_info", Rule::Always},
    {"isc_database_info", Rule::Always},
    {"isc_decode_date", Rule::Always},
    {"isc_decode_sql_date", Rule::Level6},
    {"isc_decode_sql_time", Rule::Level6},
    {"isc_decode_timestamp", Rule::Level6},
    {"isc_detach_database", Rule::Always},
    {"isc_drop_database", Rule::Always},
    {"isc_dsql_alloc_statement2", Rule::Always},
    {"isc_dsql_describe", Rule::Always},
    {"isc_dsql_describe_bind", Rule::Always},
    {"isc_dsql_execute", Rule::Always},
    {"isc_dsql_execute2", Rule::Always},
    {"isc_dsql_execute_immediate", Rule::Always},
    {"isc_dsql_exec_immed2", Rule::Always},
    {"isc_dsql_fetch", Rule::Always},
    {"isc_dsql_free_statement", Rule::Always},
    {"isc_dsql_prepare", Rule::Always},
    {"isc_dsql_set_cursor_name", Rule::Always},
    {"isc_dsql_sql_info", Rule::Always},
    {"isc_encode_date", Rule::Always},
    {"isc_encode_sql_date", Rule::Level6},
    {"isc_encode_sql_time", Rule::Level6},
    {"isc_encode_timestamp", Rule::Level6},
    {"isc_event_block", Rule::Always},
    {"isc_event_counts", Rule::Always},
    {"isc_free", Rule::Always},
    {"isc_get_segment", Rule::Always},
    {"isc_put_segment", Rule::Always},
    {"isc_interprete", Rule::Always},
    {"isc_open_blob2", Rule::Always},
    {"isc_prepare_transaction2", Rule::Never},
    {"isc_rollback_retaining", Rule::Optional},
    {"isc_rollback_transaction", Rule::Always},
    {"isc_start_multiple", Rule::Always},
    {"isc_sqlcode", Rule::Always},
    {"isc_sql_interprete", Rule::Always},
    {"isc_vax_integer", Rule::Always},
    {"isc_add_user", Rule::Never},
    {"isc_delete_user", Rule::Never},
    {"isc_modify_user", Rule::Never},
    {"isc_prepare_transaction", Rule::Never},
    {"BLOB_put", Rule::Always},
    {"BLOB_get", Rule::Always},
    {"isc_service_attach", Rule::Level6},
    {"isc_service_detach", Rule::Level6},
    {"isc_service_query", Rule::Level6},
    {"isc_service_start", Rule::Level6},
    {"isc_get_client_version", Rule::Optional},
    {"isc_get_client_major_version", Rule::ClientVersion},
    {"isc_get_client_minor_version", Rule::ClientVersion},
    {"isc_portable_integer", Rule::Level6},
};
constexpr std::size_t kEntryCount = sizeof(kEntries) / sizeof(kEntries[0]);

const EntryInfo& Info(TIBClientLibrary::Entry e) {
    return kEntries[static_cast<std::size_t>(e)];
}

// Pointer types of the entry points, as the client API declares them.
using Fn_isc_attach_database = ISC_STATUS (*)(ISC_STATUS*, short, const ISC_SCHAR*, isc_db_handle*, short,
                                              const ISC_SCHAR*);
using Fn_isc_array_get_slice = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                              const ISC_ARRAY_DESC*, void*, ISC_LONG*);
using Fn_isc_array_lookup_bounds = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*,
                                                  const ISC_SCHAR*, const ISC_SCHAR*, ISC_ARRAY_DESC*);
using Fn_isc_array_lookup_desc = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_SCHAR*,
                                                const ISC_SCHAR*, ISC_ARRAY_DESC*);
using Fn_isc_array_set_desc = ISC_STATUS (*)(ISC_STATUS*, const ISC_SCHAR*, const ISC_SCHAR*, const short*,
                                             const short*, const short*, ISC_ARRAY_DESC*);
using Fn_isc_array_put_slice = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, ISC_QUAD*,
                                              const ISC_ARRAY_DESC*, void*, ISC_LONG*);
using Fn_isc_blob_info = ISC_STATUS (*)(ISC_STATUS*, isc_blob_handle*, short, const ISC_SCHAR*, short,
                                        ISC_SCHAR*);
using Fn_isc_blob_lookup_desc = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, const ISC_UCHAR*,
                                               const ISC_UCHAR*, ISC_BLOB_DESC*, ISC_UCHAR*);
using Fn_isc_blob_set_desc = ISC_STATUS (*)(ISC_STATUS*, const ISC_UCHAR*, const ISC_UCHAR*, short, short,
                                            short, ISC_BLOB_DESC*);
using Fn_isc_cancel_blob = ISC_STATUS (*)(ISC_STATUS*, isc_blob_handle*);
using Fn_isc_cancel_events = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, ISC_LONG*);
using Fn_isc_que_events = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, ISC_LONG*, short, const ISC_UCHAR*,
                                         ISC_EVENT_CALLBACK, void*);
using Fn_isc_wait_for_event = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, short, const ISC_UCHAR*,
                                             ISC_UCHAR*);
using Fn_isc_close_blob = ISC_STATUS (*)(ISC_STATUS*, isc_blob_handle*);
using Fn_isc_create_blob2 = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*,
                                           ISC_QUAD*, short, const ISC_SCHAR*);
using Fn_isc_commit_retaining = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using Fn_isc_commit_transaction = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using Fn_isc_transaction_info = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, short, const ISC_SCHAR*, short,
                                               ISC_SCHAR*);
using Fn_isc_database_info = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, short, const ISC_SCHAR*, short,
                                            ISC_SCHAR*);
using Fn_isc_decode_date = void (*)(const ISC_QUAD*, void*);
using Fn_isc_decode_sql_date = void (*)(const ISC_DATE*, void*);
using Fn_isc_decode_sql_time = void (*)(const ISC_TIME*, void*);
using Fn_isc_decode_timestamp = void (*)(const ISC_TIMESTAMP*, void*);
using Fn_isc_detach_database = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*);
using Fn_isc_drop_database = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*);
using Fn_isc_dsql_alloc_statement2 = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_stmt_handle*);
using Fn_isc_dsql_describe = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*);
using Fn_isc_dsql_describe_bind = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*);
using Fn_isc_dsql_execute = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                           const XSQLDA*);
using Fn_isc_dsql_execute2 = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                            const XSQLDA*, const XSQLDA*);
using Fn_isc_dsql_execute_immediate = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*,
                                                     unsigned short, const ISC_SCHAR*, unsigned short,
                                                     const XSQLDA*);
using Fn_isc_dsql_exec_immed2 = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, unsigned short,
                                               const ISC_SCHAR*, unsigned short, const XSQLDA*,
                                               const XSQLDA*);
using Fn_isc_dsql_fetch = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, unsigned short, const XSQLDA*);
using Fn_isc_dsql_free_statement = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, unsigned short);
using Fn_isc_dsql_prepare = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short,
                                           const ISC_SCHAR*, unsigned short, XSQLDA*);
using Fn_isc_dsql_set_cursor_name = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, const ISC_SCHAR*,
                                                   unsigned short);
using Fn_isc_dsql_sql_info = ISC_STATUS (*)(ISC_STATUS*, isc_stmt_handle*, short, const ISC_SCHAR*, short,
                                            ISC_SCHAR*);
using Fn_isc_encode_date = void (*)(const void*, ISC_QUAD*);
using Fn_isc_encode_sql_date = void (*)(const void*, ISC_DATE*);
using Fn_isc_encode_sql_time = void (*)(const void*, ISC_TIME*);
using Fn_isc_encode_timestamp = void (*)(const void*, ISC_TIMESTAMP*);
using Fn_isc_event_block = ISC_LONG (*)(ISC_UCHAR**, ISC_UCHAR**, ISC_USHORT, ...);
using Fn_isc_event_counts = void (*)(ISC_ULONG*, short, ISC_UCHAR*, const ISC_UCHAR*);
using Fn_isc_free = ISC_LONG (*)(ISC_SCHAR*);
using Fn_isc_get_segment = ISC_STATUS (*)(ISC_STATUS*, isc_blob_handle*, unsigned short*, unsigned short,
                                          ISC_SCHAR*);
using Fn_isc_put_segment = ISC_STATUS (*)(ISC_STATUS*, isc_blob_handle*, unsigned short, const ISC_SCHAR*);
using Fn_isc_interprete = ISC_LONG (*)(ISC_SCHAR*, ISC_STATUS**);
using Fn_isc_open_blob2 = ISC_STATUS (*)(ISC_STATUS*, isc_db_handle*, isc_tr_handle*, isc_blob_handle*,
                                         ISC_QUAD*, ISC_USHORT, const ISC_UCHAR*);
using Fn_isc_prepare_transaction2 = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, ISC_USHORT, const ISC_UCHAR*);
using Fn_isc_rollback_retaining = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using Fn_isc_rollback_transaction = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using Fn_isc_start_multiple = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*, short, void*);
using Fn_isc_sqlcode = ISC_LONG (*)(const ISC_STATUS*);
using Fn_isc_sql_interprete = void (*)(short, ISC_SCHAR*, short);
using Fn_isc_vax_integer = ISC_LONG (*)(const ISC_SCHAR*, short);
using Fn_isc_add_user = ISC_STATUS (*)(ISC_STATUS*, const USER_SEC_DATA*);
using Fn_isc_delete_user = ISC_STATUS (*)(ISC_STATUS*, const USER_SEC_DATA*);
using Fn_isc_modify_user = ISC_STATUS (*)(ISC_STATUS*, const USER_SEC_DATA*);
using Fn_isc_prepare_transaction = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using Fn_BLOB_put = int (*)(ISC_SCHAR, FB_BLOB_STREAM);
using Fn_BLOB_get = int (*)(FB_BLOB_STREAM);
using Fn_isc_service_attach = ISC_STATUS (*)(ISC_STATUS*, unsigned short, const ISC_SCHAR*, isc_svc_handle*,
                                             unsigned short, const ISC_SCHAR*);
using Fn_isc_service_detach = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*);
using Fn_isc_service_query = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                            const ISC_SCHAR*, unsigned short, const ISC_SCHAR*,
                                            unsigned short, ISC_SCHAR*);
using Fn_isc_service_start = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                            const ISC_SCHAR*);
using Fn_isc_get_client_version = void (*)(ISC_SCHAR*);
using Fn_isc_get_client_major_version = int (*)();
using Fn_isc_get_client_minor_version = int (*)();
using Fn_isc_portable_integer = ISC_INT64 (*)(const ISC_UCHAR*, short);

}  // namespace

const std::string DefaultClientLibraryName = "libfbclient.so.2";

// ---- loading ----

TIBClientLibrary::TIBClientLibrary(std::string libraryName)
    : libraryName_(std::move(libraryName)), procs_(kEntryCount, nullptr) {
    try {
        LoadClientLibrary();
    } catch (...) {
        FreeClientLibrary();
        throw;
    }
}

TIBClientLibrary::~TIBClientLibrary() {
    FreeClientLibrary();
}

void TIBClientLibrary::LoadClientLibrary() {
    module_ = LoadLibrary(libraryName_);
    if (!module_)
        throw Exception(Format(SCantLoadLibrary, {libraryName_}));
    for (std::size_t i = 0; i < kEntryCount; ++i)
        if (kEntries[i].rule == Rule::Always)
            ResolveRequired(static_cast<Entry>(i));
    if (ResolveOptional(Entry::isc_rollback_retaining)) {
        clientMajorVersion_ = 6;
        for (std::size_t i = 0; i < kEntryCount; ++i)
            if (kEntries[i].rule == Rule::Level6)
                ResolveRequired(static_cast<Entry>(i));
    } else {
        clientMajorVersion_ = 5;
    }
    clientMinorVersion_ = 0;
    if (ResolveOptional(Entry::isc_get_client_version)) {
        ResolveRequired(Entry::isc_get_client_major_version);
        ResolveRequired(Entry::isc_get_client_minor_version);
        clientMajorVersion_ = isc_get_client_major_version();
        clientMinorVersion_ = isc_get_client_minor_version();
    }
    // The client may change the precision of the x87 unit; floating-point results need it whole.
    SetFPUExtendedPrecision();
}

void TIBClientLibrary::ResolveRequired(Entry entry) {
    if (!ResolveOptional(entry))
        throw EOSError(LastLibraryError());
}

bool TIBClientLibrary::ResolveOptional(Entry entry) {
    void* proc = GetProcAddress(module_, Info(entry).name);
    procs_[static_cast<std::size_t>(entry)] = proc;
    return proc != nullptr;
}

void TIBClientLibrary::FreeClientLibrary() {
    if (!module_)
        return;
    ::FreeLibrary(module_);
    module_ = nullptr;
    // The addresses pointed into the unloaded module: a later call raises instead of jumping there.
    std::fill(procs_.begin(), procs_.end(), nullptr);
}

template <typename Fn>
Fn TIBClientLibrary::Proc(Entry entry) const {
    void* proc = procs_[static_cast<std::size_t>(entry)];
    if (!proc)
        throw Exception(Format(SCantFindProcedure, {Info(entry).name, libraryName_}));
    return reinterpret_cast<Fn>(proc);
}

// ---- the cache ----

namespace {
struct LibraryCache {
    std::mutex mutex;
    std::vector<IIBClientLibraryPtr> bindings;
};

LibraryCache& Cache() {
    static LibraryCache cache;
    return cache;
}
}  // namespace

IIBClientLibraryPtr GetClientLibrary(std::string_view libraryName) {
    LibraryCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    for (const IIBClientLibraryPtr& binding : cache.bindings)
        if (binding->GetLibraryName() == libraryName)
            return binding;
    auto binding = std::make_shared<TIBClientLibrary>(std::string(libraryName));
    cache.bindings.push_back(binding);
    return binding;
}

std::vector<IIBClientLibraryPtr> ClientLibraryCache() {
    LibraryCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    return cache.bindings;
}

void ClearClientLibraryCache() {
    LibraryCache& cache = Cache();
    std::vector<IIBClientLibraryPtr> dropped;
    {
        std::lock_guard lock(cache.mutex);
        dropped.swap(cache.bindings);
    }
}

// ---- the entry points ----

ISC_STATUS TIBClientLibrary::isc_attach_database(ISC_STATUS* a0, short a1, const ISC_SCHAR* a2,
                                                 isc_db_handle* a3, short a4, const ISC_SCHAR* a5) {
    return Proc<Fn_isc_attach_database>(Entry::isc_attach_database)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_array_get_slice(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                 ISC_QUAD* a3, const ISC_ARRAY_DESC* a4, void* a5,
                                                 ISC_LONG* a6) {
    return Proc<Fn_isc_array_get_slice>(Entry::isc_array_get_slice)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_array_lookup_bounds(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                     const ISC_SCHAR* a3, const ISC_SCHAR* a4,
                                                     ISC_ARRAY_DESC* a5) {
    return Proc<Fn_isc_array_lookup_bounds>(Entry::isc_array_lookup_bounds)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_array_lookup_desc(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                   const ISC_SCHAR* a3, const ISC_SCHAR* a4,
                                                   ISC_ARRAY_DESC* a5) {
    return Proc<Fn_isc_array_lookup_desc>(Entry::isc_array_lookup_desc)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_array_set_desc(ISC_STATUS* a0, const ISC_SCHAR* a1, const ISC_SCHAR* a2,
                                                const short* a3, const short* a4, const short* a5,
                                                ISC_ARRAY_DESC* a6) {
    return Proc<Fn_isc_array_set_desc>(Entry::isc_array_set_desc)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_array_put_slice(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                 ISC_QUAD* a3, const ISC_ARRAY_DESC* a4, void* a5,
                                                 ISC_LONG* a6) {
    return Proc<Fn_isc_array_put_slice>(Entry::isc_array_put_slice)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_blob_info(ISC_STATUS* a0, isc_blob_handle* a1, short a2, const ISC_SCHAR* a3,
                                           short a4, ISC_SCHAR* a5) {
    return Proc<Fn_isc_blob_info>(Entry::isc_blob_info)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_blob_lookup_desc(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                  const ISC_UCHAR* a3, const ISC_UCHAR* a4, ISC_BLOB_DESC* a5,
                                                  ISC_UCHAR* a6) {
    return Proc<Fn_isc_blob_lookup_desc>(Entry::isc_blob_lookup_desc)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_blob_set_desc(ISC_STATUS* a0, const ISC_UCHAR* a1, const ISC_UCHAR* a2,
                                               short a3, short a4, short a5, ISC_BLOB_DESC* a6) {
    return Proc<Fn_isc_blob_set_desc>(Entry::isc_blob_set_desc)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_cancel_blob(ISC_STATUS* a0, isc_blob_handle* a1) {
    return Proc<Fn_isc_cancel_blob>(Entry::isc_cancel_blob)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_cancel_events(ISC_STATUS* a0, isc_db_handle* a1, ISC_LONG* a2) {
    return Proc<Fn_isc_cancel_events>(Entry::isc_cancel_events)(a0, a1, a2);
}

ISC_STATUS TIBClientLibrary::isc_que_events(ISC_STATUS* a0, isc_db_handle* a1, ISC_LONG* a2, short a3,
                                            const ISC_UCHAR* a4, ISC_EVENT_CALLBACK a5, void* a6) {
    return Proc<Fn_isc_que_events>(Entry::isc_que_events)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_wait_for_event(ISC_STATUS* a0, isc_db_handle* a1, short a2,
                                                const ISC_UCHAR* a3, ISC_UCHAR* a4) {
    return Proc<Fn_isc_wait_for_event>(Entry::isc_wait_for_event)(a0, a1, a2, a3, a4);
}

ISC_STATUS TIBClientLibrary::isc_close_blob(ISC_STATUS* a0, isc_blob_handle* a1) {
    return Proc<Fn_isc_close_blob>(Entry::isc_close_blob)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_create_blob2(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                              isc_blob_handle* a3, ISC_QUAD* a4, short a5,
                                              const ISC_SCHAR* a6) {
    return Proc<Fn_isc_create_blob2>(Entry::isc_create_blob2)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_commit_retaining(ISC_STATUS* a0, isc_tr_handle* a1) {
    return Proc<Fn_isc_commit_retaining>(Entry::isc_commit_retaining)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_commit_transaction(ISC_STATUS* a0, isc_tr_handle* a1) {
    return Proc<Fn_isc_commit_transaction>(Entry::isc_commit_transaction)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_transaction_info(ISC_STATUS* a0, isc_tr_handle* a1, short a2,
                                                  const ISC_SCHAR* a3, short a4, ISC_SCHAR* a5) {
    return Proc<Fn_isc_transaction_info>(Entry::isc_transaction_info)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_database_info(ISC_STATUS* a0, isc_db_handle* a1, short a2,
                                               const ISC_SCHAR* a3, short a4, ISC_SCHAR* a5) {
    return Proc<Fn_isc_database_info>(Entry::isc_database_info)(a0, a1, a2, a3, a4, a5);
}

void TIBClientLibrary::isc_decode_date(const ISC_QUAD* a0, void* a1) {
    Proc<Fn_isc_decode_date>(Entry::isc_decode_date)(a0, a1);
}

void TIBClientLibrary::isc_decode_sql_date(const ISC_DATE* a0, void* a1) {
    Proc<Fn_isc_decode_sql_date>(Entry::isc_decode_sql_date)(a0, a1);
}

void TIBClientLibrary::isc_decode_sql_time(const ISC_TIME* a0, void* a1) {
    Proc<Fn_isc_decode_sql_time>(Entry::isc_decode_sql_time)(a0, a1);
}

void TIBClientLibrary::isc_decode_timestamp(const ISC_TIMESTAMP* a0, void* a1) {
    Proc<Fn_isc_decode_timestamp>(Entry::isc_decode_timestamp)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_detach_database(ISC_STATUS* a0, isc_db_handle* a1) {
    return Proc<Fn_isc_detach_database>(Entry::isc_detach_database)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_drop_database(ISC_STATUS* a0, isc_db_handle* a1) {
    return Proc<Fn_isc_drop_database>(Entry::isc_drop_database)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_dsql_alloc_statement2(ISC_STATUS* a0, isc_db_handle* a1,
                                                       isc_stmt_handle* a2) {
    return Proc<Fn_isc_dsql_alloc_statement2>(Entry::isc_dsql_alloc_statement2)(a0, a1, a2);
}

ISC_STATUS TIBClientLibrary::isc_dsql_describe(ISC_STATUS* a0, isc_stmt_handle* a1, unsigned short a2,
                                               XSQLDA* a3) {
    return Proc<Fn_isc_dsql_describe>(Entry::isc_dsql_describe)(a0, a1, a2, a3);
}

ISC_STATUS TIBClientLibrary::isc_dsql_describe_bind(ISC_STATUS* a0, isc_stmt_handle* a1, unsigned short a2,
                                                    XSQLDA* a3) {
    return Proc<Fn_isc_dsql_describe_bind>(Entry::isc_dsql_describe_bind)(a0, a1, a2, a3);
}

ISC_STATUS TIBClientLibrary::isc_dsql_execute(ISC_STATUS* a0, isc_tr_handle* a1, isc_stmt_handle* a2,
                                              unsigned short a3, const XSQLDA* a4) {
    return Proc<Fn_isc_dsql_execute>(Entry::isc_dsql_execute)(a0, a1, a2, a3, a4);
}

ISC_STATUS TIBClientLibrary::isc_dsql_execute2(ISC_STATUS* a0, isc_tr_handle* a1, isc_stmt_handle* a2,
                                               unsigned short a3, const XSQLDA* a4, const XSQLDA* a5) {
    return Proc<Fn_isc_dsql_execute2>(Entry::isc_dsql_execute2)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_dsql_execute_immediate(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                        unsigned short a3, const ISC_SCHAR* a4,
                                                        unsigned short a5, const XSQLDA* a6) {
    return Proc<Fn_isc_dsql_execute_immediate>(Entry::isc_dsql_execute_immediate)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_dsql_exec_immed2(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                                  unsigned short a3, const ISC_SCHAR* a4, unsigned short a5,
                                                  const XSQLDA* a6, const XSQLDA* a7) {
    return Proc<Fn_isc_dsql_exec_immed2>(Entry::isc_dsql_exec_immed2)(a0, a1, a2, a3, a4, a5, a6, a7);
}

ISC_STATUS TIBClientLibrary::isc_dsql_fetch(ISC_STATUS* a0, isc_stmt_handle* a1, unsigned short a2,
                                            const XSQLDA* a3) {
    return Proc<Fn_isc_dsql_fetch>(Entry::isc_dsql_fetch)(a0, a1, a2, a3);
}

ISC_STATUS TIBClientLibrary::isc_dsql_free_statement(ISC_STATUS* a0, isc_stmt_handle* a1, unsigned short a2) {
    return Proc<Fn_isc_dsql_free_statement>(Entry::isc_dsql_free_statement)(a0, a1, a2);
}

ISC_STATUS TIBClientLibrary::isc_dsql_prepare(ISC_STATUS* a0, isc_tr_handle* a1, isc_stmt_handle* a2,
                                              unsigned short a3, const ISC_SCHAR* a4, unsigned short a5,
                                              XSQLDA* a6) {
    return Proc<Fn_isc_dsql_prepare>(Entry::isc_dsql_prepare)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_dsql_set_cursor_name(ISC_STATUS* a0, isc_stmt_handle* a1,
                                                      const ISC_SCHAR* a2, unsigned short a3) {
    return Proc<Fn_isc_dsql_set_cursor_name>(Entry::isc_dsql_set_cursor_name)(a0, a1, a2, a3);
}

ISC_STATUS TIBClientLibrary::isc_dsql_sql_info(ISC_STATUS* a0, isc_stmt_handle* a1, short a2,
                                               const ISC_SCHAR* a3, short a4, ISC_SCHAR* a5) {
    return Proc<Fn_isc_dsql_sql_info>(Entry::isc_dsql_sql_info)(a0, a1, a2, a3, a4, a5);
}

void TIBClientLibrary::isc_encode_date(const void* a0, ISC_QUAD* a1) {
    Proc<Fn_isc_encode_date>(Entry::isc_encode_date)(a0, a1);
}

void TIBClientLibrary::isc_encode_sql_date(const void* a0, ISC_DATE* a1) {
    Proc<Fn_isc_encode_sql_date>(Entry::isc_encode_sql_date)(a0, a1);
}

void TIBClientLibrary::isc_encode_sql_time(const void* a0, ISC_TIME* a1) {
    Proc<Fn_isc_encode_sql_time>(Entry::isc_encode_sql_time)(a0, a1);
}

void TIBClientLibrary::isc_encode_timestamp(const void* a0, ISC_TIMESTAMP* a1) {
    Proc<Fn_isc_encode_timestamp>(Entry::isc_encode_timestamp)(a0, a1);
}

ISC_LONG TIBClientLibrary::isc_event_block(ISC_UCHAR** a0, ISC_UCHAR** a1, ISC_USHORT a2,
                                           const char* const* a3) {
    // The client reads as many names as count says from its variable arguments, which hold 15.
    const char* n[kMaxEventNames] = {};
    if (a2 > kMaxEventNames)
        throw Exception(Format("isc_event_block takes at most %d event names, not %d",
                               {kMaxEventNames, static_cast<int>(a2)}));
    for (ISC_USHORT i = 0; i < a2; ++i) n[i] = a3[i];
    return Proc<Fn_isc_event_block>(Entry::isc_event_block)(a0, a1, a2, n[0], n[1], n[2], n[3], n[4], n[5],
                                                            n[6], n[7], n[8], n[9], n[10], n[11], n[12],
                                                            n[13], n[14]);
}

void TIBClientLibrary::isc_event_counts(ISC_ULONG* a0, short a1, ISC_UCHAR* a2, const ISC_UCHAR* a3) {
    Proc<Fn_isc_event_counts>(Entry::isc_event_counts)(a0, a1, a2, a3);
}

ISC_LONG TIBClientLibrary::isc_free(ISC_SCHAR* a0) {
    return Proc<Fn_isc_free>(Entry::isc_free)(a0);
}

ISC_STATUS TIBClientLibrary::isc_get_segment(ISC_STATUS* a0, isc_blob_handle* a1, unsigned short* a2,
                                             unsigned short a3, ISC_SCHAR* a4) {
    return Proc<Fn_isc_get_segment>(Entry::isc_get_segment)(a0, a1, a2, a3, a4);
}

ISC_STATUS TIBClientLibrary::isc_put_segment(ISC_STATUS* a0, isc_blob_handle* a1, unsigned short a2,
                                             const ISC_SCHAR* a3) {
    return Proc<Fn_isc_put_segment>(Entry::isc_put_segment)(a0, a1, a2, a3);
}

ISC_LONG TIBClientLibrary::isc_interprete(ISC_SCHAR* a0, ISC_STATUS** a1) {
    return Proc<Fn_isc_interprete>(Entry::isc_interprete)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_open_blob2(ISC_STATUS* a0, isc_db_handle* a1, isc_tr_handle* a2,
                                            isc_blob_handle* a3, ISC_QUAD* a4, ISC_USHORT a5,
                                            const ISC_UCHAR* a6) {
    return Proc<Fn_isc_open_blob2>(Entry::isc_open_blob2)(a0, a1, a2, a3, a4, a5, a6);
}

ISC_STATUS TIBClientLibrary::isc_prepare_transaction2(ISC_STATUS* a0, isc_tr_handle* a1, ISC_USHORT a2,
                                                      const ISC_UCHAR* a3) {
    return Proc<Fn_isc_prepare_transaction2>(Entry::isc_prepare_transaction2)(a0, a1, a2, a3);
}

ISC_STATUS TIBClientLibrary::isc_rollback_retaining(ISC_STATUS* a0, isc_tr_handle* a1) {
    return Proc<Fn_isc_rollback_retaining>(Entry::isc_rollback_retaining)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_rollback_transaction(ISC_STATUS* a0, isc_tr_handle* a1) {
    return Proc<Fn_isc_rollback_transaction>(Entry::isc_rollback_transaction)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_start_multiple(ISC_STATUS* a0, isc_tr_handle* a1, short a2, void* a3) {
    return Proc<Fn_isc_start_multiple>(Entry::isc_start_multiple)(a0, a1, a2, a3);
}

ISC_LONG TIBClientLibrary::isc_sqlcode(const ISC_STATUS* a0) {
    return Proc<Fn_isc_sqlcode>(Entry::isc_sqlcode)(a0);
}

void TIBClientLibrary::isc_sql_interprete(short a0, ISC_SCHAR* a1, short a2) {
    Proc<Fn_isc_sql_interprete>(Entry::isc_sql_interprete)(a0, a1, a2);
}

ISC_LONG TIBClientLibrary::isc_vax_integer(const ISC_SCHAR* a0, short a1) {
    return Proc<Fn_isc_vax_integer>(Entry::isc_vax_integer)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_add_user(ISC_STATUS* a0, const USER_SEC_DATA* a1) {
    return Proc<Fn_isc_add_user>(Entry::isc_add_user)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_delete_user(ISC_STATUS* a0, const USER_SEC_DATA* a1) {
    return Proc<Fn_isc_delete_user>(Entry::isc_delete_user)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_modify_user(ISC_STATUS* a0, const USER_SEC_DATA* a1) {
    return Proc<Fn_isc_modify_user>(Entry::isc_modify_user)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_prepare_transaction(ISC_STATUS* a0, isc_tr_handle* a1) {
    return Proc<Fn_isc_prepare_transaction>(Entry::isc_prepare_transaction)(a0, a1);
}

int TIBClientLibrary::BLOB_put(ISC_SCHAR a0, FB_BLOB_STREAM a1) {
    return Proc<Fn_BLOB_put>(Entry::BLOB_put)(a0, a1);
}

int TIBClientLibrary::BLOB_get(FB_BLOB_STREAM a0) {
    return Proc<Fn_BLOB_get>(Entry::BLOB_get)(a0);
}

ISC_STATUS TIBClientLibrary::isc_service_attach(ISC_STATUS* a0, unsigned short a1, const ISC_SCHAR* a2,
                                                isc_svc_handle* a3, unsigned short a4, const ISC_SCHAR* a5) {
    return Proc<Fn_isc_service_attach>(Entry::isc_service_attach)(a0, a1, a2, a3, a4, a5);
}

ISC_STATUS TIBClientLibrary::isc_service_detach(ISC_STATUS* a0, isc_svc_handle* a1) {
    return Proc<Fn_isc_service_detach>(Entry::isc_service_detach)(a0, a1);
}

ISC_STATUS TIBClientLibrary::isc_service_query(ISC_STATUS* a0, isc_svc_handle* a1, isc_resv_handle* a2,
                                               unsigned short a3, const ISC_SCHAR* a4, unsigned short a5,
                                               const ISC_SCHAR* a6, unsigned short a7, ISC_SCHAR* a8) {
    return Proc<Fn_isc_service_query>(Entry::isc_service_query)(a0, a1, a2, a3, a4, a5, a6, a7, a8);
}

ISC_STATUS TIBClientLibrary::isc_service_start(ISC_STATUS* a0, isc_svc_handle* a1, isc_resv_handle* a2,
                                               unsigned short a3, const ISC_SCHAR* a4) {
    return Proc<Fn_isc_service_start>(Entry::isc_service_start)(a0, a1, a2, a3, a4);
}

void TIBClientLibrary::isc_get_client_version(ISC_SCHAR* a0) {
    Proc<Fn_isc_get_client_version>(Entry::isc_get_client_version)(a0);
}

int TIBClientLibrary::isc_get_client_major_version() {
    return Proc<Fn_isc_get_client_major_version>(Entry::isc_get_client_major_version)();
}

int TIBClientLibrary::isc_get_client_minor_version() {
    return Proc<Fn_isc_get_client_minor_version>(Entry::isc_get_client_minor_version)();
}

ISC_INT64 TIBClientLibrary::isc_portable_integer(const ISC_UCHAR* a0, short a1) {
    return Proc<Fn_isc_portable_integer>(Entry::isc_portable_integer)(a0, a1);
}
