// The 406 field bindings, each checked on its own against the field list of the editor: edit box
// and spinner names, image field and element, encoding, range, step, digit grouping and event. The
// expectations are written out here, not taken from the tables under test.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Hlav.h"

namespace {

struct TExpected {
    std::string stem;  // "Edit" + stem is the edit box, "UpDown" + stem the spinner
    TField field;
    int element;
    int byte;
    int min, max, step;
    bool grouping;
    TFieldEvent event;
};

std::vector<TExpected> ExpectedBindings() {
    using E = TFieldEvent;
    std::vector<TExpected> v;
    auto s = [](int n) { return std::to_string(n); };
    for (int k = 0; k < 10; ++k)
        v.push_back({s(k + 1), TField::RPM_ADV, k, 210 + k, 300, k == 9 ? 21000 : 20100, 100, true,
                     E::Leave});
    for (int k = 0; k < 10; ++k)
        v.push_back({s(k + 11), TField::ADVANCE, k, 220 + k, 0, 125, 1, false, E::Leave});
    for (int k = 0; k < 10; ++k) {
        v.push_back(
            {"RpmTps" + s(k + 1), TField::RPM_JET_TP, k, 260 + k, 300, 20100, 100, true, E::Leave});
        v.push_back({"RpmTps" + s(k + 1) + "i", TField::RPM_JET_TPi, k, 270 + k, 300, 20100, 100,
                     true, E::Leave});
        v.push_back({"RpmIap" + s(k + 1), TField::RPM_JET_IAP, k, 280 + k, 300, 20100, 100, true,
                     E::Leave});
        v.push_back(
            {"RpmPriv" + s(k + 1), TField::RPM_PRIV, k, 240 + k, 300, 20100, 100, true, E::Leave});
        v.push_back(
            {"NapPriv" + s(k + 1), TField::NAP_PRIV, k, 250 + k, 20, 4980, 20, false, E::Leave});
    }
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            const int i = 10 * r + c;
            v.push_back({s(50 + i), TField::JET_TP, i, 300 + i, 0, 250, 1, false, E::Leave});
            v.push_back({s(50 + i) + "i", TField::JET_TPi, i, 400 + i, 0, 250, 1, false, E::Leave});
            v.push_back({s(160 + i), TField::JET_IAP, i, 500 + i, 0, 250, 1, false, E::Leave});
        }
    const char* temps[5] = {"_10", "20", "50", "80", "110"};
    for (int k = 0; k < 5; ++k) {
        v.push_back({std::string("Voda") + temps[k], TField::WATER_TEMP, k, 200 + k, 10, 250, 1,
                     false, E::Click});
        v.push_back({std::string("Vzduch") + temps[k], TField::AIR_TEMP, k, 205 + k, 10, 250, 1,
                     false, E::Click});
    }
    for (int k = 0; k < 4; ++k) {
        v.push_back(
            {"SyticCas" + s(k + 1), TField::CHOKE_TIME, k, 140 + k, 0, 250, 1, false, E::Click});
        v.push_back(
            {"SyticKorekce" + s(k), TField::CHOKE_CORR, k, 144 + k, 100, 350, 1, false, E::Click});
    }
    const TExpected singles[] = {
        {"RpmPulsu", TField::RPM_PULSES, 0, 102, 0, 6, 1, false, E::None},
        {"RpmKorekce", TField::RPM_CORRECTION, 0, 103, -60, 60, 1, false, E::None},
        {"Omez2", TField::LIMITER2, 0, 104, 999, 25000, 100, true, E::Leave},
        {"46", TField::PILOT_LIGHT, 0, 106, 1000, 25000, 100, true, E::Leave},
        {"PrivHyster", TField::PRIV_HYSTER, 0, 108, 0, 1275, 5, false, E::Leave},
        {"IapToTps", TField::IAP_TO_TPS, 0, 113, 0, 250, 1, false, E::Leave},
        {"Tps0", TField::TPS_0, 0, 121, 300, 2500, 10, true, E::Click},
        {"Tps100", TField::TPS_100, 0, 122, 2500, 4600, 10, true, E::Click},
        {"AkcelPrah", TField::ACCEL_THRESHOLD, 0, 123, 10, 2500, 10, true, E::Click},
        {"AkcelJet", TField::ACCEL_SIZE, 0, 124, 0, 7500, 30, true, E::Click},
        {"StartJet", TField::START_JET, 0, 127, 0, 50, 1, false, E::Click},
        {"Chlazeni", TField::COOLING, 0, 129, 0, 100, 1, false, E::Click},
        {"KlapkaSani", TField::INTAKE_VALVE, 0, 150, 1000, 25000, 100, true, E::Leave},
        {"LadeniLambda", TField::TUNING_LAMBDA, 0, 151, 400, 1000, 10, false, E::Click},
        {"LadeniHyster", TField::TUNING_ACCURACY, 0, 152, 10, 400, 10, false, E::Click},
        {"LadeniRpm", TField::TUNING_RPM, 0, 153, 50, 2000, 50, true, E::Click},
        {"LadeniTps", TField::TUNING_TPS, 0, 154, 0, 20, 1, false, E::Click},
        {"LadeniCas", TField::TUNING_STEP, 0, 155, 400, 20000, 200, true, E::Click},
    };
    v.insert(v.end(), std::begin(singles), std::end(singles));
    return v;
}

TEST(FieldTable, EveryBindingMatchesTheFieldList) {
    const std::vector<TExpected> expected = ExpectedBindings();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kFieldCount));

    TMainWindow w;
    // The window design's own spinner ranges, before the tables set them again.
    std::map<std::string, std::vector<int>> design;
    for (const TExpected& e : expected) {
        const TControl* ud = w.Find("UpDown" + e.stem);
        ASSERT_NE(ud, nullptr) << e.stem;
        design[e.stem] = {ud->Min(), ud->Max(), ud->Step()};
    }
    const TFieldTables t = BuildFieldTables(w);
    ASSERT_EQ(t.count, kFieldCount);

    std::set<const TFieldBinding*> seen;
    for (const TExpected& e : expected) {
        SCOPED_TRACE("Edit" + e.stem);
        const TControl* edit = w.Find("Edit" + e.stem);
        const TControl* updown = w.Find("UpDown" + e.stem);
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(updown, nullptr);
        EXPECT_EQ(edit->kind, TControlKind::Edit);
        EXPECT_EQ(updown->kind, TControlKind::UpDown);
        const TFieldBinding* b = t.ByEdit(*edit);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(seen.insert(b).second) << "bound twice";
        EXPECT_EQ(t.ByUpDown(*updown), b);
        EXPECT_EQ(t.ByField(e.field, e.element), b);
        EXPECT_EQ(b->field, e.field);
        EXPECT_EQ(b->element, e.element);
        EXPECT_EQ(b->ImageByte(), e.byte);
        EXPECT_EQ(b->factor, FieldInfo(e.field).factor);
        EXPECT_EQ(b->offset, FieldInfo(e.field).offset);
        EXPECT_EQ(b->min, e.min);
        EXPECT_EQ(b->max, e.max);
        EXPECT_EQ(b->step, e.step);
        EXPECT_EQ(updown->Min(), e.min);
        EXPECT_EQ(updown->Max(), e.max);
        EXPECT_EQ(updown->Step(), e.step);
        EXPECT_EQ(design[e.stem], (std::vector<int>{e.min, e.max, e.step})) << "window design";
        EXPECT_EQ(b->grouping, e.grouping);
        EXPECT_EQ(b->event, e.event);
        EXPECT_EQ(b->spinnerEvent, e.event != TFieldEvent::None);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kFieldCount));
}

// The control tables address the grids by index in the order the editor lists them.
TEST(FieldTable, GridTablesInTheirOrder) {
    TMainWindow w;
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(w.EditAdv[k].name, "Edit" + std::to_string(k + 1));
        EXPECT_EQ(w.UpDownAdv[k].name, "UpDown" + std::to_string(k + 1));
    }
    for (int r = 0; r < 10; ++r) {
        const std::string n = std::to_string(r + 1);
        EXPECT_EQ(w.Tp14.rowLabel[r].name, "LabelTps" + n);
        EXPECT_EQ(w.Tp23.rowLabel[r].name, "LabelTps" + n + "i");
        EXPECT_EQ(w.Iap.rowLabel[r].name, "LabelIap" + n);
        EXPECT_EQ(w.Tp14.spin[r].name, "CSpinButton" + n);
        EXPECT_EQ(w.Tp23.spin[r].name, "CSpinButton" + n + "i");
        EXPECT_EQ(w.Iap.spin[r].name, "CSpinButton" + std::to_string(r + 11));
    }
    EXPECT_EQ(w.Tp14.cellEdit[37].name, "Edit87");
    EXPECT_EQ(w.Tp23.cellUpDown[99].name, "UpDown149i");
    EXPECT_EQ(w.Iap.cellEdit[0].name, "Edit160");
    EXPECT_EQ(w.Tp14.group.name, "GroupBoxTps");
    EXPECT_EQ(w.Tp23.group.name, "GroupBoxTpsi");
    EXPECT_EQ(w.Tp23.minus.name, "BitBtnJetTpsMinusi");
    EXPECT_EQ(w.Tp23.plus.name, "BitBtnJetTpsPlusi");
    EXPECT_EQ(w.Tp23.all.name, "CheckBoxJetTpsAlli");
    EXPECT_EQ(w.Tp14.all.name, "CheckBoxJetTpsAll");
    EXPECT_EQ(w.Iap.all.name, "CheckBoxJetIapAll");
}

}  // namespace
