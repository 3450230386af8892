#include "images/image_list.h"

#include <gtest/gtest.h>

#include "images/shared_memory_dcs.h"
#include "resources/resource_ids.h"
#include "tests/images/image_probe.h"
#include "tests/images/test_canvas.h"
#include "tests/images/test_resource_data.h"
#include "tests/images/test_resource_ids.h"

namespace {

using namespace test_resources;

constexpr uint32_t Backdrop = 0x556677;

TEST(ImageList, ShowsTheEmbeddedPreviewPicture) {
    ImageList list;
    ASSERT_EQ(list.Create(1, nullptr), 1);
    EXPECT_FALSE(ImageProbe(*list.GetImage(0)).ImageSource().HasSource());
    list.SetImageSource(0, MAKEINTRESOURCEA(IDB_SAMPLE));
    EXPECT_EQ(list.LoadAllImages(), 1);
    const Image* preview = list.GetImage(0);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Width(), 136);
    EXPECT_EQ(preview->Height(), 136);
}

TEST(ImageList, AMissingMiddleSourceFailsTheWholeLoadButNotItsNeighbours) {
    const LPCSTR sources[] = {MAKEINTRESOURCEA(IDB_TEST_INDEXED), MAKEINTRESOURCEA(IDB_TEST_MISSING), "TESTINDEXED"};
    ImageList list;
    ASSERT_EQ(list.Create(3, sources), 1);
    EXPECT_EQ(list.LoadAllImages(), 0);
    EXPECT_NE(list.GetImage(0)->Bitmap(), nullptr);
    EXPECT_EQ(list.GetImage(1)->Bitmap(), nullptr);
    EXPECT_NE(list.GetImage(2)->Bitmap(), nullptr);
    EXPECT_EQ(list.LoadImageAt(0), 1);
    EXPECT_EQ(list.LoadImageAt(1), 0);

    TestCanvas canvas(3, 2, Backdrop);
    EXPECT_EQ(list.DrawImageAt(canvas.Dc(), 0, 0, 1), 1) << "an unloadable entry is skipped quietly";
    EXPECT_EQ(canvas.Pixel(1, 1), Backdrop);
    EXPECT_EQ(list.DrawImageAt(canvas.Dc(), 0, 0, 2), 1);
    EXPECT_EQ(canvas.Pixel(1, 1), Rgb(TableRed(1), TableGreen(1), TableBlue(1)));
}

TEST(ImageList, InvalidIndexesAreHarmless) {
    ImageList list;
    const LPCSTR sources[] = {MAKEINTRESOURCEA(IDB_TEST_INDEXED), MAKEINTRESOURCEA(IDB_TEST_INDEXED)};
    ASSERT_EQ(list.Create(2, sources), 1);
    TestCanvas canvas(3, 2, Backdrop);
    for (int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(list.GetImage(index), nullptr);
        EXPECT_EQ(list.LoadImageAt(index), 1);
        EXPECT_EQ(list.DrawImageAt(canvas.Dc(), 0, 0, index), 1);
        list.SetImageSource(index, MAKEINTRESOURCEA(IDB_TEST_MISSING));
    }
    EXPECT_EQ(canvas.Pixel(1, 1), Backdrop) << "nothing was drawn";
    EXPECT_EQ(list.LoadAllImages(), 1) << "the invalid SetImageSource calls changed nothing";
}

TEST(ImageList, EmptyAndDestroyedListsDoNothing) {
    ImageList created;
    ASSERT_EQ(created.Create(2, nullptr), 1);
    created.Destroy();
    ImageList neverCreated;
    TestCanvas canvas(3, 2, Backdrop);
    for (ImageList* list : {&created, &neverCreated}) {
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->LoadAllImages(), 1);
        EXPECT_EQ(list->DrawImageAt(canvas.Dc(), 0, 0, 0), 1);
        EXPECT_EQ(list->GetImage(0), nullptr);
        PALETTEENTRY entries[PaletteEntryCount];
        std::fill(std::begin(entries), std::end(entries), PALETTEENTRY{1, 2, 3, 4});
        list->GetPalette(entries);
        EXPECT_EQ(entries[0].peRed, 1) << "entries untouched";
        list->SetImageSources(nullptr);
    }
    EXPECT_EQ(LiveImageCount, 0) << "Destroy deleted the images";
}

TEST(ImageList, ThePaletteIsTheFirstPictures) {
    const LPCSTR sources[] = {MAKEINTRESOURCEA(IDB_TEST_INDEXED)};
    ImageList list;
    ASSERT_EQ(list.Create(1, sources), 1);
    PALETTEENTRY entries[PaletteEntryCount] = {};
    list.GetPalette(entries);
    EXPECT_EQ(entries[2].peRed, TableRed(2));
    EXPECT_EQ(entries[2].peBlue, TableBlue(2));
    EXPECT_EQ(entries[2].peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(entries[7].peFlags, 0) << "the transparent entry";
}

}  // namespace
