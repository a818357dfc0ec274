// The anchor of the start benchmark: a bare QMainWindow process that shows itself and ends
// at its first paint. With `--text` it shows one line of Chinese text: the font set-up that
// any window showing Chinese pays, and the bare window does not.

#include <QApplication>
#include <QLabel>
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
    if (argc > 1 && qstrcmp(argv[1], "--text") == 0)
        w.setCentralWidget(new QLabel(QStringLiteral("单据打印 批量数据 历史记录 标签打印")));
    w.show();
    return QApplication::exec();
}
