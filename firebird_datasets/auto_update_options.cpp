#include "firebird_datasets/auto_update_options.h"

#include "firebird/string_list_utils.h"
#include "firebird/strings_property.h"
#include "platform/rtl/reader.h"

TAutoUpdateOptions::TAutoUpdateOptions(TComponent* owner, const TFIBDatasetsSettings& settings)
    : owner_(owner), settings_(settings), paramsToFieldsLinks_(std::make_unique<TStringList>()) {}

const TPropertyList& TAutoUpdateOptions::Published() {
    using T = TAutoUpdateOptions;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .String("UpdateTableName", &T::UpdateTableName, &T::SetUpdateTableName)
            .String("KeyFields", &T::KeyFields, &T::SetKeyFields)
            .Boolean("AutoReWriteSqls", &T::AutoReWriteSqls, &T::SetAutoReWriteSqls)
            .Default(false)
            .Boolean("CanChangeSQLs", &T::CanChangeSQLs, &T::SetCanChangeSQLs)
            .Default(false)
            .String("GeneratorName", &T::GeneratorName, &T::SetGeneratorName)
            .Boolean("UpdateOnlyModifiedFields", &T::UpdateOnlyModifiedFields,
                     &T::SetUpdateOnlyModifiedFields)
            .Default(false)
            .Enum("WhenGetGenID", &T::WhenGetGenID, &T::SetWhenGetGenID,
                  {"wgNever", "wgOnNewRecord", "wgBeforePost"})
            .Default(wgNever)
            .Integer("GeneratorStep", &T::GeneratorStep, &T::SetGeneratorStep)
            .Default(1)
            .Boolean("AutoParamsToFields", &T::AutoParamsToFields, &T::SetAutoParamsToFields)
            .Default(false);
    return list;
}

void TAutoUpdateOptions::SetUpdateTableName(const std::string& name) {
    if (!name.empty() && name.front() == '"')
        updateTableName_ = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
    else
        updateTableName_ = name;
    if (generatorName_.empty() && whenGetGenID_ != wgNever)
        generatorName_ = settings_.GeneratorPrefix + updateTableName_ + settings_.GeneratorSuffix;
}

void TAutoUpdateOptions::SetUpdateOnlyModifiedFields(bool value) {
    updateOnlyModifiedFields_ = value && autoReWriteSqls_ && canChangeSQLs_;
}

void TAutoUpdateOptions::SetParamsToFieldsLinks(const TStrings& lines) {
    paramsToFieldsLinks_->Assign(lines);
    DeleteEmptyStrings(*paramsToFieldsLinks_);
}

void TAutoUpdateOptions::SetSelectGenID(bool value) {
    if (!value || whenGetGenID_ == wgNever)
        whenGetGenID_ = value ? wgBeforePost : wgNever;
}

void TAutoUpdateOptions::ReadSelectGenID(bool value) {
    selectGenID_ = value;
    whenGetGenID_ = value ? wgBeforePost : wgNever;
}

void TAutoUpdateOptions::ReadGenBeforePost(bool value) {
    genBeforePost_ = value;
    if (selectGenID_)
        whenGetGenID_ = value ? wgBeforePost : wgOnNewRecord;
}

void TAutoUpdateOptions::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    DefineLinesProperty(
        filer, "ParamsToFieldsLinks", *paramsToFieldsLinks_,
        [this](const TStrings& lines) { SetParamsToFieldsLinks(lines); }, paramsToFieldsLinks_->Count() > 0);
    filer.DefineProperty(
        "SelectGenID", [this](TReader& reader) { ReadSelectGenID(reader.ReadBoolean()); }, {}, false);
    filer.DefineProperty(
        "GenBeforePost", [this](TReader& reader) { ReadGenBeforePost(reader.ReadBoolean()); }, {}, false);
}

void TAutoUpdateOptions::AssignTo(TPersistent& dest) const {
    auto* target = dynamic_cast<TAutoUpdateOptions*>(&dest);
    if (target == nullptr) {
        TPersistent::AssignTo(dest);
        return;
    }
    target->updateTableName_ = updateTableName_;
    target->keyFields_ = keyFields_;
    target->autoReWriteSqls_ = autoReWriteSqls_;
    target->canChangeSQLs_ = canChangeSQLs_;
    target->generatorName_ = generatorName_;
    target->generatorStep_ = generatorStep_;
    target->selectGenID_ = selectGenID_;
    target->genBeforePost_ = genBeforePost_;
    target->updateOnlyModifiedFields_ = updateOnlyModifiedFields_;
    target->whenGetGenID_ = whenGetGenID_;
    target->paramsToFieldsLinks_->Assign(*paramsToFieldsLinks_);
}
