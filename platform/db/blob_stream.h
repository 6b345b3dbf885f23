#pragma once
// The blob stream a dataset hands out when it keeps blob values as byte strings: it reads the
// field's value, and in a writing mode each write stores the whole content back into the field.
#include <string>

#include "platform/rtl/blob_stream_mode.h"
#include "platform/rtl/memory_stream.h"

class TField;

class TFieldBlobStream : public TMemoryStream {
  public:
    // bmWrite starts empty; the other modes start with the field's value.
    TFieldBlobStream(TField* field, TBlobStreamMode mode);
    std::string ClassName() const override { return "TFieldBlobStream"; }
    // Raises EDatabaseError for a stream opened for reading.
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    void SetSize(std::int64_t newSize) override;

  private:
    void CheckWritable() const;
    void StoreInField();
    TField* field_;
    TBlobStreamMode mode_;
};
