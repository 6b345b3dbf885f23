#include "firebird/blob_routines.h"

#include <algorithm>

#include "firebird/fib_errors.h"
#include "firebird/library_texts.h"
#include "firebird/status_vector.h"
#include "platform/rtl/format.h"

namespace {

IIBClientLibrary& RequireLibrary(IIBClientLibrary* library, const char* operation) {
    if (!library)
        throw Exception(Format(SUnknownClientLibrary, {operation}));
    return *library;
}

void Check(IIBClientLibrary& library, ISC_STATUS status) {
    if (status != 0)
        RaiseServerError(library, nullptr);
}

// The client's portable integers: little-endian, signed, 1 to 4 bytes.
std::int32_t VaxInteger(const char* p, std::size_t length) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < length; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    if (length > 0 && length < 4 && (p[length - 1] & 0x80))
        value |= ~std::uint32_t{0} << (8 * length);
    return static_cast<std::int32_t>(value);
}

}  // namespace

TBlobInfo ParseBlobInfo(std::span<const char> answer) {
    TBlobInfo info;
    std::size_t at = 0;
    while (at + 3 <= answer.size() && answer[at] != isc_info_end) {
        const char item = answer[at];
        const auto length =
            static_cast<std::size_t>(static_cast<std::uint16_t>(VaxInteger(&answer[at + 1], 2)));
        if (at + 3 + length > answer.size())
            break;
        const std::int32_t value = length <= 4 ? VaxInteger(&answer[at + 3], length) : 0;
        switch (item) {
            case isc_info_blob_num_segments:
                info.Segments = value;
                break;
            case isc_info_blob_max_segment:
                info.MaxSegment = value;
                break;
            case isc_info_blob_total_length:
                info.TotalLength = value;
                break;
            case isc_info_blob_type:
                info.BlobType = static_cast<std::int16_t>(value);
                break;
            default:
                break;
        }
        at += 3 + length;
    }
    return info;
}

TBlobInfo GetBlobInfo(IIBClientLibrary* library, isc_blob_handle* handle) {
    IIBClientLibrary& lib = RequireLibrary(library, "GetBlobInfo");
    const char items[] = {isc_info_blob_num_segments, isc_info_blob_max_segment, isc_info_blob_total_length,
                          isc_info_blob_type};
    char answer[100] = {};
    Check(lib, lib.isc_blob_info(StatusVector(), handle, sizeof(items), items, sizeof(answer), answer));
    return ParseBlobInfo(answer);
}

void ReadBlob(IIBClientLibrary* library, isc_blob_handle* handle, char* buffer, std::int32_t size) {
    IIBClientLibrary& lib = RequireLibrary(library, "ReadBlob");
    std::int32_t done = 0;
    while (done < size) {
        const auto wanted = static_cast<unsigned short>(std::min(BlobSegmentSize, size - done));
        unsigned short got = 0;
        const ISC_STATUS status = lib.isc_get_segment(StatusVector(), handle, &got, wanted, buffer + done);
        if (status != 0 && status != isc_segment)
            RaiseServerError(lib, nullptr);
        if (got == 0 && status == 0)
            break;  // nothing more comes; the rest stays zero
        done += got;
    }
}

void WriteBlob(IIBClientLibrary* library, isc_blob_handle* handle, const char* buffer, std::int32_t size) {
    IIBClientLibrary& lib = RequireLibrary(library, "WriteBlob");
    for (std::int32_t done = 0; done < size;) {
        const auto piece = static_cast<unsigned short>(std::min(BlobSegmentSize, size - done));
        Check(lib, lib.isc_put_segment(StatusVector(), handle, piece, buffer + done));
        done += piece;
    }
}
