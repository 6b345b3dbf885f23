#pragma once
// THTTPSendEx: the product's HTTP client: HTTP/1.1, its User-Agent, gzip of large request bodies
// and of replies, transfer accounting and debug logging of the socket.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "api_client/http_send.h"
#include "api_client/traffic_log_text.h"

class TLogLogger;
class THTTPSendEx;

using TBeginTransferEvent = std::function<void(THTTPSendEx* sender, bool flag, std::int64_t totalSize)>;
using TProgressEvent =
    std::function<void(THTTPSendEx* sender, bool reading, std::int64_t speed, std::int64_t estimate,
                       std::int64_t transferred, std::int64_t totalSize)>;
using TEndTransferEvent = std::function<void(THTTPSendEx* sender)>;

class THTTPSendEx : public THTTPSend {
  public:
    THTTPSendEx();
    ~THTTPSendEx() override;

    bool UseGzip = true;
    std::int32_t GzipThreshold = 5120;
    TBeginTransferEvent OnBeginTransfer;
    TProgressEvent OnProgress;
    TEndTransferEvent OnEndTransfer;
    THookSocketStatus OnStatus;  // called first from the socket's status hook
    std::string RedirectLocation;
    std::int64_t ExpectedSize = 0;
    std::int64_t Transferred = 0;
    std::int64_t StartTick = 0;
    std::int64_t EndTick = 0;
    std::int64_t Elapsed = 0;
    std::int64_t Estimate = 0;
    std::int64_t Speed = 0;  // bytes per millisecond
    std::string AuthHeader;  // a whole header line, added to each request when not empty
    // JSON members whose values the debug log of the socket's data writes as "***", both ways.
    std::vector<std::string> SecretMembers{"password", "token"};

    // Empty method means POST.
    bool Execute(const std::string& url, const std::string& method);
    // Posts body to url; reply receives the reply's body.
    bool PostString(const std::string& url, const std::string& body, std::string& reply);

    int EffectiveStatus() const;
    std::string EffectiveStatusText() const;
    bool IsRedirect() const { return EffectiveStatus() == 302; }
    const std::string& RunningUrl() const { return runningUrl_; }

    void TrackProgress(TBlockSocket* sender, THookSocketReason reason, const std::string& value);
    void LogStatus(TBlockSocket* sender, THookSocketReason reason, const std::string& value);
    void LogData(TBlockSocket* sender, bool writing, const void* buffer, int length);

  private:
    void PrepareHeaders();
    void CompressBody();
    void InflateReply();
    void ReadRedirectLocation();

    TLogLogger* FLogger = nullptr;
    std::string runningUrl_;
    // One per direction, each keeping its place in its data from one piece to the next.
    TTrafficLogText sentLog_{SecretMembers};
    TTrafficLogText receivedLog_{SecretMembers};
};

// "Trelv/1.0 (" + the operating system's description + ")".
std::string ProductUserAgent();
