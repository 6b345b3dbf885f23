// An image drawing on pixels another owner keeps (a host window's backing store): drawing lands in
// the owner's pixels; whatever gives them up leaves them as they were and goes on with a copy.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "platform/ui/raster_image.h"

namespace {

using platform::ui::RasterImage;

constexpr std::uint32_t kDrawn = 0xFF102030u;
constexpr std::uint32_t kLater = 0xFF405060u;

struct Case {
    std::string Name;
    // Does something to the borrowing image; answers the image that goes on holding its pixels.
    std::function<RasterImage&(RasterImage& borrowing, RasterImage& other)> Run;
    bool StillBorrows;
    int Width;
};

TEST(RasterImageBorrowTest, DrawsOnTheOwnersPixelsUntilItGivesThemUp) {
    const Case cases[] = {
        {"drawn into", [](RasterImage& b, RasterImage&) -> RasterImage& { return b; }, true, 4},
        {"resized to its own size",
         [](RasterImage& b, RasterImage&) -> RasterImage& {
             b.Resize(4, 3);
             return b;
         },
         true, 4},
        {"resized",
         [](RasterImage& b, RasterImage&) -> RasterImage& {
             b.Resize(6, 3);
             return b;
         },
         false, 6},
        {"told to own its pixels",
         [](RasterImage& b, RasterImage&) -> RasterImage& {
             b.OwnPixels();
             return b;
         },
         false, 4},
        {"copied", [](RasterImage& b, RasterImage& other) -> RasterImage& { return other = b; }, false, 4},
        {"moved out", [](RasterImage& b, RasterImage& other) -> RasterImage& { return other = std::move(b); },
         false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::array<std::uint32_t, 4 * 3> owners{};
        RasterImage borrowing;
        borrowing.Borrow(owners.data(), 4, 3);
        borrowing.Fill(borrowing.BoundsRect(), kDrawn, borrowing.BoundsRect());
        EXPECT_EQ(owners[5], kDrawn) << "drawing lands in the owner's pixels";

        RasterImage other;
        RasterImage& holder = c.Run(borrowing, other);
        EXPECT_EQ(holder.Borrowed(), c.StillBorrows);
        EXPECT_EQ(holder.Width(), c.Width);
        EXPECT_EQ(holder.Pixel(3, 2), kDrawn) << "what was drawn is kept";
        holder.SetPixel(3, 2, kLater);
        EXPECT_EQ(owners[11], c.StillBorrows ? kLater : kDrawn) << "later drawing reaches the owner's pixels";
    }
}

// Moving a borrowing image leaves it empty, not pointing at pixels it no longer answers for.
TEST(RasterImageBorrowTest, AnImageMovedOutOfHoldsNothing) {
    std::array<std::uint32_t, 2 * 2> owners{};
    RasterImage borrowing;
    borrowing.Borrow(owners.data(), 2, 2);
    const RasterImage taken(std::move(borrowing));
    EXPECT_FALSE(taken.Borrowed());
    EXPECT_TRUE(borrowing.Empty());  // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(borrowing.Borrowed());
}

}  // namespace
