#include "MainWindowFixture.h"

#include <QPixmap>

#include "common/Common.h"
#include "common/Database.h"
#include "platform/AppFolder.h"
#include "shell/Startup.h"

namespace bw::test {

void MainWindowTest::SetUp() {
    CloseDatabase();
    ReleaseInstanceLock();
    SetPauseMillisPerPass(0);
}

void MainWindowTest::TearDown() {
    closeWindow();
    ReleaseInstanceLock();
    CloseDatabase();
    SetAppPath(folder_.path());
}

QStringList MainWindowTest::arguments() const {
    return {QStringLiteral("bellweft"), QStringLiteral("--data-dir"), folder_.path()};
}

MainWindow* MainWindowTest::start(bool* ran) {
    CloseDatabase();
    const bool r = Main(arguments());
    if (ran) *ran = r;
    settle();
    return TheMainWindow();
}

void MainWindowTest::closeWindow() {
    if (MainWindow* w = TheMainWindow()) {
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

void MainWindowTest::settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QImage MainWindowTest::grab() {
    MainWindow* w = TheMainWindow();
    return w ? w->grab().toImage() : QImage();
}

}  // namespace bw::test
