#include "tools/jsonrpc_server/jsonrpc_test_server.h"

#include <httplib.h>

#include <chrono>
#include <csignal>
#include <stdexcept>

#include "tools/jsonrpc_server/self_signed_certificate.h"

namespace testpeer {

namespace {

TScriptedReply NoReplyLeft() {
    TScriptedReply reply = ErrorReply(-32000, "No scripted reply");
    reply.status = 500;
    return reply;
}

}  // namespace

TJsonRpcTestServer::TJsonRpcTestServer() : certificate_(std::make_unique<TSelfSignedCertificate>()) {}

TJsonRpcTestServer::~TJsonRpcTestServer() {
    Stop();
}

int TJsonRpcTestServer::Start(const std::string& host, int port) {
    // A reply written after the client gave up (a hanging reply released by Stop) must not end
    // the process: TLS writes go through write(2), which raises SIGPIPE on a closed peer.
    std::signal(SIGPIPE, SIG_IGN);
    server_ = std::make_unique<httplib::SSLServer>(certificate_->Certificate(), certificate_->Key());
    if (!server_->is_valid())
        throw std::runtime_error("test server: TLS set-up failed");
    // Routed handlers, not the pre-routing hook: the body has been read by then.
    auto handler = [this](const httplib::Request& req, httplib::Response& res) { Handle(req, res); };
    server_->Get(".*", handler).Post(".*", handler).Put(".*", handler);
    server_->Patch(".*", handler).Delete(".*", handler).Options(".*", handler);
    server_->set_keep_alive_timeout(1);
    // Replies go out at once, so a client's delayed acknowledgement does not add 40 ms to each exchange.
    server_->set_tcp_nodelay(true);
    if (port == 0) {
        port_ = server_->bind_to_any_port(host);
    } else {
        port_ = server_->bind_to_port(host, port) ? port : -1;
    }
    if (port_ <= 0)
        throw std::runtime_error("test server: cannot listen on " + host + ":" + std::to_string(port));
    host_ = host;
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop before the accept loop runs would be lost and leave the loop running for ever.
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port_;
}

void TJsonRpcTestServer::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    if (server_)
        server_->stop();
    if (thread_.joinable())
        thread_.join();
}

std::string TJsonRpcTestServer::HostPort() const {
    return host_ + ":" + std::to_string(port_);
}

void TJsonRpcTestServer::Enqueue(TScriptedReply reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_.push_back(std::move(reply));
}

std::vector<TReceivedRequest> TJsonRpcTestServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::size_t TJsonRpcTestServer::RequestCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.size();
}

void TJsonRpcTestServer::SetOnRequest(std::function<void(const TReceivedRequest&)> onRequest) {
    std::lock_guard<std::mutex> lock(mutex_);
    onRequest_ = std::move(onRequest);
}

TReceivedRequest TJsonRpcTestServer::Record(const httplib::Request& req) {
    TReceivedRequest r;
    r.method = req.method;
    r.target = req.target;
    r.version = req.version;
    r.requestLine = req.method + " " + req.target + " " + req.version;
    for (const auto& [name, value] : req.headers) {
        // Added by the HTTP library itself, not sent by the client.
        if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT")
            continue;
        r.headers.emplace_back(name, value);
    }
    r.body = req.body;
    std::function<void(const TReceivedRequest&)> onRequest;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(r);
        onRequest = onRequest_;
    }
    if (onRequest)
        onRequest(r);
    return r;
}

bool TJsonRpcTestServer::TakeReply(const std::string& rpcMethod, TScriptedReply& reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = replies_.begin(); it != replies_.end(); ++it) {
        if (!it->method.empty() && it->method != rpcMethod)
            continue;
        reply = *it;
        if (!it->repeat)
            replies_.erase(it);
        return true;
    }
    return false;
}

void TJsonRpcTestServer::Wait(const TScriptedReply& reply) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (reply.hang)
        stopping_.wait(lock, [this] { return stopped_; });
    else if (reply.delayMs > 0)
        stopping_.wait_for(lock, std::chrono::milliseconds(reply.delayMs), [this] { return stopped_; });
}

void TJsonRpcTestServer::Handle(const httplib::Request& req, httplib::Response& res) {
    TReceivedRequest received = Record(req);
    TScriptedReply reply;
    if (!TakeReply(received.RpcMethod(), reply))
        reply = NoReplyLeft();
    Wait(reply);

    // The reply goes out exactly as scripted: keep the HTTP library from compressing it.
    // (The request object is the library's own, non-const one; it has been recorded already.)
    const_cast<httplib::Request&>(req).headers.erase("Accept-Encoding");
    res.status = reply.status;
    for (const auto& [name, value] : reply.headers) res.headers.emplace(name, value);
    if (reply.gzip) {
        res.set_header("Content-Encoding", "gzip");
        res.set_content(GzipBody(reply.body), reply.contentType);
    } else {
        res.set_content(reply.body, reply.contentType);
    }
}

}  // namespace testpeer
