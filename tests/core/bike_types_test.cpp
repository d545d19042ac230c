// The five motorbike types: list entries, constants and default sets.
#include "params/bike_types.h"

#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"
#include "params/sanitize.h"

namespace {

TParamImage Defaults(uint8_t bike, uint8_t fill = 0) {
    TParamImage im;
    for (int i = 0; i < TParamImage::kSize; ++i) im[i] = fill;
    im.Set(TField::BIKE, bike);
    SetDefaults(im);
    return im;
}

std::vector<int> Array(const TParamImage& im, TField f) {
    std::vector<int> v;
    for (int k = 0; k < FieldInfo(f).count; ++k) v.push_back(im.Get(f, k));
    return v;
}

bool SameField(const TParamImage& a, const TParamImage& b, TField f) {
    return Array(a, f) == Array(b, f);
}

}  // namespace

TEST(BikeTypes, ListEntriesWithTheirPaddedLengths) {
    const size_t lengths[kBikeTypes] = {35, 31, 32, 31, 32};
    for (int i = 0; i < kBikeTypes; ++i) EXPECT_EQ(std::strlen(kBikeEntries[i]), lengths[i]) << i;
    EXPECT_STREQ(kBikeEntries[0], "Honda CBR 600 F               01-02");
    EXPECT_STREQ(kBikeEntries[1], "Honda CBR 900 RR            02-");
    EXPECT_STREQ(kBikeEntries[2], "Honda CBR 1100 XX               ");
    EXPECT_STREQ(kBikeEntries[3], "Honda VTR 1000 SP-1       01-02");
    EXPECT_STREQ(kBikeEntries[4], "Honda VFR 800                   ");
}

TEST(BikeTypes, ConstantsPerType) {
    const struct {
        int advMax, a, b;
        uint8_t curve0;
    } expected[kBikeTypes] = {{101, 0, 65, 152},
                              {100, 0, 65, 191},
                              {100, 1, 65, 191},
                              {95, 0, 70, 152},
                              {100, 0, 65, 191}};
    for (uint8_t bike = 0; bike < kBikeTypes; ++bike) {
        TParamImage im;
        im.Set(TField::BIKE, bike);
        im.Set(TField::BIKE_PARAM_C, 9);
        UpdateBikeConstants(im);
        EXPECT_EQ(im.Get(TField::ADVANCE_MAX), expected[bike].advMax) << int(bike);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_A), expected[bike].a) << int(bike);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_B), expected[bike].b) << int(bike);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_C), 0);
        EXPECT_EQ(im.Get(TField::BIKE_CURVE, 0), expected[bike].curve0) << int(bike);
    }
    EXPECT_EQ(Array(Defaults(0), TField::BIKE_CURVE),
              (std::vector<int>{152, 150, 149, 227, 230, 240, 217, 212, 227, 227}));
    EXPECT_EQ(Array(Defaults(4), TField::BIKE_CURVE),
              (std::vector<int>{191, 191, 188, 196, 205, 235, 21, 31, 31, 31}));
    // An unknown type changes nothing.
    TParamImage im;
    for (int i = 0; i < TParamImage::kSize; ++i) im[i] = 7;
    TParamImage before = im;
    UpdateBikeConstants(im);
    EXPECT_TRUE(im == before);
}

TEST(BikeDefaults, TypeTwo) {
    const TParamImage im = Defaults(2);
    EXPECT_EQ(ToShown(TField::LIMITER2, im.Get(TField::LIMITER2)), 10500);
    EXPECT_EQ(ToShown(TField::PILOT_LIGHT, im.Get(TField::PILOT_LIGHT)), 9000);
    EXPECT_EQ(im.Get(TField::ADVANCE_MAX), 100);
    EXPECT_EQ(im.Get(TField::BIKE_PARAM_A), 1);
    const TParamImage one = Defaults(1);
    for (TField f : {TField::RPM_PRIV, TField::NAP_PRIV, TField::WATER_TEMP, TField::AIR_TEMP,
                     TField::ADVANCE})
        EXPECT_TRUE(SameField(im, one, f)) << FieldInfo(f).name;
    EXPECT_EQ(Array(im, TField::NAP_PRIV),
              (std::vector<int>{135, 226, 226, 24, 24, 24, 24, 24, 24, 24}));
    EXPECT_EQ(Array(im, TField::WATER_TEMP), (std::vector<int>{160, 139, 126, 100, 100}));
}

TEST(BikeDefaults, TypeThreeAxesAndBlocking) {
    const TParamImage im = Defaults(3, 1);
    const std::vector<int> axis = {10, 20, 30, 40, 50, 60, 70, 80, 100, 120};
    for (TField f : {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP})
        EXPECT_EQ(Array(im, f), axis) << FieldInfo(f).name;
    EXPECT_EQ(im.Get(TField::BLOK_ENABLE), 0);
    EXPECT_EQ(Array(im, TField::RPM_PRIV),
              (std::vector<int>{10, 20, 30, 40, 60, 80, 100, 120, 140, 160}));
    EXPECT_EQ(Array(im, TField::NAP_PRIV),
              (std::vector<int>{100, 105, 110, 115, 120, 125, 130, 135, 140, 145}));
    EXPECT_EQ(Array(im, TField::ADVANCE),
              (std::vector<int>{13, 16, 31, 39, 39, 39, 38, 38, 38, 38}));
    EXPECT_EQ(im.Get(TField::ADVANCE_MAX), 95);
    EXPECT_EQ(ToShown(TField::LIMITER2, im.Get(TField::LIMITER2)), 11000);
}

TEST(BikeDefaults, CommonPartAndUntouchedBytes) {
    for (uint8_t bike = 0; bike < kBikeTypes; ++bike) {
        const TParamImage im = Defaults(bike, 0xEE);
        EXPECT_EQ(im.Get(TField::RPM_PULSES), 2);
        EXPECT_EQ(ToShown(TField::RPM_CORRECTION, im.Get(TField::RPM_CORRECTION)), 0);
        EXPECT_EQ(Array(im, TField::CHOKE_TIME), (std::vector<int>{5, 10, 15, 20}));
        EXPECT_EQ(Array(im, TField::CHOKE_CORR), (std::vector<int>{150, 50, 30, 10}));
        for (int i = 300; i < 600; ++i) ASSERT_EQ(im[i], 100) << i;
        EXPECT_EQ(ToShown(TField::PRIV_HYSTER, im.Get(TField::PRIV_HYSTER)), 200);
        EXPECT_EQ(ToShown(TField::ACCEL_SIZE, im.Get(TField::ACCEL_SIZE)), 2520);
        EXPECT_EQ(ToShown(TField::ACCEL_THRESHOLD, im.Get(TField::ACCEL_THRESHOLD)), 300);
        EXPECT_EQ(ToShown(TField::TUNING_STEP, im.Get(TField::TUNING_STEP)), 1000);
        EXPECT_EQ(ToShown(TField::TPS_100, im.Get(TField::TPS_100)), 4420);
        EXPECT_EQ(im.Get(TField::TPS_MODE), 1);
        EXPECT_EQ(im.Get(TField::BIKE), bike);
        for (int i = 0; i < 100; ++i) ASSERT_EQ(im[i], 0xEE) << "block 0, byte " << i;
        for (int i :
             {101, 105, 109, 114, 120, 128, 130, 136, 138, 139, 148, 149, 156, 199, 290, 299})
            EXPECT_EQ(im[i], 0xEE) << "reserved byte " << i;
    }
}

TEST(BikeDefaults, TypeZeroKeepsTheServoCurve) {
    TParamImage im;
    for (int k = 0; k < 10; ++k) {
        im.Set(TField::RPM_PRIV, k, static_cast<uint8_t>(33 + k));
        im.Set(TField::NAP_PRIV, k, static_cast<uint8_t>(77 + k));
    }
    const TParamImage before = im;
    im.Set(TField::BIKE, 0);
    SetDefaults(im);
    EXPECT_TRUE(SameField(im, before, TField::RPM_PRIV));
    EXPECT_TRUE(SameField(im, before, TField::NAP_PRIV));
    EXPECT_EQ(Array(im, TField::ADVANCE),
              (std::vector<int>{7, 15, 25, 29, 35, 32, 31, 30, 33, 33}));
    EXPECT_EQ(ToShown(TField::LIMITER2, im.Get(TField::LIMITER2)), 14000);
}

TEST(BikeDefaults, UnknownTypeWritesOnlyTheCommonPart) {
    TParamImage start = Defaults(3);
    start.Set(TField::BIKE, 7);
    TParamImage im = start;
    SetDefaults(im);
    // Type-dependent values and the constants stay as they were.
    for (TField f : {TField::START_JET, TField::WATER_TEMP, TField::AIR_TEMP, TField::TPS_0,
                     TField::TPS_100, TField::RPM_PRIV, TField::NAP_PRIV, TField::ADVANCE,
                     TField::LIMITER2, TField::PILOT_LIGHT, TField::BLOK_ENABLE,
                     TField::ADVANCE_MAX, TField::BIKE_PARAM_B, TField::BIKE_CURVE, TField::BIKE})
        EXPECT_TRUE(SameField(im, start, f)) << FieldInfo(f).name;
    // The common part replaces the type-3 axes by the common axis.
    EXPECT_EQ(Array(im, TField::RPM_ADV),
              (std::vector<int>{10, 20, 30, 40, 60, 80, 100, 120, 140, 160}));
    EXPECT_EQ(im.Get(TField::INTAKE_VALVE), 60);
}

TEST(BikeDefaults, DefaultSetsPassSanitizingUnchanged) {
    for (uint8_t bike = 0; bike < kBikeTypes; ++bike) {
        TParamImage im = Defaults(bike);
        if (bike == 0)  // type 0 keeps whatever servo curve was there; give it a valid one
            for (int k = 0; k < 10; ++k)
                im.Set(TField::RPM_PRIV, k, static_cast<uint8_t>(10 * (k + 1)));
        const TParamImage before = im;
        uint8_t lang = 1, port = 0, scan = 0;
        SanitizeImage(im, {&lang, &port, &scan});
        EXPECT_TRUE(im == before) << int(bike);
    }
}

TEST(BikeTypes, PickingATypeAndAnsweringNoChangesOnlyTheConstants) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    w.image.Set(TField::ADVANCE, 4, 101);
    h.dialogs.answers.push_back(TAnswer::No);
    w.ComboBoxBike.UserSetItemIndex(3);
    w.ComboBoxBikeChange();
    EXPECT_EQ(w.image.Get(TField::BIKE), 3);
    EXPECT_EQ(w.image.Get(TField::ADVANCE_MAX), 95);
    EXPECT_EQ(w.image.Get(TField::BIKE_PARAM_B), 70);
    EXPECT_EQ(w.image.Get(TField::ADVANCE, 4), 101);
    EXPECT_EQ(w.image.Get(TField::LIMITER2), 140);
}

// Every value of the default sets, type by type, written out from the tables of the types.
TEST(BikeDefaults, EveryValueOfEveryType) {
    using V = std::vector<int>;
    const V commonAxis = {10, 20, 30, 40, 60, 80, 100, 120, 140, 160};
    const V axis3 = {10, 20, 30, 40, 50, 60, 70, 80, 100, 120};
    const V adv14 = {5, 10, 23, 40, 40, 40, 40, 37, 37, 37};
    const V water14 = {160, 139, 126, 100, 100}, air14 = {121, 105, 100, 98, 98};
    const V rpmPriv14 = {25, 26, 63, 64, 150, 151, 152, 153, 154, 160};
    const V napPriv14 = {135, 226, 226, 24, 24, 24, 24, 24, 24, 24};
    const V curve0 = {152, 150, 149, 227, 230, 240, 217, 212, 227, 227};
    const V curve1 = {191, 191, 188, 196, 205, 235, 21, 31, 31, 31};
    const V kept(10, 0xEE);  // type 0 leaves the servo curve as it was
    const struct {
        V water, air, rpmPriv, napPriv, axis, advance, curve;
        int limiter, pilot, blok, advMax, a, b;
    } types[kBikeTypes] = {
        {{136, 125, 111, 100, 99},
         {119, 109, 100, 100, 100},
         kept,
         kept,
         commonAxis,
         {7, 15, 25, 29, 35, 32, 31, 30, 33, 33},
         curve0,
         140,
         120,
         1,
         101,
         0,
         65},
        {water14, air14, rpmPriv14, napPriv14, commonAxis, adv14, curve1, 120, 100, 1, 100, 0, 65},
        {water14, air14, rpmPriv14, napPriv14, commonAxis, adv14, curve1, 105, 90, 1, 100, 1, 65},
        {{139, 110, 104, 100, 99},
         {121, 110, 100, 97, 97},
         commonAxis,
         {100, 105, 110, 115, 120, 125, 130, 135, 140, 145},
         axis3,
         {13, 16, 31, 39, 39, 39, 38, 38, 38, 38},
         curve0,
         110,
         90,
         0,
         95,
         0,
         70},
        {water14, air14, rpmPriv14, napPriv14, commonAxis, adv14, curve1, 120, 100, 1, 100, 0, 65},
    };
    for (uint8_t bike = 0; bike < kBikeTypes; ++bike) {
        SCOPED_TRACE("type " + std::to_string(bike));
        const TParamImage im = Defaults(bike, 0xEE);
        const auto& t = types[bike];
        EXPECT_EQ(im.Get(TField::START_JET), 10);
        EXPECT_EQ(Array(im, TField::WATER_TEMP), t.water);
        EXPECT_EQ(Array(im, TField::AIR_TEMP), t.air);
        EXPECT_EQ(im.Get(TField::TPS_0), 50);
        EXPECT_EQ(im.Get(TField::TPS_100), 192);
        EXPECT_EQ(Array(im, TField::RPM_PRIV), t.rpmPriv);
        EXPECT_EQ(Array(im, TField::NAP_PRIV), t.napPriv);
        for (TField f :
             {TField::RPM_ADV, TField::RPM_JET_TP, TField::RPM_JET_TPi, TField::RPM_JET_IAP})
            EXPECT_EQ(Array(im, f), t.axis) << FieldInfo(f).name;
        EXPECT_EQ(Array(im, TField::ADVANCE), t.advance);
        EXPECT_EQ(im.Get(TField::LIMITER2), t.limiter);
        EXPECT_EQ(im.Get(TField::PILOT_LIGHT), t.pilot);
        EXPECT_EQ(im.Get(TField::BLOK_ENABLE), t.blok);
        EXPECT_EQ(im.Get(TField::ADVANCE_MAX), t.advMax);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_A), t.a);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_B), t.b);
        EXPECT_EQ(im.Get(TField::BIKE_PARAM_C), 0);
        EXPECT_EQ(Array(im, TField::BIKE_CURVE), t.curve);
    }
}

// The common part, for the five types and for a BIKE without a type, and nothing else for the
// latter: not even the bike-type constants.
TEST(BikeDefaults, CommonPartForKnownAndUnknownTypes) {
    for (int bike : {0, 1, 2, 3, 4, 5, 7, 254, 255}) {
        SCOPED_TRACE("BIKE " + std::to_string(bike));
        const TParamImage im = Defaults(static_cast<uint8_t>(bike), 0xEE);
        EXPECT_EQ(im.Get(TField::RPM_PULSES), 2);
        EXPECT_EQ(im.Get(TField::RPM_CORRECTION), 100);
        EXPECT_EQ(Array(im, TField::CHOKE_TIME), (std::vector<int>{5, 10, 15, 20}));
        EXPECT_EQ(Array(im, TField::CHOKE_CORR), (std::vector<int>{150, 50, 30, 10}));
        for (int i = 300; i < 600; ++i) ASSERT_EQ(im[i], 100) << i;
        EXPECT_EQ(im.Get(TField::PRIV_HYSTER), 40);
        EXPECT_EQ(im.Get(TField::COOLING), 100);
        EXPECT_EQ(im.Get(TField::ACCEL_THRESHOLD), 30);
        EXPECT_EQ(im.Get(TField::ACCEL_SIZE), 84);
        EXPECT_EQ(im.Get(TField::INTAKE_VALVE), 60);
        EXPECT_EQ(im.Get(TField::TPS_MODE), 1);
        EXPECT_EQ(im.Get(TField::IAP_TO_TPS), 5);
        EXPECT_EQ(im.Get(TField::PRIV_ENABLE), 1);
        EXPECT_EQ(im.Get(TField::TUNING_LAMBDA), 80);
        EXPECT_EQ(im.Get(TField::TUNING_ACCURACY), 5);
        EXPECT_EQ(im.Get(TField::TUNING_RPM), 10);
        EXPECT_EQ(im.Get(TField::TUNING_TPS), 1);
        EXPECT_EQ(im.Get(TField::TUNING_STEP), 10);
        EXPECT_EQ(im.Get(TField::BIKE), bike);
        if (bike < kBikeTypes) continue;
        for (TField f :
             {TField::START_JET, TField::WATER_TEMP, TField::AIR_TEMP, TField::TPS_0,
              TField::TPS_100, TField::RPM_PRIV, TField::NAP_PRIV, TField::ADVANCE,
              TField::LIMITER2, TField::PILOT_LIGHT, TField::BLOK_ENABLE, TField::ADVANCE_MAX,
              TField::BIKE_PARAM_A, TField::BIKE_PARAM_B, TField::BIKE_PARAM_C, TField::BIKE_CURVE})
            for (int v : Array(im, f)) EXPECT_EQ(v, 0xEE) << FieldInfo(f).name;
        EXPECT_EQ(Array(im, TField::RPM_ADV),
                  (std::vector<int>{10, 20, 30, 40, 60, 80, 100, 120, 140, 160}));
    }
}

// The constants touch their own bytes only.
TEST(BikeTypes, ConstantsWriteNothingElse) {
    for (uint8_t bike = 0; bike < kBikeTypes; ++bike) {
        TParamImage im;
        for (int i = 0; i < TParamImage::kSize; ++i) im[i] = 0xEE;
        im.Set(TField::BIKE, bike);
        const TParamImage before = im;
        UpdateBikeConstants(im);
        for (int i = 0; i < TParamImage::kSize; ++i) {
            const bool constant =
                i == 107 || i == 110 || i == 125 || i == 126 || (i >= 230 && i < 240);
            if (!constant) {
                EXPECT_EQ(im[i], before[i]) << "type " << int(bike) << ", byte " << i;
            }
        }
    }
}
