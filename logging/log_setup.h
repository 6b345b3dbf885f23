#pragma once
// The program's logging set-up: "applog.cfg" beside the executable, written with the defaults
// when it is missing, configures the framework once per process.
#include <string>
#include <string_view>

// Configures logging from EnsureLogConfig() the first time it is called; later calls do nothing.
void ConfigureLogging();

// The full path of "applog.cfg", writing the default file first when it is missing.
// Raises ELogException when the default file cannot be written.
std::string EnsureLogConfig();

// The directory that holds "applog.cfg" (with its trailing "/"): the executable's by default.
// Tests point it elsewhere; an empty text restores the default.
void SetLogConfigDirectory(std::string_view dir);
std::string LogConfigDirectory();

// The text of the default "applog.cfg".
const std::string& DefaultLogConfigText();
