#include "platform/rtl/form_stream.h"

#include "platform/rtl/reader.h"
#include "platform/rtl/string_stream.h"
#include "platform/rtl/writer.h"

void WriteComponentText(TStream& stream, TComponent& root, const TComponent* ancestor) {
    TWriter(stream).WriteRootComponent(root, ancestor);
}

std::string ComponentToText(TComponent& root, const TComponent* ancestor) {
    TStringStream text;
    WriteComponentText(text, root, ancestor);
    return text.DataString();
}

void ReadComponentText(TStream& stream, TComponent& root, const TClassRegistry& classes) {
    TReader(stream, classes).ReadRootComponent(root);
}

TObjectPtr<TComponent> ReadComponentText(TStream& stream, const TClassRegistry& classes) {
    return TReader(stream, classes).ReadRootComponent();
}

TObjectPtr<TComponent> TextToComponent(std::string_view text, const TClassRegistry& classes) {
    return TReader(text, classes).ReadRootComponent();
}
