// A recorded monitor log played back by the virtual unit: the same frames at the same moments,
// faster on request, with blocks still served from the unit's memory.
#include "replay.h"

#include <gtest/gtest.h>

#include "files/monitor_log.h"
#include "files/monitor_log_reader.h"
#include "harness.h"
#include "test_frames.h"

namespace {

const TLogContext kContext{101, 3, 4, 5, 6, 7, TLogTuning::Window};

// Asks for a monitor frame every 6 ticks and logs each answer; returns the rows read back.
std::vector<TLogRow> Record(TUnitSim& sim, int frames, const std::string& path) {
    TMonitorLog log;
    EXPECT_EQ(log.Start(path), "");
    const TFrameBytes request = ResponseFrame(kCmdMonitor, nullptr);
    for (int i = 0; i < frames; ++i) {
        for (int t = 0; t < 6; ++t) sim.Tick();
        sim.Receive(request.data(), request.size());
        uint8_t answer[kFrameSize];
        EXPECT_EQ(sim.Take(answer, sizeof answer), static_cast<size_t>(kFrameSize));
        EXPECT_TRUE(log.Add(answer, 330 * i + 1000, kContext));
    }
    log.Stop();
    const TLogReadResult r = ReadMonitorLogFile(path);
    EXPECT_TRUE(r.Ok()) << r.error;
    return r.rows;
}

}  // namespace

TEST(Replay, RecordReplayRecordGivesTheSameRows) {
    TTempDir dir;
    TUnitSim engine;
    const std::vector<TLogRow> recorded = Record(engine, 60, dir.File("run.csv"));
    ASSERT_EQ(recorded.size(), 60u);
    TMonitorReplay replay;
    ASSERT_EQ(replay.Load(dir.File("run.csv")), "");
    TUnitSim unit;
    for (int t = 0; t < 17; ++t) unit.Tick();  // the replay's clock starts with the first request
    replay.AttachTo(unit);
    EXPECT_EQ(Record(unit, 60, dir.File("again.csv")), recorded);
    EXPECT_TRUE(replay.Finished());
}

TEST(Replay, FasterSkipsFramesHoldsTheLastAndStillServesBlocks) {
    TTempDir dir;
    TUnitSim engine;
    const std::vector<TLogRow> recorded = Record(engine, 30, dir.File("run.csv"));
    TMonitorReplay replay;
    replay.SetRows(recorded);
    replay.speed = 3;
    TUnitSim unit;
    replay.AttachTo(unit);
    const TFrameBytes request = ResponseFrame(kCmdMonitor, nullptr);
    for (int i = 0; i < 14; ++i) {
        unit.Receive(request.data(), request.size());
        TLogFrame answer{};
        unit.Take(answer.data(), answer.size());
        EXPECT_EQ(answer, recorded[static_cast<size_t>(std::min(3 * i, 29))].frame) << i;
        for (int t = 0; t < 6; ++t) unit.Tick();
    }
    EXPECT_TRUE(replay.Finished());
    const TFrameBytes read2 = ResponseFrame(kCmdReadBase + 2, nullptr);
    unit.Receive(read2.data(), read2.size());
    uint8_t block[kFrameSize];
    ASSERT_EQ(unit.Take(block, sizeof block), static_cast<size_t>(kFrameSize));
    EXPECT_EQ(block[0], kCmdReadBase + 2 + kResponseBit);
    EXPECT_TRUE(std::equal(block + 1, block + 101, unit.Memory().begin() + 200));
}

TEST(Replay, SpeedAndLogErrors) {
    double speed = 1;
    for (const char* bad : {"0", "-2", "x", "2x", "1001", ""})
        EXPECT_FALSE(ParseReplaySpeed(bad, speed)) << bad;
    EXPECT_TRUE(ParseReplaySpeed("0.5", speed));
    EXPECT_EQ(speed, 0.5);
    TTempDir dir;
    PutFile(dir.File("empty.csv"), LogHeader());
    TMonitorReplay replay;
    EXPECT_EQ(replay.Load(dir.File("empty.csv")), "the log holds no frame");
    EXPECT_EQ(replay.Load(dir.File("missing.csv")).rfind("cannot be opened", 0), 0u);
}
