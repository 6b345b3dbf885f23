#pragma once
// Who and where the program runs.
#include <cstdint>
#include <string>

std::string GetUserName();      // login name of the effective user
std::string GetComputerName();  // host name
std::uint32_t GetCurrentThreadId();
std::uint32_t GetCurrentProcessId();
// Minutes to add to local time to get UTC at the current moment (positive west of Greenwich).
int GetTimeZoneBias();
// The same for a given instant (Unix seconds), by the zone's rules for that instant.
int GetTimeZoneBiasAt(std::int64_t unixSeconds);
// "Debian GNU/Linux 12 (bookworm); Linux 6.1.0 x86_64", from /etc/os-release and uname.
std::string OperatingSystemDescription();
