#pragma once
// A base class with at most one live instance per class name. Instances are made with Create and
// freed with Free (or FreeInstancesOf); the registry may free a leftover instance itself, so an
// instance never lives on the stack or in a caller's smart pointer.
#include <string>
#include <string_view>
#include <utility>

class TSingletonClass {
  protected:
    // Only Create can make one, so every instance is on the heap where the registry can free it.
    class Key {
        friend class TSingletonClass;
        Key() = default;
    };

  public:
    // Raises Exception "Нельзя создать второй экземпляр класса "<name>"." while an instance of the
    // class name lives.
    template <class T, class... Args>
    static T* Create(Args&&... args) {
        return new T(Key(), std::forward<Args>(args)...);
    }
    void Free() { delete this; }

    virtual ~TSingletonClass();
    TSingletonClass(const TSingletonClass&) = delete;
    TSingletonClass& operator=(const TSingletonClass&) = delete;

    const std::string& ClassName() const { return FClassName; }

  protected:
    TSingletonClass(Key, std::string className);

  private:
    std::string FClassName;
};

// Frees every registered instance of the class name.
void FreeInstancesOf(std::string_view className);
template <class T>
void FreeInstancesOf() {
    FreeInstancesOf(T::StaticClassName);
}
