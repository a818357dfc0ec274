// The program's start as a whole process, ended at the first paint of the main window's
// canvas: `start_process DATA_DIR SETTINGS_DIR`. Run by the start benchmark beside
// bare_window_process; dialogs are answered at once so nothing waits for a user.

#include <QApplication>
#include <QEvent>
#include <cstdlib>

#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "store/Canvas.h"
#include "store/MainForm.h"

#include "ChildProcess.h"

namespace {

// Ends the process when the watched widget has painted.
class EndAtFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        const bool result = QObject::eventFilter(watched, e);
        if (e->type() == QEvent::Paint) {
            // Ends after the paint: the filter runs before it, so wait for the next turn.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    bench::ReportPeakMemory();
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return result;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    // As the program's own entry does.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bellweft"));
    QApplication::setOrganizationName(QStringLiteral("Bellweft"));
    bw::SetSettingsFolder(QString::fromLocal8Bit(argv[2]));
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(); });
    const QStringList arguments = {QStringLiteral("bellweft"), QStringLiteral("--data-dir"),
                                   QString::fromLocal8Bit(argv[1])};
    if (!bw::Main(arguments) || !bw::TheMainWindow()) return 1;
    EndAtFirstPaint watcher;
    bw::MF().PG->installEventFilter(&watcher);
    return QApplication::exec();
}
