// The unit's identity texts built from image block 0.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

struct TIdentityHarness : THarness {
    TIdentityHarness() { Start(); }
    TFormHlav& W() { return *form; }
    void SetBlock0(std::initializer_list<std::pair<int, uint8_t>> bytes) {
        for (int i = 0; i < 100; ++i) form->image[i] = 0;
        for (auto [i, v] : bytes) form->image[i] = v;
        form->UpdateUnitIdentity();
    }
};

}  // namespace

TEST(UnitIdentity, VersionDateAndTimeFromTheirBytes) {
    TIdentityHarness h;
    h.SetBlock0({{0, 'A'}, {1, 'b'}, {2, 'c'}, {3, 1}, {4, 7}, {5, 32}, {6, 7}, {7, 9}, {8, 5}});
    EXPECT_STREQ(h.W().identity.version, "Abc01");
    EXPECT_STREQ(h.W().identity.date, " 7. 3.2007");
    EXPECT_STREQ(h.W().identity.time, "09:05");
    h.SetBlock0(
        {{0, 'Q'}, {1, 'V'}, {2, '5'}, {3, 99}, {4, 31}, {5, 12}, {6, 26}, {7, 23}, {8, 59}});
    EXPECT_STREQ(h.W().identity.version, "QV599");
    EXPECT_STREQ(h.W().identity.date, "31.12.2026");
    EXPECT_STREQ(h.W().identity.time, "23:59");
}

TEST(UnitIdentity, MonthCodes) {
    TIdentityHarness h;
    const uint8_t codes[12] = {25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    const char* months[12] = {" 1", " 2", " 3", " 4", " 5", " 6",
                              " 7", " 8", " 9", "10", "11", "12"};
    for (int m = 0; m < 12; ++m) {
        h.SetBlock0({{4, 10}, {5, codes[m]}, {6, 7}});
        EXPECT_EQ(std::string(h.W().identity.date), std::string("10.") + months[m] + ".2007") << m;
    }
    for (uint8_t other : std::initializer_list<uint8_t>{0, 1, 26, 255}) {
        h.SetBlock0({{4, 10}, {5, other}, {6, 7}});
        EXPECT_STREQ(h.W().identity.date, "10.00.2007") << int(other);
    }
}

TEST(UnitIdentity, TitleTextReplacesTheVersion) {
    TIdentityHarness h;
    h.SetBlock0({{0, 'A'}, {1, 'b'}, {2, 'c'}, {3, 1}, {16, 'X'}, {17, '-'}, {18, '9'}});
    EXPECT_STREQ(h.W().identity.version, "X-9");
    // Thirty characters without an ending zero: all thirty, nothing beyond.
    for (int i = 0; i < 100; ++i) h.W().image[i] = 'z';
    for (int i = 16; i < 46; ++i) h.W().image[i] = static_cast<uint8_t>('a' + (i - 16) % 26);
    h.W().UpdateUnitIdentity();
    EXPECT_EQ(std::string(h.W().identity.version), "abcdefghijklmnopqrstuvwxyzabcd");
}

TEST(UnitIdentity, ShownAfterTheFirstBlockZeroAnswer) {
    THarness h;
    h.sim.SetTitle("Quorvel 05 test unit");
    h.Start();
    EXPECT_STREQ(h.form->identity.version, "");
    h.form->MenuReadClick();
    h.RunSession();
    EXPECT_STREQ(h.form->identity.version, "Quorvel 05 test unit");
    EXPECT_STREQ(h.form->identity.date, " 7. 3.2007");
    EXPECT_STREQ(h.form->identity.time, "19:26");
}
