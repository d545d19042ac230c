// The .ign format: the exact text written, and reading it back in any layout.
#include "files/param_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "params/bike_types.h"

namespace {

std::string Written(const TParamImage& im, bool ext = false) {
    std::ostringstream out;
    WriteParamFile(out, im, ext);
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

struct TRead {
    bool matched;
    TParamImage image;
    bool ext;
};
TRead Read(const std::string& text, const TParamImage& im = {}, bool ext = false) {
    std::istringstream in(text);
    TRead r{false, im, ext};
    r.matched = ReadParamFile(in, r.image, r.ext);
    return r;
}
TRead ReadBody(const std::string& body, const TParamImage& im = {}) {
    return Read("VELMAROK_KEY 43\r\n" + body, im);
}

TParamImage RandomImage(std::mt19937& rng) {
    TParamImage im;
    for (int i = 0; i < TParamImage::kSize; ++i) im[i] = static_cast<uint8_t>(rng());
    return im;
}

bool NotInFile(int b) {
    for (int s : {101, 105, 107, 109, 110, 125, 126, 128, 138, 139, 148, 149})
        if (b == s) return true;
    return b < 100 || (b >= 114 && b <= 120) || (b >= 130 && b <= 136) || (b >= 156 && b <= 199) ||
           (b >= 230 && b <= 239) || (b >= 290 && b <= 299);
}

}  // namespace

TEST(ParamFileWrite, DefaultSetsOfAllTypesMatchTheReferenceFiles) {
    for (int bike = 0; bike < 5; ++bike) {
        TParamImage im;
        im.Set(TField::BIKE, static_cast<uint8_t>(bike));
        SetDefaults(im);
        std::ifstream in(
            std::string(QUORVEL05_TEST_DATA) + "/default_bike" + std::to_string(bike) + ".ign",
            std::ios::binary);
        std::ostringstream expected;
        expected << in.rdbuf();
        ASSERT_EQ(expected.str().size(), 3311u) << "reference file of type " << bike;
        EXPECT_EQ(Written(im), expected.str()) << "type " << bike;
    }
}

// An image whose bytes all differ from their neighbours, written and read against a reference
// built from the byte positions and scales of the key table: a key that takes or fills the wrong
// bytes, a map written column by column or two numbers of a key swapped show up here, where the
// default sets (with their repeated values) and the round trip (which only compares the program
// with itself) do not notice them.
TEST(ParamFileKeys, EveryKeyWritesAndReadsItsOwnBytes) {
    TParamImage pattern;
    for (int b = 0; b < TParamImage::kSize; ++b) pattern[b] = static_cast<uint8_t>(b * 37 + 11);
    std::ifstream in(std::string(QUORVEL05_TEST_DATA) + "/pattern.ign", std::ios::binary);
    std::ostringstream reference;
    reference << in.rdbuf();
    ASSERT_FALSE(reference.str().empty());
    EXPECT_EQ(Written(pattern, true), reference.str());

    TParamImage before;
    for (int b = 0; b < TParamImage::kSize; ++b) before[b] = 0xEE;
    const TRead r = Read(reference.str(), before, false);
    ASSERT_TRUE(r.matched);
    EXPECT_TRUE(r.ext);
    for (int b = 0; b < TParamImage::kSize; ++b) {
        const int expected = b == 111 ? 1 : NotInFile(b) ? 0xEE : pattern[b];
        EXPECT_EQ(r.image[b], expected) << "byte " << b;
    }
}

TEST(ParamFileWrite, EdgeValuesAndFixedTexts) {
    const std::string text = Written(TParamImage{});
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 67u);
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(lines[4], "RPM              0  -100 ");
    EXPECT_EQ(lines[52], "TPS             0  2500 ");
    EXPECT_EQ(lines[58], "  100   100   100   100 ");
    EXPECT_EQ(lines[9], "EXT_MON         0");
    EXPECT_EQ(lines[61], "PRIV_ENABLE     0");

    TParamImage im;
    im.Set(TField::PRIV_ENABLE, 7);
    im.Set(TField::RPM_CORRECTION, 255);
    im.Set(TField::RPM_ADV, 0, 255);
    lines = Lines(Written(im, true));
    EXPECT_EQ(lines[9], "EXT_MON         1");
    EXPECT_EQ(lines[61], "PRIV_ENABLE     1");
    EXPECT_EQ(lines[4], "RPM              0   155 ");
    EXPECT_EQ(lines[1].substr(0, 18), "RPM_ADV     25500 ");
}

TEST(ParamFileRead, ScalingFlagsAndRepeatedKeys) {
    TRead r = ReadBody(
        "RPM 20 -5\r\nTPS 300 4550 RPM_ADV 30000 CHOKE 1 2 3 4 5 6 50 7 "
        "PRIV_ENABLE 7 EXT_MON 7 BIKE 1 BIKE 4 RPM_JET_TPi 500 bike 3");
    ASSERT_TRUE(r.matched);
    EXPECT_EQ(r.image[102], 20);
    EXPECT_EQ(r.image[103], 95);
    EXPECT_EQ(r.image[121], 30);
    EXPECT_EQ(r.image[122], 205);
    EXPECT_EQ(r.image[210], 44);   // 300 modulo 256
    EXPECT_EQ(r.image[146], 206);  // 50 - 100 modulo 256
    EXPECT_EQ(r.image[111], 7);
    EXPECT_TRUE(r.ext);
    EXPECT_EQ(r.image[100], 4);  // the later occurrence wins; "bike" is no key
    EXPECT_EQ(r.image[270], 5);
    EXPECT_EQ(r.image[260], 0);
    EXPECT_FALSE(Read("VELMAROK_KEY 43 EXT_MON 0", {}, true).ext);
}

TEST(ParamFileRead, VersionSearchAndUntouchedBytes) {
    std::mt19937 rng(8);
    const TParamImage before = RandomImage(rng);
    TRead r = ReadBody("BIKE 2", before);
    TParamImage expected = before;
    expected[100] = 2;
    EXPECT_EQ(r.image, expected);

    const std::string body = " BIKE 3 EXT_MON 1 JET_TP 1 2 3";
    for (const char* head : {"VELMAROK_KEY 42", "", "VELMAROK_KEY", "VELMAROK_KEY 65579",
                             "VELMAROK_KEY -43", "VELMAROK_KEY 43x", "XVELMAROK_KEY 43"}) {
        r = Read(head + body, before, false);
        EXPECT_FALSE(r.matched) << head;
        EXPECT_EQ(r.image, before) << head;
        EXPECT_FALSE(r.ext) << head;
    }
    // A later key can match, also right behind another; a version key after the match is skipped.
    r = Read("BIKE 9 VELMAROK_KEY 42 VELMAROK_KEY VELMAROK_KEY 43 VELMAROK_KEY 44" + body);
    EXPECT_TRUE(r.matched);
    EXPECT_EQ(r.image[100], 3);
    // The version is a number like any other: with a minus sign it is taken modulo 65536, so
    // -65493 is 43, as -5 is 65531; leading zeros do not matter either.
    for (const char* head : {"VELMAROK_KEY -65493", "VELMAROK_KEY 0043"}) {
        r = Read(head + body, before, false);
        EXPECT_TRUE(r.matched) << head;
        EXPECT_EQ(r.image[100], 3) << head;
        EXPECT_TRUE(r.ext) << head;
    }
}

TEST(ParamFileRead, AnyOrderAndLayoutReadTheSame) {
    std::mt19937 rng(9);
    const std::string written = Written(RandomImage(rng), true);
    // Each key on one line with its numbers (tab-separated, LF only), keys in reverse order.
    std::vector<std::string> keyed;
    std::istringstream words(written);
    for (std::string w; words >> w;) {
        if ((w[0] >= '0' && w[0] <= '9') || w[0] == '-')
            keyed.back() += "\t" + w;
        else
            keyed.push_back(w);
    }
    std::string relaid = keyed.front() + "\n";
    for (size_t i = keyed.size() - 1; i > 0; --i) relaid += keyed[i] + "\n";

    const TParamImage target = RandomImage(rng);
    TRead a = Read(written, target), b = Read(relaid, target);
    ASSERT_TRUE(b.matched);
    EXPECT_EQ(a.image, b.image);
    EXPECT_TRUE(b.ext);
}

TEST(ParamFileRead, ShortKeysHugeNumbersAndLongWords) {
    TParamImage before;
    for (int i = 0; i < TParamImage::kSize; ++i) before[i] = 77;
    // Fewer numbers than the count, a word that is not a number, the end of the stream: the bytes
    // without a number stay, and the word that broke off the key is read as the next word.
    TRead r = ReadBody("JET_TP 1 2 3 BIKE 2 TPS abc 300 ACCEL 20 1x 60 COOLING - RPM 20", before);
    EXPECT_EQ(r.image[302], 3);
    EXPECT_EQ(r.image[303], 77);
    EXPECT_EQ(r.image[100], 2);
    EXPECT_EQ(r.image[121], 77);
    EXPECT_EQ(r.image[123], 2);
    EXPECT_EQ(r.image[124], 77);
    EXPECT_EQ(r.image[129], 77);
    EXPECT_EQ(r.image[102], 20);
    EXPECT_EQ(r.image[103], 77);
    // Numbers wrap modulo 65536 whatever their length; 10^250 - 1 is 65535 modulo 65536.
    r = ReadBody("BIKE 65538 RPM_ADV 100000 ADVANCE " + std::string(250, '9') + " 12");
    EXPECT_EQ(r.image[100], 2);
    EXPECT_EQ(r.image[210], (100000 % 65536) / 100 % 256);
    EXPECT_EQ(r.image[220], 255);
    EXPECT_EQ(r.image[221], 12);
    // A run over 271 characters is one unknown word, even when it ends in a key or a number.
    r = ReadBody(std::string(300, 'A') + "BIKE 5 " + std::string(271, 'B') + " BIKE 3 ADVANCE " +
                 std::string(300, '1'));
    EXPECT_EQ(r.image[100], 3);
    EXPECT_EQ(r.image[220], 0);
    EXPECT_FALSE(Read(std::string(500, 'V') + "VELMAROK_KEY 43").matched);
}

TEST(ParamFileRoundTrip, RandomImagesComeBackByteForByte) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 300; ++round) {
        const TParamImage source = RandomImage(rng), target = RandomImage(rng);
        const bool ext = (round & 1) != 0;
        TRead r = Read(Written(source, ext), target, !ext);
        ASSERT_TRUE(r.matched);
        ASSERT_EQ(r.ext, ext);
        for (int i = 0; i < TParamImage::kSize; ++i) {
            const int expected = i == 111 ? (source[i] != 0) : NotInFile(i) ? target[i] : source[i];
            ASSERT_EQ(r.image[i], expected) << "byte " << i << " round " << round;
        }
    }
}
