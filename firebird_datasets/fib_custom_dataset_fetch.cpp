// Fetching rows into the cache and reading them into the framework's record buffers.
#include <cmath>
#include <cstring>

#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"

namespace {

using fibds::LoadValue;
using fibds::MsPerDay;
using fibds::StoreValue;

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
            FreeBlobStream(LoadValue<std::int32_t>(place));
        }
        StoreValue<std::int32_t>(place, 0);
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
        case SQL_TEXT:
            if (descr.InStringStore) {
                char* chars = const_cast<char*>(data);
                if (descr.Size > 0 && chars[descr.Size - 1] == ' ')
                    chars[descr.Size - 1] = '\0';
                cache_->SetStringValueBuf(descr.StringIndex, index, true, descr.Size, chars);
            } else {
                std::memcpy(place, data, static_cast<std::size_t>(descr.Size));
            }
            return;
        case SQL_VARYING: {
            const int length = std::min<int>(LoadValue<std::int16_t>(data), descr.Size);
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
        case SQL_TYPE_DATE:
            StoreValue<std::int32_t>(place, LoadValue<ISC_DATE>(data) + TimeStampToServerDays);
            return;
        case SQL_TYPE_TIME:
            StoreValue<std::int32_t>(place, static_cast<std::int32_t>(LoadValue<ISC_TIME>(data) / 10));
            return;
        case SQL_TIMESTAMP: {
            const auto stamp = LoadValue<ISC_TIMESTAMP>(data);
            const double days = static_cast<double>(stamp.timestamp_date + TimeStampToServerDays);
            StoreValue<double>(place, days * MsPerDay + static_cast<double>(stamp.timestamp_time / 10));
            return;
        }
        case SQL_INT64:
            if (descr.Scale >= -4 || prepareOptions_.Contains(psSQLINT64ToBCD))
                std::memcpy(place, data, 8);
            else
                StoreValue<double>(place, ScaledToDouble(LoadValue<std::int64_t>(data), descr.Scale));
            return;
        case SQL_BOOLEAN16:
            StoreValue<std::int16_t>(place, LoadValue<std::int16_t>(data) != 0 ? 1 : 0);
            return;
        case SQL_BOOLEAN:
            StoreValue<std::int16_t>(place, data[0] != 0 ? 1 : 0);
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
    StoreValue<std::int32_t>(buffer + RecordIndexOffset, index);
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
    TScreenCursorScope cursor(sqlScreenCursor_);
    int fetched = 0;
    while (fetched < count && FetchNextRow()) ++fetched;
    fetchStopped_ = false;
    return fetched;
}

void TFIBCustomDataSet::FetchAll() {
    if (!Active() || !selectQuery_->Open() || selectQuery_->Eof())
        return;
    TScreenCursorScope cursor(sqlScreenCursor_);
    // A UniDirectional dataset cannot come back: it stays on the last record.
    const TBookmark bookmark = uniDirectional_ ? TBookmark() : GetBookmark();
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
    if (!IsCached(currentIndex_))
        return grError;
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
    // A UniDirectional cache has given the place of older records to newer ones.
    if (!IsCached(currentIndex_ - 1))
        return grBOF;
    --currentIndex_;
    InitRecordBuffer(currentIndex_, buffer, false);
    return grOK;
}

bool TFIBCustomDataSet::IsCached(int index) const {
    return !uniDirectional_ || index >= fetchedCount_ - bufferChunks_;
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
    TScreenCursorScope cursor(sqlScreenCursor_);
    FetchToEnd();
    currentIndex_ = fetchedCount_;
}
