// Decoding of monitor frames: conversions, bounds, colours and the panel texts.
#include <gtest/gtest.h>

#include <clocale>

#include "harness.h"
#include "test_frames.h"

namespace {

// The converter reading that gives exactly mv millivolts, or -1 when none does.
int SensorFor(int mv) {
    for (int v = 0; v <= 65535; ++v)
        if (SensorMv(v) == mv) return v;
    return -1;
}

struct TMonitorHarness : THarness {
    TMonitorHarness() { Start(); }
    TFormHlav& W() { return *form; }
    // Decodes the idle frame after change(frame).
    template <class F>
    void Decode(F change) {
        TFrameBytes f = IdleMonitorFrame();
        change(f);
        SealFrame(f);
        form->DecodeMonitorFrame(f.data());
    }
};

}  // namespace

TEST(MonitorConversion, SensorValuesToMillivolts) {
    EXPECT_EQ(SensorMv(4092), 5000);
    EXPECT_EQ(SensorMv(1), 1);
    EXPECT_EQ(SensorMv(0), 0);
    EXPECT_EQ(SensorMv(1000), 1221);
    EXPECT_EQ(SensorMv(65535), 80076);  // no overflow at the top of the 16-bit range
}

TEST(MonitorFrame, WrongCodeOrCheckByteChangesNothing) {
    TMonitorHarness h;
    TFrameBytes f = IdleMonitorFrame();
    f[101] ^= 0x10;
    h.W().DecodeMonitorFrame(f.data());
    EXPECT_EQ(h.W().monitor.rpm, 0);
    EXPECT_FALSE(h.W().monitor.freshMonitorFrame);
    f = IdleMonitorFrame();
    f[0] = 177;
    SealFrame(f);
    h.W().DecodeMonitorFrame(f.data());
    EXPECT_EQ(h.W().monitor.rpm, 0);
    h.W().link.silentTicks = 9;
    h.Decode([](TFrameBytes&) {});
    EXPECT_EQ(h.W().monitor.rpm, 1200);
    EXPECT_TRUE(h.W().monitor.freshMonitorFrame);
    EXPECT_EQ(h.W().link.silentTicks, 0);
}

TEST(MonitorIap, SensorRangeIs421To4024) {
    TMonitorHarness h;
    for (int v : {420, 421, 4024, 4025}) {
        h.Decode([&](TFrameBytes& f) {
            PutWord(f, 7, v);
            f[52] = 37;
        });
        const bool ok = v == 421 || v == 4024;
        EXPECT_EQ(h.W().LabelPodtlak.Text(), ok ? "IAP= 37 [%]" : "IAP= error") << v;
        EXPECT_EQ(h.W().LabelPodtlak.Color(), ok ? TColor::BtnFace : TColor::Red) << v;
    }
    h.W().CheckBoxExtMonitor.UserSetChecked(true);
    h.Decode([](TFrameBytes& f) { PutWord(f, 7, 420); });
    EXPECT_EQ(h.W().LabelPodtlak.Text(), "IAP= error = 513 [mV]");
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 7, 4024);
        f[52] = 98;
    });
    EXPECT_EQ(h.W().LabelPodtlak.Text(), "IAP= 98 [%] = 4916 [mV]");
}

TEST(MonitorLambda, GaugeBounds) {
    TMonitorHarness h;
    const struct {
        int mv, gauge;
    } cases[] = {{399, 0}, {400, 0}, {406, 1}, {1000, 100}, {1001, 100}, {700, 50}};
    for (const auto& c : cases) {
        const int v = SensorFor(c.mv);
        ASSERT_GE(v, 0) << c.mv;
        h.Decode([&](TFrameBytes& f) { PutWord(f, 11, v); });
        EXPECT_EQ(h.W().monitor.lambdaMv, c.mv);
        EXPECT_EQ(h.W().CGaugeLambda.Position(), c.gauge) << c.mv;
        EXPECT_EQ(h.W().LabelLambda.Text(), "LAMBDA = " + std::to_string(c.mv) + " [mV]");
    }
}

TEST(MonitorRpm, GaugeInPercentOfTheLimiterAndColourFlags) {
    TMonitorHarness h;
    h.W().image.Set(TField::LIMITER2, 120);
    h.Decode([](TFrameBytes& f) { PutWord(f, 1, 6000); });
    EXPECT_EQ(h.W().CGaugeRpm.Position(), 50);
    EXPECT_EQ(h.W().LabelRpm.Text(), "RPM = 6000 ");
    EXPECT_EQ(h.W().LabelRpm.Color(), TColor::BtnFace);
    h.Decode([](TFrameBytes& f) { f[61] = 1; });
    EXPECT_EQ(h.W().LabelRpm.Color(), TColor::Yellow);
    h.Decode([](TFrameBytes& f) {
        f[61] = 1;
        f[57] = 1;
    });
    EXPECT_EQ(h.W().LabelRpm.Color(), TColor::Red);
    // A limiter of 0 leaves the gauge alone.
    h.W().image.Set(TField::LIMITER2, 0);
    h.Decode([](TFrameBytes& f) { PutWord(f, 1, 9000); });
    EXPECT_EQ(h.W().CGaugeRpm.Position(), 10);  // from the last frame, 1200 rpm
    EXPECT_EQ(h.W().monitor.rpm, 9000);
}

TEST(MonitorThrottle, PercentAndSensorError) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) {
        f[51] = 100;
        PutWord(f, 9, 3600);
    });
    EXPECT_EQ(h.W().LabelTpsMon.Text(), "TP= 100 [%]");
    EXPECT_EQ(h.W().CGaugeTps.Position(), 100);
    EXPECT_EQ(h.W().monitor.tpMv, 4398);
    h.Decode([](TFrameBytes& f) {
        f[51] = 101;
        PutWord(f, 9, 4092);
    });
    EXPECT_EQ(h.W().LabelTpsMon.Text(), "TP=error = 5000 [mV]");
    EXPECT_EQ(h.W().LabelTpsMon.Color(), TColor::Red);
    EXPECT_EQ(h.W().CGaugeTps.Position(), 0);
    h.W().CheckBoxExtMonitor.UserSetChecked(true);
    h.Decode([](TFrameBytes& f) {
        f[51] = 12;
        PutWord(f, 9, 1000);
    });
    EXPECT_EQ(h.W().LabelTpsMon.Text(), "TP= 12 [%]= 1221 [mV]");
    EXPECT_EQ(h.W().LabelTpsMon.Color(), TColor::BtnFace);
}

TEST(MonitorInjection, DutyColourAndGauge) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) { PutWord(f, 1, 12000); });
    EXPECT_EQ(h.W().LabelMaxInjProcent.Text(), "INJ. DUTY = 0 [%]");
    EXPECT_EQ(h.W().CGaugeDuty.Position(), 0);
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 1, 12000);
        PutWord(f, 19, 10020 / 30);
        PutWord(f, 21, 3000 / 30);
    });
    EXPECT_EQ(h.W().LabelCasJet14.Text(), "INJ. TIME 14 = 10020 [us]");
    EXPECT_EQ(h.W().LabelCasJet23.Text(), "INJ. TIME 23 = 3000 [us]");
    EXPECT_EQ(h.W().LabelMaxInjProcent.Text(), "INJ. DUTY = 100 [%]");
    EXPECT_EQ(h.W().CGaugeDuty.Color(), TColor::Aqua);
    EXPECT_EQ(h.W().CGaugeDuty.Position(), 100);
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 1, 12000);
        PutWord(f, 21, 10200 / 30);
    });
    EXPECT_EQ(h.W().LabelMaxInjProcent.Text(), "INJ. DUTY = 102 [%]");
    EXPECT_EQ(h.W().CGaugeDuty.Color(), TColor::Yellow);
    EXPECT_EQ(h.W().CGaugeDuty.Position(), 100);
}

TEST(MonitorInjection, LargestValuesGiveTheTrueDutyNotAnOverflow) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 1, 65535);
        PutWord(f, 19, 65535);
    });
    // 65535 rpm * 1966050 us / 1200000
    EXPECT_EQ(h.W().LabelMaxInjProcent.Text(), "INJ. DUTY = 107370 [%]");
    EXPECT_EQ(h.W().CGaugeDuty.Color(), TColor::Yellow);
    EXPECT_EQ(h.W().CGaugeDuty.Position(), 100);
}

TEST(MonitorBattery, VoltageTextAndColourBounds) {
    EXPECT_EQ(BatteryVoltageColor(7000), TColor::Red);
    EXPECT_EQ(BatteryVoltageColor(7001), TColor::Yellow);
    EXPECT_EQ(BatteryVoltageColor(11000), TColor::Yellow);
    EXPECT_EQ(BatteryVoltageColor(11001), TColor::BtnFace);
    EXPECT_EQ(BatteryVoltageColor(14998), TColor::BtnFace);
    EXPECT_EQ(BatteryVoltageColor(14999), TColor::Yellow);
    EXPECT_EQ(BatteryVoltageColor(17998), TColor::Yellow);
    EXPECT_EQ(BatteryVoltageColor(17999), TColor::Red);

    // Through frames only u = 650 + 11 * mV occurs, and not every mV is a converter step, so
    // none of the bounds themselves is reachable: they are tested above, and here through the
    // nearest reachable values on either side.
    TMonitorHarness h;
    const struct {
        int u;
        const char* text;
        TColor color;
    } cases[] = {
        {14081, "U = 14.1 [V]", TColor::BtnFace}, {10990, "U = 11.0 [V]", TColor::Yellow},
        {11012, "U = 11.0 [V]", TColor::BtnFace}, {14994, "U = 15.0 [V]", TColor::BtnFace},
        {15016, "U = 15.0 [V]", TColor::Yellow},  {6997, "U =  7.0 [V]", TColor::Red},
        {7019, "U =  7.0 [V]", TColor::Yellow},   {17997, "U = 18.0 [V]", TColor::Yellow},
        {18008, "U = 18.0 [V]", TColor::Red},
    };
    for (const auto& c : cases) {
        ASSERT_EQ((c.u - 650) % 11, 0);
        const int v = SensorFor((c.u - 650) / 11);
        ASSERT_GE(v, 0) << c.u;
        h.Decode([&](TFrameBytes& f) { PutWord(f, 17, v); });
        EXPECT_EQ(h.W().LabelNapeti.Text(), c.text) << c.u;
        EXPECT_EQ(h.W().LabelNapeti.Color(), c.color) << c.u;
    }
}

TEST(MonitorTemperatures, CoolantAndAirCodes) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) { f[53] = 199; });
    EXPECT_EQ(h.W().LabelVoda.Text(), "TW= 99 [°C]");
    EXPECT_EQ(h.W().LabelVoda.Color(), TColor::BtnFace);
    EXPECT_EQ(h.W().CGaugeVoda.Color(), TColor::Aqua);
    EXPECT_EQ(h.W().CGaugeVoda.Position(), 99);
    h.Decode([](TFrameBytes& f) { f[53] = 200; });
    EXPECT_EQ(h.W().LabelVoda.Text(), "TW= 100 [°C]");
    EXPECT_EQ(h.W().LabelVoda.Color(), TColor::Yellow);
    EXPECT_EQ(h.W().CGaugeVoda.Color(), TColor::Yellow);
    h.Decode([](TFrameBytes& f) { f[53] = 0; });
    EXPECT_EQ(h.W().LabelVoda.Text(), "TW= 80 [°C]");
    EXPECT_EQ(h.W().LabelVoda.Color(), TColor::Red);
    EXPECT_EQ(h.W().CGaugeVoda.Color(), TColor::Red);
    EXPECT_EQ(h.W().CGaugeVoda.Position(), 80);
    h.Decode([](TFrameBytes& f) { f[53] = 90; });
    EXPECT_EQ(h.W().LabelVoda.Text(), "TW= -10 [°C]");
    EXPECT_EQ(h.W().CGaugeVoda.Position(), 0);

    h.Decode([](TFrameBytes& f) { f[54] = 0; });
    EXPECT_EQ(h.W().LabelVzduch.Text(), "AT= 50 [°C]");
    EXPECT_EQ(h.W().LabelVzduch.Color(), TColor::Red);
    h.Decode([](TFrameBytes& f) { f[54] = 95; });
    EXPECT_EQ(h.W().LabelVzduch.Text(), "AT= -5 [°C]");
    EXPECT_EQ(h.W().LabelVzduch.Color(), TColor::BtnFace);
}

TEST(MonitorAdvance, AdvanceIsTheMaximumMinusTheReportedTiming) {
    TMonitorHarness h;
    h.W().image.Set(TField::ADVANCE_MAX, 40);
    h.Decode([](TFrameBytes& f) { f[55] = 15; });
    EXPECT_EQ(h.W().LabelAdvance.Text(), "ADVANCE = 25 [°]");
    h.Decode([](TFrameBytes& f) { f[55] = 40; });
    EXPECT_EQ(h.W().LabelAdvance.Text(), "ADVANCE = 0 [°]");
    h.Decode([](TFrameBytes& f) { f[55] = 200; });
    EXPECT_EQ(h.W().LabelAdvance.Text(), "ADVANCE = 0 [°]");
}

TEST(MonitorVersion, MismatchTextInTheCurrentLanguage) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) { f[100] = 42; });
    EXPECT_TRUE(h.W().LabelVersion.Visible());
    EXPECT_EQ(h.W().LabelVersion.Text(),
              "Unmatched version of PC and Ignition programs!  PC-43, IGN-42");
    h.Decode([](TFrameBytes& f) { f[100] = 43; });
    EXPECT_FALSE(h.W().LabelVersion.Visible());
    // Hidden by the tick while the link is lost.
    h.Decode([](TFrameBytes& f) { f[100] = 42; });
    h.W().link.silentTicks = kSilentLimit;
    h.W().Timer1Timer();
    EXPECT_FALSE(h.W().LabelVersion.Visible());
}

TEST(MonitorCorrections, TextsWithAPointAsDecimalSeparator) {
    TMonitorHarness h;
    // The user's locale must not turn the point into a comma; take one that would, if any.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old != nullptr ? old : "C";
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                       std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") != nullptr;
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 85, 125);
        PutWord(f, 87, 5);
        PutWord(f, 89, 1000);
        PutWord(f, 91, 0);
        PutWord(f, 93, 950);
        PutWord(f, 5, 1013);
    });
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(h.W().LabelKorVoda.Text(), "TW correction= 12.5 %");
    EXPECT_EQ(h.W().LabelKorVzduch.Text(), "AT correction= 0.5 %");
    EXPECT_EQ(h.W().LabelKorTlak.Text(), "AP correction= 100.0 %");
    EXPECT_EQ(h.W().LabelKorSytic.Text(), "Starting corr.=  0.0 %");
    EXPECT_EQ(h.W().LabelKorNapeti.Text(), "U correction= -50 us");
    EXPECT_EQ(h.W().LabelTlak.Text(), "AP = 101.3 [kPa]");
    if (!comma) GTEST_LOG_(INFO) << "no locale with a decimal comma installed";
}

TEST(MonitorExtended, RawVoltagesAndProgrammingCounter) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) { PutWord(f, 31, 17); });
    EXPECT_FALSE(h.W().LabelPocetProgramovani.Visible());
    h.W().CheckBoxExtMonitor.UserSetChecked(true);
    h.Decode([](TFrameBytes& f) {
        PutWord(f, 31, 17);
        PutWord(f, 3, 4092);
        PutWord(f, 13, 1000);
        PutWord(f, 15, 2000);
        f[53] = 185;
        f[54] = 0;
    });
    EXPECT_TRUE(h.W().LabelPocetProgramovani.Visible());
    EXPECT_EQ(h.W().LabelPocetProgramovani.Text(), "Number of Programing= 17 ");
    EXPECT_EQ(h.W().LabelTlak.Text(), "AP = 101.3 [kPa] = 5000 [mV]");
    EXPECT_EQ(h.W().LabelVoda.Text(), "TW= 85 [°C]= 1221 [mV]");
    EXPECT_EQ(h.W().LabelVzduch.Text(), "AT= 50 [°C]= 2443 [mV]");
    EXPECT_EQ(h.W().LabelPodtlak.Text(), "IAP= 30 [%] = 1221 [mV]");
}

TEST(MonitorFlags, PickUpsBlockingServoDataErrorAndTestValues) {
    TMonitorHarness h;
    h.Decode([](TFrameBytes& f) {
        f[73] = 1;
        f[58] = 1;
        f[62] = 0;
        f[99] = 1;
        f[59] = 1;
        f[60] = 1;
        PutWord(f, 29, 4092);
        PutWord(f, 27, 1);
        PutWord(f, 33, 11);
        PutWord(f, 47, 65535);
        PutWord(f, 95, 300);
    });
    TFormHlav& w = h.W();
    EXPECT_EQ(w.LabelSnimacCkps.Text(), "Pick-up (CKPS) - is running");
    EXPECT_EQ(w.LabelSnimacCkps.Color(), TColor::Lime);
    EXPECT_EQ(w.LabelSnimacCmps.Text(), "Pick-up (CMPS) - no signal");
    EXPECT_EQ(w.LabelSnimacCmps.Color(), TColor::BtnFace);
    EXPECT_EQ(w.LabelBlocking.Text(), "Blocking = ON");
    EXPECT_EQ(w.LabelBlocking.Color(), TColor::Red);
    EXPECT_EQ(w.LabelPriveraPoz.Text(), "Servo desired= 5000 [mV]");
    EXPECT_EQ(w.LabelPriveraMer.Text(), "Servo measured= 1 [mV]");
    EXPECT_EQ(w.LabelPriveraPoz.Color(), TColor::Red);
    EXPECT_EQ(w.LabelPriveraPoz.Visible(), w.GroupBoxPrivera.Visible());
    EXPECT_TRUE(w.LabelEeDataErr.Visible());
    EXPECT_EQ(w.LabelTest[0].Text(), "Test1 = 11 ");
    EXPECT_EQ(w.LabelTest[7].Text(), "Test8 = 65535 ");
    EXPECT_EQ(w.monitor.mapSuspended, 1);
    EXPECT_EQ(w.monitor.tpMapActive, 1);
    EXPECT_EQ(w.monitor.savingCountdown, 300);
    h.Decode([](TFrameBytes&) {});
    EXPECT_EQ(w.LabelBlocking.Text(), "Blocking = OFF");
    EXPECT_FALSE(w.LabelEeDataErr.Visible());
    EXPECT_EQ(w.LabelPriveraPoz.Color(), TColor::BtnFace);
}

TEST(MonitorVersion, MismatchTextOfTheCommonTableInCzechAndGerman) {
    const struct {
        const char* word;
        const char* text;
    } cases[] = {
        {"CESKY", "Neshodné verze proramu v PC a v zapalování!  PC-43, IGN-200"},
        {"DEUTSCH",
         "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!  PC-43, IGN-200"},
    };
    for (const auto& c : cases) {
        THarness h;
        h.Start(c.word);
        TFrameBytes f = IdleMonitorFrame();
        f[100] = 200;
        SealFrame(f);
        h.form->DecodeMonitorFrame(f.data());
        EXPECT_TRUE(h.form->LabelVersion.Visible());
        EXPECT_EQ(h.form->LabelVersion.Text(), c.text);
        // A language switch shows in the next frame.
        h.form->MenuEnglishClick();
        h.form->DecodeMonitorFrame(f.data());
        EXPECT_EQ(h.form->LabelVersion.Text(),
                  "Unmatched version of PC and Ignition programs!  PC-43, IGN-200");
    }
}
