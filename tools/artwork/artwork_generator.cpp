// Writes every picture, bitmap and icon that the saver embeds into the folder named on the
// command line. The output depends on nothing but this code, so every build gets the same
// bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "ico_writer.h"
#include "jpeg_writer.h"
#include "palette_picture.h"
#include "pictures.h"
#include "small_pictures.h"

namespace {

constexpr int PictureWidth = 1024;
constexpr int PictureHeight = 768;
constexpr int JpegQuality = 90;
constexpr int IconSides[] = {16, 32, 48, 256};
constexpr size_t SamplePictureIndex = 4;  // the sea at sunset shows best at thumbnail size

using Painter = RgbImage (*)(int, int);
constexpr Painter Painters[] = {PaintDuskLake,    PaintAurora,    PaintNebula,
                                PaintRoseWindow, PaintSunsetSea, PaintFractalSpiral};

bool Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "artwork_generator: could not encode %s\n", path.string().c_str());
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "artwork_generator: could not write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork_generator OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    std::vector<RgbImage> pictures;
    std::vector<const RgbImage*> views;
    bool written = true;
    for (size_t i = 0; i < std::size(Painters); ++i) {
        pictures.push_back(Painters[i](PictureWidth, PictureHeight));
        const std::string name = "picture_" + std::to_string(i + 1) + ".jpg";
        written = Write(folder / name, EncodeJpeg(pictures.back(), JpegQuality)) && written;
    }
    for (const RgbImage& picture : pictures) views.push_back(&picture);

    written = Write(folder / "palette.bmp", EncodeIndexedBmp(MakePalettePicture(views))) && written;
    const std::vector<const RgbImage*> aboutPictures = {&pictures[4], &pictures[0], &pictures[1]};
    written = Write(folder / "sample.bmp", EncodeIndexedBmp(MakeSamplePicture(PaintSampleScene(pictures[SamplePictureIndex])))) && written;
    written = Write(folder / "about.bmp", EncodeRgbBmp(PaintAboutPicture(aboutPictures))) && written;
    for (int percent : LargerArtworkPercents) {
        const std::string suffix = "_" + std::to_string(percent) + ".bmp";
        written = Write(folder / ("sample" + suffix),
                        EncodeIndexedBmp(MakeSamplePicture(PaintSampleScene(pictures[SamplePictureIndex], percent)))) && written;
        written = Write(folder / ("about" + suffix), EncodeRgbBmp(PaintAboutPicture(aboutPictures, percent))) && written;
    }
    std::vector<RgbaImage> icons;
    for (int side : IconSides) icons.push_back(PaintIcon(side));
    written = Write(folder / "slide.ico", EncodeIcon(icons)) && written;
    return written ? 0 : 1;
}
