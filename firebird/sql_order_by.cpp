#include "firebird/sql_order_by.h"

#include <array>
#include <string>
#include <vector>

#include "firebird/sql_normalize.h"
#include "firebird/sql_parser.h"
#include "firebird/sql_text_routines.h"
#include "firebird/sql_words.h"
#include "firebird/str_basics.h"
#include "firebird/str_search.h"

namespace {
// The words that may follow an ORDER BY list and so end it.
constexpr std::array<std::string_view, 5> kListEndWords{"ROWS", "OFFSET", "FETCH", "FOR", "WITH"};
// The words behind an item's name, which the name is cut before.
constexpr std::array<std::string_view, 5> kDirectionWords{"DESC", "DESCENDING", "ASC", "ASCENDING", "NULLS"};

bool ListEndAt(std::string_view text, int pos) {
    if (!AfterBlankOrBracket(text, pos))
        return false;
    for (std::string_view word : kListEndWords)
        if (SqlWordAt(text, pos, word, TWordFollow::Blank))
            return true;
    return false;
}

// The start of the list behind the top-level ORDER BY; 0 without one.
int OrderListStart(TSQLParser& parser) {
    const std::string& text = parser.SQLText();
    auto byBehind = [&](int pos) { return SkipBlanksAndComments(text, pos + 5); };
    parser.ResetBracketDepth();
    parser.Scan(parser.TextStart(), [&](int pos) {
        return parser.BracketDepth() == 0 && AfterBlankOrBracket(text, pos) &&
               SqlWordAt(text, pos, "ORDER", TWordFollow::Blank) &&
               SqlWordAt(text, byBehind(pos), "BY", TWordFollow::WordEnd);
    });
    return parser.FoundPos() == 0 ? 0 : byBehind(parser.FoundPos()) + 2;
}

// The list's items: split at commas outside brackets, up to a word that ends the list.
std::vector<std::string> OrderListItems(TSQLParser& parser, int pos) {
    const std::string& text = parser.SQLText();
    std::vector<std::string> items;
    for (;;) {
        parser.Scan(pos, [&](int p) {
            return parser.BracketDepth() == 0 && parser.ScanState() == TSQLScanState::Normal &&
                   (text[static_cast<std::size_t>(p - 1)] == ',' || ListEndAt(text, p));
        });
        const int found = parser.FoundPos();
        const int itemEnd = found == 0 ? parser.SQLLength() : found - 1;
        items.push_back(itemEnd >= pos ? text.substr(static_cast<std::size_t>(pos - 1),
                                                     static_cast<std::size_t>(itemEnd - pos + 1))
                                       : std::string());
        if (found == 0 || text[static_cast<std::size_t>(found - 1)] != ',')
            return items;
        pos = found + 1;
    }
}

std::string CutBeforeWord(std::string name, std::string_view word) {
    const int pos = PosSQLWord(word, name);
    if (pos > 0)
        name.resize(static_cast<std::size_t>(pos - 1));
    return name;
}

// The field name of one item and whether it sorts ascending.
std::pair<std::string, bool> ReadOrderItem(const std::string& item) {
    std::string name = item;
    if (item.find('.') != std::string::npos) {
        static const TCharSet dot = MakeCharSet(".");
        std::string field = ExtractWordN(2, item, dot);
        TrimInPlace(field);
        name = ExtractWordN(1, item, dot) + "." + field;
    }
    std::erase(name, '"');
    name = CutBeforeWord(std::move(name), "COLLATE");
    const bool ascending = PosSQLWord("DESC", name) == 0 && PosSQLWord("DESCENDING", name) == 0;
    for (std::string_view word : kDirectionWords) name = CutBeforeWord(std::move(name), word);
    TrimInPlace(name);
    return {name, ascending};
}
}  // namespace

Variant GetOrderByFields(std::string_view sql) {
    TSQLParser parser(NormalizeSQL(sql, '@'));
    const int listStart = OrderListStart(parser);
    if (listStart == 0)
        return {};
    const std::vector<std::string> items = OrderListItems(parser, listStart);
    if (items.size() == 1 && IsBlankStr(items.front()))
        return {};
    Variant fields = VarArrayCreate({0, static_cast<int>(items.size()) - 1, 0, 1}, varVariant);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto [name, ascending] = ReadOrderItem(items[i]);
        fields.PutElement({static_cast<int>(i), 0}, name);
        fields.PutElement({static_cast<int>(i), 1}, ascending);
    }
    return fields;
}
