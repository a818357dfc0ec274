#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <memory>

#include "platform/FileDialogInLocale.h"

namespace bw::dlg {

namespace {

Answerer& answerer() {
    static Answerer a;
    return a;
}

QList<Shown>& shownLog() {
    static QList<Shown> log;
    return log;
}

QPointer<QWidget>& parentWidget() {
    static QPointer<QWidget> p;
    return p;
}

// Records the dialog and, when an answerer is installed, returns its answer.
std::optional<QVariant> answered(Shown s) {
    if (!answerer()) {
        return std::nullopt;
    }
    s.answer = answerer()(s);
    shownLog().append(s);
    return s.answer;
}

void logShown(Shown s, const QVariant& answer) {
    s.answer = answer;
    shownLog().append(s);
}

// A window kept above the others (the printer choice, the offset dialog) stays above a
// message parented to it unless the message is kept above as well.
void KeepInFront(QWidget* dialog, QWidget* parent) {
    if (parent && (parent->windowFlags() & Qt::WindowStaysOnTopHint))
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

QString titleOr(const QString& title) {
    return title.isEmpty() ? AppTitle() : title;
}

}  // namespace

int TitleBarWidth(const QString& title, const QFontMetrics& metrics) {
    // The window's icon and its three buttons beside the title.
    constexpr int kTitleBarRoom = 140;
    return metrics.horizontalAdvance(title) + kTitleBarRoom;
}

QString AppTitle() {
    return QStringLiteral("Bellweft");
}

int MsgBox(const QString& text, int style, const QString& title) {
    Shown s{Shown::Message, titleOr(title), text, {}, style, {}, FrontWindow()};
    if (auto a = answered(s)) {
        bool ok = false;
        int v = a->toInt(&ok);
        int buttons = style & 7;
        if (!ok || !a->isValid()) {
            v = (buttons == OkOnly) ? Ok : (buttons == OkCancel ? Cancel : No);
            if (buttons == YesNoCancel) v = Cancel;
        }
        return v;
    }
    QMessageBox box(s.parent);
    KeepInFront(&box, s.parent);
    box.setWindowTitle(titleOr(title));
    box.setText(text);
    switch (style & 0x70) {
        case Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    switch (style & 7) {
        case OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
            break;
        case YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
            box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
            break;
        case YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
            box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
            break;
    }
    // A box as narrow as a short text would cut its title: it is as wide as the whole title
    // beside the title bar's icon and buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(box.windowTitle(), box.fontMetrics()), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    int r = box.exec();
    int v = Ok;
    switch (r) {
        case QMessageBox::Ok:
            v = Ok;
            break;
        case QMessageBox::Cancel:
            v = Cancel;
            break;
        case QMessageBox::Yes:
            v = Yes;
            break;
        case QMessageBox::No:
            v = No;
            break;
        default:
            v = ((style & 7) == OkOnly) ? Ok : Cancel;
            break;
    }
    logShown(s, v);
    return v;
}

std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText) {
    Shown s{Shown::Input, titleOr(title), prompt, defaultText, 0, {}, FrontWindow()};
    if (auto a = answered(s)) {
        if (!a->isValid()) return std::nullopt;
        return a->toString();
    }
    QInputDialog d(s.parent);
    d.setWindowTitle(titleOr(title));
    d.setLabelText(prompt);
    d.setTextValue(defaultText);
    // The dialog's layout keeps it as narrow as its parts: the edit line makes it wide.
    if (auto* edit = d.findChild<QLineEdit*>())
        edit->setMinimumWidth(TitleBarWidth(titleOr(title), d.fontMetrics()));
    const bool ok = d.exec() == QDialog::Accepted;
    const QString t = d.textValue();
    logShown(s, ok ? QVariant(t) : QVariant());
    if (!ok) return std::nullopt;
    return t;
}

QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    // A description that already names its patterns ("PDF文件(*.pdf)") loses them: each
    // filter shows its real patterns once.
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        QString description = parts[i];
        description.remove(ownPatterns);
        if (description.isEmpty()) description = patterns;
        out << description + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

static QString fileDialog(Shown::Kind kind, const QString& filter, const QString& defaultName,
                          const QString& title) {
    Shown s{kind, title, filter, defaultName, 0, {}, FrontWindow()};
    if (auto a = answered(s)) return a->isValid() ? a->toString() : QString();
    std::unique_ptr<QFileDialog> d(
        NewFileDialog(s.parent, title, defaultName, QtFilter(filter), kind == Shown::SaveFile));
    const QString r = d->exec() == QDialog::Accepted && !d->selectedFiles().isEmpty()
                          ? d->selectedFiles().constFirst()
                          : QString();
    logShown(s, r.isEmpty() ? QVariant() : QVariant(r));
    return r;
}

QString OpenFileName(const QString& filter, const QString& defaultName, const QString& title) {
    return fileDialog(Shown::OpenFile, filter, defaultName, title);
}

QString SaveFileName(const QString& filter, const QString& defaultName, const QString& title) {
    return fileDialog(Shown::SaveFile, filter, defaultName, title);
}

std::optional<FontChoice> ChooseFontDialog(const FontChoice& initial) {
    Shown s{Shown::Font, AppTitle(), initial.font.family(), initial.color.name(),
            0,           {},         FrontWindow()};
    if (auto a = answered(s)) {
        if (!a->isValid()) return std::nullopt;
        if (a->canConvert<QFont>()) return FontChoice{a->value<QFont>(), initial.color};
        return std::nullopt;
    }
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial.font, s.parent);
    logShown(s, ok ? QVariant(f) : QVariant());
    if (!ok) return std::nullopt;
    return FontChoice{f, initial.color};
}

std::optional<QColor> ChooseColorDialog(const QColor& initial) {
    Shown s{Shown::Color, AppTitle(), {}, initial.name(), 0, {}, FrontWindow()};
    if (auto a = answered(s)) {
        if (!a->isValid()) return std::nullopt;
        return a->value<QColor>();
    }
    QColor c = QColorDialog::getColor(initial, s.parent);
    logShown(s, c.isValid() ? QVariant(c) : QVariant());
    if (!c.isValid()) return std::nullopt;
    return c;
}

void SetAnswerer(Answerer a) {
    answerer() = std::move(a);
}
bool HasAnswerer() {
    return static_cast<bool>(answerer());
}
const QList<Shown>& ShownLog() {
    return shownLog();
}
void ClearShown() {
    shownLog().clear();
}
QWidget* FrontWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) return modal;
    QWidget* active = QApplication::activeWindow();
    QWidget* topmost = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isVisible() || (type != Qt::Window && type != Qt::Dialog)) continue;
        if (!(w->windowFlags() & Qt::WindowStaysOnTopHint)) continue;
        if (w == active) return w;
        topmost = w;
    }
    if (topmost) return topmost;
    if (active && active->isVisible()) return active;
    return parentWidget();
}

void SetDialogParent(QWidget* parent) {
    parentWidget() = parent;
}
QWidget* DialogParent() {
    return parentWidget();
}

}  // namespace bw::dlg
