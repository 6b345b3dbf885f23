// Image lists: adding strips with masks, drawing in every style onto a lime canvas, change links.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_list.h"

namespace {

class ImageListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list = NewComponent<TImageList>(&owner);
        list->SetWidth(4);
        list->SetHeight(4);
        // Image 0: red with a fuchsia (left out) square of 2 x 2 at the top left; image 1: blue.
        strip.SetSize(8, 4);
        Fill(strip, Rect(0, 0, 4, 4), clRed);
        Fill(strip, Rect(0, 0, 2, 2), clFuchsia);
        Fill(strip, Rect(4, 0, 8, 4), clBlue);
        target.SetSize(20, 20);
        Fill(target, Rect(0, 0, 20, 20), clLime);
    }
    static void Fill(TBitmap& bitmap, const TRect& rect, TColor color) {
        bitmap.Canvas()->Brush()->SetColor(color);
        bitmap.Canvas()->FillRect(rect);
    }
    TColor At(int x, int y) { return target.Canvas()->Pixel(x, y); }

    platform::ui::HeadlessSession ui;
    TComponent owner{nullptr};
    TImageList* list = nullptr;
    TBitmap strip;
    TBitmap target;
};

// Channels may differ by one from rounding.
::testing::AssertionResult Near(TColor actual, TColor expected) {
    for (int shift : {0, 8, 16})
        if (std::abs(((actual >> shift) & 0xFF) - ((expected >> shift) & 0xFF)) > 1)
            return ::testing::AssertionFailure()
                   << std::hex << "0x" << actual << " is not near 0x" << expected;
    return ::testing::AssertionSuccess();
}

TEST_F(ImageListTest, AddCutsAStripIntoImages) {
    EXPECT_EQ(list->AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list->AddMasked(&strip, clFuchsia), 2);
    EXPECT_EQ(list->Count(), 4);
    TBitmap narrow;
    narrow.SetSize(3, 4);
    EXPECT_EQ(list->AddMasked(&narrow, clFuchsia), -1);
    list->Delete(0);
    EXPECT_EQ(list->Count(), 3);
    list->SetWidth(8);  // a new size empties the list
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(ImageListTest, DrawStylesAndColours) {
    list->AddMasked(&strip, clFuchsia);
    list->SetBkColor(clYellow);
    struct Case {
        const char* Name;
        UINT Style;
        COLORREF Bk;
        COLORREF Fg;
        TColor Opaque;  // at the image's (2, 2)
        TColor Masked;  // at the image's (0, 0)
    };
    const std::vector<Case> cases = {
        {"normal without background", ILD_NORMAL, CLR_NONE, CLR_NONE, clRed, clLime},
        {"normal on a background", ILD_NORMAL, clWhite, CLR_NONE, clRed, clWhite},
        {"the list's background by default", ILD_NORMAL, CLR_DEFAULT, CLR_NONE, clRed, clYellow},
        {"transparent whatever the background", ILD_TRANSPARENT, clWhite, CLR_NONE, clRed, clLime},
        {"the mask", ILD_MASK, CLR_NONE, CLR_NONE, clBlack, clWhite},
        {"half blended with a colour", ILD_BLEND50, CLR_NONE, clBlue, RGB(128, 0, 128), clLime},
        {"a quarter blended", ILD_BLEND25, CLR_NONE, clBlue, RGB(191, 0, 64), clLime},
        {"half blended with the highlight by default", ILD_BLEND50, CLR_NONE, CLR_DEFAULT, RGB(133, 18, 53),
         clLime},
        {"half blended with what lies under it", ILD_BLEND50, CLR_NONE, CLR_NONE, RGB(127, 128, 0), clLime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Fill(target, Rect(0, 0, 20, 20), clLime);
        ASSERT_TRUE(ImageList_DrawEx(list, 0, target.Canvas(), 5, 5, 0, 0, c.Bk, c.Fg, c.Style));
        EXPECT_TRUE(Near(At(7, 7), c.Opaque));
        EXPECT_EQ(At(5, 5), c.Masked);
        EXPECT_EQ(At(9, 9), clLime);  // nothing beyond the image
    }
    EXPECT_FALSE(ImageList_DrawEx(list, 5, target.Canvas(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL));
}

TEST_F(ImageListTest, DrawUsesTheListsStyleTypeAndColours) {
    list->AddMasked(&strip, clFuchsia);
    list->SetBlendColor(clBlue);
    list->SetDrawingStyle(dsSelected);
    list->Draw(target.Canvas(), 0, 0, 0);
    EXPECT_TRUE(Near(At(2, 2), RGB(128, 0, 128)));
    list->SetImageType(itMask);
    list->Draw(target.Canvas(), 0, 0, 1, dsNormal, itMask);
    EXPECT_EQ(At(0, 0), clBlack);  // image 1 has no transparent pixel
    list->SetImageType(itImage);
    Fill(target, Rect(0, 0, 20, 20), clLime);
    list->Draw(target.Canvas(), 0, 0, 0, /*enabled=*/false);
    EXPECT_EQ(At(2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(4, 4), ColorToRGB(clBtnHighlight));  // the highlight copy one pixel right and down
    EXPECT_EQ(At(0, 0), clLime);
}

TEST_F(ImageListTest, PartialWidthAndAMaskBitmap) {
    TBitmap mask;
    mask.SetSize(8, 4);
    Fill(mask, Rect(0, 0, 8, 4), clBlack);
    Fill(mask, Rect(4, 0, 5, 1), clWhite);  // image 1's top-left pixel is left out
    list->Add(&strip, &mask);
    ImageList_DrawEx(list, 1, target.Canvas(), 0, 0, 2, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    EXPECT_EQ(At(0, 0), clLime);
    EXPECT_EQ(At(1, 0), clBlue);
    EXPECT_EQ(At(2, 0), clLime);  // only two columns asked for
}

TEST_F(ImageListTest, ChangeLinksHearChangesAndLetGo) {
    int heard = 0;
    auto link = std::make_unique<TChangeLink>();
    link->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list);
        ++heard;
    };
    list->RegisterChanges(link.get());
    EXPECT_EQ(link->Sender(), list);
    list->AddMasked(&strip, clFuchsia);
    list->SetBkColor(clYellow);
    list->SetBkColor(clYellow);  // no change
    list->Clear();
    EXPECT_EQ(heard, 3);
    link.reset();  // unregisters itself
    list->Clear();
    EXPECT_EQ(heard, 3);

    TChangeLink survivor;
    list->RegisterChanges(&survivor);
    Free(list);
    EXPECT_EQ(survivor.Sender(), nullptr);
}

}  // namespace
