// The sum list's life cycle: making and freeing it, activation, its settings and the plain
// notifications.
#include "data_grid/sum_list.h"

#include "data_grid/sum_list_hook_link.h"

TDBSumListProducer::TDBSumListProducer(TComponent* AOwner)
    : owner_(AOwner),
      sumCollection_(std::make_unique<TDBSumCollection>(this)),
      watcher_(std::make_unique<TSumListWatcher>(*this)) {}

TDBSumListProducer::~TDBSumListProducer() {
    try {
        Deactivate(false);
    } catch (...) {
        // Unhooking below still runs; nothing leaves a destructor.
    }
    UnhookAll();
    Unwatch(dataSet_);
    watcher_.reset();
}

void TDBSumListProducer::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TDBSumListProducer*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetActive(source->Active());
    SetDataSet(source->DataSet());
    SetExternalRecalc(source->ExternalRecalc());
    sumCollection_->Assign(*source->sumCollection_);
    SumListChanged = source->SumListChanged;
    SetVirtualRecords(source->VirtualRecords());
    OnAfterRecalcAll = source->OnAfterRecalcAll;
    OnRecalcAll = source->OnRecalcAll;
}

bool TDBSumListProducer::OwnerLoading() const {
    return owner_ != nullptr && owner_->ComponentState().Contains(csLoading);
}

bool TDBSumListProducer::OwnerDesigning() const {
    return owner_ != nullptr && owner_->ComponentState().Contains(csDesigning);
}

bool TDBSumListProducer::OwnerHoldsDataSet() const {
    return OwnerLoading() || (OwnerDesigning() && !designModeSums_);
}

void TDBSumListProducer::SetActive(bool Value) {
    if (Value)
        Activate(true);
    else
        Deactivate(true);
}

void TDBSumListProducer::Activate(bool Recalc) {
    active_ = true;
    if (OwnerHoldsDataSet())
        return;
    HookDataSetEvents();
    if (Recalc)
        RecalcSums();
}

void TDBSumListProducer::Deactivate(bool Clear) {
    active_ = false;
    if (OwnerHoldsDataSet())
        return;
    RestoreDataSetEvents();
    if (Clear)
        ZeroSums();
}

void TDBSumListProducer::SetDataSet(TDataSet* Value) {
    if (Value == dataSet_) {
        if (Value != nullptr && Value->Destroying()) {
            RestoreDataSetEvents();
            Unwatch(dataSet_);
            dataSet_ = nullptr;
        }
        return;
    }
    if (OwnerHoldsDataSet()) {
        Unwatch(dataSet_);
        dataSet_ = Value;
        Watch(dataSet_);
        return;
    }
    const bool wasActive = active_;
    Deactivate(true);
    Unwatch(dataSet_);
    dataSet_ = Value;
    Watch(dataSet_);
    if (wasActive)
        Activate(true);
}

void TDBSumListProducer::AfterLoad() {
    if (dataSet_ != nullptr && active_)
        Activate(true);
}

void TDBSumListProducer::SetExternalRecalc(bool Value) {
    if (Value == externalRecalc_)
        return;
    externalRecalc_ = Value;
    RecalcSums();
}

void TDBSumListProducer::SetVirtualRecords(bool Value) {
    if (Value == virtualRecords_)
        return;
    virtualRecords_ = Value;
    if (Value)
        RecalcSums();
}

void TDBSumListProducer::Update() {
    if (owner_ != nullptr && (OwnerLoading() || owner_->Destroying()))
        return;
    RecalcSums();
}

void TDBSumListProducer::ZeroSums() {
    for (int i = 0; i < sumCollection_->Count(); ++i) {
        TDBSum& sum = *sumCollection_->Items(i);
        sum.AggregateValue = 0;
        sum.PreEditValue = 0;
        sum.RunningTotal = 0;
        sum.NotNullCount = 0;
    }
    FireSumListChanged();
}

void TDBSumListProducer::FireSumListChanged() {
    if (SumListChanged)
        SumListChanged(this);
}
