#pragma once
// How a blob stream is opened. Shared by the dataset framework's field streams and the Firebird
// blob streams, which meet in the Firebird datasets.
#include <cstdint>

enum TBlobStreamMode : std::uint8_t { bmRead = 0, bmWrite = 1, bmReadWrite = 2 };
