#pragma once
// The SQL types of descriptor variables (sqltype without its nullable bit) and the day numbers the
// server counts dates in.
#include <ibase.h>

#include <cstdint>

// The 16-bit boolean of older servers; Firebird 3 has its own one-byte SQL_BOOLEAN.
constexpr short SQL_BOOLEAN16 = 590;

bool IsNumericSQLType(int sqlType);
bool IsDateTimeSQLType(int sqlType);
bool IsIntegerSQLType(int sqlType);  // SHORT, LONG, INT64

// Server day 0 is 17 November 1858, 15018 days before day 0 of TDateTime.
constexpr std::int32_t ServerDayOfDateTimeZero = 15018;
// Server days are TTimeStamp dates minus this.
constexpr std::int32_t TimeStampToServerDays = 678576;
// Server times count 1/10000 s.
constexpr std::int64_t ServerTimeUnitsPerDay = 86400LL * 10000;
