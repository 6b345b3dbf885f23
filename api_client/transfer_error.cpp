#include "api_client/transfer_error.h"

#include <cerrno>
#include <cstring>

#include "api_client/curl_library.h"

namespace {

std::string ErrnoText(int number) {
    return std::strerror(number);
}

// Failures that carry no errno still need a number the caller can log and compare.
int FallbackNumber(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return EHOSTUNREACH;
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL:
            return EINVAL;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ENGINE_NOTFOUND:
            return EPROTO;
        default:
            return ECONNABORTED;
    }
}

}  // namespace

TTransferError TransferErrorOf(CURLcode code, long osErrno, bool idleTimeout, const std::string& detail) {
    if (idleTimeout || code == CURLE_OPERATION_TIMEDOUT)
        return {ETIMEDOUT, ErrnoText(ETIMEDOUT)};
    if (osErrno != 0)
        return {static_cast<int>(osErrno), ErrnoText(static_cast<int>(osErrno))};
    return {FallbackNumber(code), detail.empty() ? std::string(Curl().easy_strerror(code)) : detail};
}
