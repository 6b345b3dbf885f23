#include "api_client/http_send_ex.h"

#include <algorithm>

#include "api_client/gzip_util.h"
#include "logging/logger.h"
#include "platform/os/clock.h"
#include "platform/os/sysinfo.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

std::int64_t Tick() {
    return static_cast<std::int64_t>(GetTickCount64());
}

// The length of lines joined as one text, each ending with CR LF.
std::int64_t TextLength(const std::vector<std::string>& lines) {
    std::int64_t n = 0;
    for (const auto& line : lines) n += static_cast<std::int64_t>(line.size()) + 2;
    return n;
}

std::string Identity(const void* sender) {
    return IntToHex(reinterpret_cast<std::uintptr_t>(sender), 8);
}

}  // namespace

std::string ProductUserAgent() {
    return "Trelv/1.0 (" + OperatingSystemDescription() + ")";
}

THTTPSendEx::THTTPSendEx() {
    Protocol = "1.1";
    UserAgent = ProductUserAgent();
    FLogger = TLogLogger::GetLogger("THTTPSendEx");
    if (FLogger->IsDebugEnabled()) {
        Sock().OnStatus = [this](TBlockSocket* s, THookSocketReason r, const std::string& v) {
            LogStatus(s, r, v);
        };
        Sock().OnMonitor = [this](TBlockSocket* s, bool w, const void* b, int n) { LogData(s, w, b, n); };
    } else {
        Sock().OnStatus = [this](TBlockSocket* s, THookSocketReason r, const std::string& v) {
            TrackProgress(s, r, v);
        };
    }
}

THTTPSendEx::~THTTPSendEx() {
    // Closes the kept-alive connection while the hooks can still report it.
    Close();
}

void THTTPSendEx::PrepareHeaders() {
    std::erase_if(Headers,
                  [](const std::string& line) { return line.rfind("Authorization: Basic ", 0) == 0; });
    // Lines of an earlier Execute on this object: neither repeated nor left to describe a body
    // that is no longer compressed.
    std::erase(Headers, std::string("Accept-Encoding: gzip"));
    std::erase(Headers, std::string("Content-encoding: gzip"));
    if (!AuthHeader.empty())
        Headers.push_back(AuthHeader);
    if (MimeType.empty() || MimeType == "text/html")
        MimeType = "application/x-www-form-urlencoded";
}

void THTTPSendEx::CompressBody() {
    Headers.push_back("Accept-Encoding: gzip");
    if (static_cast<std::int64_t>(Document.size()) <= GzipThreshold)
        return;
    std::string packed;
    if (!GzipStream(Document, packed))
        return;
    Document = std::move(packed);
    Headers.push_back("Content-encoding: gzip");
}

void THTTPSendEx::InflateReply() {
    std::string all;
    for (const auto& line : ResponseHeaders) all += LowerCase(line) + "\r\n";
    if (all.find("content-encoding: gzip") == std::string::npos)
        return;
    std::string plain;
    if (GunzipStream(Document, plain))
        Document = std::move(plain);
}

void THTTPSendEx::ReadRedirectLocation() {
    RedirectLocation.clear();
    if (!IsRedirect())
        return;
    for (const auto& line : ResponseHeaders) {
        auto colon = line.find(':');
        if (colon != std::string::npos && SameText(line.substr(0, colon), "Location")) {
            RedirectLocation = Trim(line.substr(colon + 1));
            return;
        }
    }
}

bool THTTPSendEx::Execute(const std::string& url, const std::string& method) {
    runningUrl_ = url;
    sentLog_ = TTrafficLogText(SecretMembers);
    receivedLog_ = TTrafficLogText(SecretMembers);
    ExpectedSize = Transferred = StartTick = Estimate = EndTick = Elapsed = Speed = 0;
    bool ok = false;
    {
        TScopeExit finished([this] { runningUrl_.clear(); });
        PrepareHeaders();
        if (UseGzip)
            CompressBody();
        StartTick = Tick();
        ExpectedSize = TextLength(Headers) + static_cast<std::int64_t>(Document.size()) + TextLength(Cookies);
        if (OnBeginTransfer)
            OnBeginTransfer(this, true, ExpectedSize);
        ok = HTTPMethod(method.empty() ? "POST" : method, url);
        EndTick = Tick();
        if (UseGzip)
            InflateReply();
        ReadRedirectLocation();
        if (OnEndTransfer)
            OnEndTransfer(this);
    }
    return ok;
}

bool THTTPSendEx::PostString(const std::string& url, const std::string& body, std::string& reply) {
    Document = body;
    bool ok = Execute(url, "");
    reply = Document;
    return ok;
}

int THTTPSendEx::EffectiveStatus() const {
    if (ResultCode == 500 && Sock().LastError != 0)
        return Sock().LastError;
    return ResultCode;
}

std::string THTTPSendEx::EffectiveStatusText() const {
    if (ResultCode == 500 && Sock().LastError != 0)
        return Sock().LastErrorDesc;
    return ResultString;
}

void THTTPSendEx::TrackProgress(TBlockSocket* sender, THookSocketReason reason, const std::string& value) {
    if (OnStatus)
        OnStatus(sender, reason, value);
    Transferred += StrToInt64Def(value, 0);
    Elapsed = Tick() - StartTick;
    if (Elapsed > 0)
        Speed = Transferred / Elapsed;
    // Milliseconds still to go at the present speed.
    Estimate = Speed > 0 ? std::max<std::int64_t>(ExpectedSize - Transferred, 0) / Speed : 0;
    if (!OnProgress)
        return;
    if (reason == HR_ReadCount)
        OnProgress(this, true, Speed, Estimate, Transferred, ExpectedSize);
    if (reason == HR_WriteCount)
        OnProgress(this, false, Speed, Estimate, Transferred, ExpectedSize);
}

void THTTPSendEx::LogStatus(TBlockSocket* sender, THookSocketReason reason, const std::string& value) {
    TrackProgress(sender, reason, value);
    FLogger->Debug(Identity(sender) + HookSocketReasonName(reason) + ": " + value);
}

void THTTPSendEx::LogData(TBlockSocket* sender, bool writing, const void* buffer, int length) {
    std::string_view data(static_cast<const char*>(buffer), static_cast<std::size_t>(std::max(length, 0)));
    TTrafficLogText& log = writing ? sentLog_ : receivedLog_;
    FLogger->Debug(Identity(sender) + (writing ? "-> " : "<- ") + log.Describe(data));
}
