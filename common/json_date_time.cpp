#include "common/json_date_time.h"

#include <cstdint>
#include <initializer_list>

#include "common/xml_time.h"
#include "common/xsp_time.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/numbers.h"

namespace {

struct Piece {
    std::size_t position;  // counted from 1
    std::size_t length;
};

struct Mark {
    std::size_t position;  // counted from 1
    char character;
};

bool PiecesAreIntegers(std::string_view text, std::initializer_list<Piece> pieces) {
    for (const Piece& piece : pieces) {
        if (!IsInteger(text.substr(piece.position - 1, piece.length))) {
            return false;
        }
    }
    return true;
}

bool MarksInPlace(std::string_view text, std::initializer_list<Mark> marks) {
    for (const Mark& mark : marks) {
        if (text[mark.position - 1] != mark.character) {
            return false;
        }
    }
    return true;
}

// The platform's date parser set for "dd.mm.yyyy", whatever the locale says.
TDateTime DottedDateToDateTime(std::string_view text) {
    TFormatSettings dotted;
    dotted.DateSeparator = '.';
    dotted.ShortDateFormat = "dd.mm.yyyy";
    return StrToDate(text, dotted);
}

}  // namespace

bool IsInteger(std::string_view text) {
    std::int32_t value = 0;
    return TryStrToInt(text, value);
}

bool IsTimeText(std::string_view text) {
    return text.size() == 8 && MarksInPlace(text, {{3, ':'}, {6, ':'}}) &&
           PiecesAreIntegers(text, {{1, 2}, {4, 2}, {7, 2}});
}

bool IsIsoDate(std::string_view text) {
    return text.size() == 10 && MarksInPlace(text, {{5, '-'}, {8, '-'}}) &&
           PiecesAreIntegers(text, {{1, 4}, {6, 2}, {9, 2}});
}

bool IsDottedDate(std::string_view text) {
    return text.size() == 10 && MarksInPlace(text, {{3, '.'}, {6, '.'}}) &&
           PiecesAreIntegers(text, {{1, 2}, {4, 2}, {7, 4}});
}

bool IsIsoDateTime(std::string_view text) {
    return text.size() > 18 && MarksInPlace(text, {{5, '-'}, {8, '-'}, {11, 'T'}, {14, ':'}, {17, ':'}}) &&
           PiecesAreIntegers(text, {{1, 4}, {6, 2}, {9, 2}, {12, 2}, {15, 2}, {18, 2}});
}

TDateTime JsonToDateTime(std::string_view text) {
    if (IsTimeText(text)) {
        TXSPTime time;
        time.ParseXS(text);
        return time.AsTime();
    }
    if (IsIsoDate(text)) {
        return XMLTimeToDateTime(text, true);
    }
    if (IsDottedDate(text)) {
        return DottedDateToDateTime(text);
    }
    if (IsIsoDateTime(text)) {
        return XMLTimeToDateTime(text, false);
    }
    return 0;
}
