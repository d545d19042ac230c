// The link, the transfer session and the monitor without the window: a loop of 55 ms ticks with a
// port, an image, a message label and a gauge reads, programs and verifies the virtual unit.
#include <gtest/gtest.h>

#include <cstring>

#include "link/monitor.h"
#include "link/transfer_session.h"
#include "params/bike_types.h"
#include "sim_port.h"
#include "unit_sim.h"

namespace {

// The owner of a session that has no editor: it only counts what it is told.
struct TLoopHost : TSessionHost {
    int imageChanged = 0, mismatches = 0;
    bool pending = false;
    void SessionImageChanged() override { ++imageChanged; }
    void SessionIdentityChanged() override {}
    void SessionVersionMismatch() override { ++mismatches; }
    void SessionUnverifiedChanged() override {}
    bool SessionBlockPending() const override { return pending; }
    void SessionBlockDone() override { pending = false; }
};

struct TLoop {
    TUnitSim sim;
    TSimPort port{sim};
    TUnitLink link;
    TParamImage image;
    TControl message, gauge;
    uint8_t language = kLangEnglish;
    TLoopHost host;
    TTransferSession session;
    TMonitorData monitor;

    TLoop() {
        link.port = &port;
        std::strcpy(link.device, kSimDeviceName);
        TPortFailure failure;
        link.open = port.Open(kSimDeviceName, failure);
        gauge.kind = TControlKind::Gauge;
        gauge.SetRange(0, 5);
        session.Attach(link, image, message, gauge, language, host);
    }
    // One tick as a program without a window runs it: the frame waiting, the session's time-out,
    // a monitor request every sixth idle tick.
    void Tick() {
        if (const uint8_t* f = link.Poll()) {
            if (f[0] == kCodeMonitorFrame) {
                if (ReadMonitorFrame(f, monitor)) link.Heard();
            } else {
                session.HandleResponse(f);
            }
        }
        if (session.kind != TSessionKind::None)
            session.TimeoutStep();
        else if (++session.ticksSinceSend >= kMonitorPeriod) {
            session.ticksSinceSend = 0;
            link.SendCommand(kCmdMonitor, nullptr);
        }
        session.MessageCountdownStep();
    }
    std::string Run() {
        for (int i = 0; i < 200 && session.kind != TSessionKind::None; ++i) Tick();
        return message.Text();
    }
};

}  // namespace

TEST(SessionLoop, ReadsProgramsAndVerifiesTheVirtualUnitWithoutAWindow) {
    TLoop loop;
    loop.session.StartRead();
    EXPECT_EQ(loop.Run(), "Verify OK");
    EXPECT_EQ(std::memcmp(loop.image.Data() + 100, loop.sim.Memory().data() + 100, 500), 0);
    EXPECT_EQ(loop.gauge.Position(), 5);
    EXPECT_EQ(loop.host.imageChanged, 1);

    loop.image.SetCell(TMap::JetIap, 3, 3, 123);
    loop.session.StartProgram();
    EXPECT_EQ(loop.Run(), "Verify OK");
    EXPECT_TRUE(loop.session.programDone);
    EXPECT_EQ(loop.sim.Memory()[533], 123);

    loop.sim.faults.differingBlock = 4;
    loop.session.StartVerify();
    EXPECT_EQ(loop.Run(), "Verify error!");
    EXPECT_TRUE(loop.session.unitUnverified);

    // The live values come in between sessions.
    loop.sim.faults.differingBlock = -1;
    loop.sim.engine.HoldPoint(5000, 20, 30, true);
    for (int i = 0; i < 20; ++i) loop.Tick();
    EXPECT_EQ(loop.monitor.rpm, 5000);
    EXPECT_EQ(loop.monitor.tpPercent, 20);
    EXPECT_EQ(loop.link.silentTicks, 0);
}
