#pragma once
// libcurl, loaded at the first request rather than with the program: it brings its TLS, SSH, LDAP
// and Kerberos libraries along, whose loading and relocation a kiosk that is only starting up and
// showing its idle screen does not need to pay for.
#include <curl/curl.h>

#include <string>

// The entry points the transport calls, written once: each member is named as the function
// without its "curl_" prefix (curl's own type-checking macros keep the full names).
// clang-format off
#define KIOSK_CURL_ENTRY_POINTS(X) \
    X(global_init) \
    X(easy_init) X(easy_cleanup) X(easy_reset) X(easy_setopt) X(easy_perform) X(easy_getinfo) X(easy_strerror) \
    X(slist_append) X(slist_free_all) \
    X(url) X(url_set) X(url_get) X(url_cleanup) X(free)
// clang-format on

struct TCurlLibrary {
#define KIOSK_CURL_MEMBER(name) decltype(&(curl_##name)) name = nullptr;
    KIOSK_CURL_ENTRY_POINTS(KIOSK_CURL_MEMBER)
#undef KIOSK_CURL_MEMBER
};

// The library, loaded and initialised (CURL_GLOBAL_ALL) once; nullptr when it cannot be loaded,
// with the loader's text in error.
const TCurlLibrary* LoadCurl(std::string& error);

// The library once LoadCurl succeeded, for the calls that come after a handle was made.
const TCurlLibrary& Curl();
