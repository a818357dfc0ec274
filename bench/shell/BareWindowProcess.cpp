// The anchor of the start benchmark: a bare QMainWindow process that shows itself and ends
// at its first paint.

#include <QApplication>
#include <QMainWindow>
#include <QPaintEvent>
#include <cstdlib>

#include "ChildProcess.h"

namespace {

class BareWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        QMetaObject::invokeMethod(
            qApp,
            [] {
                bench::ReportPeakMemory();
                std::_Exit(0);
            },
            Qt::QueuedConnection);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BareWindow w;
    w.resize(1024, 700);
    w.show();
    return QApplication::exec();
}
