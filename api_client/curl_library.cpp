#include "api_client/curl_library.h"

#include <mutex>

#include "platform/os/dynamic_library.h"

namespace {

struct LoadedCurl {
    TCurlLibrary library;
    std::string error;  // empty once loaded
};

// Every entry point or none: a library that lacks one is as good as missing.
LoadedCurl Load() {
    LoadedCurl loaded;
    HMODULE module = LoadLibrary("libcurl.so.4");
    if (module == nullptr) {
        loaded.error = "libcurl.so.4 could not be loaded: " + LastLibraryError();
        return loaded;
    }
    TCurlLibrary& lib = loaded.library;
    bool complete = true;
#define KIOSK_CURL_RESOLVE(name)                                                            \
    lib.name = reinterpret_cast<decltype(lib.name)>(GetProcAddress(module, "curl_" #name)); \
    if (lib.name == nullptr && complete) {                                                  \
        complete = false;                                                                   \
        loaded.error = "libcurl.so.4 has no curl_" #name;                                   \
    }
    KIOSK_CURL_ENTRY_POINTS(KIOSK_CURL_RESOLVE)
#undef KIOSK_CURL_RESOLVE
    if (!complete)
        return loaded;
    if (lib.global_init(CURL_GLOBAL_ALL) != CURLE_OK)
        loaded.error = "libcurl could not be initialised";
    return loaded;
}

const LoadedCurl& Loaded() {
    static std::once_flag once;
    static LoadedCurl loaded;
    std::call_once(once, [] { loaded = Load(); });
    return loaded;
}

}  // namespace

const TCurlLibrary* LoadCurl(std::string& error) {
    const LoadedCurl& loaded = Loaded();
    error = loaded.error;
    return loaded.error.empty() ? &loaded.library : nullptr;
}

const TCurlLibrary& Curl() {
    return Loaded().library;
}
