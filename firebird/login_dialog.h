#pragma once
// The database login dialog without its window: what it shows, what it starts with and what it
// gives back. The window system supplies the view that shows it as a modal, centred dialog box
// and returns true on OK; this library never links the window system.
#include <functional>
#include <string>
#include <string_view>

#include "firebird/database.h"

struct TDBLoginDialogModel {
    // "Database login", the bold "Database:" over the name, the three edit labels and the buttons.
    std::string Caption;
    std::string DatabaseLabel;
    std::string DatabaseName;  // shortened to fit
    std::string UserNameLabel;
    std::string PasswordLabel;
    std::string RoleLabel;
    std::string OkCaption;      // the default button
    std::string CancelCaption;  // the cancel button
    char PasswordChar = '*';
    // The edits; the password edit starts empty and has the focus.
    std::string UserName;
    std::string Password;
    std::string Role;
};

// A name longer than 45 characters: its first 10, "..." and its last 33; a shorter one whole.
std::string ShortDatabaseName(std::string_view name);

using TLoginDialogView = std::function<bool(TDBLoginDialogModel& dialog)>;

class TDBLoginDialog {
  public:
    explicit TDBLoginDialog(TLoginDialogView view) : view_(std::move(view)) {}
    // On OK the three edits are returned and the result is true; on Cancel nothing changes.
    bool Show(const std::string& dbName, std::string& userName, std::string& password,
              std::string& role) const;

  private:
    TLoginDialogView view_;
};

// Makes the dialog the process's login hook for its lifetime; the previous hook comes back after.
class TDBLoginDialogInstaller {
  public:
    explicit TDBLoginDialogInstaller(TLoginDialogView view);
    ~TDBLoginDialogInstaller();
    TDBLoginDialogInstaller(const TDBLoginDialogInstaller&) = delete;
    TDBLoginDialogInstaller& operator=(const TDBLoginDialogInstaller&) = delete;

  private:
    TLoginDialogHook previous_;
};
