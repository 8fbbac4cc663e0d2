#include "report/picture_rtf.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "report/picture.h"
#include "tests/report/report_samples.h"

namespace kalvora {
namespace {

// Reads a Windows metafile back: the header fields and each record's function and parameter bytes.
struct MetafileReader {
    struct Record {
        std::uint32_t sizeWords;
        std::uint16_t function;
        std::vector<std::uint8_t> params;
        int I16(std::size_t at) const { return static_cast<std::int16_t>(params[at] | params[at + 1] << 8); }
        std::uint32_t U32(std::size_t at) const {
            return params[at] | params[at + 1] << 8 | params[at + 2] << 16 | static_cast<std::uint32_t>(params[at + 3]) << 24;
        }
    };

    std::uint16_t type = 0, headerWords = 0, version = 0, objects = 0, parameters = 0;
    std::uint32_t sizeWords = 0, maxRecordWords = 0;
    std::vector<Record> records;

    explicit MetafileReader(const std::vector<std::uint8_t>& bytes) {
        auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); };
        auto u32 = [&](std::size_t at) { return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16; };
        type = u16(0), headerWords = u16(2), version = u16(4), sizeWords = u32(6), objects = u16(10);
        maxRecordWords = u32(12), parameters = u16(16);
        std::size_t at = 18;
        while (at < bytes.size()) {
            Record r{u32(at), u16(at + 4), {}};
            if (r.sizeWords < 3 || at + r.sizeWords * 2 > bytes.size()) throw std::runtime_error("bad record size");
            r.params.assign(bytes.begin() + static_cast<long>(at) + 6, bytes.begin() + static_cast<long>(at + r.sizeWords * 2));
            records.push_back(r);
            at += r.sizeWords * 2;
        }
    }
};

Bitmap Checkerboard(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.At(x, y) = {static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 50),
                          static_cast<std::uint8_t>((x + y) % 2 ? 255 : 7)};
        }
    }
    return b;
}

std::vector<std::uint8_t> FromHex(const std::string& dump) {
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (char c : dump) {
        if (c == '\r' || c == '\n') continue;
        digits += c;
        if (digits.size() == 2) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16)));
            digits.clear();
        }
    }
    return bytes;
}

TEST(Metafile, RecordsSizesAndPixelsReadBack) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{5, 3}, {1, 1}, {4, 2}, {ReportPictureSize, ReportPictureSize}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const Bitmap bitmap = w == ReportPictureSize ? ReportPicture() : Checkerboard(w, h);
        const std::vector<std::uint8_t> bytes = BitmapToMetafile(bitmap);
        const MetafileReader mf(bytes);

        EXPECT_EQ(mf.type, 1);
        EXPECT_EQ(mf.headerWords, 9);
        EXPECT_EQ(mf.version, 0x0300);
        EXPECT_EQ(mf.sizeWords * 2, bytes.size());
        EXPECT_EQ(mf.objects, 0);
        EXPECT_EQ(mf.parameters, 0);

        ASSERT_EQ(mf.records.size(), 7u);
        const std::vector<std::pair<MetaRecord, std::uint32_t>> shape = {
            {MetaRecord::SetMapMode, 4}, {MetaRecord::SetWindowOrg, 5}, {MetaRecord::SetWindowExt, 5},
            {MetaRecord::SaveDc, 3},     {MetaRecord::DibBitBlt, 0},    {MetaRecord::RestoreDc, 4},
            {MetaRecord::Eof, 3}};
        std::uint32_t largest = 0;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            EXPECT_EQ(mf.records[i].function, static_cast<std::uint16_t>(shape[i].first)) << "record " << i;
            if (shape[i].second != 0) {
                EXPECT_EQ(mf.records[i].sizeWords, shape[i].second) << "record " << i;
            }
            largest = std::max(largest, mf.records[i].sizeWords);
        }
        EXPECT_EQ(mf.maxRecordWords, largest);

        EXPECT_EQ(mf.records[0].I16(0), MapModeAnisotropic);
        EXPECT_EQ(mf.records[1].I16(0), 0);
        EXPECT_EQ(mf.records[1].I16(2), 0);
        EXPECT_EQ(mf.records[2].I16(0), h);  // y extent first
        EXPECT_EQ(mf.records[2].I16(2), w);
        EXPECT_EQ(mf.records[5].I16(0), -1);

        const MetafileReader::Record& blit = mf.records[4];
        EXPECT_EQ(blit.U32(0), RasterSourceCopy);
        EXPECT_EQ(blit.I16(4), 0);   // source y
        EXPECT_EQ(blit.I16(6), 0);   // source x
        EXPECT_EQ(blit.I16(8), h);
        EXPECT_EQ(blit.I16(10), w);
        EXPECT_EQ(blit.I16(12), 0);  // destination y
        EXPECT_EQ(blit.I16(14), 0);  // destination x
        const std::size_t dib = 16;
        const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
        EXPECT_EQ(blit.U32(dib), 40u);
        EXPECT_EQ(static_cast<int>(blit.U32(dib + 4)), w);
        EXPECT_EQ(static_cast<int>(blit.U32(dib + 8)), h);
        EXPECT_EQ(blit.I16(dib + 12), 1);
        EXPECT_EQ(blit.I16(dib + 14), 24);
        EXPECT_EQ(blit.U32(dib + 16), 0u);
        EXPECT_EQ(blit.U32(dib + 20), stride * h);
        ASSERT_EQ(blit.params.size(), dib + 40 + stride * h);

        // Rows bottom-up, blue-green-red, zero padding to 4 bytes.
        const std::size_t pixels = dib + 40;
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            const std::size_t row = pixels + static_cast<std::size_t>(h - 1 - y) * stride;
            for (int x = 0; x < w; ++x) {
                const Rgb& c = bitmap.At(x, y);
                const std::size_t p = row + 3 * static_cast<std::size_t>(x);
                if (blit.params[p] != c.b || blit.params[p + 1] != c.g || blit.params[p + 2] != c.r) ++wrong;
            }
            for (std::size_t pad = row + 3 * static_cast<std::size_t>(w); pad < row + stride; ++pad) {
                if (blit.params[pad] != 0) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Metafile, RefusesPicturesItCannotRecord) {
    EXPECT_THROW(BitmapToMetafile(Bitmap{}), std::invalid_argument);
    EXPECT_THROW(BitmapToMetafile(Bitmap(40000, 1)), std::invalid_argument);
    Bitmap torn(3, 3);
    torn.pixels.pop_back();
    EXPECT_THROW(BitmapToMetafile(torn), std::invalid_argument);
}

TEST(PictureRtf, ByteToHexIsTwoLowercaseDigits) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "00"}, {9, "09"}, {10, "0a"}, {0x0F, "0f"}, {0x10, "10"}, {0x9D, "9d"}, {0xAB, "ab"}, {0xFF, "ff"}};
    for (const auto& [value, hex] : cases) EXPECT_EQ(ByteToHex(static_cast<std::uint8_t>(value)), hex) << value;
}

TEST(PictureRtf, DumpLinesOf39Bytes) {
    struct Case {
        std::size_t bytes, lines, lastLineDigits;
    };
    const std::vector<Case> cases = {{0, 0, 0}, {1, 1, 2}, {39, 1, 78}, {40, 2, 2}, {78, 2, 78}, {1024, 27, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::vector<std::uint8_t> bytes(c.bytes, 0xC5);
        const std::string dump = HexDump(bytes);
        if (c.bytes == 0) {
            EXPECT_EQ(dump, "");
            continue;
        }
        ASSERT_TRUE(dump.starts_with("\r\n"));
        const std::vector<std::string> lines = test::SplitLines(dump.substr(2));
        ASSERT_EQ(lines.size(), c.lines);
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 78u) << "line " << i;
        EXPECT_EQ(lines.back().size(), c.lastLineDigits);
        EXPECT_EQ(dump.find_first_not_of("c5\r\n"), std::string::npos);
    }
}

TEST(PictureRtf, MetafileOf1024BytesGives27DumpLines) {
    const Bitmap bitmap = Checkerboard(42, 7);  // 128 bytes of records around 7 rows of 128 bytes
    ASSERT_EQ(BitmapToMetafile(bitmap).size(), 1024u);
    const std::string group = PictureToRtf(bitmap);
    const std::size_t dumpStart = group.find(' ') + 1;
    const std::string dump = group.substr(dumpStart, group.size() - dumpStart - 3);
    ASSERT_TRUE(dump.starts_with("\r\n"));
    const std::vector<std::string> lines = test::SplitLines(dump.substr(2));
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.size() == 78; }), 26);
    EXPECT_EQ(lines.back().size(), 20u);
}

TEST(PictureRtf, GroupHeaderSizesAndDump) {
    struct Case {
        int w, h;
        ScreenResolution screen;
        std::string header;
    };
    const std::vector<Case> cases = {
        // 120 pixels at 96 per inch: 1800 twips, 1.25 in, 31.75 mm.
        {120, 120, {15, 15}, "{\\pict\\wmetafile8\\picw3175\\pich3175\\picwgoal1800\\pichgoal1800 "},
        // 120 per inch across, 72 per inch down: 100 x 12 twips = 21.17 mm, 50 x 20 twips = 17.64 mm.
        {100, 50, {12, 20}, "{\\pict\\wmetafile8\\picw2117\\pich1764\\picwgoal1200\\pichgoal1000 "},
        {1, 1, {15, 15}, "{\\pict\\wmetafile8\\picw26\\pich26\\picwgoal15\\pichgoal15 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const Bitmap bitmap = Checkerboard(c.w, c.h);
        const std::string group = PictureToRtf(bitmap, c.screen);
        ASSERT_TRUE(group.starts_with(c.header)) << group.substr(0, 80);
        ASSERT_TRUE(group.ends_with("\r\n}"));
        const std::string dump = group.substr(c.header.size(), group.size() - c.header.size() - 3);
        EXPECT_TRUE(dump.starts_with("\r\n"));
        EXPECT_EQ(dump.find_first_not_of("0123456789abcdef\r\n"), std::string::npos);
        EXPECT_EQ(FromHex(dump), BitmapToMetafile(bitmap));
    }
}

TEST(ReportPicture, IsADrawnEmblem) {
    const Bitmap picture = ReportPicture();
    ASSERT_EQ(picture.width, ReportPictureSize);
    ASSERT_EQ(picture.height, ReportPictureSize);
    // Paper in the corners, the Sun's gold in the middle, the night sky between.
    EXPECT_EQ(picture.At(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(picture.At(ReportPictureSize - 1, ReportPictureSize - 1), (Rgb{255, 255, 255}));
    const Rgb centre = picture.At(ReportPictureSize / 2, ReportPictureSize / 2);
    EXPECT_GT(centre.r, 200);
    EXPECT_GT(centre.g, 150);
    EXPECT_LT(centre.b, 120);
    const Rgb sky = picture.At(ReportPictureSize / 2 - 35, ReportPictureSize / 2 + 8);
    EXPECT_LT(sky.r, 60);
    EXPECT_GT(sky.b, sky.r);
    EXPECT_EQ(ReportPicture(), picture);
}

}  // namespace
}  // namespace kalvora
