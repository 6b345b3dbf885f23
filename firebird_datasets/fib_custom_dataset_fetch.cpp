// Fetching rows into the cache and reading them into the framework's record buffers.
#include <cmath>
#include <cstring>

#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"

namespace {

constexpr short kText = 452;
constexpr short kVarText = 448;
constexpr short kTimeStamp = 510;
constexpr short kTime = 560;
constexpr short kDate = 570;
constexpr short kInt64 = 580;
constexpr short kBoolean16 = 590;
constexpr short kBoolean = 32764;

// The server counts days from 17 November 1858; the buffer from 1 January of year 1 as day 1.
constexpr std::int32_t kServerDateShift = 678576;
constexpr double kMsPerDay = 86400000.0;

template <class T>
T Load(const void* from) {
    T value;
    std::memcpy(&value, from, sizeof value);
    return value;
}

template <class T>
void Store(void* to, T value) {
    std::memcpy(to, &value, sizeof value);
}

double ScaledToDouble(std::int64_t value, int scale) {
    return static_cast<double>(value) * std::pow(10.0, scale);
}

}  // namespace

int TFIBCustomDataSet::CacheIndex(int index) const {
    return uniDirectional_ ? index % bufferChunks_ : index;
}

void TFIBCustomDataSet::FetchRecordToCache(TFIBQuery& statement, int index) {
    const int cacheIndex = CacheIndex(index);
    char* image = cache_->ExtendMap(cacheIndex + 1);
    ClearBlobSlotsOfImage(statement, image);
    image[0] = static_cast<char>(cusUnmodified);
    TFIBXSQLDA& columns = statement.GetFields();
    const bool fromSelect = &statement == selectQuery_;
    for (int i = 0; i < columns.Count(); ++i) {
        int column = i + 1;
        if (!fromSelect) {
            const int found = selectQuery_->FieldIndex(columns[i].VarName);
            if (found < 0)
                continue;
            column = found + 1;
        }
        StoreColumn(columns[i], *descriptors_.GetDescr(column - 1), column, cacheIndex, image);
    }
    if (!AfterFetchRecord)
        return;
    bool stop = false;
    AfterFetchRecord(&statement, index, stop);
    fetchStopped_ = fetchStopped_ || stop;
}

void TFIBCustomDataSet::ClearBlobSlotsOfImage(TFIBQuery& statement, char* image) {
    const bool fromRefresh = &statement == refreshQuery_;
    for (std::size_t i = 0; i < blobSlotOfColumn_.size(); ++i) {
        const int slot = blobSlotOfColumn_[i];
        if (slot < 0)
            continue;
        char* place = image + (blobSlotsOffset_ - StatusOffset - longTextBytes_) + slot * 4;
        if (fromRefresh) {
            const std::string name = selectQuery_->GetFields()[static_cast<int>(i)].VarName;
            if (statement.GetFields().ByName(name) == nullptr)
                continue;
            FreeBlobStream(Load<std::int32_t>(place));
        }
        Store<std::int32_t>(place, 0);
    }
}

void TFIBCustomDataSet::StoreColumn(TFIBXSQLVAR& column, const TFieldDescr& descr, int column1, int index,
                                    char* image) {
    const XSQLVAR& var = *column.XSQLVar;
    const bool isNull = descr.Nullable && var.sqlind != nullptr && *var.sqlind == -1;
    image[column1] = isNull ? 1 : 0;
    const char* data = var.sqldata;
    if (isNull) {
        if (descr.InStringStore)
            cache_->SetStringValue(descr.StringIndex, index, {});
        return;
    }
    // Long texts live in the string store; every other value lies in the image.
    char* place = image + descr.Offset - StatusOffset;
    switch (descr.SqlType) {
        case kText:
            if (descr.InStringStore) {
                char* chars = const_cast<char*>(data);
                if (descr.Size > 0 && chars[descr.Size - 1] == ' ')
                    chars[descr.Size - 1] = '\0';
                cache_->SetStringValueBuf(descr.StringIndex, index, true, descr.Size, chars);
            } else {
                std::memcpy(place, data, static_cast<std::size_t>(descr.Size));
            }
            return;
        case kVarText: {
            const int length = std::min<int>(Load<std::int16_t>(data), descr.Size);
            const char* chars = data + 2;
            if (descr.InStringStore) {
                cache_->SetStringValue(descr.StringIndex, index,
                                       std::string_view(chars, static_cast<std::size_t>(length)));
                return;
            }
            std::memcpy(place, chars, static_cast<std::size_t>(descr.Size));
            if (length < descr.Size)
                place[length] = '\0';
            return;
        }
        case kDate:
            Store<std::int32_t>(place, Load<ISC_DATE>(data) + kServerDateShift);
            return;
        case kTime:
            Store<std::int32_t>(place, static_cast<std::int32_t>(Load<ISC_TIME>(data) / 10));
            return;
        case kTimeStamp: {
            const auto stamp = Load<ISC_TIMESTAMP>(data);
            const double days = static_cast<double>(stamp.timestamp_date + kServerDateShift);
            Store<double>(place, days * kMsPerDay + static_cast<double>(stamp.timestamp_time / 10));
            return;
        }
        case kInt64:
            if (descr.Scale >= -4 || prepareOptions_.Contains(psSQLINT64ToBCD))
                std::memcpy(place, data, 8);
            else
                Store<double>(place, ScaledToDouble(Load<std::int64_t>(data), descr.Scale));
            return;
        case kBoolean16:
            Store<std::int16_t>(place, Load<std::int16_t>(data) != 0 ? 1 : 0);
            return;
        case kBoolean:
            Store<std::int16_t>(place, data[0] != 0 ? 1 : 0);
            return;
        default:
            std::memcpy(place, data, static_cast<std::size_t>(descr.Size));
    }
}

void TFIBCustomDataSet::FetchAndStore(TFIBQuery& statement, int index, TRecordBuffer buffer) {
    if (index < 0) {
        BuildRecordLayout();
        return;
    }
    FetchRecordToCache(statement, index);
    InitRecordBuffer(index, buffer, false);
}

void TFIBCustomDataSet::InitRecordBuffer(int index, TRecordBuffer buffer, bool old) {
    if (index < 0)
        return;
    // The buffer keeps the record's true position; only the cache wraps for UniDirectional.
    Store<std::int32_t>(buffer + RecordIndexOffset, index);
    std::memset(buffer + calcFieldsOffset_, 0, static_cast<std::size_t>(CalcFieldsSize()));
    char* to = reinterpret_cast<char*>(buffer) + StatusOffset;
    const int n = CacheIndex(index) + 1;
    if (old)
        std::memcpy(to, cache_->GetOldRecord(n), static_cast<std::size_t>(calcFieldsOffset_ - StatusOffset));
    else
        cache_->ReadRecord(n, to);
}

void TFIBCustomDataSet::WriteRecordToCache(int index, TRecordBuffer buffer) {
    cache_->WriteRecord(CacheIndex(index) + 1, reinterpret_cast<const char*>(buffer) + StatusOffset, false);
}

bool TFIBCustomDataSet::FetchNextRow() {
    if (fetchStopped_ || !selectQuery_->Open() || selectQuery_->Eof())
        return false;
    if (selectQuery_->Next() == nullptr)
        return false;
    // A row the cursor gave counts as fetched, even when storing it stopped the fetch.
    const int index = fetchedCount_++;
    FetchRecordToCache(*selectQuery_, index);
    return true;
}

void TFIBCustomDataSet::FetchToEnd() {
    while (FetchNextRow()) {
    }
    fetchStopped_ = false;
}

int TFIBCustomDataSet::FetchNext(int count) {
    TScreenCursorScope cursor(SQLScreenCursor);
    int fetched = 0;
    while (fetched < count && FetchNextRow()) ++fetched;
    fetchStopped_ = false;
    return fetched;
}

void TFIBCustomDataSet::FetchAll() {
    if (!Active() || !selectQuery_->Open() || selectQuery_->Eof())
        return;
    TScreenCursorScope cursor(SQLScreenCursor);
    const TBookmark bookmark = GetBookmark();
    DisableControls();
    try {
        Last();
    } catch (...) {
        GotoBookmark(bookmark);
        EnableControls();
        throw;
    }
    GotoBookmark(bookmark);
    EnableControls();
}

TGetResult TFIBCustomDataSet::GetRecord(TRecordBuffer buffer, TGetMode mode, bool /*doCheck*/) {
    TGetResult result = grError;
    try {
        result = mode == gmCurrent ? GetCurrentRecord(buffer)
                                   : (mode == gmNext ? GetNextRecord(buffer) : GetPriorRecord(buffer));
        if (result == grOK)
            result = SkipInvisible(buffer, mode);
    } catch (EDatabaseError& error) {
        TDataAction action = daFail;
        if (OnGetRecordError)
            OnGetRecordError(this, error, action);
        if (action == daFail)
            throw;
        if (action == daAbort)
            Abort();
    }
    switch (result) {
        case grOK:
            SetBookmarkFlag(buffer, bfCurrent);
            GetCalcFields(buffer);
            break;
        case grBOF:
            SetBookmarkFlag(buffer, bfBOF);
            break;
        default:
            SetBookmarkFlag(buffer, bfEOF);
    }
    return result;
}

TGetResult TFIBCustomDataSet::GetCurrentRecord(TRecordBuffer buffer) {
    if (currentIndex_ < 0)
        return grBOF;
    while (currentIndex_ >= fetchedCount_ && FetchNextRow()) {
    }
    fetchStopped_ = false;
    if (currentIndex_ >= fetchedCount_)
        currentIndex_ = fetchedCount_ - 1;
    if (currentIndex_ < 0)
        return grBOF;
    InitRecordBuffer(currentIndex_, buffer, false);
    return grOK;
}

TGetResult TFIBCustomDataSet::GetNextRecord(TRecordBuffer buffer) {
    if (currentIndex_ >= fetchedCount_)
        return grEOF;
    if (currentIndex_ + 1 == fetchedCount_) {
        const bool fetched = FetchNextRow();
        fetchStopped_ = false;
        if (!fetched) {
            currentIndex_ = fetchedCount_;
            return grEOF;
        }
    }
    ++currentIndex_;
    InitRecordBuffer(currentIndex_, buffer, false);
    return grOK;
}

TGetResult TFIBCustomDataSet::GetPriorRecord(TRecordBuffer buffer) {
    if (currentIndex_ <= 0 || currentIndex_ > fetchedCount_) {
        if (currentIndex_ <= 0)
            currentIndex_ = -1;
        return grBOF;
    }
    --currentIndex_;
    InitRecordBuffer(currentIndex_, buffer, false);
    return grOK;
}

TGetResult TFIBCustomDataSet::SkipInvisible(TRecordBuffer buffer, TGetMode mode) {
    while (!RecordIsVisible(buffer)) {
        const TGetResult result = mode == gmPrior ? GetPriorRecord(buffer) : GetNextRecord(buffer);
        if (result != grOK)
            return result;
    }
    return grOK;
}

bool TFIBCustomDataSet::RecordIsVisible(TRecordBuffer buffer) const {
    return updateRecordTypes_.Contains(RecordStatus(buffer));
}

void TFIBCustomDataSet::InternalFirst() {
    currentIndex_ = -1;
}

void TFIBCustomDataSet::InternalLast() {
    TScreenCursorScope cursor(SQLScreenCursor);
    FetchToEnd();
    currentIndex_ = fetchedCount_;
}
