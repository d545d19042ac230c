// Every fault of a cable or a unit against every kind of transfer: each run ends in its session's
// own result (success, the red error text, or the version box), never in "Verify OK" or
// "Program device: OK" over data that differs from what the unit holds, and the link comes back
// once the fault is gone.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iostream>
#include <sstream>

#include "harness.h"

namespace {

// The virtual unit behind a cable that can be pulled, and that can damage what it carries.
class TFaultPort : public TSerialPort {
  public:
    explicit TFaultPort(TUnitSim& sim) : inner_(sim) {}

    bool unplugged = false;
    int garbleEvery = 0;     // every n-th answer arrives with a damaged byte (check byte wrong)
    int flipReadBlock = -1;  // reads of this block are answered with a byte changed, sealed

    bool Open(const char* device, TPortFailure& failure) override {
        if (unplugged) {
            failure.code = TPortError::NotFound;
            return false;
        }
        return inner_.Open(device, failure);
    }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    bool Write(const uint8_t* data, size_t n) override {
        return !unplugged && inner_.Write(data, n);
    }
    int BytesWaiting() override { return unplugged ? -1 : inner_.BytesWaiting(); }
    int Read(uint8_t* buffer, size_t cap) override {
        if (unplugged) return -1;
        const int n = inner_.Read(buffer, cap);
        for (int at = 0; at + kFrameSize <= n; at += kFrameSize) {
            uint8_t* f = buffer + at;
            if (flipReadBlock >= 0 && f[0] == ((kCmdReadBase + flipReadBlock) | kResponseBit)) {
                f[1 + 37] ^= 0x01;
                f[101] = FrameCheckByte(f[0], f + 1);
            }
            if (garbleEvery > 0 && ++frames_ % garbleEvery == 0) f[50] ^= 0x10;
        }
        return n;
    }
    // Blocks 1 to 5 as the unit reports them on a read.
    bool Reports(const TParamImage& image, const TUnitSim& sim) const {
        for (int b = 1; b < 6; ++b) {
            uint8_t block[100];
            std::memcpy(block, sim.Memory().data() + 100 * b, 100);
            if (b == flipReadBlock) block[37] ^= 0x01;
            if (sim.faults.differingBlock == b) block[37] ^= 0x01;
            if (std::memcmp(block, image.Block(b), 100) != 0) return false;
        }
        return true;
    }

  private:
    TSimPort inner_;
    int frames_ = 0;
};

enum class TRun { Read, Program, Verify };

struct TFault {
    const char* name;
    std::function<void(TUnitFaults&, TFaultPort&)> apply;
    int unplugTicks = 0;  // the cable is out for this many ticks from the session's start
};

const TFault kFaults[] = {
    {"none", [](TUnitFaults&, TFaultPort&) {}},
    {"drop every 3rd", [](TUnitFaults& u, TFaultPort&) { u.dropEvery = 3; }},
    {"garble every 2nd", [](TUnitFaults&, TFaultPort& p) { p.garbleEvery = 2; }},
    {"late 1", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 1; }},
    {"late 2", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 2; }},
    {"late 3", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 3; }},
    {"late 4", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 4; }},
    {"late 5", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 5; }},
    {"late 6", [](TUnitFaults& u, TFaultPort&) { u.holdTicks = 6; }},
    {"duplicate", [](TUnitFaults& u, TFaultPort&) { u.copies = 2; }},
    {"trailing bytes", [](TUnitFaults& u, TFaultPort&) { u.trailingBytes = 7; }},
    {"layout 42", [](TUnitFaults& u, TFaultPort&) { u.layoutVersion = 42; }},
    {"verify mismatch", [](TUnitFaults&, TFaultPort& p) { p.flipReadBlock = 3; }},
    {"unplug 6 ticks", [](TUnitFaults&, TFaultPort&) {}, 6},
    {"unplug 60 ticks", [](TUnitFaults&, TFaultPort&) {}, 60},
};

// What a run ended in: "ok" ("Verify OK"), the red error text of a session kind, or "box" (the
// version message, the label keeping its start text). Anything else is spelled out.
struct TCell {
    std::string result;
    bool linkBack = false;
};

TCell RunCell(const TFault& fault, TRun run) {
    THarness h;
    TFaultPort port(h.sim);
    h.platform.port = &port;
    TFormHlav& f = h.Start("ENGLISH");
    // The unit holds the window's set to begin with.
    f.MenuProgramClick();
    h.RunSession();
    h.Ticks(80);
    EXPECT_EQ(f.LabelHlaseni.Text(), "Program device: OK");

    // A read or a program has something to change; a verify finds the same set.
    if (run != TRun::Verify) {
        f.image.SetCell(TMap::JetTp, 4, 4,
                        static_cast<uint8_t>(f.image.Cell(TMap::JetTp, 4, 4) + 1));
        f.RefreshFieldsFromImage();
    }
    fault.apply(h.sim.faults, port);
    port.unplugged = fault.unplugTicks > 0;
    switch (run) {
        case TRun::Read:
            f.MenuReadClick();
            break;
        case TRun::Program:
            f.MenuProgramClick();
            break;
        case TRun::Verify:
            f.MenuVerifyClick();
            break;
    }
    std::string result;
    for (int tick = 0; tick < 700; ++tick) {
        if (tick == fault.unplugTicks) port.unplugged = false;
        const bool running = f.session.kind != TSessionKind::None;
        f.Timer1Timer();
        const std::string& text = f.LabelHlaseni.Text();
        if (text == "Verify OK" || text == "Program device: OK") {
            EXPECT_TRUE(port.Reports(f.image, h.sim))
                << fault.name << ": \"" << text << "\" over data the unit does not hold";
        }
        if (running && f.session.kind == TSessionKind::None) {
            const char* start = run == TRun::Read ? "Read device:" : "Program device:";
            const bool red = f.LabelHlaseni.Color() == TColor::Red;
            if (text == "Verify OK")
                result = "ok";
            else if (red && text == "Read error!")
                result = "read err";
            else if (red && text == "Program error!")
                result = "prog err";
            else if (red && text == "Verify error!")
                result = "verify err";
            else if (text == start && !h.dialogs.messages.empty() &&
                     h.dialogs.messages.back() == "Unmatched version of PC and Ignition programs!")
                result = "box";
            else
                result = "ended with \"" + text + "\"";
        }
    }
    if (f.session.kind != TSessionKind::None) result = "did not end";

    // The fault goes away: the link comes back and a new program leaves the unit verified.
    h.sim.faults = TUnitFaults();
    port.garbleEvery = 0;
    port.flipReadBlock = -1;
    port.unplugged = false;
    h.Ticks(80);
    TCell cell{result, f.link.open && !f.LabelSpojeni.Visible() && f.link.silentTicks < 18};
    f.MenuProgramClick();
    h.RunSession();
    if (f.LabelHlaseni.Text() != "Verify OK") cell.linkBack = false;
    return cell;
}

}  // namespace

// Faults x sessions with the expected result of each: answers that arrive in the end (dropped,
// damaged, late, doubled, followed by junk, the cable briefly out) bring success; a unit of
// another layout version stops a read or program with the version box after block 0, a verify
// never asks for block 0; a unit that reads back other data than it was given fails the verify,
// also the one that follows a program (a read takes what the unit reports, and verifies it); a
// cable out for longer than five sends fails the session.
TEST(FaultMatrix, EveryFaultInEverySessionEndsInItsResultAndTheLinkComesBack) {
    const std::pair<const char*, std::array<const char*, 3>> expected[] = {
        {"none", {"ok", "ok", "ok"}},
        {"drop every 3rd", {"ok", "ok", "ok"}},
        {"garble every 2nd", {"ok", "ok", "ok"}},
        {"late 1", {"ok", "ok", "ok"}},
        {"late 2", {"ok", "ok", "ok"}},
        {"late 3", {"ok", "ok", "ok"}},
        {"late 4", {"ok", "ok", "ok"}},
        {"late 5", {"ok", "ok", "ok"}},
        {"late 6", {"ok", "ok", "ok"}},
        {"duplicate", {"ok", "ok", "ok"}},
        {"trailing bytes", {"ok", "ok", "ok"}},
        {"layout 42", {"box", "box", "ok"}},
        {"verify mismatch", {"ok", "verify err", "verify err"}},
        {"unplug 6 ticks", {"ok", "ok", "ok"}},
        {"unplug 60 ticks", {"read err", "prog err", "verify err"}},
    };
    std::ostringstream table;
    table << "fault               read       program    verify\n";
    for (size_t i = 0; i < std::size(kFaults); ++i) {
        const TFault& fault = kFaults[i];
        ASSERT_STREQ(expected[i].first, fault.name);
        char line[96];
        std::snprintf(line, sizeof line, "%-19s", fault.name);
        table << line;
        for (const TRun run : {TRun::Read, TRun::Program, TRun::Verify}) {
            const TCell cell = RunCell(fault, run);
            const int col = static_cast<int>(run);
            EXPECT_EQ(cell.result, expected[i].second[static_cast<size_t>(col)])
                << fault.name << ", session " << col;
            EXPECT_TRUE(cell.linkBack) << fault.name << ", session " << col;
            std::snprintf(line, sizeof line, " %-10s", cell.result.c_str());
            table << line;
        }
        table << "\n";
    }
    if (HasFailure()) std::cout << table.str();
}

// The single-block write of automatic tuning under every fault, and under a unit that echoes
// block 3 with a byte changed: "Program OK" comes only while the unit holds the window's maps,
// a write that gets no good answer shows "Program error!" and is resent, and once the fault is
// gone the block is acknowledged and the unit holds what the window shows.
TEST(FaultMatrix, SingleBlockTuningWrite) {
    std::vector<TFault> faults(std::begin(kFaults), std::end(kFaults));
    faults.push_back({"differ 3", [](TUnitFaults& u, TFaultPort&) { u.differingBlock = 3; }});
    for (const TFault& fault : faults) {
        THarness h;
        TFaultPort port(h.sim);
        h.platform.port = &port;
        TFormHlav& f = h.Start("ENGLISH");
        f.MenuReadClick();
        h.RunSession();
        for (TControl* box : {&f.CheckBoxLadeniPovoleno, &f.CheckBoxLadeniOn}) {
            box->UserSetChecked(true);
            f.CheckBoxMouseUp(*box);
        }
        f.PageControl1.UserSetPosition(kPageTp14);
        h.sim.engine.SetTrueNeed(TFuelMap::Tp14, 4, 3, 150);
        h.sim.engine.HoldPoint(4000, 20, 39, true);
        h.Ticks(60);
        fault.apply(h.sim.faults, port);
        port.unplugged = fault.unplugTicks > 0;
        auto unitHoldsMaps = [&] {
            return std::memcmp(h.sim.Memory().data() + 300, f.image.Data() + 300, 200) == 0;
        };
        int acknowledged = 0;
        for (int tick = 0; tick < 400; ++tick) {
            if (tick == fault.unplugTicks) port.unplugged = false;
            const bool pending = f.tuning.blockPending;
            f.Timer1Timer();
            if (pending && !f.tuning.blockPending) {
                ++acknowledged;
                EXPECT_EQ(f.LabelHlaseni.Text(), "Program OK") << fault.name;
                EXPECT_TRUE(unitHoldsMaps()) << fault.name << ": acknowledged, tick " << tick;
            }
        }
        // A wrong echo is never taken for an acknowledgement.
        if (h.sim.faults.differingBlock == 3) {
            EXPECT_EQ(acknowledged, 0);
            EXPECT_EQ(f.LabelHlaseni.Text(), "Program error!");
        } else {
            EXPECT_GT(acknowledged, 0) << fault.name;
        }
        h.sim.faults = TUnitFaults();
        h.sim.faults.point = {true, 4000, 20, 39, true};
        port.garbleEvery = 0;
        port.flipReadBlock = -1;
        port.unplugged = false;
        // The fault gone, the write pending is acknowledged at its next send.
        for (int tick = 0; tick < 100 && f.tuning.blockPending; ++tick) f.Timer1Timer();
        EXPECT_FALSE(f.tuning.blockPending) << fault.name;
        EXPECT_TRUE(unitHoldsMaps()) << fault.name;
        EXPECT_TRUE(f.link.open && !f.LabelSpojeni.Visible()) << fault.name;
    }
}

// A program whose verify fails is followed at once by the unit's saving progress, which replaces
// "Verify error!": the caption and the status bar keep a warning until a verify passes, in the
// language shown.
TEST(VerifyWarning, StaysAfterAFailedVerifyUntilAVerifyPasses) {
    struct TCase {
        const char* word;
        uint8_t lang;
        const char* caption;
        const char* warning;
    };
    const TCase cases[] = {
        {"ENGLISH", kLangEnglish, "Programming of Quorvel 05 unit",
         "Unit parameters not verified!"},
        {"CESKY", kLangCzech, "Programování jednotky Quorvel 05",
         "Parametry jednotky nejsou ověřeny!"},
        {"DEUTSCH", kLangGerman, "Programmierung der Quorvel 05 Zündbox",
         "Parameter der Zündbox nicht verifiziert!"},
    };
    for (const TCase& c : cases) {
        THarness h;
        TFaultPort port(h.sim);
        h.platform.port = &port;
        TFormHlav& f = h.Start(c.word);
        port.flipReadBlock = 3;
        f.MenuProgramClick();
        h.RunSession();
        EXPECT_EQ(f.LabelHlaseni.Text(), LanguageText(c.lang, TMsg::VerifyError));
        const std::string warned = std::string(c.caption) + " - " + c.warning;
        EXPECT_EQ(f.FormHlav.Text(), warned);
        EXPECT_EQ(f.StatusBar1.Text(), c.warning);
        for (int n = 0; n < 7 && f.LabelHlaseni.Color() == TColor::Red; ++n) f.Timer1Timer();
        EXPECT_EQ(f.LabelHlaseni.Text(), CommonMessage(c.lang, TCommonMsg::Saving));
        h.Ticks(400);
        EXPECT_FALSE(f.LabelHlaseni.Visible());
        EXPECT_EQ(f.FormHlav.Text(), warned) << c.word;
        // The next successful verify ends the warning.
        port.flipReadBlock = -1;
        f.MenuVerifyClick();
        h.RunSession();
        EXPECT_EQ(f.FormHlav.Text(), c.caption);
        EXPECT_EQ(f.StatusBar1.Text(), "");
    }

    // A language switch keeps the warning; a read that fails does not raise it, nor does a
    // program whose first block got no answer (nothing was written).
    THarness h;
    TFaultPort port(h.sim);
    h.platform.port = &port;
    TFormHlav& f = h.Start("ENGLISH");
    h.sim.faults.silent = true;
    f.MenuReadClick();
    h.RunSession();
    f.MenuProgramClick();
    h.RunSession();
    EXPECT_EQ(f.LabelHlaseni.Text(), "Program error!");
    EXPECT_EQ(f.FormHlav.Text(), "Programming of Quorvel 05 unit");
    f.MenuVerifyClick();
    h.RunSession();
    f.MenuGermanClick();
    EXPECT_EQ(f.FormHlav.Text(),
              "Programmierung der Quorvel 05 Zündbox - Parameter der Zündbox nicht verifiziert!");
}
