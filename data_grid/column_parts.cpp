#include "data_grid/column_parts.h"

void TPlainColumnPartEh::Assign(const TPersistent& Source) {
    if (dynamic_cast<const TPlainColumnPartEh*>(&Source) == nullptr)
        TPersistent::Assign(Source);
}

TColumnDropDownGridClassEh& ColumnDropDownGridClass() {
    static TColumnDropDownGridClassEh registered;
    return registered;
}
