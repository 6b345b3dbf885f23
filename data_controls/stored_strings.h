// A list of strings in the stored form: written as a list of strings, read back replacing what the
// list held.
#pragma once

#include <string>

class TFiler;
class TReader;
class TStrings;
class TWriter;

void ReadStoredStrings(TReader& reader, TStrings& strings);
void WriteStoredStrings(TWriter& writer, const TStrings& strings);

// Defines `name` on the filer for `strings`, written only when the list holds any.
void DefineStoredStrings(TFiler& filer, const std::string& name, TStrings& strings);
