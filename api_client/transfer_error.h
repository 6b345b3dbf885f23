#pragma once
// How a failed libcurl transfer reads as a socket error: an errno-style number and its text.
#include <curl/curl.h>

#include <string>

struct TTransferError {
    int Number = 0;
    std::string Description;
};

// osErrno is CURLINFO_OS_ERRNO; detail is the handle's error buffer (may be empty).
TTransferError TransferErrorOf(CURLcode code, long osErrno, bool idleTimeout, const std::string& detail);
