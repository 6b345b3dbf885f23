#include "data_controls/property_interceptor.h"

TPropertyInterceptorRegistry& PropertyInterceptors() {
    static TPropertyInterceptorRegistry registry;
    return registry;
}
