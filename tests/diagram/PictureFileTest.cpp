#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "pictures/PictureFile.h"

namespace {

using namespace vornik;
namespace fs = std::filesystem;

constexpr int kSize = 400;

// White with a red band across the top half and a blue square at the bottom left.
RgbPicture TestPicture(int width = kSize, int height = kSize) {
    RgbPicture p{width, height, std::vector<std::uint8_t>(static_cast<size_t>(width) * height * 3, 255)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* px = &p.rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (y < height / 2) {
                px[1] = px[2] = 0;
            } else if (x < width / 4 && y >= height * 3 / 4) {
                px[0] = px[1] = 0;
            }
        }
    }
    return p;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class PictureFileTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "vornik-picture-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST_F(PictureFileTest, BmpIsBottomUpBgrWithPaddedRows) {
    struct Case {
        int width;
        int height;
        size_t rowBytes;
    };
    for (const Case c : {Case{kSize, kSize, 1200}, Case{5, 4, 16}, Case{1, 2, 4}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        // The name says JPEG; the caller's format wins.
        const fs::path path = dir_ / "picture.jpg";
        SavePicture(TestPicture(c.width, c.height), PictureFormat::Bmp, path.string());
        const std::vector<std::uint8_t> b = ReadAll(path);
        ASSERT_EQ(b.size(), 54 + c.rowBytes * c.height);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(Le32(b, 2), b.size());
        EXPECT_EQ(Le32(b, 10), 54u);
        EXPECT_EQ(Le32(b, 14), 40u);
        EXPECT_EQ(Le32(b, 18), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(Le32(b, 22), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(b[28], 24);
        EXPECT_EQ(Le32(b, 30), 0u);
        // The first stored row is the bottom one; pixels are blue, green, red.
        const size_t top = 54 + c.rowBytes * (c.height - 1);
        EXPECT_EQ((std::vector<int>{b[top], b[top + 1], b[top + 2]}), (std::vector<int>{0, 0, 255}))
            << "red top row";
        if (c.height >= 4) {
            EXPECT_EQ((std::vector<int>{b[54], b[55], b[56]}), (std::vector<int>{255, 0, 0}))
                << "blue bottom left";
        }
    }
}

// A quality-90 table: the standard table scaled by 20 %, rounded, at least 1.
std::vector<int> QualityNinety(const std::vector<int>& standard) {
    std::vector<int> out;
    for (const int q : standard) {
        out.push_back(std::max(1, (q * 20 + 50) / 100));
    }
    return out;
}

TEST_F(PictureFileTest, JpegIsBaselineRgbAtQualityNinety) {
    const std::vector<int> luminance = {
        16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
        69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
        81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
    std::vector<int> chrominance(64, 99);
    const int chromaTop[4][4] = {{17, 18, 24, 47}, {18, 21, 26, 66}, {24, 26, 56, 99}, {47, 66, 99, 99}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            chrominance[r * 8 + c] = chromaTop[r][c];
        }
    }

    // The name says BMP; the caller's format wins.
    const fs::path path = dir_ / "picture.bmp";
    SavePicture(TestPicture(), PictureFormat::Jpeg, path.string());
    std::vector<std::uint8_t> bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);

    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(cinfo.image_width, 400u);
    EXPECT_EQ(cinfo.image_height, 400u);
    EXPECT_EQ(cinfo.num_components, 3);
    EXPECT_EQ(cinfo.jpeg_color_space, JCS_YCbCr);
    EXPECT_FALSE(cinfo.progressive_mode);
    ASSERT_NE(cinfo.quant_tbl_ptrs[0], nullptr);
    ASSERT_NE(cinfo.quant_tbl_ptrs[1], nullptr);
    EXPECT_EQ(std::vector<int>(cinfo.quant_tbl_ptrs[0]->quantval, cinfo.quant_tbl_ptrs[0]->quantval + 64),
              QualityNinety(luminance));
    EXPECT_EQ(std::vector<int>(cinfo.quant_tbl_ptrs[1]->quantval, cinfo.quant_tbl_ptrs[1]->quantval + 64),
              QualityNinety(chrominance));

    // Colours survive: red stays red (not blue), so the channels are in RGB order.
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    std::vector<std::uint8_t> row(400 * 3);
    std::vector<std::vector<std::uint8_t>> rows;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = row.data();
        jpeg_read_scanlines(&cinfo, &p, 1);
        rows.push_back(row);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    const std::uint8_t* red = &rows[100][200 * 3];
    EXPECT_GT(red[0], 240);
    EXPECT_LT(red[2], 15);
    const std::uint8_t* blue = &rows[350][50 * 3];
    EXPECT_LT(blue[0], 15);
    EXPECT_GT(blue[2], 240);
}

TEST_F(PictureFileTest, ReplacesAnExistingFile) {
    const fs::path path = dir_ / "diagram.bmp";
    WriteText(path, "old picture");
    SavePicture(TestPicture(), PictureFormat::Bmp, path.string());
    EXPECT_EQ(ReadAll(path).size(), 54u + 400 * 400 * 3);
    EXPECT_EQ(Entries(), std::vector<std::string>{"diagram.bmp"});
}

TEST_F(PictureFileTest, AFailedWriteLeavesTheExistingFileAndNoTemporaryFile) {
    RgbPicture tooWide{70000, 1, std::vector<std::uint8_t>(70000 * 3, 0)};
    RgbPicture mismatched = TestPicture();
    mismatched.rgb.pop_back();
    fs::create_directory(dir_ / "folder.jpg");
    struct Case {
        const char* name;
        RgbPicture picture;
        PictureFormat format;
        std::string file;
        const char* message;  // part of the error text
    };
    const Case cases[] = {
        {"libjpeg refuses the size", tooWide, PictureFormat::Jpeg, "old.jpg", "65500"},
        {"pixel data does not match the size", mismatched, PictureFormat::Bmp, "old.jpg", "does not match"},
        {"no such folder", TestPicture(), PictureFormat::Jpeg, "missing/x.jpg", "нет такого файла или папки"},
        {"the target is a folder", TestPicture(), PictureFormat::Bmp, "folder.jpg", "это папка"},
    };
    WriteText(dir_ / "old.jpg", "old picture");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (dir_ / c.file).string();
        try {
            SavePicture(c.picture, c.format, path);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(path), std::string::npos) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
        }
        std::ifstream in(dir_ / "old.jpg");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old picture");
        EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.jpg", "old.jpg"}));
    }
}

}  // namespace
