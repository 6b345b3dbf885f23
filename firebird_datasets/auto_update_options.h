#pragma once
// How a dataset generates its modify statements and when it fetches generator values.
#include <memory>
#include <string>

#include "firebird_datasets/datasets_settings.h"
#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

enum TWhenGetGenID { wgNever, wgOnNewRecord, wgBeforePost };

class TAutoUpdateOptions : public TPersistent {
  public:
    explicit TAutoUpdateOptions(TComponent* owner,
                                const TFIBDatasetsSettings& settings = FIBDatasetsSettings());
    std::string ClassName() const override { return "TAutoUpdateOptions"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    const std::string& UpdateTableName() const { return updateTableName_; }
    // A quoted name loses its quotes; a generator name is made for it when none is set and the
    // generator is to be used.
    void SetUpdateTableName(const std::string& name);
    const std::string& KeyFields() const { return keyFields_; }
    void SetKeyFields(const std::string& value) { keyFields_ = value; }
    bool AutoReWriteSqls() const { return autoReWriteSqls_; }
    void SetAutoReWriteSqls(bool value) { autoReWriteSqls_ = value; }
    bool CanChangeSQLs() const { return canChangeSQLs_; }
    void SetCanChangeSQLs(bool value) { canChangeSQLs_ = value; }
    const std::string& GeneratorName() const { return generatorName_; }
    void SetGeneratorName(const std::string& value) { generatorName_ = value; }
    bool UpdateOnlyModifiedFields() const { return updateOnlyModifiedFields_; }
    // Holds only while the statements are regenerated and may replace the user's texts.
    void SetUpdateOnlyModifiedFields(bool value);
    TWhenGetGenID WhenGetGenID() const { return whenGetGenID_; }
    void SetWhenGetGenID(TWhenGetGenID value) { whenGetGenID_ = value; }
    int GeneratorStep() const { return generatorStep_; }
    void SetGeneratorStep(int value) { generatorStep_ = value; }
    TStrings& ParamsToFieldsLinks() const { return *paramsToFieldsLinks_; }
    void SetParamsToFieldsLinks(const TStrings& lines);  // empty lines are dropped
    bool AutoParamsToFields() const { return autoParamsToFields_; }
    void SetAutoParamsToFields(bool value) { autoParamsToFields_ = value; }

    // Older stored forms: SelectGenID and GenBeforePost, read into WhenGetGenID and never written.
    bool GetSelectGenID() const { return whenGetGenID_ != wgNever; }
    void SetSelectGenID(bool value);
    bool GenBeforePost() const { return genBeforePost_; }
    void ReadSelectGenID(bool value);
    void ReadGenBeforePost(bool value);

  protected:
    void AssignTo(TPersistent& dest) const override;
    void DefineProperties(TFiler& filer) override;

  private:
    TComponent* owner_;
    const TFIBDatasetsSettings& settings_;
    std::string updateTableName_;
    std::string keyFields_;
    bool autoReWriteSqls_ = false;
    bool canChangeSQLs_ = false;
    std::string generatorName_;
    bool updateOnlyModifiedFields_ = false;
    TWhenGetGenID whenGetGenID_ = wgNever;
    int generatorStep_ = 1;
    std::unique_ptr<TStringList> paramsToFieldsLinks_;
    bool autoParamsToFields_ = false;
    bool selectGenID_ = false;  // as the older form last gave it
    bool genBeforePost_ = true;
};
