#include "firebird/param_blocks.h"

#include <ibase.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "firebird/fib_errors.h"
#include "firebird/param_block_names.h"
#include "firebird/str_basics.h"
#include "platform/rtl/numbers.h"

namespace {

constexpr std::size_t kMaxClusterLength = 255;  // a cluster's length is one byte

struct ParamLine {
    std::string name;  // lower case, prefix dropped
    std::string value;
};

// The line at index, trimmed in the list; nothing for an empty line.
std::optional<ParamLine> ReadParamLine(TStrings& lines, int index, std::string_view prefix) {
    std::string text = lines[index];
    TrimInPlace(text);
    if (text != lines[index])
        lines.Put(index, text);
    if (text.empty())
        return std::nullopt;
    const std::size_t equals = text.find('=');
    ParamLine line{text.substr(0, equals), equals == std::string::npos ? "" : text.substr(equals + 1)};
    AsciiLowerCaseInPlace(line.name);
    if (line.name.starts_with(prefix))
        line.name.erase(0, prefix.size());
    return line;
}

void AppendByte(std::string& block, int value) {
    block += static_cast<char>(static_cast<unsigned char>(value));
}

// The server reads a numeric cluster of 1 to 4 bytes, low byte first, as a signed number: the
// narrowest width that keeps the value whole. So 200 takes two bytes; in one it would read as -56.
int SignedWidth(std::int32_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX)
        return 1;
    if (value >= INT16_MIN && value <= INT16_MAX)
        return 2;
    return 4;
}

void AppendNumber(std::string& block, int code, std::int32_t value, int width) {
    AppendByte(block, code);
    AppendByte(block, width);
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < width; ++i) AppendByte(block, static_cast<int>((bits >> (8 * i)) & 0xFF));
}

// Code, one length byte, the text; false when the text is too long for its length byte.
bool AppendText(std::string& block, int code, std::string_view text) {
    if (text.size() > kMaxClusterLength)
        return false;
    AppendByte(block, code);
    AppendByte(block, static_cast<int>(text.size()));
    block += text;
    return true;
}

// ---- DPB ----

enum class DpbKind { Text, Number, Sweep, Int32, Switch, Unsupported };

DpbKind DpbKindOf(int code) {
    switch (code) {
        case isc_dpb_license:
        case isc_dpb_sys_user_name:
        case isc_dpb_encrypt_key:
        case isc_dpb_user_name:
        case isc_dpb_password:
        case isc_dpb_password_enc:
        case isc_dpb_lc_messages:
        case isc_dpb_lc_ctype:
        case isc_dpb_sql_role_name:
        case isc_dpb_sql_dialect:
            return DpbKind::Text;
        case isc_dpb_num_buffers:
        case isc_dpb_verify:
        case isc_dpb_dbkey_scope:
        case isc_dpb_damaged:
        case isc_dpb_force_write:
        case isc_dpb_no_reserve:
        case isc_dpb_connect_timeout:
        case isc_dpb_dummy_packet_interval:
            return DpbKind::Number;
        case isc_dpb_sweep:
            return DpbKind::Sweep;
        case isc_dpb_sweep_interval:
            return DpbKind::Int32;
        case isc_dpb_garbage_collect:
        case isc_dpb_no_garbage_collect:
        case isc_dpb_activate_shadow:
        case isc_dpb_delete_shadow:
        case isc_dpb_begin_log:
        case isc_dpb_quit_log:
            return DpbKind::Switch;
        default:
            return DpbKind::Unsupported;
    }
}

// The dialect goes as the digit's value, not its character.
std::string DpbText(int code, std::string value) {
    if (code == isc_dpb_sql_dialect && !value.empty())
        value[0] = static_cast<char>(value[0] - '0');
    return value;
}

[[noreturn]] void RaiseDpbUnsupported(int code) {
    RaiseClientError(fceDPBConstantNotSupported, {DpbParameterName(code)});
}

void AppendDpbCluster(std::string& block, const ParamLine& line) {
    const int code = DpbParameterCode(line.name);
    if (code == 0)
        RaiseClientError(fceDPBConstantUnknown, {line.name});
    switch (DpbKindOf(code)) {
        case DpbKind::Text:
            if (!AppendText(block, code, DpbText(code, line.value)))
                RaiseDpbUnsupported(code);
            break;
        case DpbKind::Number: {
            const std::int32_t value = StrToInt(line.value);
            AppendNumber(block, code, value, SignedWidth(value));
            break;
        }
        case DpbKind::Sweep:
            AppendNumber(block, code, isc_dpb_records, 1);
            break;
        case DpbKind::Int32:
            AppendNumber(block, code, StrToInt(line.value), 4);
            break;
        case DpbKind::Switch:
            AppendNumber(block, code, 0, 1);
            break;
        case DpbKind::Unsupported:
            RaiseDpbUnsupported(code);
    }
}

// ---- TPB ----

enum class TpbKind { Plain, TableLock, Number, Unsupported };

TpbKind TpbKindOf(int code) {
    switch (code) {
        case isc_tpb_consistency:
        case isc_tpb_concurrency:
        case isc_tpb_shared:
        case isc_tpb_protected:
        case isc_tpb_exclusive:
        case isc_tpb_wait:
        case isc_tpb_nowait:
        case isc_tpb_read:
        case isc_tpb_write:
        case isc_tpb_ignore_limbo:
        case isc_tpb_read_committed:
        case isc_tpb_rec_version:
        case isc_tpb_no_rec_version:
            return TpbKind::Plain;
        case isc_tpb_lock_read:
        case isc_tpb_lock_write:
            return TpbKind::TableLock;
        case isc_tpb_lock_timeout:
            return TpbKind::Number;
        default:
            return TpbKind::Unsupported;
    }
}

[[noreturn]] void RaiseTpbUnsupported(int code) {
    RaiseClientError(fceTPBConstantNotSupported, {TpbParameterName(code)});
}

void AppendTpbCluster(std::string& block, const ParamLine& line) {
    const int code = TpbParameterCode(line.name);
    if (code == 0)
        RaiseClientError(fceTPBConstantUnknown, {line.name});
    switch (TpbKindOf(code)) {
        case TpbKind::Plain:
            AppendByte(block, code);
            break;
        case TpbKind::TableLock:
            if (!AppendText(block, code, line.value))
                RaiseTpbUnsupported(code);
            break;
        case TpbKind::Number: {
            const std::int32_t value = StrToInt(line.value);
            AppendNumber(block, code, value, SignedWidth(value));
            break;
        }
        case TpbKind::Unsupported:
            RaiseTpbUnsupported(code);
    }
}

}  // namespace

std::string BuildDPB(TStrings& lines) {
    std::string block(1, static_cast<char>(isc_dpb_version1));
    for (int i = 0; i < lines.Count(); ++i)
        if (const auto line = ReadParamLine(lines, i, "isc_dpb_"))
            AppendDpbCluster(block, *line);
    return block;
}

std::string BuildTPB(TStrings& lines) {
    if (lines.Count() == 0)
        return {};
    std::string block(1, static_cast<char>(isc_tpb_version3));
    for (int i = 0; i < lines.Count(); ++i)
        if (const auto line = ReadParamLine(lines, i, "isc_tpb_"))
            AppendTpbCluster(block, *line);
    return block;
}
