#pragma once
// One aggregate of a sum list (a sum, an average or a count of a field) and the collection that
// holds a list's aggregates. A change of any item makes the list recount.
#include <cstdint>
#include <string>

#include "data_grid/group_operation.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/variant.h"

class TDBSumListProducer;

class TDBSum : public TCollectionItem {
  public:
    std::string ClassName() const override { return "TDBSum"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // The operation, the field name, the remembered contribution and the result.
    void Assign(const TPersistent& Source) override;

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& Value);
    TGroupOperation GroupOperation() const { return groupOperation_; }
    void SetGroupOperation(TGroupOperation Value);
    // Counted at all: a count, or a sum or average of a named field.
    bool Live() const { return groupOperation_ == goCount || !fieldName_.empty(); }

    // The current record's contribution before its edit, fixed-point.
    std::int64_t PreEditValue = 0;
    // Records with a non-null value (averages).
    std::int32_t NotNullCount = 0;
    // The sum behind an average, fixed-point.
    std::int64_t RunningTotal = 0;
    // The current record's value before its edit; Null when it was not counted in an average.
    Variant PreEditVariant = Variant::Null();
    // The result, fixed-point.
    std::int64_t AggregateValue = 0;

  private:
    std::string fieldName_;
    TGroupOperation groupOperation_ = goSum;
};

class TDBSumCollection : public TCollection {
  public:
    explicit TDBSumCollection(TDBSumListProducer* Owner);
    std::string ClassName() const override { return "TDBSumCollection"; }
    TPersistent* GetOwner() const override;
    TDBSum* Items(int Index) const { return static_cast<TDBSum*>(TCollection::Items(Index)); }
    TDBSum* Add() { return static_cast<TDBSum*>(TCollection::Add()); }
    // The first sum of that operation whose field name equals Name ignoring letter case; nullptr
    // when none.
    TDBSum* FindSum(TGroupOperation Operation, const std::string& Name) const;

  protected:
    void Update(TCollectionItem* Item) override;

  private:
    TDBSumListProducer* owner_;
};
