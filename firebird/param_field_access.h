#pragma once
// Parameter and column access by name and index, offered alike by statements and datasets.
#include <string>

#include "platform/rtl/variant.h"

class IParamFieldAccess {
  public:
    virtual ~IParamFieldAccess() = default;
    virtual int GetParamCount() = 0;
    virtual std::string GetParamName(int index) = 0;
    virtual int GetFieldCount() = 0;
    virtual bool FindFieldIndex(const std::string& name, int& index) = 0;
    virtual bool FindParamIndex(const std::string& name, int& index) = 0;
    virtual Variant GetFieldValueByName(const std::string& name) = 0;
    virtual Variant GetFieldValue(int index) = 0;
    virtual Variant GetParamValueByName(const std::string& name) = 0;
    virtual Variant GetParamValue(int index) = 0;
    virtual void SetParamValue(int index, const Variant& value) = 0;
};
