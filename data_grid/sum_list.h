#pragma once
// TDBSumListProducer: running sums, averages and counts of a dataset's fields, kept current while
// the user edits, inserts and deletes by hooks on the dataset's events, with one full scan when
// the dataset opens or its filter changes. It also numbers the records of a dataset that does not
// number them itself, by keeping their bookmarks in order ("virtual record numbers").
//
// Several lists may hook one dataset (two grids over it). Each hook wraps the handler it found; a
// list that lets go takes its own hook out of the chain, or, when another list has wrapped it
// since, turns it into a plain pass-through, so no list ever restores a handler that belongs to a
// list freed before it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/db_sum.h"
#include "platform/db/dataset.h"
#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"

struct TSumListHookLink;
class TSumListWatcher;

class TDBSumListProducer : public TPersistent {
  public:
    explicit TDBSumListProducer(TComponent* AOwner);
    // Lets go of the dataset without clearing the sums.
    ~TDBSumListProducer() override;
    std::string ClassName() const override { return "TDBSumListProducer"; }
    TPersistent* GetOwner() const override { return owner_; }
    // From another producer: Active, DataSet, ExternalRecalc, the sums, SumListChanged,
    // VirtualRecords, OnAfterRecalcAll, OnRecalcAll.
    void Assign(const TPersistent& Source) override;

    bool Active() const { return active_; }
    void SetActive(bool Value);
    // Hooks the dataset and, when asked, recounts; Deactivate unhooks and, when asked, clears.
    void Activate(bool Recalc);
    void Deactivate(bool Clear);
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* Value);
    // The sums are counted elsewhere: a recalculation only remembers the filter state.
    bool ExternalRecalc() const { return externalRecalc_; }
    void SetExternalRecalc(bool Value);
    bool VirtualRecords() const { return virtualRecords_; }
    void SetVirtualRecords(bool Value);
    TDBSumCollection& SumCollection() { return *sumCollection_; }
    const TDBSumCollection& SumCollection() const { return *sumCollection_; }
    // Runs once the owner's form is read.
    void AfterLoad();
    // A sum changed: recount unless the owner is loading or going away.
    void Update();
    void FireSumListChanged();

    TComponent* Owner() const { return owner_; }
    TDataSet* MasterDataSet() const { return masterDataSet_; }
    bool Changing() const { return changing_; }
    bool DesignModeSums() const { return designModeSums_; }
    bool EventsHooked() const { return eventsHooked_; }
    bool PendingInsert() const { return pendingInsert_; }
    int LastVirtualIndex() const { return lastVirtualIndex_; }
    const std::vector<TBookmark>& VirtualRecordList() const { return virtualRecordList_; }
    // Whether virtual record numbers stand in for the dataset's own.
    bool UsesVirtualNumbers() const;

    TNotifyEvent OnAfterRecalcAll;
    TNotifyEvent OnRecalcAll;
    TNotifyEvent SumListChanged;

    // New virtual operations, in slot order.
    virtual int VirtualRecNo();
    // The position of the bookmark in the list; -1 when absent.
    virtual int LocateVirtualRecord(const TBookmark& Bookmark);
    virtual void MoveToVirtualRecNo(int RecNo);
    virtual void HookAfterCancel(TDataSet* DataSet);
    virtual void HookAfterClose(TDataSet* DataSet);
    virtual void HookAfterEdit(TDataSet* DataSet);
    virtual void HookAfterInsert(TDataSet* DataSet);
    virtual void HookAfterOpen(TDataSet* DataSet);
    virtual void HookAfterPost(TDataSet* DataSet);
    virtual void HookAfterScroll(TDataSet* DataSet);
    virtual void HookBeforeDelete(TDataSet* DataSet);
    virtual void RestoreDataSetEvents();
    virtual bool HasSequence();
    virtual int VirtualRecordCount();
    virtual void ZeroSums();
    virtual void RecalcSums();
    virtual void HookDataSetEvents();

    // The handlers a list replaces, the master's AfterScroll last.
    enum THookSlot {
        hsAfterEdit,
        hsAfterInsert,
        hsAfterOpen,
        hsAfterPost,
        hsAfterScroll,
        hsBeforeDelete,
        hsAfterClose,
        hsAfterCancel,
        hsAfterDelete,
        hsMasterAfterScroll,
        HookSlotCount
    };

  protected:
    void SetDesignModeSums(bool Value) { designModeSums_ = Value; }
    void SetEventsHooked(bool Value) { eventsHooked_ = Value; }
    void SetActiveField(bool Value) { active_ = Value; }
    // Whether the owner's state keeps the dataset untouched (loading, or designing without
    // DesignModeSums).
    bool OwnerHoldsDataSet() const;
    bool OwnerDesigning() const;
    bool OwnerLoading() const;
    // Calls the handler that hook slot replaced, when there is one.
    void CallReplaced(THookSlot Slot, TDataSet* DataSet);

  private:
    friend class TSumListWatcher;
    friend struct TSumListHookLink;
    void HookMasterAfterScroll(TDataSet* DataSet);
    // Drops a pending insert's or delete's bookmark work, for a list whose bookmarks start anew.
    void ForgetPending();
    // A delete counts once it went through: the server may refuse it and keep the record.
    void HookAfterDelete(TDataSet* DataSet);
    void Install(THookSlot Slot, TDataSet& Target, void (TDBSumListProducer::*Hook)(TDataSet*));
    // Takes the slot's hook out of Target's chain (Target nullptr: leaves the handlers alone).
    void Uninstall(THookSlot Slot, TDataSet* Target);
    // Every hook out, the master forgotten, the bookmarks dropped.
    void UnhookAll();
    // A dataset or master freed under the list: its handlers go with it, untouched.
    void ComponentFreed(TComponent* AComponent);
    void Watch(TDataSet* Target);
    void Unwatch(TDataSet* Target);
    // Recalculation steps.
    bool CanRecalc() const;
    bool NeedsScan() const;
    void ScanRecords();
    void AccumulateRecord();
    void RememberFilter();
    // Edit steps.
    // What one record adds: a sum's or average's value (0 for null), a count's 1 (0 for a null
    // value of a named field). Null tells an average the record is not counted.
    struct TContribution {
        std::int64_t Value = 0;
        bool Null = true;
    };
    TContribution RecordContribution(const TDBSum& Sum) const;
    void RememberContribution(TDBSum& Sum, bool Inserting);
    void ApplyPosted(TDBSum& Sum);
    TContribution Removal(const TDBSum& Sum, bool EditingRecord) const;
    void ApplyRemoval(TDBSum& Sum, TContribution Gone);
    // Whether the dataset's bookmarks are kept for virtual numbers.
    bool KeepsBookmarks() const;
    void PlaceBookmark(const TBookmark& Bookmark);
    void TakeBackBookmark(const TBookmark& Bookmark);
    TField* SumField(const TDBSum& Sum) const;

    bool virtualRecords_ = false;
    bool changing_ = false;
    bool active_ = true;
    TDataSet* dataSet_ = nullptr;
    bool designModeSums_ = false;
    bool eventsHooked_ = false;
    bool externalRecalc_ = false;
    std::string filter_;
    bool filtered_ = false;
    TDataSet* masterDataSet_ = nullptr;
    int lastVirtualIndex_ = -1;
    TComponent* owner_;
    std::unique_ptr<TDBSumCollection> sumCollection_;
    bool pendingInsert_ = false;
    // The bookmark the current insert appended; taken back when the insert is cancelled.
    TBookmark insertedBookmark_;
    std::vector<TBookmark> virtualRecordList_;
    // What the record being deleted takes away, one entry per sum, and where its bookmark is;
    // applied after the delete, dropped when it is refused.
    bool deletePending_ = false;
    std::vector<TContribution> pendingRemovals_;
    int deletedVirtualIndex_ = -1;
    std::array<std::shared_ptr<TSumListHookLink>, HookSlotCount> links_;
    std::unique_ptr<TSumListWatcher> watcher_;
};
