// Filter texts as users and stored forms give them, parsed into expression trees.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/filter_options_input.h"
#include "platform/db/expr_parser.h"
#include "platform/rtl/database_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const TFilterOptions options = ConsumeFilterOptions(in);
    const std::string text = in.ConsumeRemainingBytesAsString();
    try {
        TExprParser parser(nullptr, text, options);
    } catch (const EDatabaseError&) {
    }
    return 0;
}
