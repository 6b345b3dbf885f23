#pragma once
// The system's gzip program, as an independent reader and writer of gzip data.
#include <string>

// Runs "gzip <args>" on input; returns false when gzip exits with an error.
bool RunSystemGzip(const std::string& args, const std::string& input, std::string& output);
