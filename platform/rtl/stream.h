#pragma once
// TStream: a sequence of bytes with a position, read and written in blocks. Descendants supply
// Read, Write and Seek; Size, Position, the whole-block helpers and CopyFrom are built on them.
//
// Positions and sizes are 64-bit. Seek takes the origin as TSeekOrigin; the older names
// soFromBeginning / soFromCurrent / soFromEnd are the same values.
#include <cstdint>

#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"

class EStreamError : public Exception {
  public:
    using Exception::Exception;
};
class EFilerError : public EStreamError {
  public:
    using EStreamError::EStreamError;
};
// Raised by ReadBuffer ("Stream read error") and by readers of stored forms.
class EReadError : public EFilerError {
  public:
    using EFilerError::EFilerError;
};
// Raised by WriteBuffer ("Stream write error") and by writers of stored forms.
class EWriteError : public EFilerError {
  public:
    using EFilerError::EFilerError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
  public:
    std::string ClassName() const override { return "TStream"; }

    // Reads or writes up to count bytes at the position and moves past them; returns how many.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Moves the position and returns the new one (-1 when the stream cannot seek).
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    // Does nothing unless the stream can change its size.
    virtual void SetSize(std::int64_t newSize);

    // All or nothing: raise EReadError "Stream read error" / EWriteError "Stream write error"
    // when fewer than count bytes move.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Copies count bytes from source's position; count 0 copies the whole source from its
    // beginning. Returns the number copied; a source that ends early raises EReadError.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};
