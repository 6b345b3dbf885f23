#include "platform/os/dynamic_library.h"

#include <dlfcn.h>

namespace {
thread_local std::string t_lastError;

void KeepLoaderError() {
    const char* text = dlerror();
    t_lastError = text ? text : "unknown loader error";
}
}  // namespace

HMODULE LoadLibrary(std::string_view fileName) {
    dlerror();
    HMODULE module = dlopen(std::string(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        KeepLoaderError();
    return module;
}

void* GetProcAddress(HMODULE module, std::string_view name) {
    dlerror();
    void* proc = dlsym(module, std::string(name).c_str());
    // A symbol may legally be null; only the loader's error text tells a missing one.
    if (!proc)
        KeepLoaderError();
    return proc;
}

bool FreeLibrary(HMODULE module) {
    if (!module)
        return false;
    dlerror();
    if (dlclose(module) == 0)
        return true;
    KeepLoaderError();
    return false;
}

std::string LastLibraryError() {
    return t_lastError;
}
