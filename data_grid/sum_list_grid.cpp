#include "data_grid/sum_list_grid.h"

#include "data_grid/db_grid.h"
#include "platform/rtl/published_properties.h"

TDBGridEhSumList::TDBGridEhSumList(TComponent* AOwner) : TDBSumListProducer(AOwner) {
    SetDesignModeSums(true);
    SetActiveField(false);
}

const TPropertyList& TDBGridEhSumList::Published() {
    using Self = TDBGridEhSumList;
    static const TPropertyList list =
        TPublish<Self>(TDBSumListProducer::Published())
            .Boolean("Active", &Self::Active, &Self::SetActive)
            .Default(false)
            .Boolean("ExternalRecalc", &Self::ExternalRecalc, &Self::SetExternalRecalc)
            .Default(false)
            .Boolean("VirtualRecords", &Self::VirtualRecords, &Self::SetVirtualRecords)
            .Default(false);
    return list;
}

void TDBGridEhSumList::HookDataSetEvents() {
    if (OwnerDesigning())
        SetEventsHooked(true);
    else
        TDBSumListProducer::HookDataSetEvents();
}

void TDBGridEhSumList::RestoreDataSetEvents() {
    if (OwnerDesigning())
        SetEventsHooked(false);
    else
        TDBSumListProducer::RestoreDataSetEvents();
}

std::unique_ptr<TDBGridEhSumList> TCustomDBGridEh::NewSumList() {
    auto sumList = std::make_unique<TDBGridEhSumList>(this);
    sumList->SumListChanged = [this](TObject*) { Invalidate(); };
    sumList->OnRecalcAll = [this](TObject* Sender) {
        if (OnSumsRecalc)
            OnSumsRecalc(Sender);
    };
    sumList->OnAfterRecalcAll = [this](TObject* Sender) {
        if (OnSumsRecalcDone)
            OnSumsRecalcDone(Sender);
    };
    return sumList;
}
