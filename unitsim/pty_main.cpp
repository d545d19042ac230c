// quorvel05-unitsim: serves the virtual unit on a pseudo-terminal until stopped.
//   quorvel05-unitsim [--layout N] [--silent] [--hold N] [--differ BLOCK] [--stopped]
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

#include "unit_sim.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

void Usage() {
    std::puts(
        "usage: quorvel05-unitsim [--layout N] [--silent] [--hold TICKS] [--differ BLOCK]\n"
        "                         [--drop-every N] [--stopped]\n"
        "Serves the virtual unit on a new pseudo-terminal and prints its path.");
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

}  // namespace

int main(int argc, char** argv) {
    TUnitSim sim;
    for (int i = 1; i < argc; ++i) {
        auto next = [&](int& v) {
            if (i + 1 < argc) v = std::atoi(argv[++i]);
        };
        int v = 0;
        if (!std::strcmp(argv[i], "--layout")) {
            next(v);
            sim.faults.layoutVersion = static_cast<uint8_t>(v);
        } else if (!std::strcmp(argv[i], "--silent")) {
            sim.faults.silent = true;
        } else if (!std::strcmp(argv[i], "--hold")) {
            next(sim.faults.holdTicks);
        } else if (!std::strcmp(argv[i], "--differ")) {
            next(sim.faults.differingBlock);
        } else if (!std::strcmp(argv[i], "--drop-every")) {
            next(sim.faults.dropEvery);
        } else if (!std::strcmp(argv[i], "--stopped")) {
            sim.engine.running = false;
        } else if (!std::strcmp(argv[i], "--help")) {
            Usage();
            return 0;
        } else {
            Usage();
            return 2;
        }
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
        }
    }
    close(master);
    return 0;
}
