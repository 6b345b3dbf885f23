#pragma once
// Published properties: what a class lets the form reader and writer see, declared once per class
// and inherited by its descendants. Each property has a name, a kind, a getter, a setter (absent
// for nested objects, which are read into), a default and a stored-when predicate.
//
// A class declares its list from its parent's:
//
//   const TPropertyList& TPanel::Published() {
//       static const TPropertyList list = TPublish<TPanel>(TComponent::Published())
//           .Integer("Width", &TPanel::Width, &TPanel::SetWidth).Default(64)
//           .Enum("Align", &TPanel::Align, &TPanel::SetAlign, {"alNone", "alTop", "alClient"})
//           .Object("Font", &TPanel::Font);
//       return list;
//   }
//
// and returns it from its PublishedProperties override. Getters and setters may be member
// functions, data members or callables taking the object.
//
// What is written: a property whose stored-when says yes and, without an ancestor, whose value
// differs from its default. Integer, enumeration, boolean and set properties without a declared
// default are always written; strings default to empty and floats to 0.
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

class TPersistent;
class TComponent;

enum TPropKind {
    pkInteger,     // written as a number, or as the name of one of its Idents (clRed)
    pkFloat,       // written with "."
    pkString,      // quoted
    pkEnum,        // an identifier from Names
    pkBoolean,     // True / False
    pkSet,         // [a, b], elements from Names, bit n for element n
    pkClass,       // a nested object, written as its own properties under "Name." (Font.Name)
    pkCollection,  // a collection's items: < item ... end >
    pkComponent,   // a reference to a component by name (nil for none)
};

// Ordinal kinds hold int64, floats double, strings std::string, the others an object pointer.
using TPropValue = std::variant<std::int64_t, double, std::string, TPersistent*>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = pkInteger;
    std::vector<std::string> Names;                            // enumeration values, set elements
    std::vector<std::pair<std::string, std::int64_t>> Idents;  // integer values written by name
    std::int64_t Min = std::numeric_limits<std::int64_t>::min();
    std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    std::function<TPropValue(const TPersistent&)> Get;
    // False when the value is of the wrong kind (a component of another class).
    std::function<bool(TPersistent&, const TPropValue&)> Set;
    std::optional<TPropValue> Default;
    std::function<bool(const TPersistent&)> Stored;

    bool IsStored(const TPersistent& instance) const { return !Stored || Stored(instance); }
    // The declared default, or the implicit one of strings and floats.
    bool IsDefault(const TPropValue& value) const;
};

class TPropertyList {
  public:
    TPropertyList() = default;  // publishes nothing
    TPropertyList(const TPropertyList* parent, std::vector<TPropInfo> own)
        : parent_(parent), own_(std::move(own)) {}

    const TPropertyList* Parent() const { return parent_; }
    const std::vector<TPropInfo>& Own() const { return own_; }
    // By name, ignoring letter case; a descendant's declaration hides its parent's.
    const TPropInfo* Find(std::string_view name) const;
    // True when list is this one or one it inherits from.
    bool Includes(const TPropertyList& list) const;
    // Every property, the parents' first, with the list that declared it.
    void ForEach(const std::function<void(const TPropertyList&, const TPropInfo&)>& visit) const;

  private:
    const TPropertyList* parent_ = nullptr;
    std::vector<TPropInfo> own_;
};

namespace published_detail {

template <class V>
std::int64_t ToOrdinal(const V& value) {
    if constexpr (requires { value.Bits(); })
        return static_cast<std::int64_t>(value.Bits());
    else
        return static_cast<std::int64_t>(value);
}

template <class V>
V FromOrdinal(std::int64_t value) {
    if constexpr (requires(V v) { V::FromBits(v.Bits()); })
        return V::FromBits(static_cast<decltype(std::declval<V>().Bits())>(value));
    else
        return static_cast<V>(value);
}

template <class V>
TPropValue ToValue(const V& value) {
    if constexpr (std::is_convertible_v<const V&, std::string_view>)
        return std::string(std::string_view(value));
    else if constexpr (std::is_floating_point_v<V>)
        return static_cast<double>(value);
    else
        return ToOrdinal(value);
}

template <class T, class Get>
using Result = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;

template <class T, class Set, class V>
void Store(Set set, T& object, V value) {
    if constexpr (std::is_member_object_pointer_v<Set>)
        object.*set = std::move(value);
    else
        std::invoke(set, object, std::move(value));
}

template <class P>
TPersistent* AsPersistent(const P& pointer) {
    if constexpr (requires { pointer.get(); })
        return const_cast<std::remove_const_t<std::remove_pointer_t<decltype(pointer.get())>>*>(
            pointer.get());
    else
        return const_cast<std::remove_const_t<std::remove_pointer_t<P>>*>(pointer);
}

}  // namespace published_detail

// Builds the list of class T on its parent's; each call adds one property, and Default, Idents
// and StoredWhen qualify the property added last.
template <class T>
class TPublish {
  public:
    explicit TPublish(const TPropertyList& parent) : parent_(&parent) {}

    template <class Get, class Set>
    TPublish& Integer(std::string name, Get get, Set set) {
        using V = published_detail::Result<T, Get>;
        TPropInfo& info = AddOrdinal<V>(std::move(name), pkInteger, get, set);
        if constexpr (std::is_integral_v<V>) {
            constexpr auto max = std::numeric_limits<V>::max();
            info.Min = static_cast<std::int64_t>(std::numeric_limits<V>::min());
            info.Max = std::in_range<std::int64_t>(max) ? static_cast<std::int64_t>(max)
                                                        : std::numeric_limits<std::int64_t>::max();
        }
        return *this;
    }
    template <class Get, class Set>
    TPublish& Boolean(std::string name, Get get, Set set) {
        AddOrdinal<bool>(std::move(name), pkBoolean, get, set);
        return *this;
    }
    template <class Get, class Set>
    TPublish& Enum(std::string name, Get get, Set set, std::vector<std::string> names) {
        using V = published_detail::Result<T, Get>;
        TPropInfo& info = AddOrdinal<V>(std::move(name), pkEnum, get, set);
        info.Max = static_cast<std::int64_t>(names.size()) - 1;
        info.Min = 0;
        info.Names = std::move(names);
        return *this;
    }
    template <class Get, class Set>
    TPublish& SetOf(std::string name, Get get, Set set, std::vector<std::string> names) {
        using V = published_detail::Result<T, Get>;
        AddOrdinal<V>(std::move(name), pkSet, get, set).Names = std::move(names);
        return *this;
    }
    template <class Get, class Set>
    TPublish& Float(std::string name, Get get, Set set) {
        using V = published_detail::Result<T, Get>;
        TPropInfo& info = Add(std::move(name), pkFloat);
        info.Get = [get](const TPersistent& o) {
            return TPropValue(static_cast<double>(std::invoke(get, static_cast<const T&>(o))));
        };
        info.Set = [set](TPersistent& o, const TPropValue& v) {
            published_detail::Store(set, static_cast<T&>(o), static_cast<V>(std::get<double>(v)));
            return true;
        };
        return *this;
    }
    template <class Get, class Set>
    TPublish& String(std::string name, Get get, Set set) {
        TPropInfo& info = Add(std::move(name), pkString);
        info.Get = [get](const TPersistent& o) {
            return TPropValue(std::string(std::invoke(get, static_cast<const T&>(o))));
        };
        info.Set = [set](TPersistent& o, const TPropValue& v) {
            published_detail::Store(set, static_cast<T&>(o), std::get<std::string>(v));
            return true;
        };
        return *this;
    }
    // A nested object that the reader reads into (Font.Name = ...); a collection is written as one.
    template <class Get>
    TPublish& Object(std::string name, Get get) {
        Add(std::move(name), pkClass).Get = ObjectGetter(get);
        return *this;
    }
    template <class Get>
    TPublish& Collection(std::string name, Get get) {
        Add(std::move(name), pkCollection).Get = ObjectGetter(get);
        return *this;
    }
    // A reference to another component, written by name.
    template <class Get, class Set>
    TPublish& Component(std::string name, Get get, Set set) {
        using P = published_detail::Result<T, Get>;
        TPropInfo& info = Add(std::move(name), pkComponent);
        info.Get = ObjectGetter(get);
        info.Set = [set](TPersistent& o, const TPropValue& v) {
            TPersistent* target = std::get<TPersistent*>(v);
            auto* typed = dynamic_cast<P>(target);
            if (target != nullptr && typed == nullptr)
                return false;
            published_detail::Store(set, static_cast<T&>(o), typed);
            return true;
        };
        return *this;
    }

    template <class V>
    TPublish& Default(const V& value) {
        props_.back().Default = published_detail::ToValue(value);
        return *this;
    }
    TPublish& Idents(std::vector<std::pair<std::string, std::int64_t>> idents) {
        props_.back().Idents = std::move(idents);
        return *this;
    }
    template <class Predicate>
    TPublish& StoredWhen(Predicate stored) {
        props_.back().Stored = [stored](const TPersistent& o) {
            return static_cast<bool>(std::invoke(stored, static_cast<const T&>(o)));
        };
        return *this;
    }

    operator TPropertyList() const { return TPropertyList(parent_, props_); }

  private:
    TPropInfo& Add(std::string name, TPropKind kind) {
        TPropInfo& info = props_.emplace_back();
        info.Name = std::move(name);
        info.Kind = kind;
        return info;
    }
    template <class V, class Get, class Set>
    TPropInfo& AddOrdinal(std::string name, TPropKind kind, Get get, Set set) {
        TPropInfo& info = Add(std::move(name), kind);
        info.Get = [get](const TPersistent& o) {
            return TPropValue(published_detail::ToOrdinal(std::invoke(get, static_cast<const T&>(o))));
        };
        info.Set = [set](TPersistent& o, const TPropValue& v) {
            published_detail::Store(set, static_cast<T&>(o),
                                    published_detail::FromOrdinal<V>(std::get<std::int64_t>(v)));
            return true;
        };
        return info;
    }
    template <class Get>
    static std::function<TPropValue(const TPersistent&)> ObjectGetter(Get get) {
        return [get](const TPersistent& o) {
            return TPropValue(published_detail::AsPersistent(std::invoke(get, static_cast<const T&>(o))));
        };
    }

    const TPropertyList* parent_;
    std::vector<TPropInfo> props_;
};
