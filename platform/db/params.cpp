#include "platform/db/params.h"

#include "platform/rtl/database_error.h"
#include "platform/rtl/strings.h"

TFieldType VarTypeToDataType(TVarType type) {
    switch (type) {
        case varSmallint:
        case varShortInt:
        case varByte:
            return ftSmallint;
        case varWord:
            return ftWord;
        case varInteger:
        case varLongWord:
            return ftInteger;
        case varInt64:
            return ftLargeint;
        case varSingle:
        case varDouble:
            return ftFloat;
        case varCurrency:
            return ftCurrency;
        case varDate:
            return ftDateTime;
        case varBoolean:
            return ftBoolean;
        case varString:
            return ftString;
        default:
            return ftUnknown;
    }
}

void TParam::Assign(const TPersistent& source) {
    const auto* param = dynamic_cast<const TParam*>(&source);
    if (param == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    Name = param->Name;
    DataType = param->DataType;
    ParamType = param->ParamType;
    value_ = param->value_;
}

void TParam::SetValue(const Variant& value) {
    if (DataType == ftUnknown)
        DataType = VarTypeToDataType(value.VarType());
    value_ = value;
}

TParam* TParams::CreateParam(TFieldType type, const std::string& name, TParamType paramType) {
    auto* param = static_cast<TParam*>(Add());
    param->Name = name;
    param->DataType = type;
    param->ParamType = paramType;
    return param;
}

TParam* TParams::FindParam(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(Items(i)->Name, name))
            return Items(i);
    }
    return nullptr;
}

TParam* TParams::ParamByName(const std::string& name) const {
    TParam* param = FindParam(name);
    if (param == nullptr)
        throw EDatabaseError("Parameter '" + name + "' not found");
    return param;
}
