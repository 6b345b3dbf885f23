#pragma once
// TObject, TPersistent and TComponent: the ownership tree of the window system. An owner frees the
// components it owns; components that asked for free notification hear when another one goes away.
//
// Construction is two-phase: a component is made by NewComponent / MakeComponent, which construct it
// and then call the virtual AfterConstruction (a form fires OnCreate there, when every derived part
// is ready). Freeing runs BeforeDestruction first (a form fires OnDestroy there) and frees the owned
// components while the owner is still whole.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/set.h"

class TFiler;

class TObject {
  public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    // The class name as the code names it ("TForm", "TLabel" ...).
    virtual std::string ClassName() const { return "TObject"; }
};

// Runs BeforeDestruction and deletes; nullptr is allowed. A component that holds (owns, or is the
// parent of) one that is handling a message right now is only marked: it goes when the message
// loop comes round (FreePendingComponents), so no handler returns into a freed object.
void Free(TObject* object);

struct TFree {
    void operator()(TObject* object) const { Free(object); }
};
template <class T>
using TObjectPtr = std::unique_ptr<T, TFree>;

class TPersistent : public TObject {
  public:
    // Copies the source's state; raises EConvertError "Cannot assign a %s to a %s" when the kinds do not mix.
    virtual void Assign(const TPersistent& source);
    std::string ClassName() const override { return "TPersistent"; }
    // The object this one belongs to (a collection's owner, an item's collection); nullptr when none.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // The name a person would use for it: the owner's name path, a dot and the class name.
    virtual std::string GetNamePath() const;

    // What the form reader and writer see of the class (see published_properties.h): each class
    // that publishes properties declares its list in a static Published() built on its parent's
    // and returns it from this override.
    static const TPropertyList& Published();
    virtual const TPropertyList& PublishedProperties() const { return Published(); }

  protected:
    virtual void AssignTo(TPersistent& dest) const;
    // Declares the properties the class stores itself (see filer.h).
    virtual void DefineProperties(TFiler& /*filer*/) {}

  private:
    friend class TReader;
    friend class TWriter;
};

enum TOperation { opInsert, opRemove };

// csLoading from the start of reading until Loaded; csReading while its own properties are read;
// csWriting while it is written; csDestroying from BeforeDestruction on. csDesigning is never
// set: there is no designer, so design-time branches never run.
enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
  public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TComponent"; }
    std::string GetNamePath() const override { return name_; }
    // Publishes Tag (default 0); the name is stored in the form's object line.
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag = 0;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();
    TComponentState ComponentState() const { return state_; }
    bool Destroying() const { return state_.Contains(csDestroying); }

    // Asks to hear (through Notification with opRemove) when this component is freed.
    void FreeNotification(TComponent* listener);
    void RemoveFreeNotification(TComponent* listener);
    // The component that holds this one on screen (a control's parent); nullptr when none.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // Where the reader puts a child read inside this component's object (SetParentComponent).
    virtual TComponent* GetChildParent() { return this; }
    // A child read inside another component's object hears of it here; the base ignores it.
    virtual void SetParentComponent(TComponent* /*parent*/) {}
    // The components written inside this one's object: all of root's components held by this one
    // (GetParentComponent), and for root itself also those held by none.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

  protected:
    // Runs on every component of a stored form once the whole form is read (in the order they
    // were read); the base clears csLoading. Overrides call it first.
    virtual void Loaded();
    // Hears of a component going away (opRemove): one that asked for free notification, or one
    // this component's owner owns. The base passes it on to every owned component: call it.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

  private:
    void NotifyRemoval();
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    friend class TReader;
    friend class TWriter;
    std::string name_;
    TComponentState state_;
    bool removalSent_ = false;
};

// Marks a component as handling a message for the life of the scope (see Free).
class TBusyScope {
  public:
    explicit TBusyScope(const TComponent* component);
    ~TBusyScope();
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
};

// Frees the components whose Free waited for their handlers to return; the message loop calls it.
void FreePendingComponents();

// Makes a component owned by owner (which must not be nullptr and frees it later).
template <class T, class... Args>
T* NewComponent(TComponent* owner, Args&&... args) {
    if (owner == nullptr)
        throw EInvalidOperation("A component made by NewComponent needs an owner");
    auto made = std::unique_ptr<T>(new T(owner, std::forward<Args>(args)...));
    T* raw = made.release();
    try {
        raw->AfterConstruction();
    } catch (...) {
        Free(raw);
        throw;
    }
    return raw;
}

// Makes a component without an owner, held (and freed) by the returned pointer.
template <class T, class... Args>
TObjectPtr<T> MakeComponent(Args&&... args) {
    TObjectPtr<T> made(new T(std::forward<Args>(args)...));
    made->AfterConstruction();
    return made;
}
