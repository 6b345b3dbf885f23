// The record filter's parser, built from the filter text and options, and filtering again
// around the current record.
#include <vector>

#include "firebird/date_text.h"
#include "firebird/wildcards.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/strings.h"

namespace {

// A filter may name calculated fields: they count as internally calculated while it is parsed.
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

std::unique_ptr<TExpressionParser> TFIBCustomDataSet::MakeFilterParser(const std::string& text,
                                                                       TFilterOptions options) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return nullptr;
    TCalcFieldsAsInternal calculated(*this);
    return std::make_unique<TExpressionParser>(*this, MatchLikePattern, StrToDateTimeByFormat, options,
                                               TParserOptions{}, trimmed);
}

void TFIBCustomDataSet::PrepareFilterParser() {
    filterParser_ = MakeFilterParser(Filter(), FilterOptions());
}

void TFIBCustomDataSet::SetFilterText(const std::string& value) {
    SetFilterData(value, FilterOptions());
}

void TFIBCustomDataSet::SetFilterOptions(TFilterOptions value) {
    SetFilterData(Filter(), value);
}

void TFIBCustomDataSet::SetFilterData(const std::string& text, TFilterOptions options) {
    if (Active()) {
        CheckBrowseMode();
        if (text != Filter() || options != FilterOptions())
            filterParser_ = MakeFilterParser(text, options);
    } else {
        filterParser_.reset();
    }
    StoreFilterSettings(Filtered(), text, options);
    if (Active() && Filtered())
        First();
}

void TFIBCustomDataSet::ReapplyRecordFilter() {
    if (!Active() || ComponentState().Contains(csDestroying))
        return;
    CheckBrowseMode();
    const int recNo = RecNo();
    RepositionByBookmark();
    if (RecNo() != recNo)
        First();
}

void TFIBCustomDataSet::RepositionByBookmark() {
    const TBookmark bookmark = GetBookmark();
    const bool atEof = Eof();
    DisableControls();
    BeginInternalUpdate();
    try {
        if (bookmark.empty())
            First();
        else
            GotoBookmark(bookmark);
        if (atEof)
            Next();
    } catch (...) {
        EndInternalUpdate();
        EnableControls();
        throw;
    }
    EndInternalUpdate();
    EnableControls();
}
