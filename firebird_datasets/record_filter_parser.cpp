// The record filter's parser, built over any dataset.
#include "firebird_datasets/record_filter_parser.h"

#include <vector>

#include "firebird/date_text.h"
#include "firebird/wildcards.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"

namespace {

// Turns the calculated fields into internally calculated ones for its lifetime.
class TCalcFieldsAsInternal {
  public:
    explicit TCalcFieldsAsInternal(TDataSet& dataSet) {
        for (int i = 0; i < dataSet.Fields().Count(); ++i)
            if (TField* field = dataSet.Fields().Fields(i); field->FieldKind == fkCalculated) {
                field->FieldKind = fkInternalCalc;
                turned_.push_back(field);
            }
    }
    ~TCalcFieldsAsInternal() {
        for (TField* field : turned_) field->FieldKind = fkCalculated;
    }
    TCalcFieldsAsInternal(const TCalcFieldsAsInternal&) = delete;
    TCalcFieldsAsInternal& operator=(const TCalcFieldsAsInternal&) = delete;

  private:
    std::vector<TField*> turned_;
};

}  // namespace

std::unique_ptr<TExpressionParser> MakeRecordFilterParser(TDataSet& dataSet, const std::string& text,
                                                          TFilterOptions options) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return nullptr;
    TCalcFieldsAsInternal calculated(dataSet);
    return std::make_unique<TExpressionParser>(dataSet, MatchLikePattern, StrToDateTimeByFormat, options,
                                               TParserOptions{}, trimmed);
}
