#include "firebird/param_block_names.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

const std::array<std::string_view, 67> DpbParameterNames = {
    "cdd_pathname",
    "allocation",
    "journal",
    "page_size",
    "num_buffers",
    "buffer_length",
    "debug",
    "garbage_collect",
    "verify",
    "sweep",
    "enable_journal",
    "disable_journal",
    "dbkey_scope",
    "number_of_users",
    "trace",
    "no_garbage_collect",
    "damaged",
    "license",
    "sys_user_name",
    "encrypt_key",
    "activate_shadow",
    "sweep_interval",
    "delete_shadow",
    "force_write",
    "begin_log",
    "quit_log",
    "no_reserve",
    "user_name",
    "password",
    "password_enc",
    "sys_user_name_enc",
    "interp",
    "online_dump",
    "old_file_size",
    "old_num_files",
    "old_file",
    "old_start_page",
    "old_start_seqno",
    "old_start_file",
    "drop_walfile",
    "old_dump_id",
    "wal_backup_dir",
    "wal_chkptlen",
    "wal_numbufs",
    "wal_bufsize",
    "wal_grp_cmt_wait",
    "lc_messages",
    "lc_ctype",
    "cache_manager",
    "shutdown",
    "online",
    "shutdown_delay",
    "reserved",
    "overwrite",
    "sec_attach",
    "disable_wal",
    "connect_timeout",
    "dummy_packet_interval",
    "gbak_attach",
    "sql_role_name",
    "set_page_buffers",
    "working_directory",
    "sql_dialect",
    "set_db_readonly",
    "set_db_sql_dialect",
    "gfix_attach",
    "gstat_attach",
};

const std::array<std::string_view, 21> TpbParameterNames = {
    "consistency",      "concurrency",  "shared",         "protected",  "exclusive",   "wait",
    "nowait",           "read",         "write",          "lock_read",  "lock_write",  "verb_time",
    "commit_time",      "ignore_limbo", "read_committed", "autocommit", "rec_version", "no_rec_version",
    "restart_requests", "no_auto_undo", "lock_timeout",
};

const std::array<std::string_view, 12> SpbParameterNames = {
    "user_name",
    "sys_user_name",
    "sys_user_name_enc",
    "password",
    "password_enc",
    "command_line",
    "db_name",
    "verbose",
    "options",
    "connect_timeout",
    "dummy_packet_interval",
    "sql_role_name",
};

namespace {

// A table's names in sorted order with their codes, for lookups by name.
class NameIndex {
  public:
    explicit NameIndex(std::span<const std::string_view> names) {
        entries_.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            entries_.emplace_back(names[i], static_cast<int>(i + 1));
        std::sort(entries_.begin(), entries_.end());
    }

    int CodeOf(std::string_view name) const {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), std::pair{name, 0});
        return it != entries_.end() && it->first == name ? it->second : 0;
    }

  private:
    std::vector<std::pair<std::string_view, int>> entries_;
};

std::string_view NameOf(std::span<const std::string_view> names, int code) {
    return code >= 1 && code <= static_cast<int>(names.size()) ? names[static_cast<std::size_t>(code - 1)]
                                                               : std::string_view();
}

}  // namespace

int DpbParameterCode(std::string_view name) {
    static const NameIndex index(DpbParameterNames);
    return index.CodeOf(name);
}

int TpbParameterCode(std::string_view name) {
    static const NameIndex index(TpbParameterNames);
    return index.CodeOf(name);
}

std::string_view DpbParameterName(int code) {
    return NameOf(DpbParameterNames, code);
}

std::string_view TpbParameterName(int code) {
    return NameOf(TpbParameterNames, code);
}
