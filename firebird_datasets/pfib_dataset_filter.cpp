// TpFIBDataSet's record filter: the status test, then the filter text, OnFilterRecord and
// DoExtendedFilter, keeping the numbers of the records it hides.
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/strings.h"

bool TpFIBDataSet::RecordIsVisible(TRecordBuffer buffer) const {
    if (!TFIBDataSet::RecordIsVisible(buffer))
        return false;
    if (!Filtered())
        return true;
    const int index = RecordIndexOf(buffer);
    if (index < 0)
        return false;
    // Filtering reads the record's fields and runs the user's handlers: it cannot be const.
    const bool accept = const_cast<TpFIBDataSet*>(this)->FilterAcceptsRecord(buffer);
    if (accept)
        hiddenRecords_.Remove(index + 1);
    else
        hiddenRecords_.Add(index + 1);
    return accept;
}

bool TpFIBDataSet::FilterAcceptsRecord(TRecordBuffer buffer) {
    // The filter may read calculated fields: they are worked out for the record first.
    if (CalcFieldsSize() > 0)
        GetCalcFields(buffer);
    bool accept = true;
    ReadRecord(buffer, [&] {
        if (TExpressionParser* parser = FilterParser())
            accept = parser->Evaluate();
        if (accept && OnFilterRecord())
            OnFilterRecord()(this, accept);
        if (accept)
            DoExtendedFilter(this, accept);
    });
    return accept;
}

void TpFIBDataSet::SetFiltered(bool value) {
    hiddenRecords_.Clear();
    TExpressionParser* parser = FilterParser();
    const bool stale = parser == nullptr
                           ? !Trim(Filter()).empty()
                           : parser->Text() != Trim(Filter()) || parser->FilterOptions() != FilterOptions();
    if (Active() && stale)
        PrepareFilterParser();
    StoreFilterSettings(value, Filter(), FilterOptions());
    ReapplyRecordFilter();
}

void TpFIBDataSet::SetFilterText(const std::string& value) {
    hiddenRecords_.Clear();
    TFIBDataSet::SetFilterText(value);
}

void TpFIBDataSet::SetFilterOptions(TFilterOptions value) {
    hiddenRecords_.Clear();
    TFIBDataSet::SetFilterOptions(value);
}

void TpFIBDataSet::PrepareFilterParser() {
    hiddenRecords_.Clear();
    TFIBDataSet::PrepareFilterParser();
}
