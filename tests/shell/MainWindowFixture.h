#pragma once
// Starting the real program in a test: a data folder of the test's own, the program's entry
// with that folder on its command line, and the main window closed and gone at the end; and
// the format chooser answered by the test; the windows a command opens found, acted on once
// they show, and Esc pressed in them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "TestSupport.h"
#include "shell/MainWindow.h"

namespace bw {
class PictureBox;
class TextBox;
}  // namespace bw

namespace bw::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the program's entry on the test's data folder; the main window (null when the
    // entry ended at once or a password prompt opened).
    MainWindow* start(bool* ran = nullptr);
    // Closes the main window as the user does and waits until it is gone.
    void closeWindow();
    // Lets the window paint.
    static void settle();
    // The main window as it is painted.
    static QImage grab();

    QStringList arguments() const;

    TempDataFolder folder_;
};

// The shown top-level window of type T, or null.
template <class T>
T* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) return d;
    return nullptr;
}

// Runs `act` once a window of type T shows: for a window that the command opening it waits
// for.
template <class T>
void whenShown(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        T* d = shownWindow<T>();
        if (!d) return;
        poll->stop();
        poll->deleteLater();
        act(d);
    });
    poll->start(5);
}

// The window in front, the keyboard where it falls when the window comes up (its focus
// widget, or the window itself), and Esc pressed there as a clerk presses it. True when that
// closed the window; a window Esc left open is closed by the test, so that a command waiting
// for it goes on.
bool pressEsc(QWidget* window);

// Answers the next format chooser with the text typed into it (a null text: as offered), or
// cancels it.
void answerChooser(const QString& text, bool cancel = false);
// Chooses the format in the next format list (选择/管理格式模板).
void answerFormatList(const QString& name);
// The first text box of the open format whose caption label reads `caption`, or null.
TextBox* textBoxCaptioned(const QString& caption);
// Share of the picture box's pixels that are dark: a drawn QR code has plenty.
double darkShare(PictureBox* box);

}  // namespace bw::test
