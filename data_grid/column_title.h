#pragma once
// TColumnTitleEh: a column's title cell: its caption, look, hint, image, and the column's sort
// marker and place in the sort order. Its look falls back on the field, the grid's title font and
// the grid's column defaults; which values the user set is kept in the column's OwnValues.
#include <memory>
#include <string>

#include "data_grid/grid_parts.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/component.h"
#include "platform/ui/colors.h"

class TColumnEh;
class TFont;

class TColumnTitleEh : public TPersistent {
  public:
    explicit TColumnTitleEh(TColumnEh& Column);
    ~TColumnTitleEh() override;
    std::string ClassName() const override { return "TColumnTitleEh"; }
    TPersistent* GetOwner() const override;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& Source) override;

    // New virtual operations, in slot order.
    virtual void SetCaption(const std::string& Value);
    virtual void ResetToDefaults();

    TColumnEh& Column() const { return column_; }

    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    std::string Caption() const;
    TColor Color() const;
    void SetColor(TColor Value);
    bool EndEllipsis() const;
    void SetEndEllipsis(bool Value);
    TFont* Font() const;
    void SetFont(const TFont& Value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& Value) { hint_ = Value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TTextOrientationEh Orientation() const;
    void SetOrientation(TTextOrientationEh Value);
    bool TitleButton() const;
    void SetTitleButton(bool Value);
    bool ToolTips() const;
    void SetToolTips(bool Value);

    TSortMarkerEh SortMarker() const { return sortMarker_; }
    void SetSortMarker(TSortMarkerEh Value);
    int SortIndex() const { return sortIndex_; }
    void SetSortIndex(int Value);
    // The marker a title click gives: down, up, then none with KeepOthers (the Ctrl key) or down
    // again without; without KeepOthers every other column loses its marker first.
    void CycleSortMarker(bool KeepOthers);
    // The room the sort marker and its number take at the title's right.
    int SortMarkerAreaWidth() const;

    // Copies the grid's title font while the title has none of its own.
    void SyncDefaultFont() const;

  private:
    friend class TColumnEh;
    const TFont* FallbackFont() const;
    std::string FallbackCaption() const;
    void FontChanged();
    void MarkSorted();
    void UnmarkSorted();
    bool CollectionUpdating() const;

    TColumnEh& column_;
    TAlignment alignment_ = taLeftJustify;
    std::string caption_;
    TColor color_ = clBtnFace;
    bool endEllipsis_ = false;
    std::unique_ptr<TFont> font_;
    mutable bool copyingFont_ = false;
    std::string hint_;
    int imageIndex_ = -1;
    TTextOrientationEh orientation_ = tohHorizontal;
    bool titleButton_ = false;
    bool toolTips_ = false;
    TSortMarkerEh sortMarker_ = smNoneEh;
    int sortIndex_ = 0;
};

// The small font of the sort-order numbers beside the sort markers.
const TFont& SortMarkerNumberFont();
