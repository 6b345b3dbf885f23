// TpFIBDataSet's link to its description in FIB$DATASETS_INFO: DataSet_ID, applied before the
// statements are prepared.
#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/rtl/strings.h"

void TpFIBDataSet::SetDataSet_ID(int value) {
    if (value == dataSetId_)
        return;
    CheckDatasetClosed(" change DataSetID ");
    dataSetId_ = value;
    // The description may bring another select: the next open prepares it again.
    QSelect().FreeHandle();
    if (value > 0)
        SetPrepareOptions(PrepareOptions() + TpPrepareOptions{psApplyRepositary});
}

void TpFIBDataSet::ApplyRepositoryDescription() {
    if (!PrepareOptions().Contains(psApplyRepositary) || dataSetId_ <= 0 || dataSetId_ == appliedDataSetId_)
        return;
    TpFIBRepository& repository = MetadataRepository("DataSet_ID");
    PrepareTransactions();
    const bool conditionsApplied = Conditions().Applied();
    repository.DataSetInfos().ApplyToDataSet(repositoryLink_);
    appliedDataSetId_ = dataSetId_;
    if (conditionsApplied)
        Conditions().Apply();
    if (Trim(SelectSQL().Text()).empty())
        RaiseClientError(fceEmptyQuery, {"Prepare " + ComponentPath(this)});
}

void TpFIBDataSet::OpenWithScreenCursor() {
    ApplyRepositoryDescription();
    const bool wasPrepared = QSelect().Prepared();
    TFIBDataSet::OpenWithScreenCursor();
    if (!wasPrepared && QSelect().Prepared())
        linksPending_ = true;
}

void TpFIBDataSet::DoAfterOpen() {
    ApplyDefaultFormats();
    if (linksPending_ && AutoUpdateOptions().AutoParamsToFields() && !ComponentState().Contains(csDesigning))
        FillParamsToFieldsLinks(AutoUpdateOptions().ParamsToFieldsLinks());
    linksPending_ = false;
    NotifyContainer(deAfterOpen);
    TFIBDataSet::DoAfterOpen();
}
