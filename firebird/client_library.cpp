#include "firebird/client_library.h"

#include <algorithm>
#include <iterator>
#include <mutex>

#include "firebird/engine_signals.h"
#include "firebird/library_texts.h"
#include "firebird/number_utils.h"
#include "platform/os/dynamic_library.h"
#include "platform/os/os_error.h"
#include "platform/rtl/format.h"
#include "platform/rtl/scope_exit.h"

namespace {

enum class LookUp { Always, WhenPresent, Level6, WithClientVersion, Never };

struct EntryInfo {
    const char* name;
    LookUp lookUp;
};

#define FIB_ENTRY_INFO(name, lookUp) {#name, LookUp::lookUp},
constexpr EntryInfo kEntries[] = {FIB_CLIENT_ENTRY_POINTS(FIB_ENTRY_INFO)};
#undef FIB_ENTRY_INFO
constexpr std::size_t kEntryCount = std::size(kEntries);

const EntryInfo& Info(ClientEntry entry) {
    return kEntries[static_cast<std::size_t>(entry)];
}

std::vector<ClientEntry> EntriesLookedUp(LookUp lookUp) {
    std::vector<ClientEntry> entries;
    for (std::size_t i = 0; i < kEntryCount; ++i)
        if (kEntries[i].lookUp == lookUp)
            entries.push_back(static_cast<ClientEntry>(i));
    return entries;
}

}  // namespace

const std::string DefaultClientLibraryName = "libfbclient.so.2";

// ---- loading ----

TIBClientLibrary::TIBClientLibrary(std::string libraryName)
    : libraryName_(std::move(libraryName)), procs_(kEntryCount, nullptr) {
    const TScopeFail unload([this] { FreeClientLibrary(); });
    LoadClientLibrary();
}

TIBClientLibrary::~TIBClientLibrary() {
    FreeClientLibrary();
}

void TIBClientLibrary::LoadClientLibrary() {
    module_ = LoadLibrary(libraryName_);
    if (!module_)
        throw Exception(Format(SCantLoadLibrary, {libraryName_}));
    for (Entry entry : EntriesLookedUp(LookUp::Always)) ResolveRequired(entry);
    clientMajorVersion_ = 5;
    if (ResolveOptional(Entry::isc_rollback_retaining)) {
        clientMajorVersion_ = 6;
        for (Entry entry : EntriesLookedUp(LookUp::Level6)) ResolveRequired(entry);
    }
    clientMinorVersion_ = 0;
    if (ResolveOptional(Entry::isc_get_client_version)) {
        for (Entry entry : EntriesLookedUp(LookUp::WithClientVersion)) ResolveRequired(entry);
        clientMajorVersion_ = isc_get_client_major_version();
        clientMinorVersion_ = isc_get_client_minor_version();
    }
    LeaveTerminationSignalsToProgram(module_);
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

// ---- calling ----

void* fibclient::ClientLibraryCore::RequireEntryPoint(ClientEntry entry) const {
    void* proc = EntryPoint(entry);
    if (!proc)
        throw Exception(Format(SCantFindProcedure, {Info(entry).name, GetLibraryName()}));
    return proc;
}

ISC_LONG fibclient::ClientCall<decltype(::isc_event_block)>::Call(void* proc, ISC_UCHAR** events,
                                                                  ISC_UCHAR** results, ISC_USHORT count,
                                                                  const char* const* names) {
    // The client reads as many names as count says from its variable arguments, which hold 15.
    constexpr int kMax = IIBClientLibrary::kMaxEventNames;
    if (count > kMax)
        throw Exception(
            Format("isc_event_block takes at most %d event names, not %d", {kMax, static_cast<int>(count)}));
    const char* n[kMax] = {};
    std::copy_n(names, count, n);
    return reinterpret_cast<decltype(&::isc_event_block)>(proc)(events, results, count, n[0], n[1], n[2],
                                                                n[3], n[4], n[5], n[6], n[7], n[8], n[9],
                                                                n[10], n[11], n[12], n[13], n[14]);
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
