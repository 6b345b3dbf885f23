#pragma once
// A test with the JSON-RPC test server running on 127.0.0.1 over TLS.
#include <gtest/gtest.h>

#include <string>

#include "tools/jsonrpc_server/jsonrpc_test_server.h"

class TlsPeerTest : public ::testing::Test {
  protected:
    void SetUp() override { server.Start(); }
    std::string Url(const std::string& path) const { return "https://" + server.HostPort() + path; }
    testpeer::TReceivedRequest OnlyRequest() const {
        auto requests = server.Requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? testpeer::TReceivedRequest{} : requests.front();
    }

    testpeer::TJsonRpcTestServer server;
};

// A loopback port on which nothing listens: bound, then released.
int RefusingPort();
