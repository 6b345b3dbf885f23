#include "common/dotted_date.h"

#include <optional>

#include "common/xs_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

namespace {

// The digits of one piece after optional leading blanks; no sign and no hexadecimal.
std::optional<int> ReadPiece(std::string_view piece) {
    std::size_t start = piece.find_first_not_of(' ');
    if (start == std::string_view::npos || !xs::DigitsAt(piece, start, piece.size() - start) ||
        piece.size() - start > 9) {
        return std::nullopt;
    }
    return xs::DigitsValue(piece, start, piece.size() - start);
}

std::optional<TDateTime> TryReadDottedDate(std::string_view text) {
    std::size_t firstDot = text.find('.');
    std::size_t secondDot = firstDot == std::string_view::npos ? firstDot : text.find('.', firstDot + 1);
    if (secondDot == std::string_view::npos) {
        return std::nullopt;
    }
    auto day = ReadPiece(text.substr(0, firstDot));
    auto month = ReadPiece(text.substr(firstDot + 1, secondDot - firstDot - 1));
    auto year = ReadPiece(text.substr(secondDot + 1));
    TDateTime result = 0;
    if (!day || !month || !year || !TryEncodeDate(*year, *month, *day, result)) {
        return std::nullopt;
    }
    return result;
}

}  // namespace

TDateTime DottedDateToDateTime(std::string_view text) {
    if (auto date = TryReadDottedDate(text)) {
        return *date;
    }
    throw EConvertError(Format("'%s' is not a valid date", {text}));
}
