#include "firebird_datasets/dataset_info_collect.h"

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird_datasets/auto_update_options.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/metadata_queries.h"
#include "firebird_datasets/repository.h"

namespace {

const std::string& DBNameOf(IFIBRepositoryDataSet& dataSet) {
    static const std::string none;
    const TFIBDatabase* database = dataSet.RepositoryDataSet().Database();
    return database != nullptr ? database->DBName() : none;
}

// The stored text replaces the dataset's when it is set and differs.
void TakeText(const TStrings& stored, TStrings& text) {
    if (stored.Count() > 0 && stored.Text() != text.Text())
        text.Assign(stored);
}

void TakeSelectText(const TStrings& stored, TFIBCustomDataSet& dataSet) {
    if (stored.Count() == 0)
        return;
    // Applied conditions changed the select text: its base is what the stored text stands for.
    const TConditions& conditions = dataSet.Conditions();
    const std::string current = conditions.Applied() ? conditions.BaseSQLText() : dataSet.SelectSQL().Text();
    if (current != stored.Text())
        dataSet.SetSelectSQL(stored);
}

void TakeUpdateOptions(const TpDataSetInfo& info, TAutoUpdateOptions& options) {
    options.SetSelectGenID(!info.KeyField.empty() && !info.GeneratorName.empty());
    options.SetKeyFields(info.KeyField);
    options.SetGeneratorName(info.GeneratorName);
    options.SetUpdateOnlyModifiedFields(info.UpdateOnlyModifiedFields);
    options.SetUpdateTableName(info.UpdateTableName);
}

}  // namespace

auto TpDataSetInfoCollect::Find(IFIBRepositoryDataSet& dataSet) const -> TEntries::const_iterator {
    const std::string& dbName = DBNameOf(dataSet);
    const auto [first, last] = entries_.equal_range(dataSet.RepositoryId());
    for (auto entry = first; entry != last; ++entry)
        if (entry->second->DBName == dbName)
            return entry;
    return entries_.end();
}

TpDataSetInfo* TpDataSetInfoCollect::FindDataSetInfo(IFIBRepositoryDataSet& dataSet) const {
    const std::lock_guard guard(lock_);
    const auto found = Find(dataSet);
    return found == entries_.end() ? nullptr : found->second.get();
}

TpDataSetInfo* TpDataSetInfoCollect::GetDataSetInfo(IFIBRepositoryDataSet& dataSet) {
    if (dataSet.RepositoryDataSet().Database() == nullptr || dataSet.RepositoryId() == 0)
        return nullptr;
    const std::lock_guard guard(lock_);
    auto found = Find(dataSet);
    if (found != entries_.end() && revalidate_ && found->second->NotValidated &&
        !StillCurrent(dataSet, *found->second)) {
        entries_.erase(found);
        found = entries_.end();
    }
    if (found != entries_.end())
        return found->second.get();
    auto info = std::make_unique<TpDataSetInfo>(dataSet);
    ReadDataSetRepositoryInfo(repository_, dataSet, info.get());
    return entries_.emplace(info->DataSetId, std::move(info))->second.get();
}

bool TpDataSetInfoCollect::StillCurrent(IFIBRepositoryDataSet& dataSet, TpDataSetInfo& info) {
    info.NotValidated = false;
    try {
        return GetRepositoryVersion(dataSet).value_or(0) == info.Version;
    } catch (const Exception&) {
        return true;  // a table without versions can't tell: the description is kept
    }
}

std::optional<int> TpDataSetInfoCollect::GetRepositoryVersion(IFIBRepositoryDataSet& dataSet) {
    TFIBTransaction* transaction = dataSet.RepositoryDataSet().Transaction();
    if (transaction == nullptr)
        return std::nullopt;
    TPooledStatement statement(repository_.Queries(), *transaction,
                               "SELECT FIB$VERSION FROM FIB$DATASETS_INFO WHERE DS_ID=:DS_ID");
    TFIBQuery& row = statement.Run(std::to_string(dataSet.RepositoryId()));
    if (row.Eof())
        return std::nullopt;
    TFIBXSQLVAR& version = row.GetFieldByIndex(0);
    return version.ReadIsNull() ? 0 : version.ReadAsInteger();
}

void TpDataSetInfoCollect::ApplyToDataSet(IFIBRepositoryDataSet& dataSet) {
    const std::lock_guard guard(lock_);
    TFIBCustomDataSet& target = dataSet.RepositoryDataSet();
    // In the designer the stored description may just have changed.
    if (target.ComponentState().Contains(csDesigning))
        ClearDataSetInfo(dataSet);
    const TpDataSetInfo* info = GetDataSetInfo(dataSet);
    if (info == nullptr)
        return;
    TakeSelectText(info->SelectSQL, target);
    TakeText(info->InsertSQL, target.InsertSQL());
    TakeText(info->UpdateSQL, target.UpdateSQL());
    TakeText(info->DeleteSQL, target.DeleteSQL());
    TakeText(info->RefreshSQL, target.RefreshSQL());
    TakeUpdateOptions(*info, dataSet.RepositoryUpdateOptions());
    target.Conditions().SetAsText(info->Conditions);
    dataSet.SetRepositoryDescription(info->Description);
}

void TpDataSetInfoCollect::ClearDataSetInfo(IFIBRepositoryDataSet& dataSet) {
    const std::lock_guard guard(lock_);
    if (const auto found = Find(dataSet); found != entries_.end())
        entries_.erase(found);
}

void TpDataSetInfoCollect::Clear() {
    const std::lock_guard guard(lock_);
    entries_.clear();
}

int TpDataSetInfoCollect::Count() const {
    const std::lock_guard guard(lock_);
    return static_cast<int>(entries_.size());
}

void TpDataSetInfoCollect::SetRevalidate(bool value) {
    const std::lock_guard guard(lock_);
    revalidate_ = value;
    if (value)
        for (auto& [id, info] : entries_) info->NotValidated = true;
}
