#include "firebird_datasets/fib_fields.h"

#include "platform/db/dataset.h"

IFIBFieldDataSet* FIBFieldDataSet(const TField& field) {
    return dynamic_cast<IFIBFieldDataSet*>(field.DataSet());
}

bool FIBFieldColumn(const TField& field, TFIBFieldColumn& column) {
    const IFIBFieldDataSet* dataSet = FIBFieldDataSet(field);
    return field.FieldKind == fkData && dataSet != nullptr && dataSet->FieldColumn(&field, column);
}
