#pragma once
// Whole blobs through the client library: their info, reading all of an open blob into memory and
// writing memory into a new one, in segments the 16-bit segment length of the client API can carry.
#include <ibase.h>

#include <cstdint>
#include <span>

#include "firebird/client_library.h"

constexpr std::int32_t BlobSegmentSize = 16384;

struct TBlobInfo {
    std::int32_t Segments = 0;
    std::int32_t MaxSegment = 0;
    std::int32_t TotalLength = 0;
    std::int16_t BlobType = 0;
};

// The answer of isc_blob_info, walked item by item up to the end item or the end of the buffer;
// an item that claims more bytes than remain ends the walk.
TBlobInfo ParseBlobInfo(std::span<const char> answer);

// Each routine raises "Can't perform operation %s. Unknown client library" without a library,
// and the server's error when a client call fails.
TBlobInfo GetBlobInfo(IIBClientLibrary* library, isc_blob_handle* handle);
void ReadBlob(IIBClientLibrary* library, isc_blob_handle* handle, char* buffer, std::int32_t size);
void WriteBlob(IIBClientLibrary* library, isc_blob_handle* handle, const char* buffer, std::int32_t size);
