// The serial adapter on a pseudo-terminal pair: line settings, exclusive use, a write that has
// left when it returns, and reading only what is waiting.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <cstring>

#include "qt_serial_port.h"

namespace {

struct TPtyPair {
    int master = -1;
    std::string slave;
    TPtyPair() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
        termios tio{};
        tcgetattr(master, &tio);
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
        slave = ptsname(master);
    }
    ~TPtyPair() {
        if (master >= 0) close(master);
    }
    // Bytes readable at the master right now, without waiting.
    size_t ReadNow(uint8_t* buf, size_t cap) {
        size_t got = 0;
        pollfd p{master, POLLIN, 0};
        while (got < cap && poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
            const ssize_t n = read(master, buf + got, cap - got);
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        return got;
    }
};

}  // namespace

TEST(SerialAdapter, OpensExclusivelyAt57600Baud8N1WithoutFlowControl) {
    TPtyPair pty;
    ASSERT_FALSE(pty.slave.empty());
    TQtSerialPort port;
    TPortFailure failure;
    ASSERT_TRUE(port.Open(pty.slave.c_str(), failure)) << failure.detail;
    EXPECT_TRUE(port.IsOpen());

    termios tio{};
    ASSERT_EQ(tcgetattr(static_cast<int>(port.NativeHandle()), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B57600));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B57600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & PARENB, 0u);
    EXPECT_EQ(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
    // A second user of the same device is refused.
    TQtSerialPort second;
    TPortFailure f2;
    EXPECT_FALSE(second.Open(pty.slave.c_str(), f2));
    EXPECT_NE(f2.code, TPortError::None);
    EXPECT_FALSE(second.IsOpen());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.BytesWaiting(), -1);
}

TEST(SerialAdapter, AWrittenFrameHasLeftWhenWriteReturns) {
    TPtyPair pty;
    ASSERT_FALSE(pty.slave.empty());
    TQtSerialPort port;
    TPortFailure failure;
    ASSERT_TRUE(port.Open(pty.slave.c_str(), failure));
    uint8_t frame[102];
    for (int i = 0; i < 102; ++i) frame[i] = static_cast<uint8_t>(i * 5);
    for (int round = 0; round < 5; ++round) {
        EXPECT_TRUE(port.Write(frame, sizeof frame));
        uint8_t got[200] = {};
        // No event loop runs in between: the bytes must be on the other side already.
        ASSERT_EQ(pty.ReadNow(got, sizeof got), sizeof frame) << round;
        EXPECT_EQ(std::memcmp(got, frame, sizeof frame), 0);
    }
}

TEST(SerialAdapter, BytesWaitingCountsWhatHasArrivedAndReadTakesNoMore) {
    TPtyPair pty;
    ASSERT_FALSE(pty.slave.empty());
    TQtSerialPort port;
    TPortFailure failure;
    ASSERT_TRUE(port.Open(pty.slave.c_str(), failure));
    EXPECT_EQ(port.BytesWaiting(), 0);
    uint8_t bytes[150];
    for (int i = 0; i < 150; ++i) bytes[i] = static_cast<uint8_t>(255 - i);
    ASSERT_EQ(::write(pty.master, bytes, 101), 101);
    QElapsedTimer t;
    t.start();
    int waiting = 0;
    while ((waiting = port.BytesWaiting()) < 101 && t.elapsed() < 2000) QThread::msleep(5);
    EXPECT_EQ(waiting, 101);
    EXPECT_EQ(port.BytesWaiting(), 101);  // asking again takes nothing away
    ASSERT_EQ(::write(pty.master, bytes + 101, 49), 49);
    t.restart();
    while ((waiting = port.BytesWaiting()) < 150 && t.elapsed() < 2000) QThread::msleep(5);
    ASSERT_EQ(waiting, 150);
    uint8_t got[15000];
    EXPECT_EQ(port.Read(got, sizeof got), 150);
    EXPECT_EQ(std::memcmp(got, bytes, 150), 0);
    EXPECT_EQ(port.BytesWaiting(), 0);
}

TEST(SerialAdapter, AMissingDeviceIsReportedAsNotFound) {
    TQtSerialPort port;
    TPortFailure failure;
    EXPECT_FALSE(port.Open("/dev/quorvel05-no-such-port", failure));
    EXPECT_EQ(failure.code, TPortError::NotFound);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.BytesWaiting(), -1);
    EXPECT_EQ(port.Read(nullptr, 0), -1);
}
