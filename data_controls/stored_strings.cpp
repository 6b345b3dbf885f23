#include "data_controls/stored_strings.h"

#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/writer.h"

void ReadStoredStrings(TReader& reader, TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) strings.Add(reader.ReadString());
    reader.ReadListEnd();
    strings.EndUpdate();
}

void WriteStoredStrings(TWriter& writer, const TStrings& strings) {
    writer.WriteListBegin();
    for (int i = 0; i < strings.Count(); ++i) writer.WriteString(strings[i]);
    writer.WriteListEnd();
}

void DefineStoredStrings(TFiler& filer, const std::string& name, TStrings& strings) {
    filer.DefineProperty(
        name, [&strings](TReader& reader) { ReadStoredStrings(reader, strings); },
        [&strings](TWriter& writer) { WriteStoredStrings(writer, strings); }, strings.Count() > 0);
}
