#pragma once
// The grid demo's database: created on the embedded engine when its file is missing and filled
// with a fixed set of customers and visits, the visits numbered by a generator.
#include <string>

namespace grid_demo {

// The generator that numbers the visits.
inline constexpr const char* kVisitsGenerator = "GEN_VISITS_ID";

// Creates and fills the database when no file is at the path; true when it did. The file appears
// at the path only once its tables and rows are committed. Raises EFIBError when the engine
// refuses, EOSError when the file cannot be put in place.
bool EnsureDemoDatabase(const std::string& path);

}  // namespace grid_demo
