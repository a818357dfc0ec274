// What the benchmark programs with windows and a data folder do before they measure.

#pragma once

#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>

namespace bench {

// Offscreen windows unless a platform is given, and the local time zone read once from its
// file rather than looked up at every date conversion. Call before the QApplication is made.
inline void UseOffscreenAndLocalTime() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
}

// For profiling by hand: with BW_KEEP_BENCH_DATA set the folder is kept, and where is said.
inline void KeepIfAsked(QTemporaryDir& dir) {
    if (!qEnvironmentVariableIsSet("BW_KEEP_BENCH_DATA")) return;
    dir.setAutoRemove(false);
    std::printf("data kept in %s\n", qPrintable(dir.path()));
}

}  // namespace bench
