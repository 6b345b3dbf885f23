// The kinds of value the edit controls take as a number.
#include "data_controls/variant_kinds.h"

bool HoldsPlainNumber(const Variant& Value) {
    switch (Value.VarType()) {
        case varSmallint:
        case varInteger:
        case varSingle:
        case varDouble:
        case varCurrency:
            return true;
        default:
            return false;
    }
}
