// The real serial adapter against the virtual unit program on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "app/Hlav.h"
#include "port_directory.h"
#include "qt_serial_port.h"

namespace {

struct TPtyUnit {
    QProcess process;
    std::string device;
    explicit TPtyUnit(const QStringList& args = {}) {
        process.start(QUORVEL05_UNITSIM_BIN, args);
        if (!process.waitForStarted(5000)) return;
        QElapsedTimer t;
        t.start();
        while (!process.canReadLine() && t.elapsed() < 5000) process.waitForReadyRead(100);
        device = QString::fromLocal8Bit(process.readLine()).trimmed().toStdString();
    }
    ~TPtyUnit() {
        process.terminate();
        if (!process.waitForFinished(3000)) process.kill();
    }
};

struct TPtyWindow {
    TQtSerialPort port;
    TSystemPortDirectory ports;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    explicit TPtyWindow(const std::string& device, const std::string& configDir) {
        ports.first.push_back(device);
        ports.devDir = "/nonexistent";
        platform.port = &port;
        platform.ports = &ports;
        platform.firstArgument = "ENGLISH";
        platform.configDir = configDir;
        form = std::make_unique<TFormHlav>(platform);
        form->FormCreate();
    }
    // Ticks in real time, a little faster than 55 ms, until done() or the limit.
    template <class Done>
    bool TickUntil(Done done, int maxTicks = 400) {
        for (int i = 0; i < maxTicks; ++i) {
            form->Timer1Timer();
            if (done()) return true;
            QThread::msleep(15);
        }
        return false;
    }
};

}  // namespace

TEST(PtyUnit, MonitorExchangeThroughTheRealSerialAdapter) {
    TPtyUnit unit;
    ASSERT_FALSE(unit.device.empty());
    QTemporaryDir config;
    TPtyWindow w(unit.device, config.path().toStdString());
    EXPECT_TRUE(w.form->link.open);
    EXPECT_TRUE(w.TickUntil([&] { return w.form->monitor.freshMonitorFrame; }));
    EXPECT_EQ(w.form->LabelRpm.Text().rfind("RPM = ", 0), 0u);
    EXPECT_FALSE(w.form->LabelSpojeni.Visible());
}

TEST(PtyUnit, ProgramSessionEndToEndLeavesTheUnitHoldingTheImage) {
    TPtyUnit unit;
    ASSERT_FALSE(unit.device.empty());
    QTemporaryDir config;
    TPtyWindow w(unit.device, config.path().toStdString());
    TFormHlav& f = *w.form;
    // Something the unit does not hold yet.
    f.image.SetCell(TMap::JetTp, 4, 5, 137);
    f.image.Set(TField::COOLING, 77);
    f.RefreshFieldsFromImage();  // Program takes the editor's values
    f.MenuProgramClick();
    ASSERT_TRUE(w.TickUntil([&] { return f.session.kind == TSessionKind::None; }));
    EXPECT_TRUE(f.session.programDone);
    EXPECT_EQ(f.LabelHlaseni.Text(), "Verify OK");
    f.Timer1Timer();
    EXPECT_EQ(f.LabelHlaseni.Text(), "Program device: OK");
    const TParamImage programmed = f.image;
    // Reading back brings the same six blocks (the identity block is the unit's own anyway).
    f.MenuReadClick();
    ASSERT_TRUE(w.TickUntil([&] { return f.session.kind == TSessionKind::None; }));
    EXPECT_EQ(f.LabelHlaseni.Text(), "Verify OK");
    EXPECT_TRUE(f.image == programmed);
    EXPECT_EQ(f.image.Cell(TMap::JetTp, 4, 5), 137);
}
