#pragma once
// THTTPSend: one blocking HTTP/1.1 request at a time over libcurl (one easy handle per object).
// Certificates are not checked, redirects are not followed and bodies are not decoded: the
// caller sees the reply as the server sent it. Every wait (connect, each read or write) is capped
// by Timeout; the transfer as a whole has no cap.
#include <string>
#include <vector>

#include "api_client/block_socket.h"

class THTTPSend {
  public:
    THTTPSend();
    virtual ~THTTPSend();
    THTTPSend(const THTTPSend&) = delete;
    THTTPSend& operator=(const THTTPSend&) = delete;

    // Request: header lines "Name: value", the body (replaced by the reply's body after the
    // request), cookies as "name=value" (updated from the reply's Set-Cookie lines).
    std::vector<std::string> Headers;
    std::string Document;
    std::vector<std::string> Cookies;
    std::string MimeType = "text/html";
    std::string Protocol = "1.0";
    std::string UserAgent;
    int Timeout = 90000;  // milliseconds for each wait

    // Reply: the status line's code and reason text, and the reply's header lines.
    int ResultCode = 0;
    std::string ResultString;
    std::vector<std::string> ResponseHeaders;

    TBlockSocket& Sock() { return sock_; }
    const TBlockSocket& Sock() const { return sock_; }

    // Runs method (GET, POST, PUT, ...) on url; true when a reply was received in full.
    // A failed transfer leaves ResultCode 500 and the reason in Sock().LastError.
    bool HTTPMethod(const std::string& method, const std::string& url);

  protected:
    // Closes a kept-alive connection (reporting HR_SocketClose); the next request opens a new one.
    void Close();

  private:
    struct Transfer;
    void Fail(int error, const std::string& description);
    TBlockSocket sock_;
    void* curl_ = nullptr;
};
