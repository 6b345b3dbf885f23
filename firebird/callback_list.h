#pragma once
// Lists of handlers that several listeners add themselves to. A handler is a method pointer: the
// object it runs on and the code it runs, and two handlers are equal when both match, so a
// listener can take back exactly the handler it added. A list forgets the handlers of a component
// when that component is freed.
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/component.h"

// The identity of a method pointer: its object and the bytes of its code.
struct TMethodId {
    const void* Data = nullptr;
    std::string Code;
    bool operator==(const TMethodId&) const = default;
    bool Empty() const { return Data == nullptr && Code.empty(); }
};

template <class Signature>
struct TMethod {
    TMethodId Id;
    TObject* Object = nullptr;  // the object, when it is one that may be freed while listed
    std::function<Signature> Call;

    explicit operator bool() const { return static_cast<bool>(Call); }
    bool operator==(const TMethod& other) const { return Id == other.Id; }
};

// The method pointer of a member function of obj.
template <class C, class R, class... A>
TMethod<R(A...)> MakeMethod(C* obj, R (C::*fn)(A...)) {
    TMethod<R(A...)> method;
    method.Id.Data = obj;
    method.Id.Code.assign(reinterpret_cast<const char*>(&fn), sizeof fn);
    if constexpr (std::is_base_of_v<TObject, C>)
        method.Object = obj;
    method.Call = [obj, fn](A... args) { return (obj->*fn)(std::forward<A>(args)...); };
    return method;
}

// A handler that is no member function, told apart from others by a key of the caller's.
template <class Signature, class F>
TMethod<Signature> MakeMethod(TObject* obj, const void* key, F&& fn) {
    TMethod<Signature> method;
    method.Id.Data = obj;
    method.Id.Code.assign(reinterpret_cast<const char*>(&key), sizeof key);
    method.Object = obj;
    method.Call = std::forward<F>(fn);
    return method;
}

// The list part that does not depend on the handler's type.
class TCallBackListBase : public TComponent {
  public:
    explicit TCallBackListBase(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TCallBackList"; }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Drops every entry whose object is the component.
    virtual void RemoveComponentEntries(TComponent* component) = 0;
    // Asks to be told when the entry's object goes, when it is a component.
    void WatchObject(TObject* object);
};

template <class Signature>
class TCallBackList : public TCallBackListBase {
  public:
    using Entry = TMethod<Signature>;
    explicit TCallBackList(TComponent* AOwner = nullptr) : TCallBackListBase(AOwner) {}

    // An equal entry already listed (searched from the end) keeps its place and index.
    int AddEntry(const Entry& entry) {
        const int found = IndexOfEntry(entry);
        if (found >= 0)
            return found;
        entries_.push_back(entry);
        WatchObject(entry.Object);
        return Count() - 1;
    }
    void RemoveEntry(const Entry& entry) {
        std::erase_if(entries_, [&](const Entry& e) { return e == entry; });
    }
    int IndexOfEntry(const Entry& entry) const {
        for (int i = Count() - 1; i >= 0; --i)
            if (entries_[static_cast<std::size_t>(i)] == entry)
                return i;
        return -1;
    }
    int Count() const { return static_cast<int>(entries_.size()); }
    // An empty entry outside 0..Count-1.
    Entry GetEntry(int index) const {
        if (index < 0 || index >= Count())
            return {};
        return entries_[static_cast<std::size_t>(index)];
    }

    // Calls each entry in list order, or from the last to the first. An entry removed by an
    // earlier one is still called (the list is copied first), as a listener that asked to hear
    // this event must.
    template <class... A>
    void CallAll(bool lastFirst, A&&... args) const {
        const std::vector<Entry> entries = entries_;
        if (lastFirst) {
            for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                if (it->Call)
                    it->Call(args...);
        } else {
            for (const Entry& e : entries)
                if (e.Call)
                    e.Call(args...);
        }
    }

  protected:
    void RemoveComponentEntries(TComponent* component) override {
        std::erase_if(entries_, [&](const Entry& e) { return e.Object == component; });
    }

  private:
    std::vector<Entry> entries_;
};

using TNotifyMethod = TMethod<void(TObject*)>;

class TNotifyEventList : public TCallBackList<void(TObject*)> {
  public:
    explicit TNotifyEventList(TComponent* AOwner = nullptr) : TCallBackList(AOwner) {}
    std::string ClassName() const override { return "TNotifyEventList"; }
    int Add(const TNotifyMethod& event) { return AddEntry(event); }
    void Remove(const TNotifyMethod& event) { RemoveEntry(event); }
    TNotifyMethod GetEvent(int index) const { return GetEntry(index); }
};
