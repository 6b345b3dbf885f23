#pragma once
// The ';'-separated field lists of data-aware controls that show or edit several fields at once.
#include <string>
#include <vector>

#include "platform/rtl/variant.h"

class TComponent;
class TDataSet;
class TField;

using TFieldsArrEh = std::vector<TField*>;

// Looks up every name of Names in DataSet; a missing one raises "Field '%s' not found" naming
// Component. Found fields are appended to List when one is given.
void ListFieldsByNames(TFieldsArrEh* List, const TDataSet* DataSet, const TComponent* Component,
                       const std::string& Names);
void FieldsArrayByNames(const TDataSet* DataSet, const TComponent* Component, const std::string& Names,
                        TFieldsArrEh& Fields);
// Null clears every named field; anything else goes to the dataset's field-values assignment.
void AssignFieldsFromVariant(TDataSet* DataSet, const std::string& Names, const Variant& Value);
