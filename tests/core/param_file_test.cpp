// The .ign format: the exact text written, and reading it back in any layout.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/param_file.h"
#include "params/bike_types.h"

namespace {

std::string Written(const TParamImage& im, bool ext = false) {
    std::ostringstream out;
    WriteParamFile(out, im, ext);
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

// Reads text into a copy of im; returns the result and the copy.
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

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TParamImage RandomImage(std::mt19937& rng) {
    TParamImage im;
    for (int i = 0; i < TParamImage::kSize; ++i) im[i] = static_cast<uint8_t>(rng());
    return im;
}

// Image bytes the file does not carry.
bool NotInFile(int b) {
    if (b < 100) return true;
    static const int kSingles[] = {101, 105, 107, 109, 110, 125, 126, 128, 138, 139, 148, 149};
    for (int s : kSingles)
        if (b == s) return true;
    return (b >= 114 && b <= 120) || (b >= 130 && b <= 136) || (b >= 156 && b <= 199) ||
           (b >= 230 && b <= 239) || (b >= 290 && b <= 299);
}

const char* kHeader = "VELMAROK_KEY 43\r\n";

}  // namespace

TEST(ParamFileWrite, DefaultSetsOfAllTypesMatchTheReferenceFiles) {
    for (int bike = 0; bike < 5; ++bike) {
        TParamImage im;
        im.Set(TField::BIKE, static_cast<uint8_t>(bike));
        SetDefaults(im);
        const std::string expected =
            ReadFile(std::string(QUORVEL05_TEST_DATA) + "/default_bike" + std::to_string(bike) + ".ign");
        ASSERT_FALSE(expected.empty()) << "reference file for type " << bike;
        EXPECT_EQ(Written(im), expected) << "type " << bike;
    }
}

TEST(ParamFileWrite, AllZeroImageLayout) {
    const TParamImage zero;
    const std::string text = Written(zero);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 67u);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");  // no line end after the last line
    EXPECT_EQ(lines[0], "VELMAROK_KEY   43 ");
    EXPECT_EQ(lines[4], "RPM              0  -100 ");
    EXPECT_EQ(lines[52], "TPS             0  2500 ");
    EXPECT_EQ(lines[58], "  100   100   100   100 ");
    EXPECT_EQ(lines[9], "EXT_MON         0");
    EXPECT_EQ(lines[61], "PRIV_ENABLE     0");
    EXPECT_EQ(lines[62], "PRIV_HYSTER     0 ");
    EXPECT_EQ(lines[25], std::string(12, ' '));
    EXPECT_EQ(lines[16].substr(0, 12), std::string(12, ' '));
    EXPECT_EQ(text.find('\n') - 1, text.find('\r'));  // CR LF, never LF alone
}

TEST(ParamFileWrite, FlagsAreFixedTextsAndWideNumbersWiden) {
    TParamImage im;
    im.Set(TField::PRIV_ENABLE, 7);
    im.Set(TField::RPM_CORRECTION, 255);  // +155, still in the signed field
    im.Set(TField::RPM_ADV, 0, 255);      // 25500 fills the five columns
    const std::vector<std::string> lines = Lines(Written(im, true));
    EXPECT_EQ(lines[9], "EXT_MON         1");
    EXPECT_EQ(lines[61], "PRIV_ENABLE     1");
    EXPECT_EQ(lines[4], "RPM              0   155 ");
    EXPECT_EQ(lines[1].substr(0, 18), "RPM_ADV     25500 ");
}

TEST(ParamFileRead, InverseScalingWithModuloArithmetic) {
    TRead r = Read(std::string(kHeader) + "RPM 20 -5\r\nTPS 300 4550\r\nRPM_ADV 30000\r\n");
    ASSERT_TRUE(r.matched);
    EXPECT_EQ(r.image[102], 20);
    EXPECT_EQ(r.image[103], 95);
    EXPECT_EQ(r.image[121], 30);
    EXPECT_EQ(r.image[122], 205);
    EXPECT_EQ(r.image[210], 44);  // 300 kept modulo 256
    r = Read(std::string(kHeader) + "CHOKE 1 2 3 4 250 150 50 99");
    EXPECT_EQ(r.image[144], 150);
    EXPECT_EQ(r.image[146], 206);  // 50 - 100 modulo 256
}

TEST(ParamFileRead, OnlyTheKeysPresentChangeTheImage) {
    std::mt19937 rng(7);
    const TParamImage before = RandomImage(rng);
    TRead r = Read(std::string(kHeader) + "BIKE 2", before, true);
    ASSERT_TRUE(r.matched);
    TParamImage expected = before;
    expected[100] = 2;
    EXPECT_EQ(r.image, expected);
    EXPECT_TRUE(r.ext);
}

TEST(ParamFileRead, VersionSearch) {
    std::mt19937 rng(8);
    const TParamImage before = RandomImage(rng);
    const std::string body = "BIKE 2 EXT_MON 1 JET_TP 1 2 3";
    TRead r = Read("VELMAROK_KEY 42\r\n" + body, before, false);
    EXPECT_FALSE(r.matched);
    EXPECT_EQ(r.image, before);
    EXPECT_FALSE(r.ext);
    EXPECT_FALSE(Read(body, before).matched);
    EXPECT_FALSE(Read("", before).matched);
    EXPECT_FALSE(Read("VELMAROK_KEY", before).matched);
    // A wrapped or signed number is not the version.
    EXPECT_FALSE(Read("VELMAROK_KEY 65579 " + body, before).matched);
    EXPECT_FALSE(Read("VELMAROK_KEY -65493 " + body, before).matched);
    // A later key can still match, also right behind the first; what comes before is ignored.
    r = Read("BIKE 9 VELMAROK_KEY 42 VELMAROK_KEY VELMAROK_KEY 43 " + body, before);
    EXPECT_TRUE(r.matched);
    EXPECT_EQ(r.image[100], 2);
    // A second version key after the match is skipped with its number.
    r = Read("VELMAROK_KEY 43 VELMAROK_KEY 44 BIKE 3", before);
    EXPECT_TRUE(r.matched);
    EXPECT_EQ(r.image[100], 3);
}

TEST(ParamFileRead, AnyOrderAndLayoutReadTheSame) {
    std::mt19937 rng(9);
    const TParamImage source = RandomImage(rng);
    const std::string written = Written(source, true);
    // Every key with its numbers on one line, in reverse order, LF only, tabs between numbers.
    std::vector<std::string> pieces;
    std::istringstream words(written);
    std::string w, piece;
    std::vector<std::string> keyed;
    while (words >> w) {
        if (!w.empty() && (w[0] < '0' || w[0] > '9') && w[0] != '-') {
            if (!piece.empty()) keyed.push_back(piece);
            piece = w;
        } else {
            piece += "\t" + w;
        }
    }
    keyed.push_back(piece);
    std::string shuffled;
    for (auto it = keyed.rbegin(); it != keyed.rend(); ++it) shuffled += *it + "\n";
    ASSERT_EQ(shuffled.find("VELMAROK_KEY"), shuffled.rfind("VELMAROK_KEY"));
    // The version key went last; put it first.
    const size_t v = shuffled.find("VELMAROK_KEY");
    shuffled = shuffled.substr(v) + shuffled.substr(0, v);

    const TParamImage target = RandomImage(rng);
    TRead a = Read(written, target, false);
    TRead b = Read(shuffled, target, false);
    ASSERT_TRUE(a.matched);
    ASSERT_TRUE(b.matched);
    EXPECT_EQ(a.image, b.image);
    EXPECT_TRUE(b.ext);
}

TEST(ParamFileRead, FlagsAndRepeatedKeys) {
    EXPECT_TRUE(Read(std::string(kHeader) + "EXT_MON 7", {}, false).ext);
    EXPECT_FALSE(Read(std::string(kHeader) + "EXT_MON 0", {}, true).ext);
    EXPECT_EQ(Read(std::string(kHeader) + "PRIV_ENABLE 7").image[111], 7);
    EXPECT_EQ(Read(std::string(kHeader) + "BIKE 1 BIKE 4").image[100], 4);
    // Case matters: RPM_JET_TP and RPM_JET_TPi are different keys, "bike" is no key.
    TRead r = Read(std::string(kHeader) + "RPM_JET_TPi 500 bike 3");
    EXPECT_EQ(r.image[270], 5);
    EXPECT_EQ(r.image[260], 0);
    EXPECT_EQ(r.image[100], 0);
}

TEST(ParamFileRead, KeysCutShortKeepTheirRemainingBytes) {
    TParamImage before;
    for (int i = 0; i < TParamImage::kSize; ++i) before[i] = 77;
    // Fewer numbers than the count: the next key is still read.
    TRead r = Read(std::string(kHeader) + "JET_TP 1 2 3 BIKE 2", before);
    EXPECT_EQ(r.image[300], 1);
    EXPECT_EQ(r.image[302], 3);
    EXPECT_EQ(r.image[303], 77);
    EXPECT_EQ(r.image[399], 77);
    EXPECT_EQ(r.image[100], 2);
    // A word that is not a number ends the key; it is then skipped as an unknown word.
    r = Read(std::string(kHeader) + "TPS abc 300 ACCEL 20 1x 60", before);
    EXPECT_EQ(r.image[121], 77);
    EXPECT_EQ(r.image[122], 77);
    EXPECT_EQ(r.image[123], 2);
    EXPECT_EQ(r.image[124], 77);
    // Cut off by the end of the stream.
    r = Read(std::string(kHeader) + "RPM 20", before);
    EXPECT_EQ(r.image[102], 20);
    EXPECT_EQ(r.image[103], 77);
    // Neither a lone minus nor a plus sign make a number.
    r = Read(std::string(kHeader) + "BIKE - BIKE +3", before);
    EXPECT_EQ(r.image[100], 77);
}

TEST(ParamFileRead, HugeNumbersWrapAndLongWordsAreSkipped) {
    // Numbers wrap modulo 65536 whatever their length.
    TRead r = Read(std::string(kHeader) + "BIKE 65538 RPM_ADV 100000 ADVANCE " +
                   std::string(250, '9') + " 12");
    EXPECT_EQ(r.image[100], 2);
    EXPECT_EQ(r.image[210], (100000 % 65536) / 100 % 256);
    EXPECT_EQ(r.image[220], 255);  // 10^250 - 1 is 65535 modulo 65536
    EXPECT_EQ(r.image[221], 12);
    // A word of more than 271 characters is one unknown word, even when it ends in a key; a word
    // of exactly 271 characters is still an ordinary word.
    r = Read(std::string(kHeader) + std::string(300, 'A') + "BIKE 5 " + std::string(271, 'B') +
             " BIKE 3");
    EXPECT_TRUE(r.matched);
    EXPECT_EQ(r.image[100], 3);
    r = Read(std::string(500, 'V') + "VELMAROK_KEY 43 BIKE 4");
    EXPECT_FALSE(r.matched);
}

TEST(ParamFileRoundTrip, RandomImagesComeBackByteForByte) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 300; ++round) {
        const TParamImage source = RandomImage(rng);
        const bool ext = (round & 1) != 0;
        const TParamImage target = RandomImage(rng);
        TRead r = Read(Written(source, ext), target, !ext);
        ASSERT_TRUE(r.matched);
        EXPECT_EQ(r.ext, ext);
        for (int i = 0; i < TParamImage::kSize; ++i) {
            if (i == 111) {
                ASSERT_EQ(r.image[i], source[i] != 0 ? 1 : 0) << "round " << round;
            } else if (NotInFile(i)) {
                ASSERT_EQ(r.image[i], target[i]) << "byte " << i << " round " << round;
            } else {
                ASSERT_EQ(r.image[i], source[i]) << "byte " << i << " round " << round;
            }
        }
    }
}
