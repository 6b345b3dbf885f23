#pragma once
// TCollection: an ordered list of items that it owns, all made by its item class, so that a
// descendant collection holds its own kind of item. Every change reaches the virtual Update:
// with the item when only that item changed, with nullptr when the list or all items did. Inside
// BeginUpdate / EndUpdate the updates wait, and the last EndUpdate sends one Update(nullptr).
// Notify hears every item that is added, and every item that is deleting (Delete) and leaving
// (extracting: any way an item goes, also Clear and freeing the item itself) at once.
//
// Items get increasing IDs that are never reused within one collection.
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/rtl/component.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  public:
    TCollectionItem() = default;
    ~TCollectionItem() override;
    // Leaves the collection while the item is still whole, so Notify sees all of it.
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TCollectionItem"; }

    TCollection* Collection() const { return collection_; }
    int ID() const { return id_; }
    int Index() const;
    // Moves the item to another place; raises EListError when the place is outside the list.
    virtual void SetIndex(int value);
    std::string DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const std::string& value);

    TPersistent* GetOwner() const override;
    // The collection's name path and the index: "Grid1.Columns[2]".
    std::string GetNamePath() const override;

  protected:
    // The class name unless a descendant has something better.
    virtual std::string GetDisplayName() const { return ClassName(); }
    // Tells the collection (unless it is updating): Update(this), or Update(nullptr) for allItems.
    void Changed(bool allItems);

  private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// Makes one new item for the collection that asks.
using TCollectionItemClass = std::function<std::unique_ptr<TCollectionItem>(TCollection&)>;

// The item class of T, made with the collection when T takes one, else with no arguments.
template <class T>
TCollectionItemClass ItemClass() {
    return [](TCollection& collection) -> std::unique_ptr<TCollectionItem> {
        if constexpr (std::is_constructible_v<T, TCollection&>)
            return std::make_unique<T>(collection);
        else
            return std::make_unique<T>();
    };
}

class TCollection : public TPersistent {
  public:
    explicit TCollection(TCollectionItemClass itemClass);
    ~TCollection() override;
    std::string ClassName() const override { return "TCollection"; }

    TCollectionItem* Add();
    // A new item at index (0 .. Count); raises EListError "List index out of bounds (%d)" otherwise.
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* FindItemID(int id) const;
    int NextID() const { return nextID_; }

    virtual void BeginUpdate() { ++updateCount_; }
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Replaces the items with new ones, each assigned from the source collection's item.
    void Assign(const TPersistent& source) override;
    // The owner's name path and the property that holds the collection ("Grid1.Columns"); the
    // class name when either is unknown.
    std::string GetNamePath() const override;
    std::string PropName() const;
    void SetPropName(std::string name) { propName_ = std::move(name); }

  protected:
    virtual void Notify(TCollectionItem* /*item*/, TCollectionNotification /*action*/) {}
    virtual void Update(TCollectionItem* /*item*/) {}
    // Update(nullptr) unless updating.
    void Changed();

  private:
    friend class TCollectionItem;
    void InsertItem(std::unique_ptr<TCollectionItem> item);
    void RemoveItem(TCollectionItem* item);  // with its notice and Changed
    void DropItem(TCollectionItem* item);
    void CheckIndex(int index, int limit) const;
    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextID_ = 0;
    int updateCount_ = 0;
    std::string propName_;
};

// A collection that knows its owner (the component or object whose property it is).
class TOwnedCollection : public TCollection {
  public:
    TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass)
        : TCollection(std::move(itemClass)), owner_(owner) {}
    std::string ClassName() const override { return "TOwnedCollection"; }
    TPersistent* GetOwner() const override { return owner_; }

  private:
    TPersistent* owner_;
};
