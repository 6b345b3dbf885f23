#include "data_controls/form_storage_property_interceptor.h"
#include "data_controls/property_interceptor.h"

TPropertyInterceptorRegistry& PropertyInterceptors() {
    static TPropertyInterceptorRegistry registry = [] {
        TPropertyInterceptorRegistry made;
        made.Register(
            InterceptedClassOf<TCustomForm>("TCustomForm"),
            PropertyInterceptorClassOf<TFormStoragePropertyInterceptor>("TFormStoragePropertyInterceptor"));
        return made;
    }();
    return registry;
}
