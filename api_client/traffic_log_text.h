#pragma once
// One direction of a socket's traffic as the debug log shows it, piece by piece: header lines and
// text bodies as they are, with secret members masked; a body sent with "Content-Encoding: gzip",
// or any body that is not text, as its size and kind, never as raw bytes.
#include <string>
#include <string_view>
#include <vector>

#include "api_client/secret_member_filter.h"

class TTrafficLogText {
  public:
    explicit TTrafficLogText(std::vector<std::string> secretMembers);

    // The piece as it may be logged.
    std::string Describe(std::string_view piece);

  private:
    void ReadHeaders(std::string_view piece);

    TSecretMemberFilter filter_;
    bool inHeaders_ = false;
    bool gzipBody_ = false;
};
