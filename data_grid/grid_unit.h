#pragma once
// The grid unit's process-wide values and its start-up and shut-down: the indicator glyphs and
// sort markers, the sort-marker number font, the selection cursors, the keyboard shortcuts and
// in-place search settings, the default style, the data service and the features registry. A
// program that uses data grids calls InitializeDBGridEhUnit once its application object exists
// and FinalizeDBGridEhUnit after its last grid is gone; the calls are counted, so libraries above
// the grid call them too.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "data_grid/data_service.h"
#include "data_grid/dataset_features.h"
#include "data_grid/find_dialog_scope.h"
#include "platform/ui/colors.h"
#include "platform/ui/cursors.h"
#include "platform/ui/resources.h"
#include "platform/ui/shortcuts.h"

class TBitmap;
class TCustomDBGridEh;
class TFont;
class TImageList;

struct TDBGridEhShortcuts {
    TShortCut InplaceSearch = 0;
    TShortCut SearchNext = 0;
    TShortCut SearchPrior = 0;
    // Copies the value of the record above into the current cell.
    TShortCut CopyValueFromAbove = 0;
    TShortCut FindDialog = 0;
};

// Opens the find dialog for a grid with a first pattern, an explicit scope (empty: the grid's
// visible columns) and whether it runs modally; the find dialog installs it.
using TDBGridEhFindHook = std::function<void(TCustomDBGridEh* Grid, const std::string& Text,
                                             const TColumnFieldsArrEh& ColumnFields, bool Modal)>;

class TDBGridEhUnit {
  public:
    // Where the unit finds its bitmaps and cursors by name: the program's resources by default.
    using ResourceFinder = std::function<const platform::ui::Resource*(std::string_view Name)>;

    // Raises EOutOfResources "Cannot load cursor resource" when a cursor is missing, and
    // EResNotFound when a bitmap is; nothing made is left behind then.
    explicit TDBGridEhUnit(ResourceFinder Find = platform::ui::FindResource);
    ~TDBGridEhUnit();
    TDBGridEhUnit(const TDBGridEhUnit&) = delete;
    TDBGridEhUnit& operator=(const TDBGridEhUnit&) = delete;

    TDatasetFeaturesRegistryEh& FeaturesRegistry() { return registry_; }
    TDBGridEhDataService& DataService() { return *dataService_; }
    // 0 current row, 1 editing, 2 inserting, 3 selected, 4 current and selected, 5 current row
    // while searching, 6 the same on the search background.
    TImageList& Indicators() { return *indicators_; }
    // 0 down, 1 up.
    TImageList& SortMarkers() { return *sortMarkers_; }
    TFont& SortMarkerFont() { return *markerFont_; }

    TCursor ColumnSelectCursor() const { return columnSelectCursor_; }
    TCursor RowSelectCursor() const { return rowSelectCursor_; }
    TCursor RightToLeftRowSelectCursor() const { return rightToLeftRowSelectCursor_; }

    const TDBGridEhShortcuts& Shortcuts() const { return shortcuts_; }
    void SetShortcuts(const TDBGridEhShortcuts& Value) { shortcuts_ = Value; }
    // Milliseconds.
    unsigned SearchTimeout() const { return searchTimeout_; }
    void SetSearchTimeout(unsigned Value) { searchTimeout_ = Value; }
    // The in-place search's colours; the search arrow takes a new background at its next build.
    TColor SearchBackground() const { return searchBackground_; }
    void SetSearchBackground(TColor Value) { searchBackground_ = Value; }
    TColor SearchText() const { return searchText_; }
    void SetSearchText(TColor Value) { searchText_ = Value; }
    // Set: grids never paint through an off-screen bitmap.
    bool NoBufferedPaint() const { return noBufferedPaint_; }
    void SetNoBufferedPaint(bool Value) { noBufferedPaint_ = Value; }
    TDBGridEhFindHook FindHook;

    // Loads the glyphs into fresh lists.
    void BuildIndicatorImages();
    // The search-time arrow again on the current search background, as image 6.
    void BuildWideIndicatorImages();

  private:
    std::unique_ptr<TBitmap> LoadBitmap(std::string_view Name) const;
    TCursor LoadCursor(std::string_view Name, TPoint HotSpot);
    void AddGlyph(TImageList& List, std::string_view Name, TColor Transparent);
    void FreeCursors();

    ResourceFinder find_;
    // Made first and freed last: every other part may use it.
    TDatasetFeaturesRegistryEh registry_;
    TObjectPtr<TDBGridEhDataService> dataService_;
    std::unique_ptr<TFont> markerFont_;
    TObjectPtr<TImageList> indicators_;
    TObjectPtr<TImageList> sortMarkers_;
    TCursor columnSelectCursor_ = 0;
    TCursor rowSelectCursor_ = 0;
    TCursor rightToLeftRowSelectCursor_ = 0;
    TDBGridEhShortcuts shortcuts_;
    unsigned searchTimeout_ = 1500;
    TColor searchBackground_ = 0x0000FFFF;
    TColor searchText_ = clBlack;
    bool noBufferedPaint_ = false;
};

// The first call starts the unit; later ones only count. A failed start leaves the count at 0.
void InitializeDBGridEhUnit();
// The call matching the first start-up shuts the unit down; an unmatched call does nothing.
void FinalizeDBGridEhUnit();
// The running unit; nullptr before the start-up and after the shut-down.
TDBGridEhUnit* DBGridEhUnit();
// The running unit's data service; nullptr when the unit is not running.
TDBGridEhDataService* DBGridEhDataService();
