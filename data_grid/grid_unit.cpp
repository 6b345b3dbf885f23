#include "data_grid/grid_unit.h"

#include "data_grid/column_interceptors.h"
#include "data_grid/find_dialog.h"
#include "data_grid/grid_style.h"
#include "data_grid/popup_data_grid_class.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/font.h"
#include "platform/ui/image_cursor.h"
#include "platform/ui/image_list.h"
#include "platform/ui/virtual_keys.h"

namespace {

struct UnitSlot {
    std::unique_ptr<TDBGridEhUnit> unit;
    int starts = 0;
};

UnitSlot& Slot() {
    static UnitSlot slot;
    return slot;
}

constexpr std::uint32_t Opaque(TColor Color) {
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(Color)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(Color)) << 8) | GetBValue(Color);
}

// The search background must not be mistaken for the list's transparency key.
constexpr TColor SearchBackgroundTealStandIn = RGB(0, 127, 127);

}  // namespace

TDBGridEhUnit::TDBGridEhUnit(ResourceFinder Find) : find_(std::move(Find)) {
    try {
        RegisterColumnPropertyInterceptors(PropertyInterceptors());
        // The columns' drop-down lookup grids are pop-up data grids.
        RegisterPopupDataGridClass();
        MakeDefaultGridStyle();
        dataService_ = MakeComponent<TDBGridEhDataService>(registry_);
        markerFont_ = std::make_unique<TFont>();
        markerFont_->SetHeight(1 - LoadBitmap("DBSMDOWNEH")->Height());
        markerFont_->SetName("Arial");
        columnSelectCursor_ = LoadCursor("DOWNCUREH", {7, 13});
        rowSelectCursor_ = LoadCursor("RIGHTCUREH", {13, 7});
        rightToLeftRowSelectCursor_ = LoadCursor("LEFTCUREH", {2, 7});
        shortcuts_ = {ShortCut('F', {ssCtrl}), ShortCut(VK_RETURN, {ssCtrl}),
                      ShortCut(VK_RETURN, {ssCtrl, ssShift}), ShortCut(222, {ssCtrl}),
                      ShortCut('F', {ssCtrl})};
        BuildIndicatorImages();
    } catch (...) {
        UnregisterPopupDataGridClass();
        FreeCursors();
        FreeDefaultGridStyle();
        throw;
    }
}

TDBGridEhUnit::~TDBGridEhUnit() {
    UnregisterPopupDataGridClass();
    FreeCursors();
    indicators_.reset();
    sortMarkers_.reset();
    markerFont_.reset();
    FreeDefaultGridStyle();
    dataService_.reset();
    registry_.UnregisterAllDatasetFeatures();
}

std::unique_ptr<TBitmap> TDBGridEhUnit::LoadBitmap(std::string_view Name) const {
    const platform::ui::Resource* resource = find_(Name);
    if (resource == nullptr)
        throw EResNotFound("Resource " + std::string(Name) + " not found");
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromResource(resource->Bytes);
    return bitmap;
}

TCursor TDBGridEhUnit::LoadCursor(std::string_view Name, TPoint HotSpot) {
    const platform::ui::Resource* resource = find_(Name);
    const TCursor cursor =
        resource != nullptr ? ImageCursors().CreateFromPicture(resource->Bytes, HotSpot) : 0;
    if (cursor == 0)
        throw EOutOfResources("Cannot load cursor resource");
    return cursor;
}

void TDBGridEhUnit::FreeCursors() {
    for (TCursor* cursor : {&columnSelectCursor_, &rowSelectCursor_, &rightToLeftRowSelectCursor_}) {
        ImageCursors().Destroy(*cursor);
        *cursor = 0;
    }
}

void TDBGridEhUnit::AddGlyph(TImageList& List, std::string_view Name, TColor Transparent) {
    std::unique_ptr<TBitmap> glyph = LoadBitmap(Name);
    List.AddMasked(glyph.get(), Transparent);
}

void TDBGridEhUnit::BuildIndicatorImages() {
    std::unique_ptr<TBitmap> arrow = LoadBitmap("DBGARROWEH");
    indicators_ = MakeComponent<TImageList>(nullptr);
    indicators_->SetWidth(arrow->Width());
    indicators_->SetHeight(arrow->Height());
    indicators_->AddMasked(arrow.get(), clWhite);
    for (const char* name : {"DBEDITEH", "DBINSERTEH", "DBMULTIDOTEH", "DBMULTIARROWEH"})
        AddGlyph(*indicators_, name, clWhite);
    AddGlyph(*indicators_, "DBGARROWEHW", clTeal);
    BuildWideIndicatorImages();

    std::unique_ptr<TBitmap> down = LoadBitmap("DBSMDOWNEH");
    sortMarkers_ = MakeComponent<TImageList>(nullptr);
    sortMarkers_->SetWidth(down->Width());
    sortMarkers_->SetHeight(down->Height());
    sortMarkers_->AddMasked(down.get(), clFuchsia);
    AddGlyph(*sortMarkers_, "DBSMUPEH", clFuchsia);
}

void TDBGridEhUnit::BuildWideIndicatorImages() {
    std::unique_ptr<TBitmap> glyph = LoadBitmap("DBGARROWEHW");
    TColor background = ColorToRGB(searchBackground_);
    if (background == clTeal)
        background = SearchBackgroundTealStandIn;
    // The white of the glyph is where the background shows.
    platform::ui::RasterImage& pixels = glyph->Pixels();
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            if (pixels.Pixel(x, y) == Opaque(clWhite))
                pixels.SetPixel(x, y, Opaque(background));
    if (indicators_->Count() == 7)
        indicators_->Delete(6);
    indicators_->AddMasked(glyph.get(), clTeal);
}

void InitializeDBGridEhUnit() {
    UnitSlot& slot = Slot();
    if (slot.starts == 0) {
        slot.unit = std::make_unique<TDBGridEhUnit>();
        slot.unit->FindHook = ShowGridFindDialog;
    }
    ++slot.starts;
}

void FinalizeDBGridEhUnit() {
    UnitSlot& slot = Slot();
    if (slot.starts == 0)
        return;
    if (--slot.starts == 0)
        slot.unit.reset();
}

TDBGridEhUnit* DBGridEhUnit() {
    return Slot().unit.get();
}

TDBGridEhDataService* DBGridEhDataService() {
    return Slot().unit ? &Slot().unit->DataService() : nullptr;
}

void RegisterDatasetFeatures(const TDatasetFeaturesEhClass& FeaturesClass, TClass DataSetClass) {
    if (DBGridEhUnit() == nullptr)
        throw EInvalidOperation("Dataset features need the grid unit started");
    DBGridEhUnit()->FeaturesRegistry().RegisterDatasetFeatures(FeaturesClass, DataSetClass);
}

TDatasetFeaturesEh* FeaturesForDataSetClass(TClass DataSetClass) {
    return DBGridEhUnit() != nullptr
               ? DBGridEhUnit()->FeaturesRegistry().FeaturesForDataSetClass(DataSetClass)
               : nullptr;
}

TDatasetFeaturesEh* FeaturesForDataSet(const TDataSet* DataSet) {
    return DBGridEhUnit() != nullptr ? DBGridEhUnit()->FeaturesRegistry().FeaturesForDataSet(DataSet)
                                     : nullptr;
}

void UnregisterAllDatasetFeatures() {
    if (DBGridEhUnit() != nullptr)
        DBGridEhUnit()->FeaturesRegistry().UnregisterAllDatasetFeatures();
}
