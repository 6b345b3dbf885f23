// Wildcard masks and LIKE patterns against texts, as filters and receiver masks give them.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird/wildcards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string pattern = in.ConsumeRandomLengthString(size);
    const std::string text = in.ConsumeRemainingBytesAsString();
    WildcardMatch(pattern, text);
    MatchPattern(text, pattern, {'*', '?'});
    MatchLikePattern(text, pattern);
    CompressWildcards(pattern);
    return 0;
}
