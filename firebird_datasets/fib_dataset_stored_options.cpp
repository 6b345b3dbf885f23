// The option sets' older stored names.
#include "firebird_datasets/fib_custom_dataset.h"

void TFIBCustomDataSet::DefineProperties(TFiler& filer) {
    TDataSet::DefineProperties(filer);
}
