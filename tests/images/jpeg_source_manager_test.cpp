#include "images/jpeg_source_manager.h"

#include <gtest/gtest.h>
#include <jerror.h>

#include <csetjmp>
#include <numeric>
#include <vector>

#include "images/memory_byte_source.h"

namespace {

// Records every request so the tests can see the block size the manager asks for.
class RecordingSource : public ByteSource {
public:
    explicit RecordingSource(std::vector<uint8_t> data) : data_(std::move(data)), inner_(data_.data(), Size()) {}
    int Read(void* buffer, int length) override {
        Requests.push_back(length);
        return inner_.Read(buffer, length);
    }
    int32_t Size() const { return static_cast<int32_t>(data_.size()); }
    std::vector<int> Requests;

private:
    std::vector<uint8_t> data_;
    MemoryByteSource inner_;
};

std::vector<uint8_t> Counting(size_t size) {
    std::vector<uint8_t> data(size);
    std::iota(data.begin(), data.end(), uint8_t{0});
    return data;
}

void SilentOutput(j_common_ptr) {}

[[noreturn]] void JumpingExit(j_common_ptr common) { std::longjmp(*static_cast<std::jmp_buf*>(common->client_data), 1); }

// A decompressor with the manager attached over a recording source; the source manager
// is driven directly, the way the decoder drives it.
class AttachedSource : public testing::Test {
protected:
    void Attach(std::vector<uint8_t> data) {
        source_ = std::make_unique<RecordingSource>(std::move(data));
        decompressor_.err = jpeg_std_error(&errors_);
        errors_.error_exit = JumpingExit;
        errors_.output_message = SilentOutput;
        decompressor_.client_data = &landing_;
        jpeg_create_decompress(&decompressor_);
        AttachJpegSource(&decompressor_, *source_);
        Src()->init_source(&decompressor_);
    }
    void TearDown() override { jpeg_destroy_decompress(&decompressor_); }

    jpeg_source_mgr* Src() { return decompressor_.src; }
    bool Fill() { return FillLanding(decompressor_, landing_, filled_); }
    static bool FillLanding(jpeg_decompress_struct& decompressor, std::jmp_buf& landing, bool& filled) {
        if (setjmp(landing) != 0) return false;
        filled = decompressor.src->fill_input_buffer(&decompressor) != 0;
        return true;
    }

    jpeg_decompress_struct decompressor_{};
    jpeg_error_mgr errors_{};
    std::jmp_buf landing_;
    bool filled_ = false;
    std::unique_ptr<RecordingSource> source_;
};

TEST_F(AttachedSource, EmptyFirstReadIsTheEmptyInputError) {
    Attach({});
    EXPECT_FALSE(Fill()) << "the error exit must be taken";
    EXPECT_EQ(errors_.msg_code, JERR_INPUT_EMPTY);
}

TEST_F(AttachedSource, DeliversBlocksOf4096ThenAFakeEndOfImage) {
    Attach(Counting(5000));
    ASSERT_TRUE(Fill());
    EXPECT_TRUE(filled_);
    EXPECT_EQ(Src()->bytes_in_buffer, 4096u);
    EXPECT_EQ(Src()->next_input_byte[4095], static_cast<JOCTET>(4095 & 0xFF));
    ASSERT_TRUE(Fill());
    EXPECT_EQ(Src()->bytes_in_buffer, 904u);
    EXPECT_EQ(Src()->next_input_byte[0], static_cast<JOCTET>(4096 & 0xFF));
    EXPECT_EQ(errors_.num_warnings, 0);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(Fill()) << "running out later is not fatal";
        EXPECT_TRUE(filled_) << "the source never suspends";
        ASSERT_EQ(Src()->bytes_in_buffer, 2u);
        EXPECT_EQ(Src()->next_input_byte[0], 0xFF);
        EXPECT_EQ(Src()->next_input_byte[1], 0xD9);
        EXPECT_EQ(errors_.msg_code, JWRN_JPEG_EOF);
        EXPECT_EQ(errors_.num_warnings, round + 1);
    }
    EXPECT_EQ(source_->Requests, (std::vector<int>{4096, 4096, 4096, 4096}));
}

TEST_F(AttachedSource, SkipsWithinAndAcrossBlocks) {
    Attach(Counting(10000));
    ASSERT_TRUE(Fill());
    struct { long Count; size_t BytesLeft; JOCTET Next; } steps[] = {
        {0, 4096, 0},                       // nothing to skip
        {-7, 4096, 0},                      // negative counts are ignored
        {100, 3996, 100},                   // within the block
        {3996, 0, 0},                       // exactly to its end, without reading on
        {5000, 904, static_cast<JOCTET>((4096 + 5000) & 0xFF)},  // across a block into the last
    };
    for (const auto& step : steps) {
        Src()->skip_input_data(&decompressor_, step.Count);
        EXPECT_EQ(Src()->bytes_in_buffer, step.BytesLeft) << step.Count;
        if (step.BytesLeft) {
            EXPECT_EQ(Src()->next_input_byte[0], step.Next) << step.Count;
        }
    }
}

TEST_F(AttachedSource, SkippingPastTheEndEndsInTheFakeEndOfImage) {
    Attach(Counting(10));
    ASSERT_TRUE(Fill());
    Src()->skip_input_data(&decompressor_, 10 + 2 * 3 + 1);  // the data, three fake markers and one byte
    ASSERT_EQ(Src()->bytes_in_buffer, 1u);
    EXPECT_EQ(Src()->next_input_byte[0], 0xD9);
    EXPECT_EQ(errors_.msg_code, JWRN_JPEG_EOF);
}

}  // namespace
