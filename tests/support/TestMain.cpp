// Test main: a QApplication on the offscreen platform, with settings and data in temporary
// folders of the test run, so that no test touches the user's own files or blocks on a dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"

#if defined(__SANITIZE_ADDRESS__)
// In a sanitizer build (BW_SANITIZE): Qt, fontconfig and the GL stubs keep caches for the life
// of the process, which LeakSanitizer would report at every exit; addressing errors and
// undefined behaviour are still reported and end the test.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bellweft"));
    static QTemporaryDir root;
    bw::SetSettingsFolder(root.filePath(QStringLiteral("settings")));
    bw::SetAppPath(root.filePath(QStringLiteral("data")));
    bw::test::InstallDefaultAnswerer();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
