#pragma once
// A memory dataset that writes down its events and the notices it sends, for the tests here.
#include <string>
#include <vector>

#include "tests/support/memory_dataset.h"

class TRecordingDataSet : public TMemoryDataSet {
  public:
    // Rows 1..rowCount, one column "N" holding the row's number.
    explicit TRecordingDataSet(int rowCount) {
        SetColumns({"N"});
        for (int n = 1; n <= rowCount; ++n) AddRow({n});
        RecordEvents();
    }
    // The row number of the record fields read from now (0 when there is none).
    int N() const {
        Variant value = GetValue(0);
        return value.IsNull() ? 0 : value.AsInteger();
    }

    std::vector<std::string> Events;
    std::vector<TDataEvent> Notices;
    std::vector<std::intptr_t> NoticeInfo;

    void ClearLog() {
        Events.clear();
        Notices.clear();
        NoticeInfo.clear();
    }

  protected:
    void NotifyDataSources(TDataEvent event, std::intptr_t info) override {
        Notices.push_back(event);
        NoticeInfo.push_back(info);
        TMemoryDataSet::NotifyDataSources(event, info);
    }

  private:
    void RecordEvents() {
        auto log = [this](const char* name) {
            return [this, name](TDataSet*) { Events.emplace_back(name); };
        };
        BeforeOpen = log("BeforeOpen");
        AfterOpen = log("AfterOpen");
        BeforeClose = log("BeforeClose");
        AfterClose = log("AfterClose");
        BeforeInsert = log("BeforeInsert");
        AfterInsert = log("AfterInsert");
        BeforeEdit = log("BeforeEdit");
        AfterEdit = log("AfterEdit");
        BeforePost = log("BeforePost");
        AfterPost = log("AfterPost");
        BeforeCancel = log("BeforeCancel");
        AfterCancel = log("AfterCancel");
        BeforeDelete = log("BeforeDelete");
        AfterDelete = log("AfterDelete");
        BeforeScroll = log("BeforeScroll");
        AfterScroll = log("AfterScroll");
        BeforeRefresh = log("BeforeRefresh");
        AfterRefresh = log("AfterRefresh");
        OnNewRecord = log("OnNewRecord");
    }
};
