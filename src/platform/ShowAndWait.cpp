#include "platform/ShowAndWait.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace bw {

namespace {

// Ends the loop when the watched window hides.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop& loop) : loop_(loop) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) loop_.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};

}  // namespace

void WaitWhileVisible(QWidget* window) {
    if (!window || !window->isVisible()) return;
    QPointer<QWidget> guard(window);
    QEventLoop loop;
    HideWatcher watcher(window, loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (auto* dialog = qobject_cast<QDialog*>(window))
        QObject::connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    loop.exec();
    if (guard) guard->removeEventFilter(&watcher);
}

void ShowAndWait(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
    WaitWhileVisible(window);
}

}  // namespace bw
