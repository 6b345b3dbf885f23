// The record filter's parser, built from the filter text and options, and filtering again
// around the current record.
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_quiet.h"
#include "firebird_datasets/record_filter_parser.h"

void TFIBCustomDataSet::PrepareFilterParser() {
    filterParser_ = MakeRecordFilterParser(*this, Filter(), FilterOptions());
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
            filterParser_ = MakeRecordFilterParser(*this, text, options);
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
    // A current record the filter now hides gives way to the first shown one: repositioning on it
    // would look for a shown record after it, and there may be none.
    if (!IsEmpty() && !RecordIsVisible(ActiveBuffer())) {
        First();
        return;
    }
    const int recNo = RecNo();
    RepositionByBookmark();
    if (RecNo() != recNo)
        First();
}

void TFIBCustomDataSet::RepositionByBookmark() {
    const TBookmark bookmark = GetBookmark();
    const bool atEof = Eof();
    fibds::Quietly(*this, [&] {
        if (bookmark.empty())
            First();
        else
            GotoBookmark(bookmark);
        if (atEof)
            Next();
    });
}
