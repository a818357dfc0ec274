#pragma once
// The progress window of long operations. An operation opens it with a caption and the
// number of its steps, advances it step by step and closes it; once the window shows, each
// step lets pending window messages through, so the other windows keep repainting while the
// operation runs (also after the user closed the window, until the operation closes it).
// Steps while no window shows (not due yet, or closed by the program) run straight through.
// The user closes the window with its close button or Esc; operations that can stop early
// (downloads) take that as a cancel, the others run to their end. One progress window at a
// time; a second ShowProgress reuses the open one. The window stands in front of the window
// that waits on the operation (the window system keeps it there however that window is
// clicked) and takes the keyboard when it shows, so that Esc reaches it and nothing behind.

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace bw {

// Opens the window (or reuses the open one) with the caption and the total number of
// steps; the bar starts at `start` steps, or where the previous operation left it when
// `start` is negative. A new window waits on the ProgressOwner's window, else on the window
// in front (dlg::FrontWindow).
void ShowProgress(const QString& caption, int total, int start = 0);
// Advances by `step` steps: the share done as "37.5%", and, for the unit "pages", the
// elapsed/remaining/estimated time and "(done/total)".
void UpdateProgress(int step = 1, const QString& unit = QStringLiteral("pages"));
// Closes the window; nothing when none is open.
void CloseProgress();
// Draws the bar for `value` steps and makes it the current count.
void DrawProgressBar(int value);

// -1 while the window is open, 0 once it was closed (by CloseProgress or by the user, which
// long downloads take as the sign to stop).
int ProgressShown();
int ProgressTotal();
int ProgressCurrent();

// The bar: a blue box growing from the left, as wide as value / total of the box.
class ProgressPicture : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPicture(QWidget* parent = nullptr);
    void SetBar(int value, int total);
    // The width of the filled part in pixels.
    int FilledWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
    int total_ = 0;
};

// The window itself, caption "进度指示器".
class Indicator : public QWidget {
    Q_OBJECT
public:
    explicit Indicator(QWidget* parent = nullptr);
    ~Indicator() override;

    QLabel* LBL;           // the caption of the operation
    ProgressPicture* Pic;  // the bar
    QLabel* Percent;       // "37.5%"
    QLabel* L2;            // elapsed/remaining/estimated time
    QLabel* L1;            // "(done/total)"

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the window.
    void keyPressEvent(QKeyEvent* event) override;
};

// The open progress window, or null.
Indicator* ProgressWindow();

// While one lives, a progress window that opens stands in front of `window`: for a window
// whose operations run while another may be in front (its first request as it opens).
class ProgressOwner {
public:
    explicit ProgressOwner(QWidget* window);
    ~ProgressOwner();
    ProgressOwner(const ProgressOwner&) = delete;
    ProgressOwner& operator=(const ProgressOwner&) = delete;

private:
    QPointer<QWidget> previous_;
};

// The window of an operation appears only once the operation has run `ms` milliseconds
// (0, the default: at once); a shorter one runs without it and without letting window
// messages through. The window object exists and takes the texts from the start either way.
void SetProgressShowDelay(int ms);
// The delay the program sets at its start.
constexpr int kProgramProgressShowDelayMs = 500;

// Tests set the clock (milliseconds) that measures the elapsed time; an empty function
// returns to the real clock.
void SetProgressClock(std::function<qint64()> clock);

}  // namespace bw
