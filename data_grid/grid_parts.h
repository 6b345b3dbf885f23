#pragma once
// The objects a data grid owns whose full classes live in their own files (columns, column
// defaults, scroll-bar settings, filter row, selection). The grid sees them through these small
// interfaces; the plain implementations here carry only what the grid itself needs of them.
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/alignment.h"
#include "platform/rtl/collection.h"
#include "platform/ui/colors.h"
#include "platform/ui/grid_types.h"
#include "platform/ui/label.h"
#include "platform/ui/types.h"

class TComponent;
class TField;
class TPopupMenu;

enum TSortMarkerEh { smNoneEh, smDownEh, smUpEh };
enum TTextOrientationEh { tohHorizontal, tohVertical };
// Input-method modes of a window; this host has no input-method system, so they are only kept.
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};

// One column as the grid's life cycle sees it.
class IGridColumnEh {
  public:
    virtual ~IGridColumnEh() = default;
    virtual TField* Field() const = 0;
    virtual void SetField(TField* Value) = 0;
    // The name the column binds its field by; the plain column's is its field's.
    virtual const std::string& FieldName() const = 0;
    virtual TSortMarkerEh SortMarker() const = 0;
    virtual void SetSortMarker(TSortMarkerEh Value) = 0;
    // The column lets go of a menu, image list or list source that is being freed.
    virtual void ForgetComponent(const TComponent* Component) = 0;
    // The menu a right click on the column's cells pops up; nullptr when none.
    virtual TPopupMenu* PopupMenu() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int Value) = 0;
    // The width the column had before the grid fitted the widths to its client area.
    virtual int InitialWidth() const = 0;
    virtual void SetInitialWidth(int Value) = 0;
    virtual bool Visible() const = 0;
    // The column's place in the sort order, 1 for the first; 0 when it is not sorted.
    virtual int SortIndex() const = 0;
    // Copies the grid's font into the column's while the column has none of its own.
    virtual void SyncDefaultFont() = 0;
    // The column's own input-method settings; false when it keeps none and the grid's apply.
    virtual bool OwnImeSettings(TImeMode& Mode, std::string& Name) const = 0;
};

// What a dataset offers when it can show its records as a memory table (tree, grouped rows).
class IMemTableEh {
  public:
    virtual ~IMemTableEh() = default;
};

// The column collection as the grid's life cycle sees it.
class IGridColumnsEh {
  public:
    virtual ~IGridColumnsEh() = default;
    virtual int Count() const = 0;
    virtual IGridColumnEh* Items(int Index) const = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // Whether the columns were made by the user rather than from the dataset's fields.
    virtual bool Customized() const = 0;
    virtual void ReleaseValueLists() = 0;
    // The collection the columns are stored as in a form.
    virtual TCollection& Stored() = 0;
    // Whether another grid's columns store the same form.
    virtual bool SameAs(const IGridColumnsEh& Other) const = 0;
};

// What columns and their titles fall back on while the user has not set their own values.
class IGridColumnDefValuesEh {
  public:
    virtual ~IGridColumnDefValuesEh() = default;
    virtual bool AlwaysShowEditButton() const { return false; }
    virtual bool AutoDropDown() const { return false; }
    virtual bool DblClickNextVal() const { return false; }
    virtual bool DropDownShowTitles() const { return false; }
    virtual bool DropDownSizing() const { return false; }
    virtual bool EndEllipsis() const { return false; }
    virtual bool HighlightRequired() const { return false; }
    virtual TTextLayout Layout() const { return tlTop; }
    virtual bool ToolTips() const { return false; }
    virtual TAlignment TitleAlignment() const { return taLeftJustify; }
    virtual TColor TitleColor() const { return clBtnFace; }
    virtual bool TitleEndEllipsis() const { return false; }
    virtual TTextOrientationEh TitleOrientation() const { return tohHorizontal; }
    virtual bool TitleButton() const { return false; }
    virtual bool TitleToolTips() const { return false; }
};

enum TScrollBarKindEh { sbHorizontalEh, sbVerticalEh };

enum TScrollBarVisibleModeEh { sbAlwaysShowEh, sbNeverShowEh, sbAutoShowEh };

class IGridScrollBarEh {
  public:
    virtual ~IGridScrollBarEh() = default;
    virtual TScrollBarKindEh Kind() const = 0;
    // A scroll bar outside the grid that follows it; nullptr when none.
    virtual TComponent* ExtScrollBar() const = 0;
    virtual void SetExtScrollBar(TComponent* Value) = 0;
    virtual TScrollBarVisibleModeEh VisibleMode() const { return sbAutoShowEh; }
    // Dragging the thumb scrolls at once.
    virtual bool Tracking() const { return false; }
    // Whether the bar the grid scrolls with shows (the external one when there is one).
    virtual bool IsShown() const { return false; }
};

class IGridFilterRowEh {
  public:
    virtual ~IGridFilterRowEh() = default;
    virtual bool Visible() const = 0;
    // The filter applies to the fetched records rather than through the server.
    virtual bool Local() const { return false; }
    // While not zero the grid stays in filter-row editing.
    virtual int UpdateCount() const { return 0; }
};

// Bit 0 unused, as the stored sets have it.
enum TGridSelectionKindEh { gskNoneEh, gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh };

// No cells: what a selection of nothing covers.
inline constexpr TGridRect EmptyGridRectEh{-1, -1, -1, -1};

class IGridSelectionEh {
  public:
    virtual ~IGridSelectionEh() = default;
    virtual TGridSelectionKindEh Kind() const = 0;
    virtual void Clear() = 0;
    virtual void LinkStateChanged(bool Active) = 0;
    // Whether a data cell of the record with this bookmark is selected; asked per painted cell.
    virtual bool CellIsSelected(int /*DataCol*/, const std::string& /*Bookmark*/) { return false; }
    // Drops the selection of whatever kind.
    virtual void Reset() { Clear(); }
    // A rows or columns selection with nothing left becomes none.
    virtual void Revalidate() {}
    // Tells the grid's OnSelectionChange.
    virtual void NotifyChanged() {}
    // Stores the kind as it is, with none of a change's side effects.
    virtual void StoreKind(TGridSelectionKindEh /*Kind*/) {}
    virtual void SelectWholeGrid() {}
    // The grid cells the selection covers, for repainting.
    virtual TGridRect AsGridRect() { return EmptyGridRectEh; }
};

// Selected records (bookmarks).
class IGridSelectedRowsEh {
  public:
    virtual ~IGridSelectedRowsEh() = default;
    virtual int Count() const = 0;
    virtual void Clear() = 0;
    // Whether the bookmark is selected; Index is its place or where it would go.
    virtual bool Search(const std::string& /*Bookmark*/, int& Index) {
        Index = 0;
        return false;
    }
    // Whether the bookmark is selected, without working out its place.
    virtual bool Contains(const std::string& Bookmark) {
        int index = 0;
        return Search(Bookmark, index);
    }
    virtual std::string ItemAt(int /*Index*/) const { return {}; }
    virtual bool IsCurrentRowSelected() { return false; }
    virtual void SelectCurrentRow(bool /*Selected*/) {}
    virtual void LinkStateChanged(bool /*Active*/) { Clear(); }
    // The grid rows of the selected records shown, for repainting.
    virtual TGridRect AsGridRect() { return EmptyGridRectEh; }
};

// A column that only holds its field, menu and sort marker.
class TPlainGridColumnEh : public TCollectionItem, public IGridColumnEh {
  public:
    std::string ClassName() const override { return "TPlainGridColumnEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    TField* Field() const override { return field_; }
    void SetField(TField* Value) override { field_ = Value; }
    const std::string& FieldName() const override;
    TSortMarkerEh SortMarker() const override { return sortMarker_; }
    void SetSortMarker(TSortMarkerEh Value) override { sortMarker_ = Value; }
    void ForgetComponent(const TComponent* Component) override;
    TPopupMenu* PopupMenu() const override { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* Value) { popupMenu_ = Value; }
    int Width() const override { return width_; }
    void SetWidth(int Value) override { width_ = Value; }
    int InitialWidth() const override { return initialWidth_; }
    void SetInitialWidth(int Value) override { initialWidth_ = Value; }
    bool Visible() const override { return true; }
    int SortIndex() const override { return 0; }
    void SyncDefaultFont() override {}
    bool OwnImeSettings(TImeMode& /*Mode*/, std::string& /*Name*/) const override { return false; }

  private:
    TField* field_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
    TSortMarkerEh sortMarker_ = smNoneEh;
    int width_ = 64;
    int initialWidth_ = 64;
};

class TPlainGridColumnsEh : public IGridColumnsEh {
  public:
    int Count() const override { return collection_.Count(); }
    IGridColumnEh* Items(int Index) const override;
    void BeginUpdate() override { ++updateCount_; }
    void EndUpdate() override;
    bool Customized() const override { return customized_; }
    void ReleaseValueLists() override {}
    TCollection& Stored() override { return collection_; }
    bool SameAs(const IGridColumnsEh& Other) const override;

    IGridColumnEh* Add();
    void Clear() { collection_.Clear(); }
    void SetCustomized(bool Value) { customized_ = Value; }
    int UpdateCount() const { return updateCount_; }

  private:
    TCollection collection_{ItemClass<TPlainGridColumnEh>()};
    int updateCount_ = 0;
    bool customized_ = false;
};

class TPlainGridScrollBarEh : public IGridScrollBarEh {
  public:
    explicit TPlainGridScrollBarEh(TScrollBarKindEh Kind) : kind_(Kind) {}
    TScrollBarKindEh Kind() const override { return kind_; }
    TComponent* ExtScrollBar() const override { return extScrollBar_; }
    void SetExtScrollBar(TComponent* Value) override { extScrollBar_ = Value; }

  private:
    TScrollBarKindEh kind_;
    TComponent* extScrollBar_ = nullptr;
};

class TPlainGridFilterRowEh : public IGridFilterRowEh {
  public:
    bool Visible() const override { return visible_; }
    void SetVisible(bool Value) { visible_ = Value; }

  private:
    bool visible_ = false;
};

class TPlainGridSelectedRowsEh : public IGridSelectedRowsEh {
  public:
    int Count() const override { return count_; }
    void Clear() override { count_ = 0; }
    void SetCount(int Value) { count_ = Value; }

  private:
    int count_ = 0;
};
