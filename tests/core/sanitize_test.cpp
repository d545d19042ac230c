// Limits and sanitizing of the raw image and the three settings values.
#include "params/sanitize.h"

#include <gtest/gtest.h>

#include <random>

#include "params/bike_types.h"

namespace {

struct TSanitized {
    TParamImage im;
    uint8_t language = 1, portChoice = 0, scan = 0;
    TSanitized() {
        im.Set(TField::ADVANCE_MAX, 100);
        for (TField f : {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi,
                         TField::RPM_JET_IAP, TField::RPM_PRIV})
            for (int k = 0; k < 10; ++k) im.Set(f, k, static_cast<uint8_t>(10 * (k + 1)));
        for (int k = 0; k < 4; ++k)
            im.Set(TField::CHOKE_TIME, k, static_cast<uint8_t>(5 * (k + 1)));
        im.Set(TField::LIMITER2, 140);
        im.Set(TField::PILOT_LIGHT, 120);
        im.Set(TField::INTAKE_VALVE, 60);
    }
    void Run() { SanitizeImage(im, {&language, &portChoice, &scan}); }
    std::vector<int> Array(TField f, int n = 10) const {
        std::vector<int> v;
        for (int k = 0; k < n; ++k) v.push_back(im.Get(f, k));
        return v;
    }
};

std::vector<int> Seq(int first, int n = 10) {
    std::vector<int> v;
    for (int k = 0; k < n; ++k) v.push_back(first + k);
    return v;
}

}  // namespace

TEST(SanitizeRpmArrays, AllZeroAndAllFullArraysOfEveryAxis) {
    for (TField f : {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP,
                     TField::RPM_PRIV}) {
        TSanitized s;
        for (int k = 0; k < 10; ++k) s.im.Set(f, k, 0);
        s.Run();
        EXPECT_EQ(s.Array(f), Seq(3)) << FieldInfo(f).name;
        for (int k = 0; k < 10; ++k) s.im.Set(f, k, 255);
        s.Run();
        EXPECT_EQ(s.Array(f), Seq(191)) << FieldInfo(f).name;
    }
}

TEST(SanitizeRpmArrays, EqualNeighbourIsRaisedByOneStep) {
    TSanitized s;
    const uint8_t adv[10] = {10, 20, 20, 40, 50, 60, 70, 80, 90, 100};
    for (int k = 0; k < 10; ++k) s.im.Set(TField::RPM_ADV, k, adv[k]);
    s.Run();
    EXPECT_EQ(s.Array(TField::RPM_ADV),
              (std::vector<int>{10, 20, 21, 40, 50, 60, 70, 80, 90, 100}));
    // A falling point is raised above its predecessor; the rest stays increasing.
    const uint8_t tp[10] = {50, 40, 30, 60, 61, 61, 61, 200, 200, 200};
    for (int k = 0; k < 10; ++k) s.im.Set(TField::RPM_JET_TPi, k, tp[k]);
    s.Run();
    EXPECT_EQ(s.Array(TField::RPM_JET_TPi),
              (std::vector<int>{50, 51, 52, 60, 61, 62, 63, 198, 199, 200}));
}

TEST(SanitizeAdvance, CappedByTheMaximumAsItStoodBeforeItsOwnBound) {
    TSanitized s;
    s.im.Set(TField::ADVANCE_MAX, 35);
    s.im.Set(TField::ADVANCE, 3, 40);
    s.Run();
    EXPECT_EQ(s.im.Get(TField::ADVANCE, 3), 35);

    TSanitized low;
    low.im.Set(TField::ADVANCE_MAX, 5);
    for (int k = 0; k < 10; ++k) low.im.Set(TField::ADVANCE, k, static_cast<uint8_t>(3 * k));
    low.Run();
    EXPECT_EQ(low.Array(TField::ADVANCE), (std::vector<int>{0, 3, 5, 5, 5, 5, 5, 5, 5, 5}));
    EXPECT_EQ(low.im.Get(TField::ADVANCE_MAX), 10);

    // A maximum above its own bound never lets an advance through beyond that bound.
    TSanitized high;
    high.im.Set(TField::ADVANCE_MAX, 200);
    high.im.Set(TField::ADVANCE, 0, 180);
    high.im.Set(TField::ADVANCE, 1, 60);
    high.Run();
    EXPECT_EQ(high.im.Get(TField::ADVANCE_MAX), 125);
    EXPECT_EQ(high.im.Get(TField::ADVANCE, 0), 125);
    EXPECT_EQ(high.im.Get(TField::ADVANCE, 1), 60);
}

TEST(SanitizeSingleValues, BoundsOfTheClampedFields) {
    TSanitized s;
    s.im.Set(TField::LIMITER2, FromShown(TField::LIMITER2, 999));
    EXPECT_EQ(s.im.Get(TField::LIMITER2), 9);
    s.im.Set(TField::PILOT_LIGHT, 255);
    s.im.Set(TField::INTAKE_VALVE, 0);
    s.im.Set(TField::TPS_0, 251);
    s.im.Set(TField::TPS_100, 255);
    s.im.Set(TField::START_JET, 51);
    s.im.Set(TField::CHOKE_CORR, 2, 255);
    s.Run();
    EXPECT_EQ(s.im.Get(TField::LIMITER2), 10);
    EXPECT_EQ(s.im.Get(TField::PILOT_LIGHT), 250);
    EXPECT_EQ(s.im.Get(TField::INTAKE_VALVE), 10);
    EXPECT_EQ(s.im.Get(TField::TPS_0), 250);
    EXPECT_EQ(s.im.Get(TField::TPS_100), 250);
    EXPECT_EQ(s.im.Get(TField::START_JET), 50);
    EXPECT_EQ(s.im.Get(TField::CHOKE_CORR, 2), 250);
}

TEST(SanitizeSingleValues, MapCellsAreCappedAndUncheckedFieldsKept) {
    TSanitized s;
    for (TMap m : {TMap::JetTp, TMap::JetTpi, TMap::JetIap}) s.im.SetCell(m, 4, 7, 255);
    for (int k = 0; k < 10; ++k) s.im.Set(TField::NAP_PRIV, k, 255);
    for (int k = 0; k < 5; ++k) s.im.Set(TField::WATER_TEMP, k, 255);
    s.im.Set(TField::PRIV_HYSTER, 255);
    for (int i = 0; i < 100; ++i) s.im[i] = static_cast<uint8_t>(255 - i);
    s.im.Set(TField::BIKE, 200);
    s.Run();
    for (TMap m : {TMap::JetTp, TMap::JetTpi, TMap::JetIap}) EXPECT_EQ(s.im.Cell(m, 4, 7), 250);
    EXPECT_EQ(s.im.Get(TField::NAP_PRIV, 9), 255);
    EXPECT_EQ(s.im.Get(TField::WATER_TEMP, 0), 255);
    EXPECT_EQ(s.im.Get(TField::PRIV_HYSTER), 255);
    EXPECT_EQ(s.im.Get(TField::BIKE), 200);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(s.im[i], 255 - i);
}

TEST(SanitizeChoke, TimesBoundedAndIncreasing) {
    TSanitized s;
    for (int k = 0; k < 4; ++k) s.im.Set(TField::CHOKE_TIME, k, 0);
    s.Run();
    EXPECT_EQ(s.Array(TField::CHOKE_TIME, 4), (std::vector<int>{0, 1, 2, 3}));
    for (int k = 0; k < 4; ++k) s.im.Set(TField::CHOKE_TIME, k, 250);
    s.Run();
    EXPECT_EQ(s.Array(TField::CHOKE_TIME, 4), (std::vector<int>{247, 248, 249, 250}));
}

TEST(SanitizeSettings, LanguagePortAndSearchPosition) {
    TSanitized s;
    const struct {
        uint8_t in, language, port, scan;
    } cases[] = {{0, 0, 0, 0},   {2, 2, 2, 2},  {3, 1, 3, 3},  {7, 1, 7, 7},  {19, 1, 19, 19},
                 {20, 1, 20, 0}, {21, 1, 0, 0}, {25, 1, 0, 0}, {255, 1, 0, 0}};
    for (const auto& c : cases) {
        s.language = s.portChoice = s.scan = c.in;
        s.Run();
        EXPECT_EQ(s.language, c.language) << int(c.in);
        EXPECT_EQ(s.portChoice, c.port) << int(c.in);
        EXPECT_EQ(s.scan, c.scan) << int(c.in);
    }
}

TEST(SanitizeWhole, ResultSatisfiesAllBoundsAndIsStableOnRandomImages) {
    std::mt19937 rng(20240905);
    for (int round = 0; round < 4000; ++round) {
        TSanitized s;
        for (int i = 0; i < TParamImage::kSize; ++i) s.im[i] = static_cast<uint8_t>(rng());
        // Now and then, runs of equal or extreme values.
        if (round % 4 == 0)
            for (int i = 200; i < 300; ++i)
                s.im[i] = static_cast<uint8_t>(rng() % 2 ? 255 : rng() % 4);
        s.language = static_cast<uint8_t>(rng());
        s.portChoice = static_cast<uint8_t>(rng());
        s.scan = static_cast<uint8_t>(rng());
        s.Run();
        TSanitized once = s;
        s.Run();
        ASSERT_TRUE(s.im == once.im) << "round " << round;
        ASSERT_EQ(s.language, once.language);
        ASSERT_EQ(s.portChoice, once.portChoice);
        ASSERT_EQ(s.scan, once.scan);

        for (TField f : {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi,
                         TField::RPM_JET_IAP, TField::RPM_PRIV})
            for (int k = 0; k < 10; ++k) {
                ASSERT_GE(s.im.Get(f, k), k + 3);
                ASSERT_LE(s.im.Get(f, k), k + 191);
                if (k > 0) {
                    ASSERT_GT(s.im.Get(f, k), s.im.Get(f, k - 1));
                }
            }
        const int amax = s.im.Get(TField::ADVANCE_MAX);
        ASSERT_GE(amax, 10);
        ASSERT_LE(amax, 125);
        for (int k = 0; k < 10; ++k) ASSERT_LE(s.im.Get(TField::ADVANCE, k), amax);
        for (int k = 0; k < 4; ++k) {
            ASSERT_GE(s.im.Get(TField::CHOKE_TIME, k), k);
            ASSERT_LE(s.im.Get(TField::CHOKE_TIME, k), k + 247);
            if (k > 0) {
                ASSERT_GT(s.im.Get(TField::CHOKE_TIME, k), s.im.Get(TField::CHOKE_TIME, k - 1));
            }
        }
        for (int i = 300; i < 600; ++i) ASSERT_LE(s.im[i], 250);
        ASSERT_LE(s.language, 2);
        ASSERT_LE(s.portChoice, 20);
        ASSERT_LE(s.scan, 19);
    }
}
