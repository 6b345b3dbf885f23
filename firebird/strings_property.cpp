#include "firebird/strings_property.h"

#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

void DefineLinesProperty(TFiler& filer, const std::string& name, const TStrings& lines,
                         const std::function<void(const TStrings&)>& set, bool hasData) {
    const auto read = [&set](TReader& reader) {
        TStringList read;
        reader.ReadListBegin();
        while (!reader.EndOfList()) read.Add(reader.ReadString());
        reader.ReadListEnd();
        set(read);
    };
    const auto write = [&lines](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < lines.Count(); ++i) writer.WriteString(lines[i]);
        writer.WriteListEnd();
    };
    filer.DefineProperty(name + ".Strings", read, write, hasData);
}
