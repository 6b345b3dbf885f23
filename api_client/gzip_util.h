#pragma once
// gzip (RFC 1952) of whole memory buffers. Neither throws; a failure leaves destination as it was.
#include <string>
#include <string_view>

// One gzip member without a file name.
bool GzipStream(std::string_view source, std::string& destination);
// Inflates every member of a gzip stream; false for damaged, truncated or non-gzip data.
bool GunzipStream(std::string_view source, std::string& destination);
