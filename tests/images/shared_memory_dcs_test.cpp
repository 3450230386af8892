#include "images/shared_memory_dcs.h"

#include <gtest/gtest.h>

#include <memory>

#include "images/image.h"
#include "images/jpeg_image.h"
#include "tests/images/test_canvas.h"
#include "tests/images/test_resource_ids.h"

namespace {

TEST(SharedMemoryDcs, MadeByTheFirstImageAndDeletedWithTheLast) {
    EXPECT_EQ(PictureDc, nullptr);
    auto first = std::make_unique<Image>();
    const HDC picture = PictureDc;
    const HDC target = TargetDc;
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_MEMDC));
    auto second = std::make_unique<JpegImage>();
    EXPECT_EQ(LiveImageCount, 2);
    EXPECT_EQ(PictureDc, picture) << "made once";
    EXPECT_EQ(TargetDc, target);

    first.reset();
    EXPECT_EQ(PictureDc, picture) << "still one image alive";
    second.reset();
    EXPECT_EQ(LiveImageCount, 0);
    EXPECT_EQ(PictureDc, nullptr);
    EXPECT_EQ(TargetDc, nullptr);
    EXPECT_EQ(GetObjectType(picture), 0u);
    EXPECT_EQ(GetObjectType(target), 0u);

    Image third;
    EXPECT_NE(PictureDc, nullptr) << "made again";
    EXPECT_NE(TargetDc, nullptr);
    EXPECT_EQ(LiveImageCount, 1);
}

TEST(SharedMemoryDcs, AnEarlyTeardownStopsDrawingUntilANewImageMakesThemAgain) {
    auto image = std::make_unique<Image>();
    image->SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    TestCanvas canvas(3, 2, 0);
    DestroySharedDcs();
    DestroySharedDcs();
    EXPECT_EQ(PictureDc, nullptr);
    EXPECT_EQ(LiveImageCount, 1) << "the teardown does not count images";
    EXPECT_EQ(image->Draw(canvas.Dc(), 0, 0), 0);

    auto another = std::make_unique<Image>();
    ASSERT_NE(PictureDc, nullptr);
    EXPECT_EQ(image->Draw(canvas.Dc(), 0, 0), 1);
    image.reset();
    another.reset();
    EXPECT_EQ(LiveImageCount, 0);
    EXPECT_EQ(PictureDc, nullptr);
}

TEST(SharedMemoryDcs, PalettesAreSelectedIntoBothContexts) {
    struct Entries {
        LOGPALETTE Head;
        PALETTEENTRY More[1];
    } logical{{0x300, 2, {{10, 20, 30, 0}}}, {{40, 50, 60, 0}}};
    UniquePalette first(CreatePalette(&logical.Head));
    UniquePalette second(CreatePalette(&logical.Head));
    ASSERT_TRUE(first && second);

    SelectSharedPalette(first.get());
    ASSERT_NE(PictureDc, nullptr) << "selecting makes the contexts when needed";
    ASSERT_NE(TargetDc, nullptr);
    const HDC picture = PictureDc;
    EXPECT_EQ(GetCurrentObject(PictureDc, OBJ_PAL), first.get());
    EXPECT_EQ(GetCurrentObject(TargetDc, OBJ_PAL), first.get());
    SelectSharedPalette(second.get());
    EXPECT_EQ(GetCurrentObject(PictureDc, OBJ_PAL), second.get());
    EXPECT_EQ(GetCurrentObject(TargetDc, OBJ_PAL), second.get());
    RealizeSharedPalette();

    DestroySharedDcs();
    EXPECT_EQ(PictureDc, nullptr);
    EXPECT_EQ(GetObjectType(picture), 0u);
    SelectSharedPalette(second.get());
    EXPECT_EQ(GetCurrentObject(PictureDc, OBJ_PAL), second.get());
    DestroySharedDcs();
    EXPECT_TRUE(DeleteObject(first.release()));
    EXPECT_TRUE(DeleteObject(second.release()));
}

}  // namespace
