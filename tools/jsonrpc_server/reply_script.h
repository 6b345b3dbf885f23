#pragma once
// A reply script for the standalone server: a JSON array of replies, each an object with
//   "status" (200), "headers" ({"Name": "value"}), "body" (a string is sent as it is, any other
//   JSON value as its compact text), "content_type", "gzip" (false), "delay_ms" (0),
//   "hang" (false), "method" (any), "repeat" (false).
#include <string>
#include <vector>

#include "tools/jsonrpc_server/scripted_reply.h"

namespace testpeer {

// Throws std::runtime_error naming the fault for a script that does not read.
std::vector<TScriptedReply> ParseReplyScript(const std::string& json);

}  // namespace testpeer
