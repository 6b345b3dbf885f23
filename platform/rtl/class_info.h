#pragma once
// TClass: a class as the program sees it at run time, its name and the class it extends, read from
// the type descriptions the compiler keeps for every polymorphic class. A class with several bases
// extends its first one: our classes name the class they extend first and the interfaces they
// answer after it. A default TClass is no class at all.
#include <string>
#include <typeinfo>

class TObject;

class TClass {
  public:
    TClass() = default;
    explicit TClass(const std::type_info& type) : type_(&type) {}
    template <class T>
    static TClass Of() {
        return TClass(typeid(T));
    }
    // The class the object was made as.
    static TClass Of(const TObject& object);

    explicit operator bool() const { return type_ != nullptr; }
    // The name as declared, without its namespaces; empty for no class.
    std::string ClassName() const;
    // The class this one extends; no class for one without a base (or for no class).
    TClass ClassParent() const;
    // Whether this class is the ancestor or one of its descendants.
    bool InheritsFrom(TClass Ancestor) const;

    friend bool operator==(TClass a, TClass b) {
        return a.type_ == b.type_ || (a.type_ != nullptr && b.type_ != nullptr && *a.type_ == *b.type_);
    }

  private:
    const std::type_info* type_ = nullptr;
};
