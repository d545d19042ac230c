// Decoding of the live monitor frame into the live values and the monitor panel.
#include "link/monitor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "app/Hlav.h"

namespace {

// Fixed-size formatting: the labels are rewritten on every frame without allocating.
struct TFmt {
    char buf[160];
    template <class... A>
    const char* operator()(const char* fmt, A... args) {
        std::snprintf(buf, sizeof buf, fmt, args...);
        return buf;
    }
};

// A value as printf's "%4.1f" writes it in the C locale: one decimal, a point as the separator,
// right-aligned in at least 4 characters. The front end's toolkit may switch the process to the
// user's locale, which would turn the point into a comma for printf; std::to_chars never does.
struct TFixed1 {
    char text[24];
    explicit TFixed1(float value) {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits - 1, static_cast<double>(value),
                                     std::chars_format::fixed, 1);
        *r.ptr = 0;
        const size_t n = static_cast<size_t>(r.ptr - digits);
        const size_t pad = n < 4 ? 4 - n : 0;
        std::memset(text, ' ', pad);
        std::memcpy(text + pad, digits, n + 1);
    }
};

}  // namespace

TColor BatteryVoltageColor(int u) {
    if (u <= 7000 || u >= 17999) return TColor::Red;
    if (u <= 11000 || u >= 14999) return TColor::Yellow;
    return TColor::BtnFace;
}

void TFormHlav::DecodeMonitorFrame(const uint8_t* f) {
    // 1-2
    if (f[0] != kCodeMonitorFrame || !FrameCheckOk(f)) return;
    monitor.freshMonitorFrame = true;
    link.silentTicks = 0;
    monitor.tpPercent = f[51];
    monitor.iapPercent = f[52];
    monitor.coolantCode = f[53];
    monitor.airCode = f[54];
    monitor.rpm = FrameWord(f, 1);

    const bool ext = CheckBoxExtMonitor.Checked();
    TFmt fmt;

    // 3. Engine speed
    LabelRpm.SetText(fmt("RPM = %d ", monitor.rpm));
    const uint8_t limiter = image.Get(TField::LIMITER2);
    if (limiter != 0) CGaugeRpm.SetPosition(monitor.rpm / limiter);
    LabelRpm.SetColor(f[57] != 0 ? TColor::Red : f[61] != 0 ? TColor::Yellow : TColor::BtnFace);

    // 4. Intake air pressure
    {
        const int v = FrameWord(f, 7);
        const int mv = SensorMv(v);
        if (v < 421 || v > 4024) {
            LabelPodtlak.SetColor(TColor::Red);
            LabelPodtlak.SetText(ext ? fmt("IAP= error = %d [mV]", mv) : "IAP= error");
        } else {
            LabelPodtlak.SetColor(TColor::BtnFace);
            LabelPodtlak.SetText(ext ? fmt("IAP= %d [%%] = %d [mV]", monitor.iapPercent, mv)
                                     : fmt("IAP= %d [%%]", monitor.iapPercent));
        }
    }

    // 5. Lambda
    monitor.lambdaMv = static_cast<uint16_t>(SensorMv(FrameWord(f, 11)));
    LabelLambda.SetText(fmt("LAMBDA = %d [mV]", monitor.lambdaMv));
    CGaugeLambda.SetPosition(monitor.lambdaMv < 400    ? 0
                             : monitor.lambdaMv > 1000 ? 100
                                                       : (monitor.lambdaMv - 400) / 6);

    // 6. Throttle
    monitor.tpMv = static_cast<uint16_t>(SensorMv(FrameWord(f, 9)));
    if (monitor.tpPercent > 100) {
        LabelTpsMon.SetText(fmt("TP=error = %d [mV]", monitor.tpMv));
        LabelTpsMon.SetColor(TColor::Red);
        CGaugeTps.SetPosition(0);
    } else {
        LabelTpsMon.SetText(ext ? fmt("TP= %d [%%]= %d [mV]", monitor.tpPercent, monitor.tpMv)
                                : fmt("TP= %d [%%]", monitor.tpPercent));
        LabelTpsMon.SetColor(TColor::BtnFace);
        CGaugeTps.SetPosition(monitor.tpPercent);
    }

    // 7. Injection
    {
        const int32_t t14 = FrameWord(f, 19) * 30;
        const int32_t t23 = FrameWord(f, 21) * 30;
        LabelCasJet14.SetText(fmt("INJ. TIME 14 = %d [us]", t14));
        LabelCasJet23.SetText(fmt("INJ. TIME 23 = %d [us]", t23));
        // The product reaches 1.3e11 for the largest values on the wire: 64-bit, so that an
        // implausible frame shows its true duty instead of an overflowed one.
        const int64_t d64 = static_cast<int64_t>(monitor.rpm) * std::max(t14, t23) / 1200000;
        const int d = static_cast<int>(d64);
        LabelMaxInjProcent.SetText(fmt("INJ. DUTY = %d [%%]", d));
        CGaugeDuty.SetColor(d <= 100 ? TColor::Aqua : TColor::Yellow);
        CGaugeDuty.SetPosition(d);
    }

    // 8. Atmospheric pressure
    {
        const float p = static_cast<float>(FrameWord(f, 5)) * 0.1f;
        const int mv = SensorMv(FrameWord(f, 3));
        const TFixed1 kpa(p);
        LabelTlak.SetText(ext ? fmt("AP = %s [kPa] = %d [mV]", kpa.text, mv)
                              : fmt("AP = %s [kPa]", kpa.text));
    }

    // 9. Coolant
    {
        const int mv = SensorMv(FrameWord(f, 13));
        int t;
        if (monitor.coolantCode == 0) {
            t = 80;
            LabelVoda.SetColor(TColor::Red);
            CGaugeVoda.SetColor(TColor::Red);
        } else {
            t = monitor.coolantCode - 100;
            const bool hot = monitor.coolantCode >= 200;
            LabelVoda.SetColor(hot ? TColor::Yellow : TColor::BtnFace);
            CGaugeVoda.SetColor(hot ? TColor::Yellow : TColor::Aqua);
        }
        CGaugeVoda.SetPosition(t);
        LabelVoda.SetText(ext ? fmt("TW= %d [\xC2\xB0"
                                    "C]= %d [mV]",
                                    t, mv)
                              : fmt("TW= %d [\xC2\xB0"
                                    "C]",
                                    t));
    }

    // 10. Air
    {
        const int mv = SensorMv(FrameWord(f, 15));
        const int t = monitor.airCode == 0 ? 50 : monitor.airCode - 100;
        LabelVzduch.SetColor(monitor.airCode == 0 ? TColor::Red : TColor::BtnFace);
        LabelVzduch.SetText(ext ? fmt("AT= %d [\xC2\xB0"
                                      "C]= %d [mV]",
                                      t, mv)
                                : fmt("AT= %d [\xC2\xB0"
                                      "C]",
                                      t));
    }

    // 11. Battery voltage
    {
        const int u = SensorMv(FrameWord(f, 17)) * 11 + 650;
        LabelNapeti.SetText(fmt("U = %s [V]", TFixed1(static_cast<float>(u) * 0.001f).text));
        LabelNapeti.SetColor(BatteryVoltageColor(u));
    }

    // 12. Servo
    {
        const bool shown = GroupBoxPrivera.Visible();
        LabelPriveraPoz.SetVisible(shown);
        LabelPriveraMer.SetVisible(shown);
        LabelPriveraPoz.SetText(fmt("Servo desired= %d [mV]", SensorMv(FrameWord(f, 29))));
        LabelPriveraMer.SetText(fmt("Servo measured= %d [mV]", SensorMv(FrameWord(f, 27))));
        const TColor c = f[62] != 0 ? TColor::BtnFace : TColor::Red;
        LabelPriveraPoz.SetColor(c);
        LabelPriveraMer.SetColor(c);
    }

    // 13. Blocking
    if (f[58] != 0) {
        LabelBlocking.SetText("Blocking = ON");
        LabelBlocking.SetColor(TColor::Red);
    } else {
        LabelBlocking.SetText("Blocking = OFF");
        LabelBlocking.SetColor(TColor::BtnFace);
    }

    // 14
    monitor.mapSuspended = f[59];
    monitor.tpMapActive = f[60];

    // 15. Advance
    {
        const int r = f[55];
        const int a = image.Get(TField::ADVANCE_MAX);
        LabelAdvance.SetText(r >= a ? "ADVANCE = 0 [\xC2\xB0]"
                                    : fmt("ADVANCE = %d [\xC2\xB0]", a - r));
    }

    // 16. Corrections
    auto tenth = [&](int off) { return TFixed1(static_cast<float>(FrameWord(f, off)) * 0.1f); };
    LabelKorVoda.SetText(fmt("TW correction= %s %%", tenth(85).text));
    LabelKorVzduch.SetText(fmt("AT correction=%s %%", tenth(87).text));
    LabelKorTlak.SetText(fmt("AP correction= %s %%", tenth(89).text));
    LabelKorSytic.SetText(fmt("Starting corr.= %s %%", tenth(91).text));
    LabelKorNapeti.SetText(fmt("U correction= %d us", FrameWord(f, 93) - 1000));

    // 17. Version
    if (f[100] == kLayoutVersion) {
        LabelVersion.SetVisible(false);
    } else {
        LabelVersion.SetVisible(true);
        LabelVersion.SetText(fmt("%s  PC-%d, IGN-%d", versionMismatchText, kLayoutVersion, f[100]));
    }

    // 18
    monitor.savingCountdown = FrameWord(f, 95);

    // 19. Pick-ups
    LabelSnimacCkps.SetText(f[73] != 0 ? "Pick-up (CKPS) - is running"
                                       : "Pick-up (CKPS) - no signal");
    LabelSnimacCkps.SetColor(f[73] != 0 ? TColor::Lime : TColor::BtnFace);
    LabelSnimacCmps.SetText(f[74] != 0 ? "Pick-up (CMPS) - is running"
                                       : "Pick-up (CMPS) - no signal");
    LabelSnimacCmps.SetColor(f[74] != 0 ? TColor::Lime : TColor::BtnFace);

    // 20-22
    LabelEeDataErr.SetVisible(f[99] != 0);
    LabelPocetProgramovani.SetVisible(ext);
    LabelPocetProgramovani.SetText(fmt("Number of Programing= %d ", FrameWord(f, 31)));
    for (int i = 0; i < 8; ++i)
        LabelTest[i].SetText(fmt("Test%d = %d ", i + 1, FrameWord(f, 33 + 2 * i)));
}
