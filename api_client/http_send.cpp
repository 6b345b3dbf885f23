#include "api_client/http_send.h"

#include <curl/curl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <memory>

#include "api_client/curl_library.h"
#include "api_client/transfer_error.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::string StripLineEnd(const char* data, size_t size) {
    std::string line(data, size);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

std::string AddressText(const sockaddr* addr) {
    char ip[INET6_ADDRSTRLEN] = "";
    unsigned port = 0;
    if (addr->sa_family == AF_INET) {
        auto* in = reinterpret_cast<const sockaddr_in*>(addr);
        inet_ntop(AF_INET, &in->sin_addr, ip, sizeof ip);
        port = ntohs(in->sin_port);
    } else if (addr->sa_family == AF_INET6) {
        auto* in6 = reinterpret_cast<const sockaddr_in6*>(addr);
        inet_ntop(AF_INET6, &in6->sin6_addr, ip, sizeof ip);
        port = ntohs(in6->sin6_port);
    }
    return std::string(ip) + ":" + std::to_string(port);
}

std::string HostAndPort(const std::string& url) {
    std::string result = url;
    CURLU* u = Curl().url();
    if (Curl().url_set(u, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
        char* host = nullptr;
        char* port = nullptr;
        Curl().url_get(u, CURLUPART_HOST, &host, 0);
        Curl().url_get(u, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT);
        if (host)
            result = std::string(host) + ":" + (port ? port : "");
        Curl().free(host);
        Curl().free(port);
    }
    Curl().url_cleanup(u);
    return result;
}

bool IsBodylessMethod(const std::string& method) {
    return method == "GET" || method == "HEAD";
}

}  // namespace

// The state of one running request, reached from libcurl's callbacks.
struct THTTPSend::Transfer {
    explicit Transfer(THTTPSend& owner) : http(owner) {}

    THTTPSend& http;
    std::string reply;
    SteadyClock::time_point lastActivity = SteadyClock::now();
    bool connected = false;
    bool idleTimeout = false;
    std::exception_ptr failure;  // thrown by a hook; carried across libcurl and rethrown

    void Attach(CURL* curl);
    void Touch() { lastActivity = SteadyClock::now(); }

    // Runs a hook; an exception must not unwind through libcurl's C frames.
    template <class F>
    void Guard(F&& hook) {
        try {
            hook();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }

    void OnStatusLine(const std::string& line) {
        // "HTTP/1.1 302 Found": a new status line (after 1xx) starts a new header block.
        http.ResponseHeaders.clear();
        auto codeStart = line.find(' ');
        if (codeStart == std::string::npos)
            return;
        auto codeEnd = line.find(' ', codeStart + 1);
        http.ResultCode = std::atoi(line.substr(codeStart + 1, codeEnd - codeStart - 1).c_str());
        http.ResultString = codeEnd == std::string::npos ? std::string() : line.substr(codeEnd + 1);
    }

    void OnHeaderLine(const std::string& line) {
        http.ResponseHeaders.push_back(line);
        const std::string prefix = "set-cookie:";
        if (line.size() < prefix.size())
            return;
        for (size_t i = 0; i < prefix.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(line[i])) != prefix[i])
                return;
        StoreCookie(line.substr(prefix.size()));
    }

    void StoreCookie(std::string value) {
        value = value.substr(0, value.find(';'));
        size_t first = value.find_first_not_of(' ');
        if (first == std::string::npos)
            return;
        value = value.substr(first);
        std::string name = value.substr(0, value.find('='));
        for (auto& cookie : http.Cookies) {
            if (cookie.substr(0, cookie.find('=')) == name) {
                cookie = value;
                return;
            }
        }
        http.Cookies.push_back(value);
    }

    static size_t Write(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->Touch();
        t->reply.append(data, size * count);
        return t->failure ? 0 : size * count;
    }

    static size_t Header(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->Touch();
        t->Guard([&] {
            std::string line = StripLineEnd(data, size * count);
            if (StartsWith(line, "HTTP/"))
                t->OnStatusLine(line);
            else if (!line.empty())
                t->OnHeaderLine(line);
        });
        return t->failure ? 0 : size * count;
    }

    void Traffic(bool writing, const char* data, size_t size) {
        Touch();
        Guard([&] {
            http.sock_.DoMonitor(writing, data, static_cast<int>(size));
            http.sock_.DoStatus(writing ? HR_WriteCount : HR_ReadCount, std::to_string(size));
        });
    }

    static int Debug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
        auto* t = static_cast<Transfer*>(self);
        switch (type) {
            case CURLINFO_HEADER_OUT:
            case CURLINFO_DATA_OUT:
                t->Traffic(true, data, size);
                break;
            case CURLINFO_HEADER_IN:
            case CURLINFO_DATA_IN:
                t->Traffic(false, data, size);
                break;
            case CURLINFO_SSL_DATA_IN:
            case CURLINFO_SSL_DATA_OUT:
                t->Touch();
                break;
            default:
                break;
        }
        return 0;
    }

    static curl_socket_t OpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
        auto* t = static_cast<Transfer*>(self);
        t->Guard([&] { t->http.sock_.DoStatus(HR_ResolvingEnd, AddressText(&address->addr)); });
        if (t->failure)
            return CURL_SOCKET_BAD;
        int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (fd < 0)
            return CURL_SOCKET_BAD;
        t->Guard(
            [&] { t->http.sock_.DoStatus(HR_SocketCreate, address->family == AF_INET6 ? "IPv6" : "IPv4"); });
        return fd;
    }

    static int Connected(void* self, char* remoteIp, char*, int remotePort, int) {
        auto* t = static_cast<Transfer*>(self);
        t->connected = true;
        t->Touch();
        t->Guard([&] {
            t->http.sock_.DoStatus(HR_Connect, std::string(remoteIp) + ":" + std::to_string(remotePort));
        });
        return t->failure ? CURL_PREREQFUNC_ABORT : CURL_PREREQFUNC_OK;
    }

    // Caps each wait once connected; connecting and the TLS handshake have CONNECTTIMEOUT.
    static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* t = static_cast<Transfer*>(self);
        if (t->failure)
            return 1;
        if (!t->connected)
            return 0;
        auto idle =
            std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - t->lastActivity);
        if (idle.count() < t->http.Timeout)
            return 0;
        t->idleTimeout = true;
        return 1;
    }
};

namespace {

// Bound to the object, not to one transfer: a kept-alive connection is closed by a later request
// or by Close().
int CloseSocket(void* http, curl_socket_t fd) {
    int rc = ::close(fd);
    try {
        static_cast<THTTPSend*>(http)->Sock().DoStatus(HR_SocketClose, "");
    } catch (...) {
        // may run from a destructor, and never unwinds through libcurl
    }
    return rc;
}

}  // namespace

// libcurl is loaded, and the handle made, by the first request.
THTTPSend::THTTPSend() = default;

THTTPSend::~THTTPSend() {
    // A derived object's hooks are gone by now: close silently.
    sock_.OnStatus = nullptr;
    sock_.OnMonitor = nullptr;
    Close();
}

void THTTPSend::Close() {
    if (curl_)
        Curl().easy_cleanup(static_cast<CURL*>(curl_));
    curl_ = nullptr;
}

namespace {

curl_slist* BuildHeaderList(const THTTPSend& http, bool withBody) {
    curl_slist* list = nullptr;
    // libcurl's own defaults that this client does not send.
    list = Curl().slist_append(list, "Accept:");
    list = Curl().slist_append(list, "Expect:");
    list = Curl().slist_append(list, "Connection: keep-alive");
    if (withBody && !http.MimeType.empty())
        list = Curl().slist_append(list, ("Content-Type: " + http.MimeType).c_str());
    for (const auto& line : http.Headers) list = Curl().slist_append(list, line.c_str());
    return list;
}

std::string JoinCookies(const std::vector<std::string>& cookies) {
    std::string text;
    for (const auto& c : cookies) text += (text.empty() ? "" : "; ") + c;
    return text;
}

}  // namespace

namespace {

struct HeaderListFree {
    void operator()(curl_slist* list) const { Curl().slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListFree>;

void SetConnectionOptions(CURL* curl, const THTTPSend& http, const std::string& url,
                          const std::string& cookies) {
    Curl().easy_setopt(curl, CURLOPT_URL, url.c_str());
    Curl().easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    Curl().easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    Curl().easy_setopt(curl, CURLOPT_HTTP_VERSION,
                       http.Protocol == "1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    Curl().easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    Curl().easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    Curl().easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    Curl().easy_setopt(curl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    Curl().easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(http.Timeout));
    if (!http.UserAgent.empty())
        Curl().easy_setopt(curl, CURLOPT_USERAGENT, http.UserAgent.c_str());
    if (!cookies.empty())
        Curl().easy_setopt(curl, CURLOPT_COOKIE, cookies.c_str());
}

// Returns whether the request carries a body.
bool SetMethodOptions(CURL* curl, const THTTPSend& http, const std::string& method) {
    bool withBody = !IsBodylessMethod(method) || !http.Document.empty();
    if (method == "HEAD") {
        Curl().easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (!withBody) {
        Curl().easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else {
        Curl().easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(http.Document.size()));
        Curl().easy_setopt(curl, CURLOPT_POSTFIELDS, http.Document.data());
        if (method != "POST")
            Curl().easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    }
    return withBody;
}

}  // namespace

void THTTPSend::Transfer::Attach(CURL* curl) {
    Curl().easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::Write);
    Curl().easy_setopt(curl, CURLOPT_WRITEDATA, this);
    Curl().easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Transfer::Header);
    Curl().easy_setopt(curl, CURLOPT_HEADERDATA, this);
    Curl().easy_setopt(curl, CURLOPT_VERBOSE, 1L);  // feeds the debug callback only
    Curl().easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Transfer::Debug);
    Curl().easy_setopt(curl, CURLOPT_DEBUGDATA, this);
    Curl().easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, &Transfer::OpenSocket);
    Curl().easy_setopt(curl, CURLOPT_OPENSOCKETDATA, this);
    Curl().easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, &CloseSocket);
    Curl().easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, &http);
    Curl().easy_setopt(curl, CURLOPT_PREREQFUNCTION, &Transfer::Connected);
    Curl().easy_setopt(curl, CURLOPT_PREREQDATA, this);
    Curl().easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    Curl().easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::Progress);
    Curl().easy_setopt(curl, CURLOPT_XFERINFODATA, this);
}

bool THTTPSend::HTTPMethod(const std::string& method, const std::string& url) {
    ResultCode = 0;
    ResultString.clear();
    ResponseHeaders.clear();
    sock_.ResetError();
    std::string loadError;
    const TCurlLibrary* lib = LoadCurl(loadError);
    if (lib == nullptr) {
        Fail(ENOSYS, loadError);
        return false;
    }
    if (!curl_)
        curl_ = lib->easy_init();
    CURL* curl = static_cast<CURL*>(curl_);
    if (!curl) {
        Fail(ENOMEM, "libcurl could not create a handle");
        return false;
    }

    Curl().easy_reset(curl);  // keeps the connection cache, drops the last request's options
    char errorBuffer[CURL_ERROR_SIZE] = "";
    Curl().easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    std::string cookies = JoinCookies(Cookies);
    SetConnectionOptions(curl, *this, url, cookies);
    HeaderList headers(BuildHeaderList(*this, SetMethodOptions(curl, *this, method)));
    Curl().easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    Transfer transfer(*this);
    transfer.Attach(curl);

    sock_.DoStatus(HR_ResolvingBegin, HostAndPort(url));
    CURLcode rc = Curl().easy_perform(curl);
    Document = std::move(transfer.reply);
    if (transfer.failure)
        std::rethrow_exception(transfer.failure);
    if (rc == CURLE_OK)
        return true;

    long osErrno = 0;
    Curl().easy_getinfo(curl, CURLINFO_OS_ERRNO, &osErrno);
    TTransferError error = TransferErrorOf(rc, osErrno, transfer.idleTimeout, errorBuffer);
    Fail(error.Number, error.Description);
    return false;
}

void THTTPSend::Fail(int error, const std::string& description) {
    ResultCode = 500;
    ResultString.clear();
    sock_.SetError(error, description);
    sock_.DoStatus(HR_Error, std::to_string(error) + "," + description);
}
