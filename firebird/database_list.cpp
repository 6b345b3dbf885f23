#include <algorithm>
#include <utility>

#include "firebird/database.h"

namespace {

// What the process keeps of all its databases: the list, the default database and the login hook.
struct DatabaseRegistry {
    TFIBDatabaseList List;
    TFIBDatabase* DefaultDatabase = nullptr;
    TLoginDialogHook LoginHook;
};

DatabaseRegistry& Registry() {
    static DatabaseRegistry registry;
    return registry;
}

}  // namespace

void TFIBDatabaseList::Add(TFIBDatabase* database) {
    std::lock_guard guard(lock_);
    items_.push_back(database);
}

void TFIBDatabaseList::Remove(TFIBDatabase* database) {
    std::lock_guard guard(lock_);
    std::erase(items_, database);
}

std::vector<TFIBDatabase*> TFIBDatabaseList::Items() const {
    std::lock_guard guard(lock_);
    return items_;
}

void TFIBDatabaseList::CloseAll() {
    std::lock_guard guard(lock_);
    for (TFIBDatabase* database : std::vector<TFIBDatabase*>(items_)) database->Close();
}

TFIBDatabaseList& DatabaseList() {
    return Registry().List;
}

void CloseAllDatabases() {
    DatabaseList().CloseAll();
}

TFIBDatabase* GlobalDefaultDatabase() {
    return Registry().DefaultDatabase;
}

void SetGlobalDefaultDatabase(TFIBDatabase* database) {
    Registry().DefaultDatabase = database;
}

TLoginDialogHook SetLoginDialogHook(TLoginDialogHook hook) {
    return std::exchange(Registry().LoginHook, std::move(hook));
}

const TLoginDialogHook& LoginDialogHook() {
    return Registry().LoginHook;
}
