#pragma once
// Settings the datasets library reads for the whole program: the defaults of new datasets, fields
// and option objects. The application may change them before it makes its datasets.
#include <string>

#include "firebird_datasets/dataset_option_sets.h"

struct TFIBFormatDefaults {
    std::string DateDisplay = "dd.mm.yyyy";
    std::string TimeDisplay = "hh:mm AMPM";
    std::string NumericDisplay = "#,##0.";
    std::string NumericEdit = "0.";
};

struct TFIBDatasetsSettings {
    bool StringFieldsEmptyStrToNull = true;  // EmptyStrToNull of new TFIBstringField fields
    bool UseAppDefaultFormats = false;       // TFormatFields takes AppFormats
    TFIBFormatDefaults AppFormats;
    TFIBFormatDefaults DesignerFormats;
    std::string GeneratorPrefix = "GEN_";
    std::string GeneratorSuffix = "_ID";
    TpFIBDsOptions DesignerOptions{poTrimCharFields, poRefreshAfterPost, poStartTransaction,
                                   poAutoFormatFields};
    TDetailConditions DesignerDetailConditions;
    TpPrepareOptions DesignerPrepareOptions{pfImportDefaultValues, psUseBooleanField, psSQLINT64ToBCD,
                                            psGetOrderInfo};
    bool RemoveUpdateKindOnPermissionError = false;
};

// The program's one set of settings.
TFIBDatasetsSettings& FIBDatasetsSettings();
