// Edit masks and the texts put through them, as forms, fields and columns give them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/rtl/strings.h"
#include "platform/ui/edit_mask.h"

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string maskText = in.ConsumeRandomLengthString(size);
    const std::string value = in.ConsumeRemainingBytesAsString();
    TEditMask mask(maskText, '.', ':');
    std::u32string text = Utf8ToUtf32(value);
    // Whatever comes in, the edit text has one character per position and its literals in place.
    std::u32string edit = mask.EditTextOf(text);
    Check(static_cast<int>(edit.size()) == mask.Length());
    Check(mask.Normalized(edit) == edit);
    Check(mask.Normalized(text).size() == edit.size());
    for (int i = 0; i < mask.Length(); ++i) {
        if (mask.IsLiteral(i))
            Check(edit[static_cast<std::size_t>(i)] == mask.LiteralAt(i));
        mask.Accept(i, text.empty() ? U'0' : text[static_cast<std::size_t>(i) % text.size()]);
    }
    int missing = mask.FirstMissing(edit);
    Check(missing < mask.Length() && (missing < 0 || mask.IsRequired(missing)));
    // The text a program reads sets the same edit text again.
    Check(mask.EditTextOf(mask.TextOf(edit)) == edit);
    mask.TextOf(text);
    FormatMaskText(maskText, value);
    return 0;
}
