// quorvel05-unitsim: serves the virtual unit on a pseudo-terminal until stopped.
//   quorvel05-unitsim [--layout N] [--silent] [--hold N] [--differ BLOCK] [--drop-every N]
//                     [--point RPM,TP,IAP,tp|iap] [--fault NAME[=N]]... [--stopped]
//                     [--replay LOG.csv [--speed X]]
// Prints the terminal's path on the first line of standard output.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fault_options.h"
#include "replay.h"
#include "unit_sim.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

void Usage() {
    std::puts(
        "usage: quorvel05-unitsim [--layout N] [--silent] [--hold TICKS] [--differ BLOCK]\n"
        "                         [--drop-every N] [--point RPM,TP,IAP,tp|iap]\n"
        "                         [--fault NAME[=N]]... [--stopped]\n"
        "                         [--replay LOG.csv [--speed X]]\n"
        "Serves the virtual unit on a new pseudo-terminal and prints its path.\n"
        "--replay answers monitor requests with the frames of a recorded monitor log, each\n"
        "when it falls due, X times faster than recorded with --speed; blocks are read and\n"
        "written as usual.\n"
        "Faults: silent, wrong-check, layout=N, hold=TICKS, differ=BLOCK, mute=BLOCK,\n"
        "wrong-code=BLOCK, drop-every=N, copies=N, trailing=N, save-ticks=N,\n"
        "point=RPM,TP,IAP,MAP (the engine held at RPM, TP % and IAP % on the tp or iap map).");
}

void Flush(int fd, TUnitSim& sim) {
    uint8_t buf[4096];
    while (sim.Available() > 0) {
        size_t n = sim.Take(buf, sizeof buf);
        size_t done = 0;
        while (done < n) {
            ssize_t w = write(fd, buf + done, n - done);
            if (w <= 0) break;
            done += static_cast<size_t>(w);
        }
    }
}

// Says once on standard error that the last line of the log has been answered.
void ReportReplayEnd(const TMonitorReplay& replay) {
    static bool reported = false;
    if (reported || !replay.Finished()) return;
    reported = true;
    std::fprintf(stderr, "quorvel05-unitsim: replay finished (%d lines)\n", replay.Lines());
}

}  // namespace

int main(int argc, char** argv) {
    TUnitSim sim;
    TMonitorReplay replay;
    std::string replayPath;
    // The short options are the fault words under other names; every value is checked there.
    static const struct {
        const char* option;
        const char* fault;
    } kValueOptions[] = {{"--layout", "layout"},
                         {"--hold", "hold"},
                         {"--differ", "differ"},
                         {"--drop-every", "drop-every"},
                         {"--point", "point"}};
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        std::string word;
        for (const auto& o : kValueOptions) {
            if (std::strcmp(a, o.option) == 0) {
                if (i + 1 >= argc) break;
                word = std::string(o.fault) + "=" + argv[++i];
            }
        }
        if (word.empty() && std::strcmp(a, "--silent") == 0) word = "silent";
        if (word.empty() && std::strcmp(a, "--fault") == 0 && i + 1 < argc) word = argv[++i];
        if (!word.empty()) {
            if (!ApplyFaultOption(sim.faults, word)) {
                std::fprintf(stderr, "quorvel05-unitsim: bad fault %s\n", word.c_str());
                return 2;
            }
        } else if (!std::strcmp(a, "--replay") && i + 1 < argc) {
            replayPath = argv[++i];
        } else if (!std::strcmp(a, "--speed") && i + 1 < argc) {
            if (!ParseReplaySpeed(argv[++i], replay.speed)) {
                std::fprintf(stderr, "quorvel05-unitsim: bad speed %s\n", argv[i]);
                return 2;
            }
        } else if (!std::strcmp(a, "--stopped")) {
            sim.engine.running = false;
        } else if (!std::strcmp(a, "--help")) {
            Usage();
            return 0;
        } else {
            Usage();
            return 2;
        }
    }

    if (!replayPath.empty()) {
        const std::string error = replay.Load(replayPath);
        if (!error.empty()) {
            std::fprintf(stderr, "quorvel05-unitsim: %s: %s\n", replayPath.c_str(), error.c_str());
            return 2;
        }
        replay.AttachTo(sim);
    }

    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("quorvel05-unitsim: pseudo-terminal");
        return 1;
    }
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
    std::printf("%s\n", ptsname(master));
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);

    using Clock = std::chrono::steady_clock;
    auto nextTick = Clock::now() + std::chrono::milliseconds(55);
    uint8_t buf[4096];
    while (!g_stop) {
        auto now = Clock::now();
        int wait = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now).count());
        pollfd p{master, POLLIN, 0};
        int r = poll(&p, 1, wait > 0 ? wait : 0);
        if (r > 0 && (p.revents & POLLIN)) {
            ssize_t n = read(master, buf, sizeof buf);
            if (n > 0) {
                sim.Receive(buf, static_cast<size_t>(n));
                Flush(master, sim);
            }
        } else if (r > 0 && (p.revents & POLLHUP)) {
            // No one holds the terminal open at the moment; wait for the next open.
            usleep(20000);
        }
        if (Clock::now() >= nextTick) {
            nextTick += std::chrono::milliseconds(55);
            sim.Tick();
            Flush(master, sim);
            ReportReplayEnd(replay);
        }
    }
    close(master);
    return 0;
}
