#pragma once
// A TLS HTTP server on loopback that answers from a queue of scripted replies and records every
// request as received. Used in-process by test fixtures and by the standalone jsonrpc_test_server.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/jsonrpc_server/received_request.h"
#include "tools/jsonrpc_server/scripted_reply.h"

namespace httplib {
class SSLServer;
struct Request;
struct Response;
}  // namespace httplib

namespace testpeer {

class TSelfSignedCertificate;

class TJsonRpcTestServer {
  public:
    TJsonRpcTestServer();  // makes a fresh self-signed certificate
    ~TJsonRpcTestServer();
    TJsonRpcTestServer(const TJsonRpcTestServer&) = delete;
    TJsonRpcTestServer& operator=(const TJsonRpcTestServer&) = delete;

    // Listens on host:port (port 0: an ephemeral one) and returns the port; throws when it cannot.
    int Start(const std::string& host = "127.0.0.1", int port = 0);
    // Releases hanging replies and stops; safe to call twice.
    void Stop();
    int Port() const { return port_; }
    std::string HostPort() const;  // "127.0.0.1:<port>"

    // Replies are used in order; one with a method waits for a request of that method.
    // A request with no reply left gets 500 and a JSON-RPC error "No scripted reply".
    void Enqueue(TScriptedReply reply);
    std::vector<TReceivedRequest> Requests() const;
    std::size_t RequestCount() const;
    // Called for each request as it arrives (on a server thread).
    void SetOnRequest(std::function<void(const TReceivedRequest&)> onRequest);

  private:
    void Handle(const httplib::Request& req, httplib::Response& res);
    TReceivedRequest Record(const httplib::Request& req);
    bool TakeReply(const std::string& rpcMethod, TScriptedReply& reply);
    void Wait(const TScriptedReply& reply);

    std::unique_ptr<TSelfSignedCertificate> certificate_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread thread_;
    int port_ = 0;
    std::string host_;

    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    std::deque<TScriptedReply> replies_;
    std::vector<TReceivedRequest> requests_;
    std::function<void(const TReceivedRequest&)> onRequest_;
};

}  // namespace testpeer
