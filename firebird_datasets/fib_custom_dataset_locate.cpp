// Locating over the cached records: a linear search from the first record, or a search by halves
// over the current sort order that can also tell where a missing record would go.
#include <algorithm>
#include <climits>

#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_quiet.h"
#include "firebird_datasets/locate_match.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/value_scope.h"

namespace {

// One search: its fields and keys, and the record it must pass over (the one being re-sorted).
class TRecordSearch {
  public:
    TRecordSearch(TFIBCustomDataSet& dataSet, const std::string& keyFields, const Variant& keyValues,
                  TExtLocateOptions options, int skipRecNo)
        : dataSet_(dataSet), options_(options), skip_(skipRecNo) {
        fields_ = dataSet.GetFieldList(keyFields);
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const Variant& key = KeyAt(keyValues, static_cast<int>(i));
            keys_.push_back(fiblocate::PrepareKey(*fields_[i], key, options));
            ascending_.push_back(Ascending(fields_[i]));
        }
    }

    bool Run() { return options_.Contains(eloInSortedDS) ? ByHalves() : Linear(); }
    // Whether a key field needs the calculated fields of the records read.
    bool NeedsCalcFields() const {
        return std::any_of(fields_.begin(), fields_.end(),
                           [](const TField* field) { return field->Calculated() || field->Lookup(); });
    }
    TExtLocateOptions Options() const { return options_; }
    bool TargetAfter() const { return !targetBefore_; }
    // The search by halves stopped where no bound could move: the place needs no correction.
    bool Settled() const { return settled_; }

  private:
    static const Variant& KeyAt(const Variant& values, int i) {
        if (!values.IsArray())
            return values;
        return values[values.LowBound(1) + i];
    }

    bool Ascending(const TField* field) const {
        for (int n = 1; n <= dataSet_.SortFieldCount(); ++n) {
            const TSortFieldInfo info = dataSet_.GetSortFieldInfo(n);
            if (AnsiSameText(info.FieldName, field->FieldName))
                return info.Asc;
        }
        return true;
    }

    bool Test() {
        if (dataSet_.GetRecNo() == skip_)
            return false;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const fiblocate::TKeyMatch match =
                fiblocate::MatchKey(*fields_[i], keys_[i], options_, ascending_[i]);
            if (!match.Matches) {
                targetBefore_ = match.TargetBefore;
                return false;
            }
        }
        return true;
    }

    bool Linear() {
        const int limit = options_.Contains(eloInFetchedRecords) ? dataSet_.FetchedCount() - 1 : INT_MAX;
        for (int moves = 0; !dataSet_.Eof(); ++moves) {
            if (Test())
                return true;
            if (moves >= limit)
                return false;
            dataSet_.Next();
        }
        return false;
    }

    bool ByHalves() {
        dataSet_.Last();
        if (dataSet_.IsEmpty())
            return false;
        if (dataSet_.GetRecNo() == skip_)
            dataSet_.Prior();
        if (Test())
            return true;
        if (!targetBefore_) {
            options_.Exclude(eloInSortedDS);
            dataSet_.Next();
            return Linear();
        }
        return Halve(1, dataSet_.GetRecNo());
    }

    bool Halve(int lower, int upper) {
        bool metSkipped = false;
        for (;;) {
            if (upper == skip_)
                --upper;
            if (lower == skip_)
                ++lower;
            if (upper < lower)
                return false;
            int middle = (lower + upper) / 2;
            if (middle == skip_) {
                if (metSkipped) {
                    dataSet_.SetRecNo(middle);
                    return false;
                }
                metSkipped = true;
                ++middle;
            }
            dataSet_.SetRecNo(middle);
            if (Test())
                return true;
            const int recNo = dataSet_.GetRecNo();
            int& bound = targetBefore_ ? upper : lower;
            const int moved = targetBefore_ ? recNo - 1 : recNo + 1;
            if (bound == moved) {
                settled_ = true;
                return false;
            }
            bound = moved;
        }
    }

    TFIBCustomDataSet& dataSet_;
    TExtLocateOptions options_;
    int skip_;
    std::vector<TField*> fields_;
    std::vector<Variant> keys_;
    std::vector<bool> ascending_;
    bool targetBefore_ = false;
    bool settled_ = false;
};

}  // namespace

bool TFIBCustomDataSet::LocateEx(const std::string& keyFields, const Variant& keyValues,
                                 TExtLocateOptions options, bool fromBeginning) {
    CheckActive();
    CheckBrowseMode();
    TRecordSearch search(*this, keyFields, keyValues, options, resortingRecNo_);
    TBookmark target;
    const auto controls = ControlsDisabledScope(*this);
    const auto searchQuietly = [&] {
        const auto internal = fibds::InternalUpdateScope(*this);
        const bool wereSuspended = calcFieldsSuspended_;
        const TBookmark start = GetBookmark();
        if (fromBeginning)
            First();
        bool found = false;
        {
            const TValueScope suspended(calcFieldsSuspended_, wereSuspended || !search.NeedsCalcFields());
            found = search.Run();
        }
        const TExtLocateOptions left = search.Options();
        const bool keepPlace = found || left.Contains(eloInSortedDS) || left.Contains(eloNearest);
        if (!found && left.Contains(eloNearest) && search.TargetAfter() && !search.Settled())
            Next();
        // The records shown where the search stays get their calculated fields back.
        if (!found && keepPlace && !wereSuspended && !Eof())
            Resync({});
        if (found)
            target = GetBookmark();
        // Coming back first lets the scroll events of a find fire once, from where the user was.
        if (found || !keepPlace)
            GotoBookmark(start);
        return found;
    };
    const bool found = searchQuietly();
    if (found)
        GotoBookmark(target);
    return found;
}

bool TFIBCustomDataSet::Locate(const std::string& keyFields, const Variant& keyValues,
                               TLocateOptions options) {
    TExtLocateOptions extended;
    if (options.Contains(loCaseInsensitive))
        extended.Include(eloCaseInsensitive);
    if (options.Contains(loPartialKey))
        extended.Include(eloPartialKey);
    if (!LocateEx(keyFields, keyValues, extended, true))
        return false;
    fibds::Quietly(*this, [this] {
        const int recNo = GetRecNo();
        // Filling the records around the found one leaves the cursor elsewhere (before the first
        // when the window reaches back to it); the exact resync reads the record under the cursor.
        UpdateCursorPos();
        Resync({.Exact = true, .Center = true});
        SetRecNo(recNo);
    });
    return true;
}

Variant TFIBCustomDataSet::Lookup(const std::string& keyFields, const Variant& keyValues,
                                  const std::string& resultFields) {
    CheckActive();
    // Only an order this dataset made compares as the search does; the server's collation may not.
    const bool byHalves = IsSorted() && sortedByDoSort_ && !sortUsedCompareHandler_ &&
                          SortFieldNames() == keyFields && (!selectQuery_->Open() || selectQuery_->Eof());
    Variant result = Variant::Null();
    fibds::Quietly(*this, [&] {
        const TBookmark start = GetBookmark();
        if (LocateEx(keyFields, keyValues, byHalves ? TExtLocateOptions{eloInSortedDS} : TExtLocateOptions{},
                     true))
            result = FieldValues(resultFields);
        GotoBookmark(start);
    });
    return result;
}

bool TFIBCustomDataSet::LocateInSortOrder(const std::string& keyFields, const Variant& keyValues,
                                          TExtLocateOptions options) {
    return LocateEx(keyFields, keyValues, options, true);
}

void TFIBCustomDataSet::CalculateFields(TRecordBuffer buffer) {
    if (!calcFieldsSuspended_)
        TDataSet::CalculateFields(buffer);
}
