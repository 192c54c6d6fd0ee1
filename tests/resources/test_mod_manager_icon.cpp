// The application icon: every size built into the binary is there and is a real picture.
#include "resources/mod_manager_icon.h"

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const int kSizes[] = {16, 32, 48, 64, 128, 256};

wxImage ImageOf(const wxIcon& icon)
{
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    return bitmap.ConvertToImage();
}

} // namespace

TEST(ModManagerIcon, HoldsExactlyTheSixSizes)
{
    const wxIconBundle bundle = ModManagerIcon();
    ASSERT_EQ(bundle.GetIconCount(), 6u);
    for (const int size : kSizes) {
        SCOPED_TRACE(size);
        const wxIcon icon = bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
        ASSERT_TRUE(icon.IsOk());
        EXPECT_EQ(icon.GetWidth(), size);
        EXPECT_EQ(icon.GetHeight(), size);
    }
}

// A picture with alpha whose corners are see-through (the emblem is not a square) and whose middle
// is solid: an empty or fully opaque rendering, or one that lost its alpha, fails here.
TEST(ModManagerIcon, EverySizeIsAShapeOnATransparentGround)
{
    const wxIconBundle bundle = ModManagerIcon();
    for (const int size : kSizes) {
        SCOPED_TRACE(size);
        const wxImage image =
            ImageOf(bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE));
        ASSERT_TRUE(image.IsOk());
        ASSERT_EQ(image.GetWidth(), size);
        ASSERT_EQ(image.GetHeight(), size);
        ASSERT_TRUE(image.HasAlpha());

        int opaque = 0;
        int transparent = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const unsigned char alpha = image.GetAlpha(x, y);
                opaque += alpha == 255;
                transparent += alpha == 0;
            }
        }
        const int area = size * size;
        EXPECT_GT(opaque, area / 3);
        EXPECT_GT(transparent, area / 20);
        EXPECT_EQ(image.GetAlpha(0, size - 1), 0);
        EXPECT_EQ(image.GetAlpha(size - 1, size - 1), 0);
        EXPECT_EQ(image.GetAlpha(size / 2, size / 2), 255);
    }
}

// The sizes are renderings of one picture, not six unrelated images: the middle pixel has the
// same colour in each.
TEST(ModManagerIcon, SizesShowTheSamePicture)
{
    const wxIconBundle bundle = ModManagerIcon();
    const wxImage largest = ImageOf(bundle.GetIcon(wxSize(256, 256), wxIconBundle::FALLBACK_NONE));
    ASSERT_TRUE(largest.IsOk());
    for (const int size : kSizes) {
        SCOPED_TRACE(size);
        const wxImage image =
            ImageOf(bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE));
        ASSERT_TRUE(image.IsOk());
        const int dr = image.GetRed(size / 2, size / 2) - largest.GetRed(128, 128);
        const int dg = image.GetGreen(size / 2, size / 2) - largest.GetGreen(128, 128);
        EXPECT_LE(std::abs(dr) + std::abs(dg), 60);
    }
}
