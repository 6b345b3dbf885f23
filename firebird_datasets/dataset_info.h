#pragma once
// A dataset's description kept in the database: the FIB$DATASETS_INFO row of its number holds its
// SQL texts, key fields, generator, update settings and conditions, so that many programs share
// one definition of the dataset. Read into a TpDataSetInfo, and written back from the dataset.
#include <functional>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TAutoUpdateOptions;
class TFIBCustomDataSet;
class TpFIBRepository;

// What the repository reads from, and gives to, a dataset with a number in FIB$DATASETS_INFO.
class IFIBRepositoryDataSet {
  public:
    virtual ~IFIBRepositoryDataSet() = default;
    virtual TFIBCustomDataSet& RepositoryDataSet() = 0;
    virtual int RepositoryId() const = 0;  // the dataset's DataSet_ID
    virtual TAutoUpdateOptions& RepositoryUpdateOptions() = 0;
    virtual std::string RepositoryDescription() const = 0;
    virtual void SetRepositoryDescription(const std::string& text) = 0;
};

class TpDataSetInfo : public TObject {
  public:
    // Raises when the dataset's database is missing or has no name.
    explicit TpDataSetInfo(IFIBRepositoryDataSet& dataSet);
    std::string ClassName() const override { return "TpDataSetInfo"; }

    int DataSetId;
    std::string DBName;
    TStringList SelectSQL;
    TStringList InsertSQL;
    TStringList UpdateSQL;
    TStringList DeleteSQL;
    TStringList RefreshSQL;
    std::string KeyField;
    std::string GeneratorName;
    std::string Description;
    int Version = 0;
    std::string UpdateTableName;
    bool UpdateOnlyModifiedFields = false;
    std::string Conditions;  // the conditions' text form
    bool NotValidated = false;
};

// Asks the user for a text: caption, prompt, and the text to edit; false when the user cancels.
using TDescriptionQuery =
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& text)>;

// With an info: fills it from the dataset's row (nothing when there is none). Without one: saves
// the dataset's settings into its row, made when missing, after asking for the description (the
// current one is kept when there is nobody to ask; a cancel saves nothing). Raises when the dataset
// has no number or database, or its database does not use or have FIB$DATASETS_INFO.
void ReadDataSetRepositoryInfo(TpFIBRepository& repository, IFIBRepositoryDataSet& dataSet,
                               TpDataSetInfo* info, const TDescriptionQuery& askDescription = {});
