// Cell texts written into the grid's RTF and CSV exports, from any bytes: the RTF form is plain
// ASCII whose braces and backslashes all come in escapes, and read back it gives the text again
// (line breaks as LF; bytes that are no UTF-8 as U+FFFD). A quoted CSV cell reads back as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data_grid/grid_export.h"

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The text an RTF reader makes of an escaped run; aborts on anything the run may not hold.
std::string ReadRtf(const std::string& rtf) {
    std::string out;
    char32_t high = 0;
    for (std::size_t i = 0; i < rtf.size();) {
        const auto c = static_cast<unsigned char>(rtf[i]);
        Check(c >= 0x20 && c < 0x7F && c != '{' && c != '}');
        if (c != '\\') {
            Check(high == 0);
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        Check(i + 1 < rtf.size());
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
            i += 2;
        } else if (rtf.compare(i, 6, "\\line ") == 0) {
            out += '\n';
            i += 6;
        } else if (rtf.compare(i, 5, "\\tab ") == 0) {
            out += '\t';
            i += 5;
        } else if (next == '\'') {
            out += static_cast<char>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
            i += 4;
        } else {
            Check(next == 'u');
            const std::size_t mark = rtf.find('?', i);
            Check(mark != std::string::npos);
            const int value = std::stoi(rtf.substr(i + 2, mark - i - 2));
            Check(value >= -32768 && value <= 32767);
            const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(value));
            i = mark + 1;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                Check(high == 0);
                high = unit;
                continue;
            }
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                Check(high != 0);
                AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                high = 0;
                continue;
            }
            Check(high == 0 && unit >= 0x80);
            AppendUtf8(out, unit);
        }
    }
    Check(high == 0);
    return out;
}

// CR LF and lone CR as LF, as the RTF form writes every line break.
std::string UnixLines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Unquoted(const std::string& cell) {
    Check(cell.size() >= 2 && cell.front() == '"' && cell.back() == '"');
    std::string out;
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
        out += cell[i];
        if (cell[i] == '"') {
            Check(cell[i + 1] == '"');
            ++i;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string read = ReadRtf(RtfText(text));
    // Wherever the reader found no replacement character, it has the text exactly.
    if (read.find("\xEF\xBF\xBD") == std::string::npos)
        Check(read == UnixLines(text));
    Check(Unquoted(QuotedCellText(text)) == text);
    return 0;
}
