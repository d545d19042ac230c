// A main window with its Qt view on the in-process virtual unit, under the offscreen platform.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "app/Hlav.h"
#include "form_view.h"
#include "port_directory.h"
#include "qt_services.h"
#include "sim_port.h"
#include "unit_sim.h"

struct TGuiFixture {
    QTemporaryDir dir;
    TUnitSim sim;
    TSimPort port{sim};
    TSystemPortDirectory ports;
    TModalGuard guard;
    TQtDialogs dialogs{guard};
    TQtClock clock;
    TPlatform platform;
    std::unique_ptr<TFormHlav> form;
    std::unique_ptr<TFormView> view;

    TGuiFixture() {
        ports.first.push_back(kSimDeviceName);
        ports.devDir = "/nonexistent";
        platform.port = &port;
        platform.ports = &ports;
        platform.dialogs = &dialogs;
        platform.clock = &clock;
        platform.exePath = "/opt/quorvel05/quorvel05";
        platform.firstArgument = "ENGLISH";
        platform.configDir = dir.path().toStdString();
        platform.groupSeparator = ",";
    }
    void Start() {
        form = std::make_unique<TFormHlav>(platform);
        view = std::make_unique<TFormView>(*form, guard);
        dialogs.SetParent(view.get());
        view->Start();
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) view->Tick();
    }
};
