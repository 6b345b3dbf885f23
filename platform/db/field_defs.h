#pragma once
// TFieldDef and TFieldDefs: what a dataset says its records hold (name, type, size, required),
// from which default fields are made.
#include <string>

#include "platform/db/field_type.h"
#include "platform/rtl/collection.h"

class TDataSet;

class TFieldDef : public TCollectionItem {
  public:
    std::string ClassName() const override { return "TFieldDef"; }
    void Assign(const TPersistent& source) override;

    std::string Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    int Precision = 0;
    bool Required = false;
    // The 1-based number of the field in the record.
    int FieldNo() const { return fieldNo_; }

  protected:
    std::string GetDisplayName() const override { return Name; }

  private:
    friend class TFieldDefs;
    int fieldNo_ = 0;
};

class TFieldDefs : public TOwnedCollection {
  public:
    explicit TFieldDefs(TDataSet* dataSet);
    std::string ClassName() const override { return "TFieldDefs"; }

    TFieldDef* AddFieldDef(const std::string& name, TFieldType type, int size = 0, bool required = false);
    TFieldDef* Items(int index) const { return static_cast<TFieldDef*>(TCollection::Items(index)); }
    // Names compare without regard to case; -1 / nullptr when absent.
    int IndexOf(const std::string& name) const;
    TFieldDef* FindDef(const std::string& name) const;
    // Raises EDatabaseError "Field '%s' not found" when absent.
    TFieldDef* Find(const std::string& name) const;

    // Whether the definitions are current; Update asks the dataset for them when they are not.
    bool Updated() const { return updated_; }
    void SetUpdated(bool value) { updated_ = value; }
    void Update();

  protected:
    void Update(TCollectionItem* item) override;

  private:
    TDataSet* dataSet_;
    bool updated_ = false;
};
