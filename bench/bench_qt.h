// The one QApplication of the benchmarks, under the offscreen platform.
#pragma once

#include <QApplication>

inline QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "quorvel05_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}
