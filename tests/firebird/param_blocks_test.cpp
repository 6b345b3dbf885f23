#include <gtest/gtest.h>
#include <ibase.h>

#include <string>
#include <vector>

#include "firebird/db_param_lines.h"
#include "firebird/fib_errors.h"
#include "firebird/param_block_names.h"
#include "firebird/param_blocks.h"

namespace {

TStringList Lines(std::initializer_list<std::string> lines) {
    TStringList list;
    for (const std::string& line : lines) list.Add(line);
    return list;
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

TEST(ParamBlockNames, EveryNameCarriesTheClientsCode) {
#define DPB(name) \
    { #name, isc_dpb_##name }
    const std::vector<std::pair<std::string_view, int>> dpb = {
        DPB(cdd_pathname),
        DPB(allocation),
        DPB(journal),
        DPB(page_size),
        DPB(num_buffers),
        DPB(buffer_length),
        DPB(debug),
        DPB(garbage_collect),
        DPB(verify),
        DPB(sweep),
        DPB(enable_journal),
        DPB(disable_journal),
        DPB(dbkey_scope),
        DPB(number_of_users),
        DPB(trace),
        DPB(no_garbage_collect),
        DPB(damaged),
        DPB(license),
        DPB(sys_user_name),
        DPB(encrypt_key),
        DPB(activate_shadow),
        DPB(sweep_interval),
        DPB(delete_shadow),
        DPB(force_write),
        DPB(begin_log),
        DPB(quit_log),
        DPB(no_reserve),
        DPB(user_name),
        DPB(password),
        DPB(password_enc),
        DPB(sys_user_name_enc),
        DPB(interp),
        DPB(online_dump),
        DPB(old_file_size),
        DPB(old_num_files),
        DPB(old_file),
        DPB(old_start_page),
        DPB(old_start_seqno),
        DPB(old_start_file),
        DPB(drop_walfile),
        DPB(old_dump_id),
        DPB(wal_backup_dir),
        DPB(wal_chkptlen),
        DPB(wal_numbufs),
        DPB(wal_bufsize),
        DPB(wal_grp_cmt_wait),
        DPB(lc_messages),
        DPB(lc_ctype),
        DPB(cache_manager),
        DPB(shutdown),
        DPB(online),
        DPB(shutdown_delay),
        DPB(reserved),
        DPB(overwrite),
        DPB(sec_attach),
        DPB(disable_wal),
        DPB(connect_timeout),
        DPB(dummy_packet_interval),
        DPB(gbak_attach),
        DPB(sql_role_name),
        DPB(set_page_buffers),
        DPB(working_directory),
        DPB(sql_dialect),
        DPB(set_db_readonly),
        DPB(set_db_sql_dialect),
        DPB(gfix_attach),
        DPB(gstat_attach),
    };
#undef DPB
    ASSERT_EQ(dpb.size(), DpbParameterNames.size());
    for (const auto& [name, code] : dpb) {
        EXPECT_EQ(DpbParameterCode(name), code) << name;
        EXPECT_EQ(DpbParameterName(code), name);
    }
#define TPB(name) \
    { #name, isc_tpb_##name }
    const std::vector<std::pair<std::string_view, int>> tpb = {
        TPB(consistency),  TPB(concurrency),    TPB(shared),           TPB(protected),
        TPB(exclusive),    TPB(wait),           TPB(nowait),           TPB(read),
        TPB(write),        TPB(lock_read),      TPB(lock_write),       TPB(verb_time),
        TPB(commit_time),  TPB(ignore_limbo),   TPB(read_committed),   TPB(autocommit),
        TPB(rec_version),  TPB(no_rec_version), TPB(restart_requests), TPB(no_auto_undo),
        TPB(lock_timeout),
    };
#undef TPB
    ASSERT_EQ(tpb.size(), TpbParameterNames.size());
    for (const auto& [name, code] : tpb) {
        EXPECT_EQ(TpbParameterCode(name), code) << name;
        EXPECT_EQ(TpbParameterName(code), name);
    }
    for (std::string_view name : {"", "User_Name", "isc_dpb_user_name", "user"})
        EXPECT_EQ(DpbParameterCode(name), 0) << name;
    EXPECT_EQ(DpbParameterName(0), "");
    EXPECT_EQ(DpbParameterName(68), "");
    EXPECT_EQ(SpbParameterNames.front(), "user_name");
    EXPECT_EQ(SpbParameterNames.back(), "sql_role_name");
}

TEST(BuildDPB, ClustersByTheParametersKind) {
    const std::string name255(255, 'n');
    const struct {
        std::initializer_list<std::string> lines;
        std::string block;  // after the version byte
    } cases[] = {
        {{"user_name=SYSDBA", "lc_ctype=WIN1251"},
         Bytes({isc_dpb_user_name, 6}) + "SYSDBA" + Bytes({isc_dpb_lc_ctype, 7}) + "WIN1251"},
        {{"password=masterkey"}, Bytes({isc_dpb_password, 9}) + "masterkey"},
        {{"ISC_DPB_USER_NAME=x", "user_name=x"},
         Bytes({isc_dpb_user_name, 1, 'x', isc_dpb_user_name, 1, 'x'})},
        {{"sql_role_name=R1", "sql_dialect=3"},
         Bytes({isc_dpb_sql_role_name, 2, 'R', '1', isc_dpb_sql_dialect, 1, 3})},
        {{"user_name==a b"}, Bytes({isc_dpb_user_name, 4}) + "=a b"},  // after the first "="
        {{"user_name"}, Bytes({isc_dpb_user_name, 0})},
        {{"sql_dialect="}, Bytes({isc_dpb_sql_dialect, 0})},
        {{"lc_messages=" + name255}, Bytes({isc_dpb_lc_messages, 255}) + name255},
        // Numbers in as few bytes as keep them whole, low byte first.
        {{"num_buffers=75"}, Bytes({isc_dpb_num_buffers, 1, 75})},
        {{"isc_dpb_num_buffers=300"}, Bytes({isc_dpb_num_buffers, 2, 44, 1})},
        {{"num_buffers=200"}, Bytes({isc_dpb_num_buffers, 2, 200, 0})},
        {{"num_buffers=70000"}, Bytes({isc_dpb_num_buffers, 4, 0x70, 0x11, 1, 0})},
        {{"connect_timeout=-1"}, Bytes({isc_dpb_connect_timeout, 1, 0xFF})},
        {{"dummy_packet_interval=-200"}, Bytes({isc_dpb_dummy_packet_interval, 2, 0x38, 0xFF})},
        {{"force_write=1", "no_reserve=0", "damaged=1", "verify=127", "dbkey_scope=1"},
         Bytes({isc_dpb_force_write, 1, 1, isc_dpb_no_reserve, 1, 0, isc_dpb_damaged, 1, 1, isc_dpb_verify, 1,
                127, isc_dpb_dbkey_scope, 1, 1})},
        {{"sweep_interval=20000"}, Bytes({isc_dpb_sweep_interval, 4, 32, 78, 0, 0})},
        {{"sweep_interval=5"}, Bytes({isc_dpb_sweep_interval, 4, 5, 0, 0, 0})},
        {{"sweep=whatever"}, Bytes({isc_dpb_sweep, 1, isc_dpb_records})},
        {{"garbage_collect", "no_garbage_collect=1", "activate_shadow", "delete_shadow", "begin_log",
          "quit_log"},
         Bytes({isc_dpb_garbage_collect, 1, 0, isc_dpb_no_garbage_collect, 1, 0, isc_dpb_activate_shadow, 1,
                0, isc_dpb_delete_shadow, 1, 0, isc_dpb_begin_log, 1, 0, isc_dpb_quit_log, 1, 0})},
        {{"", "  \t ", "  user_name=u  "}, Bytes({isc_dpb_user_name, 1, 'u'})},
        {{}, ""},
    };
    for (const auto& c : cases) {
        TStringList lines = Lines(c.lines);
        const std::string text = lines.Text();
        EXPECT_EQ(BuildDPB(lines), Bytes({isc_dpb_version1}) + c.block) << text;
    }
}

TEST(BuildDPB, TrimsTheLinesInTheList) {
    TStringList lines = Lines({" user_name=SYSDBA\t", "", "  "});
    BuildDPB(lines);
    EXPECT_EQ(lines.Text(), "user_name=SYSDBA\r\n\r\n\r\n");
}

// The client error a builder raised, or -1.
template <typename Build>
int ClientErrorOf(Build build, std::initializer_list<std::string> lineList, std::string& message) {
    TStringList lines = Lines(lineList);
    try {
        build(lines);
    } catch (const EFIBClientError& e) {
        message = e.Message;
        return e.SqlErrorCode;
    }
    return -1;
}

TEST(BuildDPB, RefusesWhatItCannotWrite) {
    const std::string long256(256, 'p');
    const struct {
        std::initializer_list<std::string> lines;
        int code;
        const char* message;
    } cases[] = {
        {{"page_size=4096"}, fceDPBConstantNotSupported, "DPB Constant (isc_dpb_page_size) is unsupported."},
        {{"isc_dpb_set_page_buffers=100"},
         fceDPBConstantNotSupported,
         "DPB Constant (isc_dpb_set_page_buffers) is unsupported."},
        {{"user=x"}, fceDPBConstantUnknown, "DPB Constant (user) is unknown."},
        {{"ISC_DPB_NO_SUCH=1"}, fceDPBConstantUnknown, "DPB Constant (no_such) is unknown."},
        {{"user_name = SYSDBA"}, fceDPBConstantUnknown, "DPB Constant (user_name ) is unknown."},
        {{"=x"}, fceDPBConstantUnknown, "DPB Constant () is unknown."},
        {{"%s%d=1"}, fceDPBConstantUnknown, "DPB Constant (%s%d) is unknown."},
        // A length byte cannot say 256: the rest would be read as further parameters.
        {{"user_name=SYSDBA", "password=" + long256},
         fceDPBConstantNotSupported,
         "DPB Constant (isc_dpb_password) is unsupported."},
        {{"sql_role_name=" + long256 + long256},
         fceDPBConstantNotSupported,
         "DPB Constant (isc_dpb_sql_role_name) is unsupported."},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(ClientErrorOf(BuildDPB, c.lines, message), c.code) << message;
        EXPECT_EQ(message, c.message);
    }
    for (const char* line :
         {"num_buffers=many", "num_buffers=", "sweep_interval=99999999999", "verify=1.5"}) {
        TStringList lines = Lines({line});
        EXPECT_THROW(BuildDPB(lines), EConvertError) << line;
    }
}

TEST(BuildDPB, StopsAtTheOffendingLine) {
    TStringList lines = Lines({" user_name=a ", "page_size=1", " lc_ctype=x "});
    EXPECT_THROW(BuildDPB(lines), EFIBClientError);
    EXPECT_EQ(lines[0], "user_name=a");
    EXPECT_EQ(lines[2], " lc_ctype=x ");
}

TEST(BuildTPB, ClustersByTheParametersKind) {
    const std::string table255(255, 'T');
    const struct {
        std::initializer_list<std::string> lines;
        std::string block;
    } cases[] = {
        {{"write", "nowait", "rec_version", "read_committed"},
         Bytes(
             {isc_tpb_version3, isc_tpb_write, isc_tpb_nowait, isc_tpb_rec_version, isc_tpb_read_committed})},
        {{"read", "lock_read=ORDERS"},
         Bytes({isc_tpb_version3, isc_tpb_read, isc_tpb_lock_read, 6}) + "ORDERS"},
        {{"ISC_TPB_CONSISTENCY", " isc_tpb_Wait ", "lock_write=T", "protected"},
         Bytes({isc_tpb_version3, isc_tpb_consistency, isc_tpb_wait, isc_tpb_lock_write, 1, 'T',
                isc_tpb_protected})},
        {{"concurrency", "shared", "exclusive", "ignore_limbo", "no_rec_version"},
         Bytes({isc_tpb_version3, isc_tpb_concurrency, isc_tpb_shared, isc_tpb_exclusive,
                isc_tpb_ignore_limbo, isc_tpb_no_rec_version})},
        {{"write=ignored"}, Bytes({isc_tpb_version3, isc_tpb_write})},
        {{"lock_write=" + table255}, Bytes({isc_tpb_version3, isc_tpb_lock_write, 255}) + table255},
        {{"lock_timeout=5"}, Bytes({isc_tpb_version3, isc_tpb_lock_timeout, 1, 5})},
        {{"lock_timeout=300"}, Bytes({isc_tpb_version3, isc_tpb_lock_timeout, 2, 44, 1})},
        {{"", "  ", "read"}, Bytes({isc_tpb_version3, isc_tpb_read})},
        {{"", " "}, Bytes({isc_tpb_version3})},
        {{}, ""},
    };
    for (const auto& c : cases) {
        TStringList lines = Lines(c.lines);
        const std::string text = lines.Text();
        EXPECT_EQ(BuildTPB(lines), c.block) << text;
    }
}

TEST(BuildTPB, RefusesWhatItCannotWrite) {
    const struct {
        std::initializer_list<std::string> lines;
        int code;
        const char* message;
    } cases[] = {
        {{"write", "verb_time"},
         fceTPBConstantNotSupported,
         "TPB Constant (isc_tpb_verb_time) is unsupported."},
        {{"isc_tpb_autocommit"},
         fceTPBConstantNotSupported,
         "TPB Constant (isc_tpb_autocommit) is unsupported."},
        {{"no_auto_undo"}, fceTPBConstantNotSupported, "TPB Constant (isc_tpb_no_auto_undo) is unsupported."},
        {{"readonly"}, fceTPBConstantUnknown, "TPB Constant (readonly) is unknown."},
        {{"isc_dpb_read"}, fceTPBConstantUnknown, "TPB Constant (isc_dpb_read) is unknown."},
        {{"lock_read=" + std::string(256, 'T')},
         fceTPBConstantNotSupported,
         "TPB Constant (isc_tpb_lock_read) is unsupported."},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(ClientErrorOf(BuildTPB, c.lines, message), c.code) << message;
        EXPECT_EQ(message, c.message);
    }
    TStringList lines = Lines({"lock_timeout=soon"});
    EXPECT_THROW(BuildTPB(lines), EConvertError);
}

TEST(DBParamLines, FoundByTheWholeParameterName) {
    const TStringList params = Lines({"isc_dpb_user_name=SYSDBA", "password_enc=xyz", "Password=secret",
                                      "sweep_interval=100", " lc_ctype = WIN1251", "sweep", "=orphan"});
    const struct {
        const char* name;
        int index;
    } indexes[] = {
        {"user_name", 0},
        {"USER_NAME", 0},
        {"isc_dpb_user_name", 0},
        {"password", 2},
        {"password_enc", 1},
        {"sweep", 5},
        {"sweep_interval", 3},
        {"lc_ctype", 4},
        {"user", -1},
        {"", -1},
        {"name", -1},
    };
    for (const auto& c : indexes) EXPECT_EQ(DBParamIndex(params, c.name), c.index) << c.name;

    const struct {
        int code;
        const char* value;
    } values[] = {
        {isc_dpb_user_name, "SYSDBA"},
        {isc_dpb_password, "secret"},
        {isc_dpb_password_enc, "xyz"},
        {isc_dpb_lc_ctype, " WIN1251"},
        {isc_dpb_sweep, ""},
        {isc_dpb_sql_role_name, ""},
        {0, ""},
        {68, ""},
        {-1, ""},
    };
    for (const auto& c : values) EXPECT_EQ(DBParamValue(params, c.code), c.value) << c.code;
}

TEST(DBParamLines, SettingReplacesAddsOrDeletesTheLine) {
    TStringList params = Lines({"password_enc=xyz", "isc_dpb_user_name=SYSDBA", "password=old"});
    SetDBParamValue(params, "user_name", "ADMIN");
    SetDBParamValueByCode(params, isc_dpb_lc_ctype, "UTF8");
    SetDBParamValue(params, "password", "");
    EXPECT_EQ(params.Text(), "password_enc=xyz\r\nuser_name=ADMIN\r\nlc_ctype=UTF8\r\n");
    SetDBParamValue(params, "sql_role_name", "");  // nothing to delete
    SetDBParamValue(params, "", "x");
    SetDBParamValueByCode(params, 0, "x");
    SetDBParamValueByCode(params, 99, "x");
    SetDBParamValueByCode(params, isc_dpb_password_enc, "");
    EXPECT_EQ(params.Text(), "user_name=ADMIN\r\nlc_ctype=UTF8\r\n");
}

}  // namespace
