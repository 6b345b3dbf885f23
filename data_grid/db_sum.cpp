#include "data_grid/db_sum.h"

#include "data_grid/sum_list.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/strings.h"

const TPropertyList& TDBSum::Published() {
    static const TPropertyList list = TPublish<TDBSum>(TCollectionItem::Published())
                                          .String("FieldName", &TDBSum::FieldName, &TDBSum::SetFieldName)
                                          .Enum("GroupOperation", &TDBSum::GroupOperation,
                                                &TDBSum::SetGroupOperation, {"goSum", "goAvg", "goCount"})
                                          .Default(goSum);
    return list;
}

void TDBSum::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TDBSum*>(&Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    groupOperation_ = source->groupOperation_;
    fieldName_ = source->fieldName_;
    PreEditValue = source->PreEditValue;
    AggregateValue = source->AggregateValue;
    Changed(false);
}

void TDBSum::SetFieldName(const std::string& Value) {
    fieldName_ = Value;
    Changed(false);
}

void TDBSum::SetGroupOperation(TGroupOperation Value) {
    groupOperation_ = Value;
    Changed(false);
}

TDBSumCollection::TDBSumCollection(TDBSumListProducer* Owner)
    : TCollection(ItemClass<TDBSum>()), owner_(Owner) {}

TPersistent* TDBSumCollection::GetOwner() const {
    return owner_;
}

TDBSum* TDBSumCollection::FindSum(TGroupOperation Operation, const std::string& Name) const {
    for (int i = 0; i < Count(); ++i) {
        TDBSum* sum = Items(i);
        if (sum->GroupOperation() == Operation && AnsiSameText(sum->FieldName(), Name))
            return sum;
    }
    return nullptr;
}

void TDBSumCollection::Update(TCollectionItem* /*Item*/) {
    if (owner_ != nullptr)
        owner_->Update();
}
