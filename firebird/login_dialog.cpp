#include "firebird/login_dialog.h"

#include "firebird/library_texts.h"

std::string ShortDatabaseName(std::string_view name) {
    if (name.size() <= 45)
        return std::string(name);
    return std::string(name.substr(0, 10)) + "..." + std::string(name.substr(name.size() - 33));
}

bool TDBLoginDialog::Show(const std::string& dbName, std::string& userName, std::string& password,
                          std::string& role) const {
    TDBLoginDialogModel dialog{SLoginCaption,
                               SLoginDatabase,
                               ShortDatabaseName(dbName),
                               SLoginUserName,
                               SLoginPassword,
                               SLoginRole,
                               SLoginOk,
                               SLoginCancel,
                               '*',
                               userName,
                               "",
                               role};
    if (!view_ || !view_(dialog))
        return false;
    userName = dialog.UserName;
    password = dialog.Password;
    role = dialog.Role;
    return true;
}

TDBLoginDialogInstaller::TDBLoginDialogInstaller(TLoginDialogView view)
    : previous_(SetLoginDialogHook(
          [dialog = TDBLoginDialog(std::move(view))](const std::string& dbName, std::string& userName,
                                                     std::string& password, std::string& role) {
              return dialog.Show(dbName, userName, password, role);
          })) {}

TDBLoginDialogInstaller::~TDBLoginDialogInstaller() {
    SetLoginDialogHook(std::move(previous_));
}
