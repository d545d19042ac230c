// Decoding of the live monitor frame into the live values and the monitor panel.
#include "link/monitor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "link/unit_frame.h"
#include "params/param_image.h"

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

namespace {

// One frame on its way into the live values and the panel.
struct TMonitorFrame {
    const uint8_t* f;
    const TMonitorData& m;
    TMainWindow& w;
    const TParamImage& image;
    bool ext;  // the extended monitor adds the sensors' voltages
    TFmt fmt;
};

// 3. Engine speed.
void ShowSpeed(TMonitorFrame& c) {
    c.w.LabelRpm.SetText(c.fmt("RPM = %d ", c.m.rpm));
    const uint8_t limiter = c.image.Get(TField::LIMITER2);
    if (limiter != 0) c.w.CGaugeRpm.SetPosition(c.m.rpm / limiter);
    c.w.LabelRpm.SetColor(c.f[57] != 0   ? TColor::Red
                          : c.f[61] != 0 ? TColor::Yellow
                                         : TColor::BtnFace);
}

// 4. Intake air pressure.
void ShowIntakePressure(TMonitorFrame& c) {
    const int v = FrameWord(c.f, 7);
    const int mv = SensorMv(v);
    TControl& l = c.w.LabelPodtlak;
    if (v < 421 || v > 4024) {
        l.SetColor(TColor::Red);
        l.SetText(c.ext ? c.fmt("IAP= error = %d [mV]", mv) : "IAP= error");
    } else {
        l.SetColor(TColor::BtnFace);
        l.SetText(c.ext ? c.fmt("IAP= %d [%%] = %d [mV]", c.m.iapPercent, mv)
                        : c.fmt("IAP= %d [%%]", c.m.iapPercent));
    }
}

// 5-6. Lambda and throttle.
void ShowLambdaAndThrottle(TMonitorFrame& c) {
    const TMonitorData& m = c.m;
    c.w.LabelLambda.SetText(c.fmt("LAMBDA = %d [mV]", m.lambdaMv));
    c.w.CGaugeLambda.SetPosition(m.lambdaMv < 400    ? 0
                                 : m.lambdaMv > 1000 ? 100
                                                     : (m.lambdaMv - 400) / 6);
    if (m.tpPercent > 100) {
        c.w.LabelTpsMon.SetText(c.fmt("TP=error = %d [mV]", m.tpMv));
        c.w.LabelTpsMon.SetColor(TColor::Red);
        c.w.CGaugeTps.SetPosition(0);
    } else {
        c.w.LabelTpsMon.SetText(c.ext ? c.fmt("TP= %d [%%]= %d [mV]", m.tpPercent, m.tpMv)
                                      : c.fmt("TP= %d [%%]", m.tpPercent));
        c.w.LabelTpsMon.SetColor(TColor::BtnFace);
        c.w.CGaugeTps.SetPosition(m.tpPercent);
    }
}

// 7. Injection times and duty.
void ShowInjection(TMonitorFrame& c) {
    const int32_t t14 = FrameWord(c.f, 19) * 30;
    const int32_t t23 = FrameWord(c.f, 21) * 30;
    c.w.LabelCasJet14.SetText(c.fmt("INJ. TIME 14 = %d [us]", t14));
    c.w.LabelCasJet23.SetText(c.fmt("INJ. TIME 23 = %d [us]", t23));
    // The product reaches 1.3e11 for the largest values on the wire: 64-bit, so that an
    // implausible frame shows its true duty instead of an overflowed one.
    const int64_t d64 = static_cast<int64_t>(c.m.rpm) * std::max(t14, t23) / 1200000;
    const int d = static_cast<int>(d64);
    c.w.LabelMaxInjProcent.SetText(c.fmt("INJ. DUTY = %d [%%]", d));
    c.w.CGaugeDuty.SetColor(d <= 100 ? TColor::Aqua : TColor::Yellow);
    c.w.CGaugeDuty.SetPosition(d);
}

// 8. Atmospheric pressure.
void ShowAtmosphere(TMonitorFrame& c) {
    const float p = static_cast<float>(FrameWord(c.f, 5)) * 0.1f;
    const int mv = SensorMv(FrameWord(c.f, 3));
    const TFixed1 kpa(p);
    c.w.LabelTlak.SetText(c.ext ? c.fmt("AP = %s [kPa] = %d [mV]", kpa.text, mv)
                                : c.fmt("AP = %s [kPa]", kpa.text));
}

// 9-10. Coolant and air temperatures; a code of 0 is a sensor fault.
void ShowTemperatures(TMonitorFrame& c) {
    const uint8_t coolant = c.m.coolantCode, air = c.m.airCode;
    const int tw = coolant == 0 ? 80 : coolant - 100;
    const bool hot = coolant >= 200;
    c.w.LabelVoda.SetColor(coolant == 0 ? TColor::Red : hot ? TColor::Yellow : TColor::BtnFace);
    c.w.CGaugeVoda.SetColor(coolant == 0 ? TColor::Red : hot ? TColor::Yellow : TColor::Aqua);
    c.w.CGaugeVoda.SetPosition(tw);
    const int twMv = SensorMv(FrameWord(c.f, 13));
    c.w.LabelVoda.SetText(c.ext ? c.fmt("TW= %d [\xC2\xB0"
                                        "C]= %d [mV]",
                                        tw, twMv)
                                : c.fmt("TW= %d [\xC2\xB0"
                                        "C]",
                                        tw));
    const int at = air == 0 ? 50 : air - 100;
    const int atMv = SensorMv(FrameWord(c.f, 15));
    c.w.LabelVzduch.SetColor(air == 0 ? TColor::Red : TColor::BtnFace);
    c.w.LabelVzduch.SetText(c.ext ? c.fmt("AT= %d [\xC2\xB0"
                                          "C]= %d [mV]",
                                          at, atMv)
                                  : c.fmt("AT= %d [\xC2\xB0"
                                          "C]",
                                          at));
}

// 11-13. Battery voltage, servo and blocking.
void ShowBatteryServoBlocking(TMonitorFrame& c) {
    const int u = SensorMv(FrameWord(c.f, 17)) * 11 + 650;
    c.w.LabelNapeti.SetText(c.fmt("U = %s [V]", TFixed1(static_cast<float>(u) * 0.001f).text));
    c.w.LabelNapeti.SetColor(BatteryVoltageColor(u));

    const bool shown = c.w.GroupBoxPrivera.Visible();
    c.w.LabelPriveraPoz.SetVisible(shown);
    c.w.LabelPriveraMer.SetVisible(shown);
    c.w.LabelPriveraPoz.SetText(c.fmt("Servo desired= %d [mV]", SensorMv(FrameWord(c.f, 29))));
    c.w.LabelPriveraMer.SetText(c.fmt("Servo measured= %d [mV]", SensorMv(FrameWord(c.f, 27))));
    const TColor servo = c.f[62] != 0 ? TColor::BtnFace : TColor::Red;
    c.w.LabelPriveraPoz.SetColor(servo);
    c.w.LabelPriveraMer.SetColor(servo);

    const bool blocking = c.f[58] != 0;
    c.w.LabelBlocking.SetText(blocking ? "Blocking = ON" : "Blocking = OFF");
    c.w.LabelBlocking.SetColor(blocking ? TColor::Red : TColor::BtnFace);
}

// 15-16. Advance and the corrections the unit applies.
void ShowAdvanceAndCorrections(TMonitorFrame& c) {
    const int r = c.f[55];
    const int a = c.image.Get(TField::ADVANCE_MAX);
    c.w.LabelAdvance.SetText(r >= a ? "ADVANCE = 0 [\xC2\xB0]"
                                    : c.fmt("ADVANCE = %d [\xC2\xB0]", a - r));
    auto tenth = [&](int off) { return TFixed1(static_cast<float>(FrameWord(c.f, off)) * 0.1f); };
    c.w.LabelKorVoda.SetText(c.fmt("TW correction= %s %%", tenth(85).text));
    c.w.LabelKorVzduch.SetText(c.fmt("AT correction=%s %%", tenth(87).text));
    c.w.LabelKorTlak.SetText(c.fmt("AP correction= %s %%", tenth(89).text));
    c.w.LabelKorSytic.SetText(c.fmt("Starting corr.= %s %%", tenth(91).text));
    c.w.LabelKorNapeti.SetText(c.fmt("U correction= %d us", FrameWord(c.f, 93) - 1000));
}

// 17, 19-22. Layout version, pick-ups, data error, programmings and the test values.
void ShowVersionPickupsAndTests(TMonitorFrame& c, const char* versionMismatchText) {
    const uint8_t* f = c.f;
    c.w.LabelVersion.SetVisible(f[100] != kLayoutVersion);
    if (f[100] != kLayoutVersion)
        c.w.LabelVersion.SetText(
            c.fmt("%s  PC-%d, IGN-%d", versionMismatchText, kLayoutVersion, f[100]));
    c.w.LabelSnimacCkps.SetText(f[73] != 0 ? "Pick-up (CKPS) - is running"
                                           : "Pick-up (CKPS) - no signal");
    c.w.LabelSnimacCkps.SetColor(f[73] != 0 ? TColor::Lime : TColor::BtnFace);
    c.w.LabelSnimacCmps.SetText(f[74] != 0 ? "Pick-up (CMPS) - is running"
                                           : "Pick-up (CMPS) - no signal");
    c.w.LabelSnimacCmps.SetColor(f[74] != 0 ? TColor::Lime : TColor::BtnFace);
    c.w.LabelEeDataErr.SetVisible(f[99] != 0);
    c.w.LabelPocetProgramovani.SetVisible(c.ext);
    c.w.LabelPocetProgramovani.SetText(c.fmt("Number of Programing= %d ", FrameWord(f, 31)));
    for (int i = 0; i < 8; ++i)
        c.w.LabelTest[i].SetText(c.fmt("Test%d = %d ", i + 1, FrameWord(f, 33 + 2 * i)));
}

}  // namespace

bool ReadMonitorFrame(const uint8_t* f, TMonitorData& m) {
    if (f[0] != kCodeMonitorFrame || !FrameCheckOk(f)) return false;
    m.freshMonitorFrame = true;
    m.rpm = FrameWord(f, 1);
    m.tpMv = static_cast<uint16_t>(SensorMv(FrameWord(f, 9)));
    m.lambdaMv = static_cast<uint16_t>(SensorMv(FrameWord(f, 11)));
    m.tpPercent = f[51];
    m.iapPercent = f[52];
    m.coolantCode = f[53];
    m.airCode = f[54];
    m.mapSuspended = f[59];
    m.tpMapActive = f[60];
    m.savingCountdown = FrameWord(f, 95);
    return true;
}

void ShowMonitorFrame(const uint8_t* f, const TMonitorData& m, TMainWindow& w,
                      const TParamImage& image, const char* versionMismatchText) {
    TMonitorFrame c{f, m, w, image, w.CheckBoxExtMonitor.Checked(), {}};
    ShowSpeed(c);
    ShowIntakePressure(c);
    ShowLambdaAndThrottle(c);
    ShowInjection(c);
    ShowAtmosphere(c);
    ShowTemperatures(c);
    ShowBatteryServoBlocking(c);
    ShowAdvanceAndCorrections(c);
    ShowVersionPickupsAndTests(c, versionMismatchText);
}

bool DecodeMonitorFrame(const uint8_t* f, TMonitorData& m, TMainWindow& w,
                        const TParamImage& image, const char* versionMismatchText) {
    if (!ReadMonitorFrame(f, m)) return false;
    ShowMonitorFrame(f, m, w, image, versionMismatchText);
    return true;
}
