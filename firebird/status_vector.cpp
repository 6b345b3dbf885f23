#include "firebird/status_vector.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
thread_local ISC_STATUS_ARRAY t_statusVector = {};
}

ISC_STATUS* StatusVector() {
    return t_statusVector;
}

bool StatusHasCode(std::span<const ISC_STATUS> codes) {
    const ISC_STATUS* v = StatusVector();
    std::size_t i = 0;
    while (i + 1 < ISC_STATUS_LENGTH && v[i] != isc_arg_end) {
        const ISC_STATUS type = v[i];
        if (type == isc_arg_gds || type == isc_arg_number) {
            if (std::find(codes.begin(), codes.end(), v[i + 1]) != codes.end())
                return true;
            i += 2;
        } else if (type == isc_arg_cstring) {
            i += 3;  // the length and the address
        } else {
            i += 2;
        }
    }
    return false;
}

bool StatusHasCode(std::initializer_list<ISC_STATUS> codes) {
    return StatusHasCode(std::span<const ISC_STATUS>(codes.begin(), codes.size()));
}

TStatusSnapshot TStatusSnapshot::Take() {
    TStatusSnapshot snapshot;
    std::copy_n(StatusVector(), ISC_STATUS_LENGTH, snapshot.entries_.begin());
    return snapshot;
}

void TStatusSnapshot::Restore() const {
    std::copy(entries_.begin(), entries_.end(), StatusVector());
}

void* ReallocZeroed(void* block, std::size_t oldSize, std::size_t newSize) {
    void* grown = block ? std::realloc(block, newSize ? newSize : 1) : std::malloc(newSize ? newSize : 1);
    if (!grown)
        throw std::bad_alloc();
    if (newSize > oldSize)
        std::memset(static_cast<char*>(grown) + (block ? oldSize : 0), 0, newSize - (block ? oldSize : 0));
    return grown;
}
