// The monitor log: values decoded from frames, the line format, the writer thread with a full
// disk, and the reader with logs it must refuse.
#include "files/monitor_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>
#include <thread>

#include "files/monitor_log_reader.h"
#include "harness.h"
#include "test_frames.h"

namespace {

template <class F>
TFrameBytes Idle(F change) {
    TFrameBytes f = IdleMonitorFrame();
    change(f);
    SealFrame(f);
    return f;
}

std::string Hex(const TFrameBytes& f) {
    std::string s;
    char b[3];
    for (uint8_t v : f) {
        std::snprintf(b, sizeof b, "%02x", v);
        s += b;
    }
    return s;
}

const TLogContext kContext{40, 4, 5, 6, 2, 3, TLogTuning::Off};

std::string Line(const TLogRow& row) {
    char buf[kLogLineCapacity];
    return std::string(buf, FormatLogLine(row, buf, sizeof buf));
}

TLogReadResult Read(const std::string& text) {
    std::istringstream in(text);
    return ReadMonitorLog(in);
}

}  // namespace

TEST(MonitorLogValues, DecodedAsThePanelShowsThem) {
    using V = TMonitorValues;
    struct TCase {
        const char* what;
        void (*change)(TFrameBytes&);
        int32_t V::*field;
        int32_t expected;
    } cases[] = {
        {"4092 is 5000 mV", [](TFrameBytes& f) { PutWord(f, 11, 4092); }, &V::lambdaMv, 5000},
        {"1 is 1 mV", [](TFrameBytes& f) { PutWord(f, 9, 1); }, &V::tpMv, 1},
        {"IAP 421 valid", [](TFrameBytes& f) { PutWord(f, 7, 421); }, &V::iapPercent, 30},
        {"IAP 420 error", [](TFrameBytes& f) { PutWord(f, 7, 420); }, &V::iapPercent, kNoValue},
        {"IAP 4025 error", [](TFrameBytes& f) { PutWord(f, 7, 4025); }, &V::iapPercent, kNoValue},
        {"TP 101 error", [](TFrameBytes& f) { f[51] = 101; }, &V::tpPercent, kNoValue},
        {"TP 100 valid", [](TFrameBytes& f) { f[51] = 100; }, &V::tpPercent, 100},
        {"TW code 0", [](TFrameBytes& f) { f[53] = 0; }, &V::coolantC, kNoValue},
        {"TW -10", [](TFrameBytes& f) { f[53] = 90; }, &V::coolantC, -10},
        {"AT code 0", [](TFrameBytes& f) { f[54] = 0; }, &V::airC, kNoValue},
        {"battery 1000", [](TFrameBytes&) {}, &V::batteryMv, 14081},
        {"advance 40-15", [](TFrameBytes& f) { f[55] = 15; }, &V::advanceDeg, 25},
        {"advance at max", [](TFrameBytes& f) { f[55] = 40; }, &V::advanceDeg, 0},
        {"duty 100", [](TFrameBytes& f) { PutWord(f, 1, 12000), PutWord(f, 21, 334); },
         &V::dutyPercent, 100},
        {"duty 102", [](TFrameBytes& f) { PutWord(f, 1, 12000), PutWord(f, 19, 340); },
         &V::dutyPercent, 102},
        {"voltage corr", [](TFrameBytes& f) { PutWord(f, 93, 950); }, &V::voltageCorrUs, -50},
        {"servo desired", [](TFrameBytes& f) { PutWord(f, 29, 1000); }, &V::servoDesiredMv, 1221},
        {"CMPS", [](TFrameBytes& f) { f[74] = 9; }, &V::cmps, 1},
        {"TP map", [](TFrameBytes& f) { f[60] = 3; }, &V::tpMapActive, 1},
        {"saving", [](TFrameBytes& f) { PutWord(f, 95, 503); }, &V::savingCountdown, 503},
    };
    for (const TCase& c : cases) {
        const TFrameBytes f = Idle(c.change);
        EXPECT_EQ(DecodeMonitorValues(f.data(), 40).*c.field, c.expected) << c.what;
    }
}

TEST(MonitorLogFormat, HeaderAndLineInTheirColumns) {
    EXPECT_EQ(LogHeader(),
              "time_s,rpm,tp_pct,tp_mV,iap_pct,iap_mV,ap_kPa,lambda_mV,coolant_C,air_C,"
              "battery_V,advance_deg,inj14_us,inj23_us,duty_pct,corr_coolant_pct,corr_air_pct,"
              "corr_ap_pct,corr_start_pct,corr_voltage_us,servo_desired_mV,servo_measured_mV,"
              "blocking,ckps,cmps,map_suspended,map_active,saving_countdown,tp14_row,tp14_col,"
              "tp23_row,tp23_col,iap_row,iap_col,tuning,tune_map,tune_row,tune_col,tune_old,"
              "tune_new,frame\r\n");
    const TFrameBytes idle = IdleMonitorFrame();  // 1200 rpm on the IAP map
    EXPECT_EQ(Line(MakeLogRow(idle.data(), 1320, kContext)),
              "1.320,1200,0,0,30,1221,101.3,0,80,20,14.081,40,0,0,0,0.0,0.0,0.0,0.0,-1000,0,0,"
              "0,0,0,0,IAP,0,,,,,2,3,off,,,,,," +
                  Hex(idle) + "\r\n");
    const TFrameBytes tp = Idle([](TFrameBytes& f) { f[51] = 200, f[60] = 1; });
    TLogContext tuning = kContext;
    tuning.tuning = TLogTuning::OnTarget;
    const std::string line = Line(MakeLogRow(tp.data(), 65, tuning));
    EXPECT_EQ(line.substr(0, 14), "0.065,1200,,0,");
    EXPECT_NE(line.find(",TP,0,4,5,4,6,,,on_target,"), std::string::npos) << line;
}

TEST(MonitorLogWriter, RoundTripThroughTheFile) {
    TTempDir dir;
    const std::string path = dir.File("run.csv");
    TMonitorLog log;
    ASSERT_EQ(log.Start(path), "");
    std::vector<TLogRow> expected;
    const TFrameBytes frames[] = {IdleMonitorFrame(), Idle([](TFrameBytes& f) { f[53] = 0; }),
                                  Idle([](TFrameBytes& f) { f[60] = 1, f[51] = 20; }),
                                  Idle([](TFrameBytes& f) { PutWord(f, 1, 0); })};
    for (int i = 0; i < 40; ++i) {
        const TFrameBytes& f = frames[i % 4];
        if (i % 7 == 3) log.NoteCorrection(TLogMap::Tp23, 4, 6, 100, static_cast<uint8_t>(i));
        ASSERT_TRUE(log.Add(f.data(), 330 * i, kContext));
        expected.push_back(MakeLogRow(f.data(), 330 * i, kContext));
        if (i % 7 == 3)
            expected.back().extras = [&] {
                TLogExtras e = expected.back().extras;
                e.tuneMap = 1, e.tuneRow = 4, e.tuneCol = 6, e.tuneOld = 100, e.tuneNew = i;
                return e;
            }();
    }
    TFrameBytes damaged = frames[0];
    damaged[101] ^= 1;
    EXPECT_FALSE(log.Add(damaged.data(), 0, kContext));
    log.Stop();
    EXPECT_FALSE(log.Failed());
    EXPECT_EQ(log.BytesWritten(), FileText(path).size());
    const TLogReadResult r = ReadMonitorLogFile(path);
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.rows, expected);
}

TEST(MonitorLogWriter, FullDiskStopsTheLogWithoutHoldingTheTick) {
    TTempDir dir;
    const std::string path = dir.File("full.csv");
    TFileSizeLimit limit(4096);
    TMonitorLog log;
    ASSERT_EQ(log.Start(path), "");
    const TFrameBytes f = IdleMonitorFrame();
    auto slowest = std::chrono::nanoseconds(0);
    for (int i = 0; i < 400 && !log.Failed(); ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        log.Add(f.data(), 55 * i, kContext);
        slowest = std::max(slowest, std::chrono::steady_clock::now() - t0);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_TRUE(log.Failed());
    EXPECT_LT(slowest, std::chrono::milliseconds(1));
    EXPECT_STREQ(log.TakeFailure(), "File too large");
    EXPECT_EQ(log.TakeFailure(), nullptr);  // reported once
    EXPECT_FALSE(log.Add(f.data(), 0, kContext));
    EXPECT_FALSE(log.Running());
    log.Stop();
    EXPECT_EQ(log.BytesWritten(), 4096u);
    EXPECT_STREQ(log.Error(), "File too large");
    // The file ends inside a line, which the reader names.
    const std::string text = FileText(path);
    const long complete = std::count(text.begin(), text.end(), '\n');
    const TLogReadResult r = ReadMonitorLogFile(path);
    if (text.back() == '\n')
        EXPECT_TRUE(r.Ok()) << r.error;
    else
        EXPECT_EQ(r.error.find_first_of(",:"), ("line " + std::to_string(complete + 1)).size())
            << r.error;
}

TEST(MonitorLogWriter, RefusesWhatItCannotWrite) {
    TTempDir dir;
    TMonitorLog log;
    EXPECT_EQ(log.Start(dir.File("no/such/folder.csv")), "No such file or directory");
    EXPECT_EQ(log.Start(dir.path.string()), "not a regular file");
    ASSERT_EQ(log.Start(dir.File("a.csv")), "");
    EXPECT_EQ(log.Start(dir.File("b.csv")), "a log is already running");
}

TEST(MonitorLogReader, NamesTheLineOfWhatItRefuses) {
    const std::string header = LogHeader();
    const TFrameBytes idle = IdleMonitorFrame();
    const std::string good = Line(MakeLogRow(idle.data(), 100, kContext));
    const std::string later = Line(MakeLogRow(idle.data(), 430, kContext));
    std::string badCheck = good;
    badCheck[badCheck.size() - 3] ^= 1;  // the check byte's last digit
    std::string badRpm = good;
    badRpm.replace(badRpm.find(",1200,"), 6, ",12x,");
    std::string shortHeader = header;
    shortHeader.erase(shortHeader.find(",rpm"), 4);
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "line 1: empty file, not a monitor log"},
        {"a,b,c\r\n1,2,3\r\n", "line 1: not a monitor log of this program"},
        {header.substr(0, header.size() - 2) + ",extra\r\n", "line 1: unknown column \"extra\""},
        {shortHeader, "line 1: column rpm is missing"},
        {header + good + later.substr(0, 60), "line 3: 17 fields where the header has 41"},
        {header + good + later.substr(0, later.size() - 30),
         "line 3, column frame: 176 hex digits where a frame has 204"},
        {header + badRpm, "line 2, column rpm: \"12x\" is not a number"},
        {header + badCheck, "line 2: the frame's check byte is wrong"},
        {header + later + good, "line 3: the time goes back from 0.430 s to 0.100 s"},
        {header + "\"1.0", "line 2: the file ends inside a quoted field"},
    };
    for (const auto& c : cases) {
        const TLogReadResult r = Read(c.text);
        EXPECT_EQ(r.error.substr(0, std::strlen(c.error)), c.error) << r.error;
        EXPECT_TRUE(r.rows.empty());
    }
}

TEST(MonitorLogReader, TakesWhatSpreadsheetsWrite) {
    const TFrameBytes idle = IdleMonitorFrame();
    const TLogRow row = MakeLogRow(idle.data(), 100, kContext);
    std::string lf = LogHeader() + Line(row);
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    std::string quoted = Line(row);
    quoted.replace(0, 5, "\"0.1\"");  // quoted, with fewer decimals
    quoted.replace(quoted.find(",IAP,"), 5, ",\"IAP\",");
    for (const std::string& text : {lf, "\xEF\xBB\xBF" + LogHeader() + "\r\n" + quoted}) {
        const TLogReadResult r = Read(text);
        ASSERT_TRUE(r.Ok()) << r.error;
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_EQ(r.rows[0], row);
    }
}
