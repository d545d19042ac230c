#include "qt_serial_port.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool TQtSerialPort::Open(const char* device, TPortFailure& failure) {
    if (port_.isOpen()) port_.close();
    port_.setPortName(QString::fromLocal8Bit(device));
    port_.setBaudRate(QSerialPort::Baud57600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) {
        // Settings applied before open are taken over by open; set them again for drivers that
        // only accept them on an open port.
        port_.setBaudRate(QSerialPort::Baud57600);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        port_.clear(QSerialPort::AllDirections);
        port_.clearError();
        failure.code = TPortError::None;
        return true;
    }
    switch (port_.error()) {
        case QSerialPort::DeviceNotFoundError:
            failure.code = TPortError::NotFound;
            break;
        case QSerialPort::PermissionError: {
#ifdef Q_OS_UNIX
            // The same error stands for a port held by another program: tell them apart.
            const bool accessible = ::access(device, R_OK | W_OK) == 0;
            failure.code = accessible ? TPortError::Busy : TPortError::PermissionDenied;
#else
            failure.code = TPortError::Busy;
#endif
            break;
        }
        default:
            failure.code = TPortError::Other;
            break;
    }
    std::snprintf(failure.detail, sizeof failure.detail, "%s",
                  port_.errorString().toLocal8Bit().constData());
    port_.clearError();
    return false;
}

void TQtSerialPort::Close() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.close();
}

bool TQtSerialPort::Write(const uint8_t* data, size_t n) {
    if (!port_.isOpen()) return false;
    const qint64 w = port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(n));
    // Wait until the driver has taken the frame; bounded so a stuck port cannot hang the tick.
    QElapsedTimer t;
    t.start();
    while (port_.bytesToWrite() > 0 && t.elapsed() < 100) port_.waitForBytesWritten(20);
    if (port_.bytesToWrite() > 0) return false;
    // Then until it has left the line: the driver's transmit queue has run empty (about 18 ms
    // for a frame at 57600 baud; without flow control nothing can hold it up).
    DrainTransmitQueue();
    return w == static_cast<qint64>(n);
}

void TQtSerialPort::DrainTransmitQueue() {
#if defined(Q_OS_UNIX)
    ::tcdrain(port_.handle());
#elif defined(Q_OS_WIN)
    ::FlushFileBuffers(port_.handle());
#endif
}

int TQtSerialPort::BytesWaiting() {
    if (!port_.isOpen()) return -1;
    if (port_.error() == QSerialPort::ResourceError) return -1;
    // Take in whatever the driver holds now, without waiting.
    for (int i = 0; i < 8 && port_.waitForReadyRead(0); ++i) {
    }
    if (port_.error() != QSerialPort::NoError && port_.error() != QSerialPort::TimeoutError &&
        port_.error() != QSerialPort::ResourceError)
        port_.clearError();
    if (port_.error() == QSerialPort::TimeoutError) port_.clearError();
    return static_cast<int>(port_.bytesAvailable());
}

int TQtSerialPort::Read(uint8_t* buffer, size_t cap) {
    if (!port_.isOpen()) return -1;
    return static_cast<int>(port_.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(cap)));
}
