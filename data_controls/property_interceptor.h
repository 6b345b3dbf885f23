#pragma once
// Property-storage interceptors: a facility that saves and restores chosen properties of
// components lets an interceptor take the stored values in place of the target, then tells it
// that reading is over. The registry pairs a target class with the interceptor class to create.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"

class TStoragePropertyInterceptor : public TPersistent {
  public:
    explicit TStoragePropertyInterceptor(TPersistent* Target) : FTarget(Target) {}
    std::string ClassName() const override { return "TStoragePropertyInterceptor"; }
    TPersistent* Target() const { return FTarget; }
    virtual bool InterceptsReading() const { return true; }
    // Called once every stored value has been written into the interceptor.
    virtual void AfterPropertiesRead() {}

  protected:
    TPersistent* FTarget;
};

// A class whose instances may be intercepted, known by name; InstanceOf tells whether an object
// is of the class or a descendant.
struct TInterceptedClass {
    std::string Name;
    std::function<bool(const TPersistent&)> InstanceOf;
};

template <class T>
TInterceptedClass InterceptedClassOf(std::string name) {
    return {std::move(name),
            [](const TPersistent& object) { return dynamic_cast<const T*>(&object) != nullptr; }};
}

struct TPropertyInterceptorClass {
    std::string Name;
    std::function<std::unique_ptr<TStoragePropertyInterceptor>(TPersistent* target)> Create;
};

template <class T>
TPropertyInterceptorClass PropertyInterceptorClassOf(std::string name) {
    return {std::move(name), [](TPersistent* target) -> std::unique_ptr<TStoragePropertyInterceptor> {
                return std::make_unique<T>(target);
            }};
}

class TPropertyInterceptorRegistry {
  public:
    struct Entry {
        TInterceptedClass Target;
        TPropertyInterceptorClass Interceptor;
    };

    // Replaces every earlier pairing of targetClass, then appends the new one.
    void Register(const TInterceptedClass& targetClass, const TPropertyInterceptorClass& interceptorClass);
    // Deletes every entry whose target and interceptor both match; an unknown pair changes nothing.
    void Unregister(const TInterceptedClass& targetClass, const TPropertyInterceptorClass& interceptorClass);
    const std::vector<Entry>& Entries() const { return entries_; }
    // The interceptor class of the latest entry whose class target belongs to; nullptr for none.
    const TPropertyInterceptorClass* InterceptorClassFor(const TPersistent& target) const;

  private:
    std::vector<Entry> entries_;
};

// The program's registry. Interceptors are registered by the start-up code of the libraries that
// define them (the form interceptor here, the column interceptors in the grid) and found by a
// storage facility that knows neither, so one default instance is shared; it comes with the form
// interceptor registered for TCustomForm. Tests build their own registries.
TPropertyInterceptorRegistry& PropertyInterceptors();

inline void RegisterPropertyInterceptor(const TInterceptedClass& targetClass,
                                        const TPropertyInterceptorClass& interceptorClass) {
    PropertyInterceptors().Register(targetClass, interceptorClass);
}
inline void UnregisterPropertyInterceptor(const TInterceptedClass& targetClass,
                                          const TPropertyInterceptorClass& interceptorClass) {
    PropertyInterceptors().Unregister(targetClass, interceptorClass);
}
