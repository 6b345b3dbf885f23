// Button faces under the Qt host, where the theme draws them: every style and check state, flat or
// not, hot, pressed and disabled, told apart by their pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "data_controls/button_bitmap_cache.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/themes.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtButtonFacesTest : public QtHostTest {
  protected:
    static void TearDownTestSuite() {
        FlushButtonBitmapCache();
        QtHostTest::TearDownTestSuite();
    }
};

struct Look {
    TDrawButtonStyleEh style;
    int checkState = 0;
    bool enabled = true, hot = false, flat = false;
    int down = 0;
};

platform::ui::RasterImage Painted(const Look& look, int w = 18, int h = 20) {
    TBitmap bitmap;
    bitmap.SetSize(w + 4, h + 4);
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(Rect(0, 0, w + 4, h + 4));
    PaintEditButton(bitmap.Canvas(), Rect(2, 2, w + 2, h + 2), clLime, look.checkState, look.enabled,
                    look.hot, look.flat, look.down, look.style);
    return bitmap.Pixels();
}

int Differing(const platform::ui::RasterImage& a, const platform::ui::RasterImage& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
    return n;
}

int Painting(const platform::ui::RasterImage& a) {
    int n = 0;
    const std::uint32_t lime = ColorToRGB(clLime) & 0xFFFFFF;
    const std::uint32_t limeArgb = ((lime & 0xFF) << 16) | (lime & 0xFF00) | (lime >> 16);
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += (a.Pixel(x, y) & 0xFFFFFF) != limeArgb;
    return n;
}

TEST_F(QtButtonFacesTest, EveryStyleDrawsAndStatesLookDifferent) {
    ASSERT_TRUE(ThemeServices().ThemesEnabled());
    const std::map<std::string, TDrawButtonStyleEh> styles = {{"drop-down", dbsDropDownEh},
                                                              {"ellipsis", dbsEllipsisEh},
                                                              {"up-down", dbsUpDownEh},
                                                              {"plus", dbsPlusEh},
                                                              {"minus", dbsMinusEh}};
    for (const auto& [name, style] : styles) {
        for (bool flat : {false, true}) {
            SCOPED_TRACE(name + (flat ? " flat" : ""));
            const auto normal = Painted({style, 0, true, false, flat, 0});
            EXPECT_GT(Painting(normal), 50);
            EXPECT_GT(Differing(normal, Painted({style, 0, true, false, flat, 1})), 0) << "pressed";
            EXPECT_GT(Differing(normal, Painted({style, 0, false, false, flat, 0})), 0) << "disabled";
        }
    }
}

TEST_F(QtButtonFacesTest, UpDownPressesOnlyTheArrowItIsHeldOn) {
    const auto normal = Painted({dbsUpDownEh});
    const auto upper = Painted({dbsUpDownEh, 0, true, false, false, 1});
    const auto lower = Painted({dbsUpDownEh, 0, true, false, false, 2});
    auto differsIn = [&](const platform::ui::RasterImage& shown, int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < shown.Width(); ++x)
                n += (shown.Pixel(x, y) & 0xFFFFFF) != (normal.Pixel(x, y) & 0xFFFFFF);
        return n;
    };
    EXPECT_GT(differsIn(upper, 2, 12), 0);
    EXPECT_EQ(differsIn(upper, 12, 22), 0);
    EXPECT_EQ(differsIn(lower, 2, 12), 0);
    EXPECT_GT(differsIn(lower, 12, 22), 0);
}

TEST_F(QtButtonFacesTest, CheckStatesDifferAndFlatHotGetsASunkenRim) {
    const auto unchecked = Painted({dbsCheckBoxEh, 0}, 16, 16);
    const auto checked = Painted({dbsCheckBoxEh, 1}, 16, 16);
    const auto grayed = Painted({dbsCheckBoxEh, 2}, 16, 16);
    EXPECT_GT(Painting(unchecked), 50);
    EXPECT_GT(Differing(unchecked, checked), 0);
    EXPECT_GT(Differing(checked, grayed), 0);
    // Flat and hot: a one-pixel sunken edge around the glyph, shadow on the top-left.
    const auto hot = Painted({dbsCheckBoxEh, 0, true, true, true}, 16, 16);
    const std::uint32_t shadow = ColorToRGB(clBtnShadow);
    const std::uint32_t shadowArgb = ((shadow & 0xFF) << 16) | (shadow & 0xFF00) | ((shadow >> 16) & 0xFF);
    EXPECT_EQ(hot.Pixel(2, 8) & 0xFFFFFF, shadowArgb);
    EXPECT_EQ(hot.Pixel(8, 2) & 0xFFFFFF, shadowArgb);
}

}  // namespace
