// Layout and encoding of the parameter image.
#include "params/param_image.h"

#include <gtest/gtest.h>

TEST(ParamImageLayout, FieldPositionsAndMapCells) {
    const struct {
        TField f;
        int base, count;
    } fields[] = {
        {TField::LAYOUT_VERSION, 10, 1}, {TField::UNIT_TITLE_TEXT, 16, 30},
        {TField::BIKE, 100, 1},          {TField::LIMITER2, 104, 1},
        {TField::ADVANCE_MAX, 107, 1},   {TField::TPS_MODE, 137, 1},
        {TField::CHOKE_TIME, 140, 4},    {TField::CHOKE_CORR, 144, 4},
        {TField::INTAKE_VALVE, 150, 1},  {TField::TUNING_STEP, 155, 1},
        {TField::WATER_TEMP, 200, 5},    {TField::RPM_ADV, 210, 10},
        {TField::ADVANCE, 220, 10},      {TField::BIKE_CURVE, 230, 10},
        {TField::NAP_PRIV, 250, 10},     {TField::RPM_JET_IAP, 280, 10},
        {TField::JET_TP, 300, 100},      {TField::JET_IAP, 500, 100},
    };
    for (const auto& e : fields) {
        EXPECT_EQ(FieldInfo(e.f).base, e.base) << FieldInfo(e.f).name;
        EXPECT_EQ(FieldInfo(e.f).count, e.count) << FieldInfo(e.f).name;
    }
    EXPECT_EQ(TParamImage::CellByte(TMap::JetTp, 0, 0), 300);
    EXPECT_EQ(TParamImage::CellByte(TMap::JetTp, 9, 9), 399);
    EXPECT_EQ(TParamImage::CellByte(TMap::JetTp, 0, 5), 305);
    EXPECT_EQ(TParamImage::CellByte(TMap::JetTpi, 3, 4), 434);
    EXPECT_EQ(TParamImage::CellByte(TMap::JetIap, 9, 0), 590);

    TParamImage im;
    uint8_t block[100];
    for (int i = 0; i < 100; ++i) block[i] = static_cast<uint8_t>(i + 1);
    im.SetBlock(4, block);
    EXPECT_EQ(im[400], 1);
    EXPECT_EQ(im[499], 100);
    EXPECT_EQ(im[399], 0);
    EXPECT_EQ(im[500], 0);
    EXPECT_TRUE(im.BlockEquals(4, block));
    block[99] ^= 1;
    EXPECT_FALSE(im.BlockEquals(4, block));
}

TEST(ParamImageEncoding, ShownValuesToRawAndBack) {
    EXPECT_EQ(FromShown(TField::RPM_ADV, 1150), 11);
    EXPECT_EQ(ToShown(TField::RPM_ADV, 11), 1100);
    EXPECT_EQ(FromShown(TField::TPS_100, 2500), 0);
    EXPECT_EQ(FromShown(TField::TPS_100, 4600), 210);
    EXPECT_EQ(ToShown(TField::TPS_100, 0), 2500);
    EXPECT_EQ(ToShown(TField::TPS_100, 210), 4600);
    for (int v = 2500; v <= 4600; v += 10)
        EXPECT_EQ(FromShown(TField::TPS_100, v), (v - 2500) / 10) << v;
    EXPECT_EQ(FromShown(TField::RPM_CORRECTION, -60), 40);
    EXPECT_EQ(FromShown(TField::RPM_CORRECTION, 60), 160);
    EXPECT_EQ(FromShown(TField::RPM_CORRECTION, 0), 100);
    EXPECT_EQ(ToShown(TField::RPM_CORRECTION, 40), -60);
    EXPECT_EQ(FromShown(TField::CHOKE_CORR, 100), 0);
    EXPECT_EQ(FromShown(TField::CHOKE_CORR, 350), 250);
    EXPECT_EQ(ToShown(TField::CHOKE_CORR, 250), 350);
    EXPECT_EQ(FromShown(TField::PRIV_HYSTER, 1275), 255);
    EXPECT_EQ(FromShown(TField::LIMITER2, 25000), 250);
    EXPECT_EQ(FromShown(TField::LIMITER2, 999), 9);
    EXPECT_EQ(FromShown(TField::NAP_PRIV, 4980), 249);
    EXPECT_EQ(FromShown(TField::ACCEL_SIZE, 7500), 250);
    EXPECT_EQ(FromShown(TField::START_JET, 300), 300 % 256);  // low 8 bits
    EXPECT_EQ(FromShown(TField::RPM_ADV, 30000), 300 % 256);
}
