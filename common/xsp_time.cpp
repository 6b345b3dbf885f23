#include "common/xsp_time.h"

#include "common/xsp_base_time.h"

TDateTime TXSPTime::AsTime() const {
    TXSPBaseTime time;
    time.Parse(FText);
    return time.AsTime();
}
