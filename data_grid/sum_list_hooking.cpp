// Hooking a sum list into a dataset's events and out again, and following the dataset's life.
#include "data_controls/data_source_property.h"
#include "data_grid/sum_list.h"
#include "data_grid/sum_list_hook_link.h"
#include "platform/rtl/published_properties.h"

namespace {

using THandlerSlot = TDataSetNotifyEvent TDataSet::*;

// The dataset handler each hook slot replaces, in slot order.
constexpr THandlerSlot HandlerOf[TDBSumListProducer::HookSlotCount] = {
    &TDataSet::AfterEdit,   &TDataSet::AfterInsert,  &TDataSet::AfterOpen,  &TDataSet::AfterPost,
    &TDataSet::AfterScroll, &TDataSet::BeforeDelete, &TDataSet::AfterClose, &TDataSet::AfterCancel,
    &TDataSet::AfterDelete, &TDataSet::AfterScroll,
};

// The handler a detached link stands for: links of lists already gone are skipped.
TDataSetNotifyEvent WithoutDetachedLinks(TDataSetNotifyEvent handler) {
    while (const auto* call = handler.target<TSumListHookCall>()) {
        if (call->Link->Producer != nullptr)
            break;
        TDataSetNotifyEvent replaced = call->Link->Replaced;
        handler = std::move(replaced);
    }
    return handler;
}

TDataSet* MasterOf(const TDataSet& DataSet) {
    const TPropInfo* property = DataSet.PublishedProperties().Find("MasterSource");
    return property != nullptr ? DataSourcePropDataSet(DataSet, *property) : nullptr;
}

}  // namespace

void TSumListHookCall::operator()(TDataSet* DataSet) const {
    // Kept here: the handler slot holding this call may be reassigned while it runs.
    const std::shared_ptr<TSumListHookLink> link = Link;
    if (link->Producer != nullptr) {
        (link->Producer->*link->Hook)(DataSet);
        return;
    }
    const TDataSetNotifyEvent replaced = link->Replaced;
    if (replaced)
        replaced(DataSet);
}

void TSumListWatcher::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        producer_.ComponentFreed(AComponent);
}

void TDBSumListProducer::HookDataSetEvents() {
    if (dataSet_ == nullptr || eventsHooked_)
        return;
    masterDataSet_ = MasterOf(*dataSet_);
    Install(hsAfterEdit, *dataSet_, &TDBSumListProducer::HookAfterEdit);
    Install(hsAfterInsert, *dataSet_, &TDBSumListProducer::HookAfterInsert);
    Install(hsAfterOpen, *dataSet_, &TDBSumListProducer::HookAfterOpen);
    Install(hsAfterPost, *dataSet_, &TDBSumListProducer::HookAfterPost);
    Install(hsAfterScroll, *dataSet_, &TDBSumListProducer::HookAfterScroll);
    Install(hsBeforeDelete, *dataSet_, &TDBSumListProducer::HookBeforeDelete);
    Install(hsAfterClose, *dataSet_, &TDBSumListProducer::HookAfterClose);
    Install(hsAfterCancel, *dataSet_, &TDBSumListProducer::HookAfterCancel);
    Install(hsAfterDelete, *dataSet_, &TDBSumListProducer::HookAfterDelete);
    if (masterDataSet_ != nullptr) {
        Install(hsMasterAfterScroll, *masterDataSet_, &TDBSumListProducer::HookMasterAfterScroll);
        Watch(masterDataSet_);
    }
    eventsHooked_ = true;
}

void TDBSumListProducer::RestoreDataSetEvents() {
    if (eventsHooked_)
        UnhookAll();
}

void TDBSumListProducer::UnhookAll() {
    for (int slot = 0; slot < HookSlotCount; ++slot)
        Uninstall(static_cast<THookSlot>(slot), slot == hsMasterAfterScroll ? masterDataSet_ : dataSet_);
    if (masterDataSet_ != dataSet_)
        Unwatch(masterDataSet_);
    masterDataSet_ = nullptr;
    eventsHooked_ = false;
    virtualRecordList_.clear();
    ForgetPending();
}

void TDBSumListProducer::Install(THookSlot Slot, TDataSet& Target,
                                 void (TDBSumListProducer::*Hook)(TDataSet*)) {
    auto link = std::make_shared<TSumListHookLink>();
    link->Producer = this;
    link->Hook = Hook;
    TDataSetNotifyEvent& handler = Target.*HandlerOf[Slot];
    link->Replaced = handler;
    handler = TSumListHookCall{link};
    links_[Slot] = std::move(link);
}

void TDBSumListProducer::Uninstall(THookSlot Slot, TDataSet* Target) {
    const std::shared_ptr<TSumListHookLink> link = std::move(links_[Slot]);
    if (!link)
        return;
    link->Producer = nullptr;
    if (Target == nullptr)
        return;
    // Still on top: the slot gets back what was there before. Wrapped by another list since: the
    // link stays in that list's chain as a pass-through.
    TDataSetNotifyEvent& handler = Target->*HandlerOf[Slot];
    const auto* call = handler.target<TSumListHookCall>();
    if (call != nullptr && call->Link == link)
        handler = WithoutDetachedLinks(link->Replaced);
}

void TDBSumListProducer::CallReplaced(THookSlot Slot, TDataSet* DataSet) {
    if (!links_[Slot])
        return;
    const TDataSetNotifyEvent replaced = links_[Slot]->Replaced;
    if (replaced)
        replaced(DataSet);
}

void TDBSumListProducer::ComponentFreed(TComponent* AComponent) {
    if (AComponent == nullptr)
        return;
    if (AComponent == masterDataSet_) {
        Uninstall(hsMasterAfterScroll, nullptr);
        masterDataSet_ = nullptr;
    }
    if (AComponent != dataSet_)
        return;
    for (int slot = 0; slot < HookSlotCount; ++slot) Uninstall(static_cast<THookSlot>(slot), nullptr);
    Unwatch(masterDataSet_);
    masterDataSet_ = nullptr;
    eventsHooked_ = false;
    virtualRecordList_.clear();
    dataSet_ = nullptr;
}

void TDBSumListProducer::Watch(TDataSet* Target) {
    if (Target != nullptr && watcher_)
        Target->FreeNotification(watcher_.get());
}

void TDBSumListProducer::Unwatch(TDataSet* Target) {
    if (Target != nullptr && watcher_)
        Target->RemoveFreeNotification(watcher_.get());
}
