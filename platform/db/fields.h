#pragma once
// TFields: a dataset's fields in their order. The list does not own them; the dataset frees the
// default fields it made.
#include <string>
#include <vector>

class TDataSet;
class TField;

class TFields {
  public:
    explicit TFields(TDataSet* dataSet) : dataSet_(dataSet) {}
    int Count() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    int IndexOf(const TField* field) const;
    void Add(TField* field);
    void Remove(TField* field);
    // Moves a listed field to index, limited to the list.
    void SetFieldIndex(TField* field, int index);
    // Names compare without regard to case; nullptr when absent.
    TField* FindField(const std::string& name) const;
    // Raises EDatabaseError "Field '%s' not found" when absent.
    TField* FieldByName(const std::string& name) const;

  private:
    TDataSet* dataSet_;
    std::vector<TField*> fields_;
};
