// The receive path mid-session: the input is a script of commands, ticks, answers of the virtual
// unit and arbitrary bytes on the line (framed or not). After every tick the window keeps its
// bounds, a session advances only on an answer that echoes its command with a correct check byte
// (and, for a verify or a programmed block, carries exactly the data of the image), a read that
// ends by its answers leaves the image sanitized, and "Program device: OK" shows only after a
// verify that passed.
//
// Script bytes: 0 read, 1 verify, 2 program, 3 queued program (later commands than the fourth are
// skipped), 4 n: n % 8 + 1 ticks, 5 the unit answers what it was sent, 6 code and 100 data bytes as
// a frame with a correct check byte, 7 n and n raw bytes, 8 100 data bytes as a monitor frame; each
// of 5 to 8 is followed by a tick. At most 800 ticks per script.
#include <cstring>
#include <deque>
#include <string>

#include "fuzz_support.h"

namespace {

// The line between window and unit: what the unit answers waits until the script lets it
// through; the script adds bytes of its own.
class TScriptPort : public TSerialPort {
  public:
    explicit TScriptPort(TUnitSim& sim) : sim_(sim) {}
    bool Open(const char*, TPortFailure&) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(const uint8_t* data, size_t n) override {
        sim_.Receive(data, n);
        return true;
    }
    int BytesWaiting() override { return static_cast<int>(line.size()); }
    int Read(uint8_t* buffer, size_t cap) override {
        const size_t n = std::min(cap, line.size());
        for (size_t i = 0; i < n; ++i) buffer[i] = line[i];
        line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(n));
        lastRead = n;
        if (n >= kFrameSize) std::memcpy(lastFrame, buffer, kFrameSize);
        return static_cast<int>(n);
    }
    // The unit's answers so far onto the line.
    void LetUnitAnswer() {
        uint8_t b[512];
        size_t n;
        while ((n = sim_.Take(b, sizeof b)) > 0) line.insert(line.end(), b, b + n);
    }

    std::deque<uint8_t> line;
    size_t lastRead = 0;
    uint8_t lastFrame[kFrameSize] = {};

  private:
    TUnitSim& sim_;
    bool open_ = false;
};

struct TFuzzWindow {
    THarness h;
    TScriptPort port{h.sim};
    TFormHlav* form = nullptr;
    TParamImage startImage;
    TUnitLink startLink;
    // Idle and attached to the window's link, image, labels and language: a session made afresh
    // would be attached to nothing.
    TTransferSession startSession;
    TFuzzWindow() {
        h.platform.port = &port;
        form = &h.Start("ENGLISH");
        startImage = form->image;
        startLink = form->link;
        startSession = form->session;
        FUZZ_CHECK(startSession.kind == TSessionKind::None);
    }
};

class TScript {
  public:
    TScript(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void CheckBounds(const TFormHlav& w) {
    FUZZ_CHECK(w.CGaugeProgram.Position() >= 0 && w.CGaugeProgram.Position() <= 5);
    for (const TControl* g :
         {&w.CGaugeRpm, &w.CGaugeTps, &w.CGaugeLambda, &w.CGaugeVoda, &w.CGaugeDuty})
        FUZZ_CHECK(g->Position() >= 0 && g->Position() <= 100);
    FUZZ_CHECK(w.session.messageTicks <= kMessageTicks);
    FUZZ_CHECK(static_cast<int>(w.session.kind) <= 3);
    FUZZ_CHECK((w.session.command & 63) <= 5);
    FUZZ_CHECK(w.link.silentTicks <= kSilentLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzWindow fw;
    TFormHlav& w = *fw.form;
    TScriptPort& port = fw.port;

    // Every script starts from the same window, with the unit holding the window's set.
    w.session = fw.startSession;
    w.image = fw.startImage;
    w.link = fw.startLink;
    w.monitor = TMonitorData();
    w.LabelHlaseni.SetText("");
    w.LabelHlaseni.SetVisible(false);
    fw.h.sim = TUnitSim();
    std::memcpy(fw.h.sim.Memory().data() + 100, w.image.Data() + 100, 500);
    port.line.clear();
    fw.h.dialogs.messages.clear();
    const std::string programOk = std::string(w.programCaption) + " OK";

    bool verifyPassed = false;  // the last session ended with a verify that passed
    TScript script(data, size);
    int ticks = 0;
    int commands = 0;
    while (script.More() && ticks < 800) {
        const uint8_t op = script.Byte() % 9;
        // A command refreshes the whole editor, which costs as much as hundreds of ticks: a few
        // per script keep the runs fast, later ones are skipped.
        if (op <= 3 && ++commands > 4) continue;
        int run = 1;
        switch (op) {
            case 0:
                w.MenuReadClick();
                verifyPassed = false;
                continue;
            case 1:
                w.MenuVerifyClick();
                verifyPassed = false;
                continue;
            case 2:
                w.MenuProgramClick();
                verifyPassed = false;
                continue;
            case 3:
                w.QueueProgram();
                verifyPassed = false;
                continue;
            case 4:
                run = script.Byte() % 8 + 1;
                break;
            case 5:
                port.LetUnitAnswer();
                break;
            case 6:
            case 8: {
                uint8_t f[kFrameSize];
                f[0] = op == 8 ? kCodeMonitorFrame : script.Byte();
                for (int i = 1; i <= kFrameData; ++i) f[i] = script.Byte();
                f[101] = FrameCheckByte(f[0], f + 1);
                port.line.insert(port.line.end(), f, f + kFrameSize);
                break;
            }
            case 7: {
                const int n = script.Byte();
                for (int i = 0; i < n; ++i) port.line.push_back(script.Byte());
                break;
            }
        }
        for (int r = 0; r < run; ++r, ++ticks) {
            const TSessionKind kind = w.session.kind;
            const uint8_t command = w.session.command;
            const TParamImage image = w.image;
            const std::string text = w.LabelHlaseni.Text();
            const int gauge = w.CGaugeProgram.Position();
            port.lastRead = 0;
            w.Timer1Timer();
            CheckBounds(w);

            // A session moves on only by an answer; a time-out keeps its block or ends it red.
            const bool handled =
                port.lastRead >= kFrameSize && port.lastFrame[0] != kCodeMonitorFrame;
            const bool advanced =
                kind != TSessionKind::None &&
                (w.session.command != command ||
                 (w.session.kind != kind && w.LabelHlaseni.Color() != TColor::Red));
            const bool acknowledged =
                kind == TSessionKind::None &&
                (w.session.command != command ||
                 (w.LabelHlaseni.Text() == "Program OK" &&
                  (text != "Program OK" || w.CGaugeProgram.Position() != gauge)));
            if (advanced || acknowledged) {
                FUZZ_CHECK(handled);
                const uint8_t* f = port.lastFrame;
                FUZZ_CHECK(FrameCheckOk(f));
                FUZZ_CHECK(f[0] == (command ^ kResponseBit));
                const int b = command & 63;
                if (kind == TSessionKind::Verify || acknowledged ||
                    (kind == TSessionKind::Program && b > 0))
                    FUZZ_CHECK(std::memcmp(f + 1, image.Block(b), kFrameData) == 0);
            }
            // A read that ends by its answers (complete, or refused at the version check) leaves
            // the image sanitized; one that times out keeps the blocks read as they came.
            if (kind == TSessionKind::Read && w.session.kind != TSessionKind::Read &&
                w.LabelHlaseni.Color() != TColor::Red)
                FUZZ_CHECK(IsSanitized(w.image));
            if (kind != TSessionKind::None && w.session.kind == TSessionKind::None)
                verifyPassed = w.LabelHlaseni.Text() == "Verify OK";
            if (w.LabelHlaseni.Text() == programOk) FUZZ_CHECK(verifyPassed);
        }
    }
    return 0;
}
