#pragma once
// The classes a stored form may name: the reader makes each child component from the class name
// written in the form. Names are compared without regard to letter case; registering a name again
// replaces its maker.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/stream.h"

// "Class %s not found".
class EClassNotFound : public EFilerError {
  public:
    using EFilerError::EFilerError;
};

struct TComponentClass {
    std::string Name;
    // Makes a component owned by owner (by nobody for nullptr), constructed and AfterConstruction run.
    std::function<TComponent*(TComponent* owner)> Create;
};

// Makes a T owned by owner, or by nobody (the caller holds it) for nullptr.
template <class T>
TComponent* CreateComponent(TComponent* owner) {
    if (owner != nullptr)
        return NewComponent<T>(owner);
    return MakeComponent<T>(nullptr).release();
}

class TClassRegistry {
  public:
    void RegisterClass(TComponentClass componentClass);
    template <class T>
    void RegisterClass(std::string name) {
        RegisterClass({std::move(name), &CreateComponent<T>});
    }
    void UnRegisterClass(std::string_view name);
    // nullptr when the name is not registered.
    const TComponentClass* GetClass(std::string_view name) const;
    // Raises EClassNotFound when the name is not registered.
    const TComponentClass& FindClass(std::string_view name) const;

  private:
    std::vector<TComponentClass> classes_;
};

// The program's registry, which readers use unless given another.
TClassRegistry& Classes();

template <class T>
void RegisterClass(std::string name) {
    Classes().RegisterClass<T>(std::move(name));
}
inline const TComponentClass& FindClass(std::string_view name) {
    return Classes().FindClass(name);
}
inline const TComponentClass* GetClass(std::string_view name) {
    return Classes().GetClass(name);
}
