#include "common/Params.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "common/Database.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"

namespace bw {

bool SetParam(const QString& name, const QString& value) {
    Transaction t;
    return t.Active() && ExecuteSql(QStringLiteral("DELETE FROM 参数 WHERE Var=?"), {name}) &&
           ExecuteSql(QStringLiteral("INSERT INTO 参数(Var, Con) VALUES(?, ?)"), {name, value}) &&
           t.Commit();
}

QString GetParam(const QString& name) {
    QString value;
    ReadParam(name, value);
    return value;
}

bool ReadParam(const QString& name, QString& value) {
    value.clear();
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT Con FROM 参数 WHERE Var=?"), {name}))
        return false;
    const QVariant v = rs.RecordCount() > 0 ? rs.Value(0) : QVariant();
    if (!v.isNull()) value = v.toString();
    return true;
}

namespace {
QRect screenTwips(QWidget* w) {
    QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
    return QRect(0, 0, PixelsToTwips(g.width()), PixelsToTwips(g.height()));
}
}  // namespace

void SaveWindowPos(QWidget* window, const QString& name) {
    if (!window) return;
    const QString key = QStringLiteral("窗口参数：") + name;
    const QRect scr = screenTwips(window);
    QString value;
    // The frame's corner, as move() takes it, and the size inside the frame, as resize()
    // takes it: a window restored from them stands where it stood, as large as it was.
    const QRect frame = window->frameGeometry();
    if (PixelsToTwips(frame.width()) >= scr.width()) {
        value = QStringLiteral("0;0;0;0");
    } else {
        value = QStringList{NumText(double(PixelsToTwips(frame.x()))),
                            NumText(double(PixelsToTwips(frame.y()))),
                            NumText(double(PixelsToTwips(window->width()))),
                            NumText(double(PixelsToTwips(window->height())))}
                    .join(u';');
    }
    ExecuteSql(QStringLiteral("DELETE FROM 参数 WHERE Var=?"), {key});
    ExecuteSql(QStringLiteral("INSERT INTO 参数(Var,Con) VALUES(?,?)"), {key, value});
}

void RestoreWindowPos(QWidget* window, const QString& name) {
    if (!window) return;
    const QString s = GetParam(QStringLiteral("窗口参数：") + name);
    if (s.isEmpty()) return;
    const QStringList p = s.split(u';');
    if (p.size() < 4) return;
    const int l = CLng(Val(p[0])), t = CLng(Val(p[1])), w = CLng(Val(p[2])), h = CLng(Val(p[3]));
    const QRect scr = screenTwips(window);
    if (t + h > 0 && l + w > 0 && scr.width() > l && scr.height() > t)
        window->move(TwipsToPixels(l), TwipsToPixels(t));
    if (w > 0 && h > 0) window->resize(TwipsToPixels(w), TwipsToPixels(h));
}

bool SaveRegValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) {
    return WriteSetting(app, section, key, value);
}

QString GetRegValue(const QString& app, const QString& section, const QString& key,
                    const QString& defaultValue) {
    return ReadSetting(app, section, key, defaultValue);
}

}  // namespace bw
