// The database library's text routines on any text: search, words, pairs, quoting, replacing.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird/ident_quoting.h"
#include "firebird/str_replace.h"
#include "firebird/str_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int start = in.ConsumeIntegral<int>();
    const int last = in.ConsumeIntegral<int>();
    const int n = in.ConsumeIntegral<int>();
    const std::string sub = in.ConsumeRandomLengthString(16);
    const std::string s = in.ConsumeRemainingBytesAsString();
    const TCharSet delims = MakeCharSet(sub);

    PosFrom(sub, s, start);
    PosFromTo(sub, s, start, last);
    PosIgnoreCase(sub, s);
    PosWord(sub, s, delims, delims);
    ExtractWordN(n, s, delims);
    WordCountBySet(s, delims);
    std::string name, value;
    SplitNameValue(s, name, value);
    StripQuotes(s);
    ReplaceStr(s, sub, "replacement");
    ReplaceStrIgnoreCase(s, sub, "");
    QuoteIdentifier(s);
    DialectIdentifier(n % 4, s);
    return 0;
}
