#include "firebird_datasets/datasets_settings.h"

TFIBDatasetsSettings& FIBDatasetsSettings() {
    static TFIBDatasetsSettings settings;
    return settings;
}
