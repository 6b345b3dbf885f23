// Fetching rows into the cache and reading them into the framework's record buffers.
#include <cstring>

#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"
#include "firebird_datasets/record_codec.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/rtl/scope_exit.h"

namespace {

using fibds::LoadValue;
using fibds::StoreValue;

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
    const TRecordCodec codec = RecordCodec();
    for (int i = 0; i < columns.Count(); ++i) {
        int column = i + 1;
        if (!fromSelect) {
            const int found = selectQuery_->FieldIndex(columns[i].VarName);
            if (found < 0)
                continue;
            column = found + 1;
        }
        StoreColumn(codec, *columns[i].XSQLVar, *descriptors_.GetDescr(column - 1), column, cacheIndex,
                    image);
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

void TFIBCustomDataSet::StoreColumn(const TRecordCodec& codec, const XSQLVAR& var, const TFieldDescr& descr,
                                    int column1, int index, char* image) {
    const bool isNull = TRecordCodec::FetchedIsNull(descr, var);
    image[column1] = isNull ? 1 : 0;
    if (descr.InStringStore)
        StoreLongText(descr, isNull ? nullptr : var.sqldata, index);
    else if (!isNull)
        codec.StoreFetched(descr, var.sqldata,
                           reinterpret_cast<std::byte*>(image + descr.Offset - StatusOffset));
}

// Long texts live in the cache's string store, without their trailing blanks; NULL is empty there.
void TFIBCustomDataSet::StoreLongText(const TFieldDescr& descr, char* server, int index) {
    if (server == nullptr) {
        cache_->SetStringValue(descr.StringIndex, index, {});
        return;
    }
    if (descr.SqlType == SQL_VARYING) {
        const int length = std::min<int>(LoadValue<std::int16_t>(server), descr.Size);
        cache_->SetStringValue(descr.StringIndex, index,
                               std::string_view(server + 2, static_cast<std::size_t>(length)));
        return;
    }
    if (descr.Size > 0 && server[descr.Size - 1] == ' ')
        server[descr.Size - 1] = '\0';
    cache_->SetStringValueBuf(descr.StringIndex, index, true, descr.Size, server);
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
    const auto controls = ControlsDisabledScope(*this);
    const TScopeExit comeBack([this, &bookmark] { GotoBookmark(bookmark); });
    Last();
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
