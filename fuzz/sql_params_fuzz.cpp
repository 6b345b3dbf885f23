// Statement texts through the parameter and macro scanner, macro expansion and NULL rewriting, as
// a statement runs them. The input is the text, optionally followed by a NUL, the macro character
// and the value every macro gets. Scanner errors are the parse error only; every name found is
// non-empty and the server text never grows.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "firebird/fib_errors.h"
#include "firebird/sql_normalize.h"
#include "firebird/sql_param_scanner.h"

namespace {

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

bool Scan(const std::string& text, TParamScanPass pass, char macroChar, TParamScan& scan) {
    try {
        scan = ScanSQLParams(text, pass, macroChar, "Fuzz.Query");
        return true;
    } catch (const EFIBClientError& e) {
        Expect(e.SqlErrorCode == fceSQLParseError);
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    const std::string sql = bytes.substr(0, nul);
    char macroChar = '@';
    std::string value = "A, B";
    if (nul != std::string::npos && nul + 1 < bytes.size()) {
        macroChar = bytes[nul + 1];
        value = bytes.substr(nul + 2);
    }
    const std::string normalized = NormalizeSQL(sql, macroChar);
    IsTextWithoutParams(normalized, macroChar);
    TParamScan params;
    if (!Scan(normalized, TParamScanPass::Params, macroChar, params))
        return 0;
    std::vector<TMacroValue> macros;
    std::vector<std::string> names;
    for (const TScannedParam& p : params.Params) {
        Expect(!p.Name.empty());
        Expect(p.WithinWhere || !p.NullRewritable);
        if (p.Name.front() == macroChar) {
            const TMacroParts parts = SplitMacroParam(p.Name, macroChar);
            macros.push_back({parts.Name, value, parts.Quoted});
        } else {
            names.push_back(p.Name);
        }
    }
    bool rewritten = false;
    std::string text = ExpandMacroValues(normalized, macros, macroChar, rewritten);
    std::vector<std::string> found;
    text = RewriteNullComparisons(text, names, 3, found);
    TParamScan server;
    if (Scan(text, TParamScanPass::Server, macroChar, server))
        Expect(server.ServerText.size() <= text.size());
    return 0;
}
