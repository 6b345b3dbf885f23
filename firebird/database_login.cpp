// Asking for the user name, password and role before attaching.
#include <array>

#include "firebird/database.h"
#include "firebird/db_param_lines.h"
#include "firebird/library_texts.h"

namespace {

constexpr std::array<const char*, 3> kLoginParams = {"user_name", "password", "sql_role_name"};

// The text after the first "=", or the whole line when it has none.
std::string LineValue(const std::string& line) {
    const auto eq = line.find('=');
    return eq == std::string::npos ? line : line.substr(eq + 1);
}

}  // namespace

bool TFIBDatabase::Login() {
    const TLoginDialogHook& hook = LoginDialogHook();
    if (!hook)
        throw Exception(std::string(SLoginDialogNotFound) + SAddLoginDialogUnit);
    std::array<std::string, 3> values;
    for (std::size_t i = 0; i < kLoginParams.size(); ++i) {
        const int index = DBParamIndex(dbParams_, kLoginParams[i]);
        if (index >= 0)
            values[i] = LineValue(dbParams_.Get(index));
    }
    if (!hook(dbName_, values[0], values[1], values[2]))
        return false;
    for (std::size_t i = 0; i < kLoginParams.size(); ++i) {
        const std::string line = std::string(kLoginParams[i]) + "=" + values[i];
        const int index = DBParamIndex(dbParams_, kLoginParams[i]);
        if (index >= 0)
            dbParams_.Put(index, line);
        else
            dbParams_.Add(line);
    }
    return true;
}
