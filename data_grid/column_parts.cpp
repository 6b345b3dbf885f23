#include "data_grid/column_parts.h"

TColumnDropDownGridClassEh& ColumnDropDownGridClass() {
    static TColumnDropDownGridClassEh registered;
    return registered;
}
