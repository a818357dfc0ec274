#pragma once
// The progress window of long operations. An operation opens it with a caption and the
// number of its steps, advances it step by step and closes it; once the window shows, each
// step lets pending window messages through, so the other windows keep repainting while the
// operation runs (also after the user closed the window, until the operation closes it).
// Steps while no window shows (not due yet, or closed by the program) run straight through.
// An operation that can stop early (a batch print, a download) says so as it opens the
// window: Esc or the close button then closes the window and asks it to stop, which it does
// at its next step (a batch print after the bill being drawn; a download reads
// ProgressShown() == 0 as its cancel). An operation that cannot stop half-way keeps its
// window until it ends: Esc and the close button do nothing there. One progress window at a
// time; a second ShowProgress reuses the open one. The window stands in front of the window
// that waits on the operation (the window system keeps it there however that window is
// clicked) and takes the keyboard when it shows, so that Esc reaches it and nothing behind.

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace bw {

// Whether the user may stop an operation from its progress window.
enum class Stoppable { No, Yes };

// Opens the window (or reuses the open one) with the caption and the total number of
// steps; the bar starts at `start` steps, or where the previous operation left it when
// `start` is negative. A new window waits on the ProgressOwner's window, else on the window
// in front (dlg::FrontWindow). The operation runs until CloseProgress.
void ShowProgress(const QString& caption, int total, int start = 0,
                  Stoppable stoppable = Stoppable::No);
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
// True from ShowProgress until CloseProgress: an operation runs.
bool ProgressRunning();
// True once the user asked the running stoppable operation to stop (Esc or the close
// button of its window, or AskProgressStop); false for one that cannot stop.
bool ProgressStopAsked();
// Asks the running operation to stop as Esc on its window does: a stoppable one loses its
// window and ProgressStopAsked() turns true; one that cannot stop goes on, its window kept.
void AskProgressStop();
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
    // Refused while an operation that cannot stop runs.
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the window (as far as the operation lets it).
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

// Tests set the window's clock (milliseconds): it measures the elapsed time shown, the show
// delay and the few milliseconds within which steps share one pass through window messages
// (a clock that moves on by 15 or more at each reading lets them through at every step). An
// empty function returns to the real clock.
void SetProgressClock(std::function<qint64()> clock);

}  // namespace bw
