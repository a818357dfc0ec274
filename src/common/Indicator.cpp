#include "common/Indicator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "common/Common.h"
#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

struct ProgressState {
    QString caption;
    int total = 0;
    int current = 0;
    qint64 startMs = 0;
    int shown = 0;
    QPointer<Indicator> window;
    std::function<qint64()> clock;
    // When the steps last let window messages through, on the window's clock.
    bool pumped = false;
    qint64 pumpedMs = 0;
    // The window appears once the operation has run this long; before that nothing is
    // painted for it.
    int showDelayMs = 0;
    qint64 openedMs = 0;
    // What the last step counted (-1 before the first) and whether in pages.
    qint64 counted = -1;
    bool inPages = false;
    // The user closed the shown window: the long operation goes on, still letting window
    // messages through, until it closes.
    bool closedByUser = false;
    // Between ShowProgress and CloseProgress; whether the user may stop the operation, and
    // whether they asked it to.
    bool running = false;
    bool stoppable = false;
    bool stopAsked = false;
    // The window that waits on the operations of the live ProgressOwner.
    QPointer<QWidget> owner;
};

ProgressState& state() {
    static ProgressState s;
    return s;
}

// The window's clock: the test's, else a monotonic one that no change of the date moves.
qint64 nowMs() {
    ProgressState& s = state();
    if (s.clock) return s.clock();
    static const QElapsedTimer monotonic = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return monotonic.elapsed();
}

// Lets pending window messages through while the window shows (or after the user closed
// it). Steps that follow each other within a few milliseconds of the window's clock share
// one pass, so that an operation of many thousand steps does not spend its time repainting.
void pump(bool always) {
    ProgressState& s = state();
    // An operation whose window is not due yet is short: it runs straight through. So do
    // the steps after the window was closed by the program (an inner operation's close
    // ends the outer one's window too): nothing asks for the other windows to repaint.
    const bool shown = s.window ? s.window->isVisible() : s.closedByUser;
    if (!shown) return;
    if (!always && s.pumped) {
        const qint64 since = nowMs() - s.pumpedMs;
        // A clock set back (a test's) counts as due.
        if (since >= 0 && since < 15) return;
    }
    QCoreApplication::processEvents();
    s.pumped = true;
    s.pumpedMs = nowMs();
}

void setText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

// The share done as "37.5%" and, for the unit "pages", the times and "(done/total)".
void writeCounts() {
    ProgressState& s = state();
    Indicator* w = s.window;
    if (!w || s.counted < 0) return;
    const qint64 done = s.counted;
    // The share done, cut to thousandths; counted in whole numbers so that 7 of 10 is 70%.
    const auto thousandths =
        static_cast<qint64>(std::floor(static_cast<double>(done) * 1000 / s.total));
    const double fraction = thousandths / 1000.0;
    setText(w->Percent, NumText(thousandths / 10.0) + u'%');
    if (s.inPages && thousandths >= 1) {
        const qint64 elapsed = std::max<qint64>(0, (nowMs() - s.startMs) / 1000);
        const qint64 estimate = CLng64(elapsed / fraction);
        const qint64 remaining = estimate - elapsed;
        setText(w->L2, FormatSeconds(elapsed) + u'/' + FormatSeconds(remaining) + u'/' +
                           FormatSeconds(estimate));
        setText(w->L1, u'(' + QString::number(done) + u'/' + QString::number(s.total) + u')');
    }
}

// Shows the hidden window once the operation has run long enough.
void showWhenDue() {
    ProgressState& s = state();
    if (!s.window || s.window->isVisible()) return;
    if (s.showDelayMs > 0 && nowMs() - s.openedMs < s.showDelayMs) return;
    writeCounts();
    s.window->show();
    s.window->raise();
    // The keyboard comes with it while the program is in front, so Esc reaches it.
    if (QApplication::activeWindow()) s.window->activateWindow();
    pump(true);
}

// The user took the window away: the operation goes on without it, asked to stop when it
// can.
void userTookWindow() {
    ProgressState& s = state();
    s.window = nullptr;
    s.shown = 0;
    s.closedByUser = true;
    if (s.running && s.stoppable) s.stopAsked = true;
}

// The window a new progress window stands in front of.
QWidget* ownerWindow() {
    QWidget* owner = state().owner;
    if (!owner || !owner->isVisible()) owner = dlg::FrontWindow();
    return owner && !qobject_cast<Indicator*>(owner) ? owner : dlg::DialogParent();
}

}  // namespace

// ---- The bar ------------------------------------------------------------------------

ProgressPicture::ProgressPicture(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(18);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressPicture::SetBar(int value, int total) {
    if (value == value_ && total == total_) return;
    const int before = FilledWidth();
    value_ = value;
    total_ = total;
    if (FilledWidth() != before) update();
}

int ProgressPicture::FilledWidth() const {
    if (total_ == 0) return 0;
    const double w = static_cast<double>(width()) * value_ / total_;
    return static_cast<int>(std::clamp(w, 0.0, static_cast<double>(width())));
}

void ProgressPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.fillRect(QRect(0, 0, FilledWidth(), height()), QColor(0, 0, 255));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- The window ---------------------------------------------------------------------

Indicator::Indicator(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("进度指示器"));
    LBL = new QLabel(QStringLiteral("进度条指示器"), this);
    LBL->setWordWrap(true);
    Pic = new ProgressPicture(this);
    Percent = new QLabel(QStringLiteral("0%"), this);
    L2 = new QLabel(this);
    L2->setToolTip(QStringLiteral("已用时间/剩余时间/预计总时间"));
    L1 = new QLabel(this);
    auto* counts = new QHBoxLayout;
    counts->addWidget(Percent);
    counts->addStretch(1);
    counts->addWidget(L1);
    counts->addSpacing(12);
    counts->addWidget(L2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LBL);
    layout->addWidget(Pic);
    layout->addLayout(counts);
    setFixedSize(380, 120);
    state().shown = -1;
}

// Gone with the window it stood in front of: as if the user had closed it.
Indicator::~Indicator() {
    ProgressState& s = state();
    if (s.window == this) userTookWindow();
}

// Closed by the user: the window goes and a stoppable operation is asked to stop; one that
// cannot stop half-way keeps its window.
void Indicator::closeEvent(QCloseEvent* event) {
    ProgressState& s = state();
    if (s.window == this && s.running && !s.stoppable) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (s.window == this) userTookWindow();
    deleteLater();
}

void Indicator::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- The operations -----------------------------------------------------------------

void ShowProgress(const QString& caption, int total, int start, Stoppable stoppable) {
    ProgressState& s = state();
    s.caption = caption;
    s.total = total;
    s.closedByUser = false;
    if (!s.running) s.stopAsked = false;
    s.running = true;
    s.stoppable = stoppable == Stoppable::Yes;
    if (!s.window) {
        s.window = new Indicator(ownerWindow());
        if (QScreen* screen = s.window->screen()) {
            const QRect area = screen->availableGeometry();
            s.window->move(area.center() - s.window->rect().center());
        }
    }
    s.window->LBL->setText(caption);
    pump(true);
    if (start < 0) start = s.current;
    if (s.window) {
        s.window->Pic->SetBar(0, 0);
        setText(s.window->Percent, QStringLiteral("0%"));
        s.window->L1->clear();
        s.window->L2->clear();
    }
    s.openedMs = nowMs();
    s.counted = -1;
    DrawProgressBar(start);
    s.startMs = nowMs();
    showWhenDue();
    // A long step that waits in an event loop of its own (a download) shows the window too.
    if (s.window && !s.window->isVisible())
        QTimer::singleShot(s.showDelayMs, s.window, [] { showWhenDue(); });
}

void UpdateProgress(int step, const QString& unit) {
    ProgressState& s = state();
    if (s.total < 1) s.total = 1;
    const qint64 done = static_cast<qint64>(s.current) + step;
    s.counted = done;
    s.inPages = unit.compare(QLatin1String("pages"), Qt::CaseInsensitive) == 0;
    // A window not shown yet gets its counts when it shows.
    if (s.window && s.window->isVisible()) writeCounts();
    DrawProgressBar(static_cast<int>(done));
}

void DrawProgressBar(int value) {
    ProgressState& s = state();
    s.current = value;
    if (s.total != 0 && s.window) s.window->Pic->SetBar(value, s.total);
    pump(false);
    showWhenDue();
}

void CloseProgress() {
    ProgressState& s = state();
    pump(true);
    Indicator* w = s.window;
    s.window = nullptr;
    delete w;
    s.shown = 0;
    s.closedByUser = false;
    s.running = false;
    s.stoppable = false;
    s.stopAsked = false;
}

bool ProgressRunning() {
    return state().running;
}
bool ProgressStopAsked() {
    return state().stopAsked;
}

void AskProgressStop() {
    ProgressState& s = state();
    if (!s.running || !s.stoppable) return;
    Indicator* w = s.window;
    userTookWindow();
    if (w) {
        w->hide();
        w->deleteLater();
    }
}

int ProgressShown() {
    return state().shown;
}
int ProgressTotal() {
    return state().total;
}
int ProgressCurrent() {
    return state().current;
}
Indicator* ProgressWindow() {
    return state().window;
}

ProgressOwner::ProgressOwner(QWidget* window) : previous_(state().owner) {
    state().owner = window;
}
ProgressOwner::~ProgressOwner() {
    state().owner = previous_;
}

void SetProgressShowDelay(int ms) {
    state().showDelayMs = std::max(0, ms);
}
void SetProgressClock(std::function<qint64()> clock) {
    state().clock = std::move(clock);
}

}  // namespace bw
