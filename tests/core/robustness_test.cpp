// Whatever a cable or a file brings in, the window keeps its invariants and never fails.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "files/param_file.h"
#include "harness.h"

namespace {

// A frame with a correct check byte, so that it gets past the first gate.
void RandomValidFrame(std::mt19937& rng, uint8_t* f, uint8_t code) {
    std::uniform_int_distribution<int> byte(0, 255);
    f[0] = code;
    for (int i = 1; i <= 100; ++i) f[i] = static_cast<uint8_t>(byte(rng));
    f[101] = FrameCheckByte(f[0], f + 1);
}

void ExpectInvariants(const TFormHlav& w) {
    EXPECT_GE(w.CGaugeProgram.Position(), 0);
    EXPECT_LE(w.CGaugeProgram.Position(), 5);
    for (const TControl* g : {&w.CGaugeRpm, &w.CGaugeTps, &w.CGaugeLambda, &w.CGaugeVoda,
                              &w.CGaugeDuty}) {
        EXPECT_GE(g->Position(), 0);
        EXPECT_LE(g->Position(), 100);
    }
    EXPECT_LE(w.session.messageTicks, 200);
    EXPECT_LE(static_cast<int>(w.session.kind), 3);
    EXPECT_LE(w.link.silentTicks, 18);
    EXPECT_LE(w.session.command & 63, 5);
}

}  // namespace

TEST(Robustness, RandomFramesOfEveryCodeDuringEverySessionKind) {
    THarness h;
    h.Start();
    TFormHlav& w = *h.form;
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> pick(0, 255);
    uint8_t f[102];
    for (int round = 0; round < 4000; ++round) {
        switch (round % 50) {
            case 0:
                w.MenuReadClick();
                break;
            case 10:
                w.MenuVerifyClick();
                break;
            case 20:
                w.MenuProgramClick();
                break;
            case 30:
                w.QueueProgram();
                break;
            default:
                break;
        }
        // Mostly codes that mean something, sometimes any byte at all.
        const int r = pick(rng);
        uint8_t code = static_cast<uint8_t>(r < 80    ? 128 + (r % 6)
                                            : r < 160 ? 192 + (r % 6)
                                            : r < 200 ? 176
                                                      : pick(rng));
        RandomValidFrame(rng, f, code);
        if (code == kCodeMonitorFrame)
            w.DecodeMonitorFrame(f);
        else
            w.HandleResponse(f);
        w.Timer1Timer();
        ExpectInvariants(w);
        if (HasFailure()) break;
    }
}

TEST(Robustness, RandomParameterTextNeverFailsAndARejectedFileChangesNothing) {
    static const char* const kWords[] = {
        "VELMAROK_KEY", "43", "42", "RPM_ADV", "ADVANCE", "RPM", "LIMITER2", "PILOT_LIGHT",
        "BIKE", "EXT_MON", "BLOK_ENABLE", "IAP_TO_TPS", "TPS_MODE", "RPM_JET_TP", "JET_TP",
        "RPM_JET_TPi", "JET_TPi", "RPM_JET_IAP", "JET_IAP", "TPS", "ACCEL", "START_JET",
        "COOLING", "WATER_TEMP", "CHOKE", "AIR_TEMP", "PRIV_ENABLE", "PRIV_HYSTER", "RPM_PRIV",
        "NAP_PRIV", "TUNING", "-5", "99999999999999999999", "0", "65535", "65536", "x1", "",
        "\t", "\r\n", "-", "--7", "255"};
    std::mt19937 rng(777);
    std::uniform_int_distribution<size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> len(0, 400);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        if (round % 3 != 0) text = "VELMAROK_KEY 43 ";
        const int n = len(rng);
        for (int i = 0; i < n; ++i) {
            text += kWords[word(rng)];
            text += (i % 7 == 0) ? "\n" : " ";
        }
        if (round % 11 == 0) text += std::string(500, 'A');  // an overlong last word
        TParamImage image;
        for (int i = 0; i < 600; ++i) image[i] = static_cast<uint8_t>(i * 7);
        const TParamImage before = image;
        bool ext = false;
        std::istringstream in(text);
        const bool matched = ReadParamFile(in, image, ext);
        if (!matched) {
            EXPECT_TRUE(image == before);
            EXPECT_FALSE(ext);
        }
        // Bytes outside the file's keys never change.
        for (int b : {0, 50, 99, 101, 105, 107, 109, 110, 125, 126, 199, 230, 239, 295})
            EXPECT_EQ(image[b], before[b]) << "byte " << b;
        if (HasFailure()) break;
    }
}

TEST(Robustness, DamagedSettingsAndSnapshotFilesStillStart) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 40; ++round) {
        THarness h;
        std::string ini = "[FORM_HLAV]\r\n";
        std::string snap;
        for (int i = 0; i < 300; ++i) {
            ini += static_cast<char>(byte(rng));
            snap += static_cast<char>(byte(rng));
        }
        ini += "\r\nComPort=99999999999\r\nLanguage=-3\r\nPageControl1->ActivePageIndex=77\r\n";
        PutFile(h.dir.File("Quorvel05.ini"), ini);
        PutFile(h.dir.File("_Quorvel05.ini"), snap);
        TFormHlav& w = h.Start("");
        EXPECT_LE(w.language, 2);
        EXPECT_LE(w.link.portChoice, 20);
        EXPECT_LE(w.link.scanPosition, 19);
        EXPECT_GE(w.PageControl1.Position(), 0);
        EXPECT_LE(w.PageControl1.Position(), 6);
        h.Ticks(30);
        w.FormClose();
    }
}
