#include "MainWindowFixture.h"

#include <QComboBox>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "common/Common.h"
#include "common/Database.h"
#include "common/SelFormat.h"
#include "library/FormatListData.h"
#include "library/ui/FmtList.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "shell/Startup.h"
#include "store/BoxModel.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

namespace bw::test {

void MainWindowTest::SetUp() {
    CloseDatabase();
    ReleaseInstanceLock();
    SetPauseMillisPerPass(0);
}

void MainWindowTest::TearDown() {
    // A layout the test changed goes with the window, unsaved.
    dlg::SetAnswerer([](const dlg::Shown& s) -> QVariant {
        if (s.kind != dlg::Shown::Message) return QVariant();
        const int buttons = s.style & 7;
        return int(buttons == dlg::OkOnly     ? dlg::Ok
                   : buttons == dlg::OkCancel ? dlg::Cancel
                                              : dlg::No);
    });
    closeWindow();
    InstallDefaultAnswerer();
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

void answerChooser(const QString& text, bool cancel) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text, cancel] {
        SelFormat* d = SelFormat::Current();
        if (!d || !d->isVisible()) return;
        if (!cancel && !text.isNull()) d->CMB->setEditText(text);
        d->COM_Click(cancel ? 1 : 0);
        poll->deleteLater();
    });
    poll->start(5);
}

void answerFormatList(const QString& name) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name] {
        FmtList* w = FmtList::Current();
        if (!w || !w->isVisible()) return;
        Grid& g = w->grid();
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            if (g.TextMatrix(r, kFormatListNameCol) == name) g.SetRow(r);
        w->COM_Click(0);
        poll->deleteLater();
    });
    poll->start(5);
}

bool pressEsc(QWidget* window) {
    QPointer<QWidget> w(window);
    window->activateWindow();
    const auto keyboardInside = [&w] {
        QWidget* focus = QApplication::focusWidget();
        return w && QApplication::activeWindow() == w && (!focus || w->isAncestorOf(focus));
    };
    if (QTest::qWaitForWindowActive(window) && QTest::qWaitFor(keyboardInside))
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    QApplication::processEvents();
    if (!w || !w->isVisible()) return true;
    w->close();
    return false;
}

TextBox* textBoxCaptioned(const QString& caption) {
    for (TextBox* t : MF().TT) {
        Label* l = CaptionLabel(t->Index());
        if (l && l->Caption() == caption) return t;
    }
    return nullptr;
}

double darkShare(PictureBox* box) {
    const QImage img = box->Image();
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) dark += qGray(img.pixel(x, y)) < 80;
    return img.isNull() ? 0 : double(dark) / (img.width() * img.height());
}

}  // namespace bw::test
