#pragma once
// The record format of the buffered dataset: how the value of each SQL type lies at its column's
// place in a record image. Fetching stores the server's value there, a field read takes it out as
// a Variant and a field write puts a Variant back.
//
// Bytes and form by type:
//   SMALLINT 2, INTEGER 4, BIGINT 8       the server's integer; NUMERIC and DECIMAL keep the
//                                         integer of their storage type, unscaled
//   BIGINT of scale below -4              8, the scaled value as a double, unless BIGINTs are
//                                         kept as BCD (then the unscaled integer as above)
//   FLOAT 4, DOUBLE 8                     the server's number
//   DATE 4                                days, 1 January of year 1 being day 1
//   TIME 4                                milliseconds since midnight
//   TIMESTAMP 8                           milliseconds since day 0 of the dates, as a double
//   BOOLEAN 2 (either kind)               0 or 1
//   CHAR, VARCHAR                         the SQL length: the text, ended by a zero byte when
//                                         shorter (a CHAR keeps the server's padding)
//   BLOB, ARRAY and the rest              the server's bytes (a blob's 8-byte identifier)
// A NULL value leaves its place as it was; the record's NULL flags say which values are absent.
// Long texts the cache keeps apart come back to the same place when a record is read.
#include <ibase.h>

#include <cstdint>

#include "firebird_datasets/field_descr_list.h"
#include "platform/rtl/variant.h"

// How a field takes a value whose SQL type leaves the form open.
enum class TValueForm {
    Natural,        // the type's own form
    Boolean,        // SMALLINT and INTEGER of scale 0 read as booleans
    ScaledInteger,  // BIGINT and NUMERIC kept as integers, read or written as their unscaled integer
    Currency,       // BIGINT and NUMERIC kept as integers, read as currency (ten-thousandths)
    AllBytes,       // texts read whole, padding and zero bytes included
};

class TRecordCodec {
  public:
    // int64AsBCD: every BIGINT keeps its unscaled integer, whatever its scale.
    explicit TRecordCodec(bool int64AsBCD) : int64AsBCD_(int64AsBCD) {}

    // Bytes a value of the type takes in the record.
    static std::int16_t ValueSize(std::int16_t sqlType, std::int16_t sqlLength);
    // A fetched value is NULL when the column may hold NULL and its indicator says so.
    static bool FetchedIsNull(const TFieldDescr& descr, const XSQLVAR& var) {
        return descr.Nullable && var.sqlind != nullptr && *var.sqlind == -1;
    }
    // The identifier a BLOB or ARRAY column keeps.
    static ISC_QUAD ReadQuad(const std::byte* place);
    static void WriteQuad(std::byte* place, ISC_QUAD id);

    // True when Read gives every byte of the column's texts.
    static bool ReadsAllBytes(const TFieldDescr& descr, TValueForm form);
    // True when the column's BIGINTs lie in the record as doubles.
    bool KeepsInt64AsDouble(const TFieldDescr& descr) const;
    // A value the server sent, in the column's server form, into the column's place.
    void StoreFetched(const TFieldDescr& descr, const char* server, std::byte* place) const;
    // The value at the column's place; texts lose their trailing blanks with trimText. GUID and
    // DB key columns give all their bytes, as AllBytes does.
    Variant Read(const TFieldDescr& descr, const std::byte* place, TValueForm form, bool trimText) const;
    // A value into the column's place; only ScaledInteger of the forms changes what is written.
    void Write(const TFieldDescr& descr, const Variant& value, TValueForm form, std::byte* place) const;

  private:
    Variant ReadInt64(const TFieldDescr& descr, const char* place, TValueForm form) const;
    void WriteInt64(const TFieldDescr& descr, const Variant& value, TValueForm form, char* place) const;

    bool int64AsBCD_;
};
