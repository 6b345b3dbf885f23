#pragma once
// TDBGridColumnsEh: the grid's column collection. It remembers its grid, tells it of every change
// (a repaint or width change for one column, a relayout for all) and serves the grid through
// IGridColumnsEh. TColumnsEhList: a list of column references that owns nothing.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/grid_parts.h"
#include "platform/rtl/collection.h"

class TCustomDBGridEh;

class TDBGridColumnsEh : public TCollection, public IGridColumnsEh {
  public:
    // Columns made by ColumnClass<T>, each inside a layout bracket of the grid.
    TDBGridColumnsEh(TCustomDBGridEh* Grid, TCollectionItemClass ColumnClass);
    std::string ClassName() const override { return "TDBGridColumnsEh"; }
    // The item class of T: made, then its own construction steps run.
    template <class T>
    static TCollectionItemClass ColumnClass();

    TCustomDBGridEh* Grid() const { return grid_; }
    TPersistent* GetOwner() const override;
    // A column the user made, stored with the form.
    TColumnEh* Add();
    // A column the grid made from a dataset field, not stored.
    TColumnEh* AddAutoColumn();
    TColumnEh* ColumnAt(int Index) const { return static_cast<TColumnEh*>(TCollection::Items(Index)); }
    bool IsCustomized() const;
    // Each field's order "A","B" by name; writing moves the named columns to those places.
    std::string ColumnsIndex() const;
    void SetColumnsIndex(const std::string& Value);

    // IGridColumnsEh.
    int Count() const override { return TCollection::Count(); }
    IGridColumnEh* Items(int Index) const override { return ColumnAt(Index); }
    void BeginUpdate() override { TCollection::BeginUpdate(); }
    void EndUpdate() override { TCollection::EndUpdate(); }
    bool Customized() const override { return IsCustomized(); }
    void ReleaseValueLists() override;
    TCollection& Stored() override { return *this; }
    bool SameAs(const IGridColumnsEh& Other) const override;

  protected:
    void Update(TCollectionItem* Item) override;

  private:
    // Makes a column and runs its construction steps inside a layout bracket of the grid.
    static std::unique_ptr<TCollectionItem> MakeColumn(
        TCollection& Collection, const std::function<std::unique_ptr<TColumnEh>()>& Make);
    void UpdateColumn(TColumnEh& Column);
    void FitInitialWidths(TColumnEh& Column, int GridCol);
    TCustomDBGridEh* grid_;
};

template <class T>
TCollectionItemClass TDBGridColumnsEh::ColumnClass() {
    return [](TCollection& collection) -> std::unique_ptr<TCollectionItem> {
        return MakeColumn(collection, [&collection] { return std::make_unique<T>(collection); });
    };
}

// Column references in a chosen order (visible columns, sort order, selected columns).
class TColumnsEhList {
  public:
    int Count() const { return static_cast<int>(columns_.size()); }
    // Raises EListError outside the list.
    TColumnEh* ColumnAt(int Index) const;
    void PutColumn(int Index, TColumnEh* Column);
    void Add(TColumnEh* Column) { columns_.push_back(Column); }
    void Insert(int Index, TColumnEh* Column);
    int IndexOf(const TColumnEh* Column) const;
    void Remove(const TColumnEh* Column);
    void Clear() { columns_.clear(); }

  private:
    void CheckIndex(int Index) const;
    std::vector<TColumnEh*> columns_;
};
