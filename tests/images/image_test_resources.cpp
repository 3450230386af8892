// Writes the images test resources into the folder given on the command line: plain byte
// blocks, JPEG pictures made with the native library, and two bitmap files.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/images/jpeg_test_pictures.h"
#include "tests/images/test_resource_data.h"

namespace {

using namespace test_resources;

constexpr uint16_t BitmapFileTag = 0x4D42;  // "BM"
constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t TableEntries = 256;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A bottom-up bitmap file: rows are given bottom-up and already padded.
std::vector<uint8_t> BitmapFile(int width, int height, uint16_t bitCount, const std::vector<uint8_t>& table,
                                const std::vector<uint8_t>& rows) {
    const uint32_t offset = FileHeaderSize + InfoHeaderSize + static_cast<uint32_t>(table.size());
    std::vector<uint8_t> out;
    Put16(out, BitmapFileTag);
    Put32(out, offset + static_cast<uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0);  // no compression
    Put32(out, static_cast<uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, table.empty() ? 0 : TableEntries);
    Put32(out, 0);
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

std::vector<uint8_t> IndexedBitmap() {
    std::vector<uint8_t> table;
    for (uint32_t i = 0; i < TableEntries; ++i) {
        const int entry = static_cast<int>(i);
        table.insert(table.end(), {TableBlue(entry), TableGreen(entry), TableRed(entry), 0});
    }
    constexpr size_t Stride = 4;
    std::vector<uint8_t> rows(Stride * IndexedHeight, 0);
    for (int c = 0; c < IndexedWidth; ++c) {
        rows[static_cast<size_t>(c)] = IndexedBottomRow[c];
        rows[Stride + static_cast<size_t>(c)] = IndexedTopRow[c];
    }
    return BitmapFile(IndexedWidth, IndexedHeight, 8, table, rows);
}

std::vector<uint8_t> TrueColourBitmap() {
    const size_t stride = ((TrueColourWidth * 3 + 3) / 4) * 4;
    std::vector<uint8_t> rows(stride * TrueColourHeight, 0x40);
    return BitmapFile(TrueColourWidth, TrueColourHeight, 24, {}, rows);
}

std::vector<uint8_t> PlainBytes(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = PlainByte(i);
    return bytes;
}

std::vector<uint8_t> RandomBytes() {
    std::vector<uint8_t> bytes(RandomSize);
    uint32_t state = 0x2545F491u;
    for (auto& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<uint8_t>(state);
    }
    bytes[0] = 0x42;  // never a start-of-image marker
    return bytes;
}

std::vector<uint8_t> TruncatedJpeg() {
    const std::vector<uint8_t> full = EncodeJpeg(MakePatternPicture(160, 120, 3, 9));
    const size_t entropy = EntropyDataOffset(full);
    return std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(entropy + (full.size() - entropy) / 2));
}

bool Write(const std::string& folder, const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return EXIT_FAILURE;
    }
    const std::string folder = argv[1];
    std::vector<uint32_t> bands(std::begin(ColourBands), std::end(ColourBands));
    const bool ok = Write(folder, "ten_bytes.bin", PlainBytes(TenBytesSize)) &&
                    Write(folder, "block_4096.bin", PlainBytes(BlockSize)) && Write(folder, "empty.bin", {}) &&
                    Write(folder, "truncated.jpg", TruncatedJpeg()) && Write(folder, "random.bin", RandomBytes()) &&
                    Write(folder, "grey.jpg", EncodeJpeg(MakePatternPicture(GreyWidth, GreyHeight, 1, 4))) &&
                    Write(folder, "colour.jpg", EncodeJpeg(MakeBlockPicture(ColourWidth, ColourHeight, bands), {100})) &&
                    Write(folder, "narrow.jpg", EncodeJpeg(MakePatternPicture(NarrowWidth, NarrowHeight, 3, 2))) &&
                    Write(folder, "cmyk.jpg", EncodeJpeg(MakePatternPicture(24, 16, 4, 6))) &&
                    Write(folder, "true_colour.bmp", TrueColourBitmap()) &&
                    Write(folder, "indexed_3x2.bmp", IndexedBitmap());
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
