// Stored forms: the textual form format through the parser and the reader of component trees.
#include "platform/rtl/class_registry.h"
#include "platform/rtl/component.h"
#include "platform/rtl/form_parser.h"
#include "platform/rtl/form_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        RegisterClass<TComponent>("TComponent");
        return true;
    }();
    (void)registered;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        ParseForm(text);
    } catch (const Exception&) {
    }
    try {
        TextToComponent(text);
    } catch (const Exception&) {
    }
    return 0;
}
