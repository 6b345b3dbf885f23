// TpFIBDataSet: construction and destruction; the class's concerns live in pfib_dataset_*.cpp.
#include "firebird_datasets/pfib_dataset.h"

TpFIBDataSet::TpFIBDataSet(TComponent* AOwner) : TFIBDataSet(AOwner) {}

TpFIBDataSet::~TpFIBDataSet() = default;
