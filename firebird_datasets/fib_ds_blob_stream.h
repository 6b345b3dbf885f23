#pragma once
// The stream a Firebird dataset hands out for a blob field. The blob's data lives in a
// TFIBBlobStream that the dataset keeps in its list while the record is in use; this stream only
// forwards to it, looking it up by its number each time, so it reads nothing (instead of freed
// memory) once the dataset has let the inner stream go.
#include <cstdint>
#include <functional>

#include "platform/rtl/blob_stream_mode.h"
#include "platform/rtl/stream.h"

class TField;
class TFIBBlobStream;

// What the stream needs of its dataset.
struct TFIBDSBlobStreamOwner {
    // The dataset's inner stream of that number; nullptr once it was freed.
    std::function<TFIBBlobStream*(std::int32_t number)> StreamAt;
    // Marks the dataset modified.
    std::function<void()> MarkModified;
    // Tells the dataset's controls that the field changed.
    std::function<void(TField* field)> FieldChanged;
};

class TFIBDSBlobStream : public TStream {
  public:
    // Puts the inner stream at its start and, for writing, empties it.
    TFIBDSBlobStream(TField* field, std::int32_t number, TBlobStreamMode mode, TFIBDSBlobStreamOwner owner);
    // A written stream marks its field modified and tells the controls.
    ~TFIBDSBlobStream() override;
    TFIBDSBlobStream(const TFIBDSBlobStream&) = delete;
    TFIBDSBlobStream& operator=(const TFIBDSBlobStream&) = delete;
    std::string ClassName() const override { return "TFIBDSBlobStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Client error 43 "Not editing." unless the field's dataset is editing or inserting.
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;

    bool Modified() const { return modified_; }
    std::int32_t Number() const { return number_; }

  private:
    TFIBBlobStream* Inner() const;
    void CheckEditing() const;

    TField* field_;
    std::int32_t number_;
    TFIBDSBlobStreamOwner owner_;
    bool modified_ = false;
};
