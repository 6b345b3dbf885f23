#pragma once
// The status vector of the calling thread, which every client call that reaches the server fills,
// and the routines that read it.
#include <ibase.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

// The calling thread's vector of ISC_STATUS_LENGTH entries; nothing clears it between calls.
ISC_STATUS* StatusVector();
// True when an error-code cluster (type 1) or a number cluster (type 4) of the calling thread's
// vector holds one of the codes. Counted strings (type 3) are skipped whole, so their length never
// matches; the walk stops at type 0 or at the end of the vector.
bool StatusHasCode(std::span<const ISC_STATUS> codes);
bool StatusHasCode(std::initializer_list<ISC_STATUS> codes);

// A copy of the calling thread's status vector taken right after a client call, so that the
// calls made before its error is raised cannot overwrite it.
class TStatusSnapshot {
  public:
    static TStatusSnapshot Take();
    // Puts the copy back into the calling thread's vector.
    void Restore() const;

  private:
    std::array<ISC_STATUS, ISC_STATUS_LENGTH> entries_{};
};

// Allocates the block when it is null, else resizes it keeping its contents; the bytes from
// oldSize to newSize are zeroed when it grows. Raises std::bad_alloc when memory runs out (the
// old block then stays valid). Free the result with std::free.
void* ReallocZeroed(void* block, std::size_t oldSize, std::size_t newSize);
