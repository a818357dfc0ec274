#include "common/Common.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <QWidget>

#include "common/Globals.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/ShowAndWait.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"

namespace bw {

double CanvasToMm(double units, double canvasWidth, double paperWidthMm) {
    if (paperWidthMm == 0.0 || canvasWidth == 0.0) return 0.0;
    return RoundHalfEven(units / (canvasWidth / paperWidthMm) * 1000.0) / 1000.0;
}

int MmToCanvas(double mm, double canvasWidth, double paperWidthMm) {
    if (paperWidthMm == 0.0) return 0;
    return CLng((canvasWidth / paperWidthMm) * mm);
}

double ParseMoney(const QString& value) {
    return ParseMoney(value, CurrencySign);
}

double ParseMoney(const QString& value, const QString& currencySign) {
    QString t = value;
    if (!currencySign.isEmpty()) t.remove(currencySign);
    t.remove(QStringLiteral("￥"));
    t.remove(u'$');
    t.remove(u',');
    t = t.trimmed();
    if (t.endsWith(u'%')) return Val(t.left(t.size() - 1)) / 100.0;
    return Val(t);
}

QString FormatSeconds(qint64 n) {
    qint64 s = 0, m = 0, h = 0, d = 0;
    if (n >= 0) {
        s = n % 60;
        m = (n / 60) % 60;
        if (n < 216000) {
            h = n / 3600;
        } else {
            h = (n / 3600) % 60;
            d = (n / 216000) % 24;
        }
    }
    QString t = QStringLiteral("%1:%2:%3:%4").arg(d).arg(h).arg(m).arg(s);
    for (int i = 0; i < 2 && t.startsWith(QLatin1String("0:")); ++i) t.remove(0, 2);
    return t;
}

QString SplitAtSeparator(QString& text, const QString& separator, int firstFlag) {
    if (separator.isEmpty()) return {};
    if (firstFlag == 0) {
        int p = text.lastIndexOf(separator);
        if (p < 0) return {};
        QString after = text.mid(p + separator.size());
        text = text.left(p);
        return after;
    }
    int p = text.indexOf(separator);
    if (p < 0) return {};
    QString before = text.left(p);
    text = text.mid(p + separator.size());
    return before;
}

QDate FirstDayOfMonth(const QDate& d) {
    return QDate(d.year(), d.month(), 1);
}
QDate LastDayOfMonth(const QDate& d) {
    return FirstDayOfMonth(d).addMonths(1).addDays(-1);
}

QString CheckMark(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("√") : QString();
    bool ok = false;
    double v = value.toDouble(&ok);
    if (!ok) v = Val(value.toString());
    return v != 0.0 ? QStringLiteral("√") : QString();
}

void NumericKeyFilter(int& keyAscii) {
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 || keyAscii == '.' || keyAscii == '-')
        return;
    keyAscii = 0;
}

bool IsFormOpen(const QString& caption) {
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w->isVisible() && w->windowTitle() == caption) return true;
    return false;
}

void WaitForForm(const QString& caption) {
    // Each open window of that caption in turn, until none is left.
    for (;;) {
        QWidget* open = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == caption) open = w;
        if (!open) return;
        WaitWhileVisible(open);
    }
}

namespace {
double& pauseMillis() {
    static double ms = 0.1;
    return ms;
}
}  // namespace

void SetPauseMillisPerPass(double ms) {
    pauseMillis() = ms;
}

void Pause(int n) {
    if (n < 0) return;
    for (int i = 0; i <= n; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    const double ms = pauseMillis() * (n + 1);
    if (ms >= 1.0) QThread::msleep(static_cast<unsigned long>(ms));
}

bool EnsureAppFolder(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty()) return false;
    const QString path = AppFile(n);
    if (QFileInfo::exists(path)) return true;
    return QDir().mkpath(path);
}

void ShellOpen(const QString& target) {
    QUrl url = QUrl::fromUserInput(target, AppPath(), QUrl::AssumeLocalFile);
    QDesktopServices::openUrl(url);
}

void SetTopmost(QWidget* window) {
    if (!window) return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (visible) window->show();
}

void CursorPos(int& x, int& y) {
    const QPoint p = QCursor::pos();
    x = PixelsToTwips(p.x());
    y = PixelsToTwips(p.y());
}

QString OpenPictureDialog() {
    return dlg::OpenFileName(kPictureFilter);
}

QString FileDialog(const QString& filter, bool save, const QString& defaultName) {
    return save ? dlg::SaveFileName(filter, defaultName) : dlg::OpenFileName(filter, defaultName);
}

bool ChooseFont(QWidget* control) {
    if (!control) return false;
    dlg::FontChoice initial{control->font(), control->palette().color(QPalette::WindowText)};
    if (initial.font.family().isEmpty()) initial.font.setFamily(QStringLiteral("宋体"));
    auto chosen = dlg::ChooseFontDialog(initial);
    if (!chosen) return false;
    QFont f = chosen->font;
    if (f.pointSizeF() <= 0) f.setPointSizeF(0.1);
    control->setFont(f);
    QPalette pal = control->palette();
    pal.setColor(QPalette::WindowText, chosen->color);
    pal.setColor(QPalette::Text, chosen->color);
    control->setPalette(pal);
    return true;
}

QColor ChooseColour(const QColor& initial) {
    auto c = dlg::ChooseColorDialog(initial);
    return c ? *c : initial;
}

}  // namespace bw
