#pragma once
// The binding to the Firebird client library, loaded by file name at run time. IIBClientLibrary
// offers one operation per entry point, with the client API's own arguments and result (taken from
// ibase.h); calling an entry point that the library does not provide raises
// "Can't find procedure %s in %s".
#include <ibase.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The entry points in the binding's order, each with the rule for looking it up:
// - Always: a missing one fails the load;
// - WhenPresent: isc_rollback_retaining, whose presence means API level 6 (client version 6.0),
//   and isc_get_client_version, with which the client's versions are asked from the library;
// - Level6: required with API level 6, left out below it;
// - WithClientVersion: required with isc_get_client_version;
// - Never: not looked up, whatever the library offers.
// Adding an entry point is adding its line here.
#define FIB_CLIENT_ENTRY_POINTS(FIB_ENTRY)                     \
    FIB_ENTRY(isc_attach_database, Always)                     \
    FIB_ENTRY(isc_array_get_slice, Always)                     \
    FIB_ENTRY(isc_array_lookup_bounds, Always)                 \
    FIB_ENTRY(isc_array_lookup_desc, Never)                    \
    FIB_ENTRY(isc_array_set_desc, Never)                       \
    FIB_ENTRY(isc_array_put_slice, Always)                     \
    FIB_ENTRY(isc_blob_info, Always)                           \
    FIB_ENTRY(isc_blob_lookup_desc, Never)                     \
    FIB_ENTRY(isc_blob_set_desc, Never)                        \
    FIB_ENTRY(isc_cancel_blob, Never)                          \
    FIB_ENTRY(isc_cancel_events, Always)                       \
    FIB_ENTRY(isc_que_events, Always)                          \
    FIB_ENTRY(isc_wait_for_event, Always)                      \
    FIB_ENTRY(isc_close_blob, Always)                          \
    FIB_ENTRY(isc_create_blob2, Always)                        \
    FIB_ENTRY(isc_commit_retaining, Always)                    \
    FIB_ENTRY(isc_commit_transaction, Always)                  \
    FIB_ENTRY(isc_transaction_info, Always)                    \
    FIB_ENTRY(isc_database_info, Always)                       \
    FIB_ENTRY(isc_decode_date, Always)                         \
    FIB_ENTRY(isc_decode_sql_date, Level6)                     \
    FIB_ENTRY(isc_decode_sql_time, Level6)                     \
    FIB_ENTRY(isc_decode_timestamp, Level6)                    \
    FIB_ENTRY(isc_detach_database, Always)                     \
    FIB_ENTRY(isc_drop_database, Always)                       \
    FIB_ENTRY(isc_dsql_alloc_statement2, Always)               \
    FIB_ENTRY(isc_dsql_describe, Always)                       \
    FIB_ENTRY(isc_dsql_describe_bind, Always)                  \
    FIB_ENTRY(isc_dsql_execute, Always)                        \
    FIB_ENTRY(isc_dsql_execute2, Always)                       \
    FIB_ENTRY(isc_dsql_execute_immediate, Always)              \
    FIB_ENTRY(isc_dsql_exec_immed2, Always)                    \
    FIB_ENTRY(isc_dsql_fetch, Always)                          \
    FIB_ENTRY(isc_dsql_free_statement, Always)                 \
    FIB_ENTRY(isc_dsql_prepare, Always)                        \
    FIB_ENTRY(isc_dsql_set_cursor_name, Always)                \
    FIB_ENTRY(isc_dsql_sql_info, Always)                       \
    FIB_ENTRY(isc_encode_date, Always)                         \
    FIB_ENTRY(isc_encode_sql_date, Level6)                     \
    FIB_ENTRY(isc_encode_sql_time, Level6)                     \
    FIB_ENTRY(isc_encode_timestamp, Level6)                    \
    FIB_ENTRY(isc_event_block, Always)                         \
    FIB_ENTRY(isc_event_counts, Always)                        \
    FIB_ENTRY(isc_free, Always)                                \
    FIB_ENTRY(isc_get_segment, Always)                         \
    FIB_ENTRY(isc_put_segment, Always)                         \
    FIB_ENTRY(isc_interprete, Always)                          \
    FIB_ENTRY(isc_open_blob2, Always)                          \
    FIB_ENTRY(isc_prepare_transaction2, Never)                 \
    FIB_ENTRY(isc_rollback_retaining, WhenPresent)             \
    FIB_ENTRY(isc_rollback_transaction, Always)                \
    FIB_ENTRY(isc_start_multiple, Always)                      \
    FIB_ENTRY(isc_sqlcode, Always)                             \
    FIB_ENTRY(isc_sql_interprete, Always)                      \
    FIB_ENTRY(isc_vax_integer, Always)                         \
    FIB_ENTRY(isc_add_user, Never)                             \
    FIB_ENTRY(isc_delete_user, Never)                          \
    FIB_ENTRY(isc_modify_user, Never)                          \
    FIB_ENTRY(isc_prepare_transaction, Never)                  \
    FIB_ENTRY(BLOB_put, Always)                                \
    FIB_ENTRY(BLOB_get, Always)                                \
    FIB_ENTRY(isc_service_attach, Level6)                      \
    FIB_ENTRY(isc_service_detach, Level6)                      \
    FIB_ENTRY(isc_service_query, Level6)                       \
    FIB_ENTRY(isc_service_start, Level6)                       \
    FIB_ENTRY(isc_get_client_version, WhenPresent)             \
    FIB_ENTRY(isc_get_client_major_version, WithClientVersion) \
    FIB_ENTRY(isc_get_client_minor_version, WithClientVersion) \
    FIB_ENTRY(isc_portable_integer, Level6)

enum class ClientEntry {
#define FIB_ENTRY_ENUMERATOR(name, lookUp) name,
    FIB_CLIENT_ENTRY_POINTS(FIB_ENTRY_ENUMERATOR)
#undef FIB_ENTRY_ENUMERATOR
};

namespace fibclient {

// How the binding calls an entry point of C type Fn: Wrapper is the operation's type, Call calls
// the resolved address.
template <typename Fn>
struct ClientCall;

template <typename R, typename... A>
struct ClientCall<R(A...)> {
    using Wrapper = R(A...);
    static R Call(void* proc, A... args) { return reinterpret_cast<R (*)(A...)>(proc)(args...); }
};

// The event names come as an array of count entries in place of the C function's variable
// arguments.
template <>
struct ClientCall<decltype(::isc_event_block)> {
    using Wrapper = ISC_LONG(ISC_UCHAR**, ISC_UCHAR**, ISC_USHORT, const char* const*);
    static ISC_LONG Call(void* proc, ISC_UCHAR** events, ISC_UCHAR** results, ISC_USHORT count,
                         const char* const* names);
};

// The operations of a binding besides its entry points.
class ClientLibraryCore {
  public:
    virtual ~ClientLibraryCore() = default;
    virtual std::string GetLibraryName() const = 0;
    virtual int ClientMajorVersion() const = 0;
    virtual int ClientMinorVersion() const = 0;
    virtual void FreeClientLibrary() = 0;

    // The most event names isc_event_block takes.
    static constexpr int kMaxEventNames = 15;

  protected:
    // The address of an entry point, nullptr while it is not resolved. A fake binding that
    // overrides the operations it needs leaves the others unresolved.
    virtual void* EntryPoint(ClientEntry) const { return nullptr; }
    // The address of an entry point; raises "Can't find procedure %s in %s" when it is unresolved.
    void* RequireEntryPoint(ClientEntry entry) const;
};

// One layer per entry point, stacked on Base: the operation of the entry point's name and type,
// calling the library's function unless a fake binding overrides it. isc_interprete is deprecated
// in ibase.h, though clients still export it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#define FIB_ENTRY_LAYER(name, lookUp)                                                                       \
    template <typename Base, typename Wrapper = ClientCall<decltype(::name)>::Wrapper>                      \
    class name##_layer;                                                                                     \
    template <typename Base, typename R, typename... A>                                                     \
    class name##_layer<Base, R(A...)> : public Base {                                                       \
      public:                                                                                               \
        virtual R name(A... args) {                                                                         \
            return ClientCall<decltype(::name)>::Call(this->RequireEntryPoint(ClientEntry::name), args...); \
        }                                                                                                   \
    };
FIB_CLIENT_ENTRY_POINTS(FIB_ENTRY_LAYER)
#undef FIB_ENTRY_LAYER
#pragma GCC diagnostic pop

}  // namespace fibclient

// The binding's interface: the core operations with all the entry point layers on top,
// isc_attach_database_layer<isc_array_get_slice_layer<...<ClientLibraryCore>>>. A fake binding
// derives from it and overrides the entry points it serves.
#define FIB_OPEN_LAYER(name, lookUp) fibclient::name##_layer <
#define FIB_CLOSE_LAYER(name, lookUp) >
class IIBClientLibrary : public FIB_CLIENT_ENTRY_POINTS(FIB_OPEN_LAYER) fibclient::ClientLibraryCore
                         FIB_CLIENT_ENTRY_POINTS(FIB_CLOSE_LAYER) {};
#undef FIB_OPEN_LAYER
#undef FIB_CLOSE_LAYER

using IIBClientLibraryPtr = std::shared_ptr<IIBClientLibrary>;

class TIBClientLibrary final : public IIBClientLibrary {
  public:
    using Entry = ClientEntry;

    // Loads the library; raises Exception "Can't load library %s " when it cannot be loaded, and
    // EOSError with the loader's text when a required entry point is missing.
    explicit TIBClientLibrary(std::string libraryName);
    ~TIBClientLibrary() override;
    TIBClientLibrary(const TIBClientLibrary&) = delete;
    TIBClientLibrary& operator=(const TIBClientLibrary&) = delete;

    std::string GetLibraryName() const override { return libraryName_; }
    int ClientMajorVersion() const override { return clientMajorVersion_; }
    int ClientMinorVersion() const override { return clientMinorVersion_; }
    void FreeClientLibrary() override;

  private:
    void* EntryPoint(Entry entry) const override { return procs_[static_cast<std::size_t>(entry)]; }
    void LoadClientLibrary();
    void ResolveRequired(Entry entry);
    bool ResolveOptional(Entry entry);

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
