#pragma once
// Loading shared libraries at run time by file name (the loader's search order applies to a name
// without a slash). A failed call leaves the loader's text in LastLibraryError of the thread.
#include <string>
#include <string_view>

using HMODULE = void*;

HMODULE LoadLibrary(std::string_view fileName);               // nullptr on failure
void* GetProcAddress(HMODULE module, std::string_view name);  // nullptr when not exported
bool FreeLibrary(HMODULE module);
std::string LastLibraryError();  // the loader's text for the calling thread's last failure
