// The scanner of parameters and macros, macro expansion and NULL comparisons, over texts in the
// normalized form the statement gives them.
#include "firebird/sql_param_scanner.h"
#include "firebird/sql_normalize.h"

#include <gtest/gtest.h>

#include "firebird/fib_errors.h"

static std::ostream& operator<<(std::ostream& os, const TScannedParam& p) {
    return os << p.Name << (p.WithinWhere ? " where" : "") << (p.NullRewritable ? " rewritable" : "");
}

namespace {

struct ScanCase {
    const char* text;
    std::vector<TScannedParam> params;
};

TEST(ParamScanner, FindsParametersAndMacrosWithTheirPlaceInWhere) {
    const ScanCase cases[] = {
        {" SELECT * FROM T WHERE ID = ?ID ", {{"ID", true, true}}},
        {" SELECT ?A FROM T ", {{"A", false, false}}},
        {" SELECT * FROM T WHERE A = ?P + 1 ", {{"P", true, false}}},
        {" SELECT * FROM T WHERE A = ?P\r\n|| 'X' ", {{"P", true, false}}},
        {" SELECT * FROM T WHERE A = ?P OR B = ?P ", {{"P", true, true}, {"P", true, true}}},
        {" SELECT * FROM T WHERE A = ?P GROUP BY A HAVING B = ?Q ", {{"P", true, true}, {"Q", false, false}}},
        {" SELECT * FROM (SELECT * FROM T WHERE A = ?P ) WHERE B = ?Q ",
         {{"P", true, true}, {"Q", true, true}}},
        {" SELECT * FROM T WHERE A = ?\"Mixed Name\" ", {{"Mixed Name", true, true}}},
        {" SELECT ':X', \"?Y\" FROM T /* ?Z */ WHERE A = 'IT''S ?' AND B = ?W ", {{"W", true, true}}},
        {" SELECT ?A.B$C#D%E_1 FROM T ", {{"A.B$C#D%E_1", false, false}}},
        {" SELECT @F%ID FROM T ", {{"@F%ID", false, false}}},
        {" SELECT @@F%A, B@ FROM T WHERE @W ", {{"@F%A, B", false, false}, {"@W", true, true}}},
        {" SELECT * FROM T ", {}},
    };
    for (const ScanCase& c : cases) {
        const TParamScan scan = ScanSQLParams(c.text, TParamScanPass::Params, '@', "Q");
        EXPECT_EQ(scan.Params, c.params) << c.text;
        EXPECT_TRUE(scan.ServerText.empty());
    }
}

TEST(ParamScanner, ServerPassPutsAQuestionMarkForEveryParameter) {
    const std::pair<const char*, const char*> cases[] = {
        {" SELECT * FROM T WHERE A = ?P AND B = ?\"x y\" ", " SELECT * FROM T WHERE A = ? AND B = ? "},
        {" INSERT INTO T VALUES (?A,?B) ", " INSERT INTO T VALUES (?,?) "},
        {" SELECT '?A' FROM T /* ?B */ ", " SELECT '?A' FROM T /* ?B */ "},
    };
    for (const auto& [text, server] : cases)
        EXPECT_EQ(ScanSQLParams(text, TParamScanPass::Server, '@', "Q").ServerText, server) << text;
}

TEST(ParamScanner, MalformedTextsRaiseParseErrorsNamingTheStatement) {
    const std::pair<const char*, const char*> cases[] = {
        {" SELECT 'ABC FROM T WHERE A = ?P ", "EOF in string detected"},
        {" SELECT \"ABC ", "EOF in string detected"},
        {" SELECT ?\"ABC ", "EOF in string detected"},
        {" SELECT * FROM T /* ?P ", "EOF in comment detected"},
        {" SELECT * FROM T WHERE A = ? ", "Parameter name expected"},
        {" SELECT * FROM T WHERE A = ?", "Parameter name expected"},
        {" SELECT * FROM T WHERE A = ?\"\" ", "Parameter name expected"},
        {" SELECT @ FROM T ", "Parameter name expected"},
        {" SELECT @@F FROM T ", "Parameter name expected"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ScanSQLParams(text, TParamScanPass::Params, '@', "Owner.Query");
            ADD_FAILURE() << "no error for " << text;
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceSQLParseError);
            EXPECT_EQ(std::string(e.what()),
                      std::string("SQL Parse Error in :Owner.Query \r\n\r\n") + message)
                << text;
        }
    }
}

TEST(ParamScanner, TextWithoutParamsIgnoresStringsAndComments) {
    const std::pair<const char*, bool> cases[] = {
        {" SELECT * FROM T ", true},
        {" SELECT ':A', \"?B\" FROM T /* @C */ ", true},
        {" SELECT * FROM T WHERE A = ?A ", false},
        {" SELECT * FROM T WHERE A = :A ", false},
        {" SELECT @F FROM T ", false},
    };
    for (const auto& [text, without] : cases) EXPECT_EQ(IsTextWithoutParams(text, '@'), without) << text;
}

TEST(MacroExpansion, ReplacesMarkersByValues) {
    struct Case {
        const char* text;
        TMacroValue macro;
        const char* expanded;
    };
    const Case cases[] = {
        {" SELECT @F%ID FROM T ", {"F", "A, B", false}, " SELECT  A, B FROM T "},
        {" SELECT @f FROM T ", {"F", "A", false}, " SELECT  A FROM T "},
        {" SELECT @@F%A, B@ FROM T ", {"F", "C", false}, " SELECT  C  FROM T "},
        {" WHERE N = @N%#X ", {"N", "O'B", true}, " WHERE N =  'O''B' "},
        {" SELECT @F , @F FROM T ", {"F", "A", false}, " SELECT  A ,  A FROM T "},
        {" SELECT @F, X FROM T ", {"F", "A", false}, " SELECT @F, X FROM T "},
        // A value holding its own marker is inserted once.
        {" SELECT @F FROM T ", {"F", "@F", false}, " SELECT  @F FROM T "},
        {" SELECT @FX FROM T ", {"F", "A", false}, " SELECT @FX FROM T "},
        {" SELECT X@F FROM T ", {"F", "A", false}, " SELECT X@F FROM T "},
    };
    for (const Case& c : cases) {
        bool rewritten = false;
        const std::string expanded = ExpandMacroValues(c.text, {c.macro}, '@', rewritten);
        EXPECT_EQ(expanded, c.expanded) << c.text;
        EXPECT_EQ(rewritten, expanded != c.text) << c.text;
    }
}

// A macro named more than once is expanded once, so markers in its value stay text and the text
// does not multiply with every entry.
TEST(MacroExpansion, ANameGivenTwiceIsExpandedOnce) {
    bool rewritten = false;
    const std::vector<TMacroValue> macros(20, TMacroValue{"A", "@A @A @A", false});
    EXPECT_EQ(ExpandMacroValues(" SELECT @A FROM T ", macros, '@', rewritten), " SELECT  @A @A @A FROM T ");
    EXPECT_TRUE(rewritten);
}

TEST(NullComparisons, BecomeIsNullInEveryWhereClause) {
    struct Case {
        const char* text;
        std::vector<std::string> names;
        int dialect;
        const char* rewritten;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {" SELECT * FROM T WHERE A = ?P ", {"P"}, 3, " SELECT * FROM T WHERE A IS NULL ", {"P"}},
        {" SELECT * FROM T WHERE A <> ?p AND B = ?Q ",
         {"P"},
         3,
         " SELECT * FROM T WHERE A IS NOT NULL AND B = ?Q ",
         {"P"}},
        {" SELECT * FROM T WHERE A = ?\"p\" ", {"p"}, 3, " SELECT * FROM T WHERE A IS NULL ", {"p"}},
        {" SELECT * FROM T WHERE A = ?PX ", {"P"}, 3, " SELECT * FROM T WHERE A = ?PX ", {}},
        {" SELECT * FROM T WHERE A > ?P ", {"P"}, 3, " SELECT * FROM T WHERE A > ?P ", {"P"}},
        {" SELECT * FROM (SELECT * FROM T WHERE A = ?P ) WHERE B <> ?P ",
         {"P"},
         3,
         " SELECT * FROM (SELECT * FROM T WHERE A IS NULL ) WHERE B IS NOT NULL ",
         {"P"}},
        // A comparison that ends where its clause does, at a bracket or the text's end.
        {" SELECT * FROM T WHERE X IN (SELECT Y FROM U WHERE B = ?P) AND C <> ?q",
         {"Q", "P"},
         3,
         " SELECT * FROM T WHERE X IN (SELECT Y FROM U WHERE B IS NULL ) AND C IS NOT NULL ",
         {"Q", "P"}},
        // Neither a comparison outside a clause nor one that is not of the named parameters.
        {" SELECT A = ?P FROM T WHERE B = ?P1 OR C = ? P ",
         {"P"},
         3,
         " SELECT A = ?P FROM T WHERE B = ?P1 OR C = ? P ",
         {}},
        {" SELECT * FROM T WHERE A = ?\"P\" ", {"P"}, 1, " SELECT * FROM T WHERE A = ?\"P\" ", {"P"}},
        {" SELECT * FROM T ", {"P"}, 3, " SELECT * FROM T ", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found;
        std::string out = RewriteNullComparisons(c.text, c.names, c.dialect, found);
        // Blanks may double where a clause was split and joined.
        for (std::size_t at; (at = out.find("  ")) != std::string::npos;) out.erase(at, 1);
        EXPECT_EQ(out, c.rewritten) << c.text;
        EXPECT_EQ(found, c.found) << c.text;
    }
}

// A text of over twenty thousand WHERE clauses (as a fuzz input once grew one by macros): rewriting
// them once per clause re-read the whole text for each; the rewrite is one walk now, so this runs
// in well under the test's time-out and every comparison in every clause is rewritten.
TEST(NullComparisons, TextWithThousandsOfClausesIsRewrittenAtOnce) {
    std::string expanded = " SELECT A FROM T WHERE X = ?P ";
    for (int i = 0; i < 20480; ++i) expanded += "UNION SELECT A FROM T WHERE Y = ?P ";
    const auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    const std::size_t clauses = count(expanded, "WHERE");
    ASSERT_GT(clauses, 20000u);
    std::vector<std::string> found;
    const std::string out = RewriteNullComparisons(expanded, {"P"}, 3, found);
    EXPECT_EQ(count(out, " IS NULL "), clauses);
    EXPECT_EQ(count(out, "?P"), 0u);
    EXPECT_EQ(found, std::vector<std::string>{"P"});
}

}  // namespace
