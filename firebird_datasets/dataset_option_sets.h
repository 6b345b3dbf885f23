#pragma once
// The datasets' option sets, in their stored order.
#include "platform/rtl/set.h"

enum TpFIBDsOption {
    poTrimCharFields,
    poRefreshAfterPost,
    poRefreshDeletedRecord,
    poStartTransaction,
    poAutoFormatFields,
    poProtectedEdit,
    poKeepSorting,
    poPersistentSorting,
    poVisibleRecno,
    poNoForceIsNull,
    poFetchAll,
};
using TpFIBDsOptions = TSet<TpFIBDsOption>;

enum TpPrepareOption {
    pfSetRequiredFields,
    pfSetReadOnlyFields,
    pfImportDefaultValues,
    psUseBooleanField,
    psUseGuidField,
    psSQLINT64ToBCD,
    psApplyRepositary,
    psGetOrderInfo,
    psAskRecordCount,
    psCanEditComputedFields,
};
using TpPrepareOptions = TSet<TpPrepareOption>;

enum TDetailCondition { dcForceOpen, dcIgnoreMasterClose, dcForceMasterRefresh, dcWaitEndMasterScroll };
using TDetailConditions = TSet<TDetailCondition>;
