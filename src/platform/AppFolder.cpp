#include "platform/AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bw {

namespace {
QString& folder() {
    static QString f;
    return f;
}
}  // namespace

QString InitAppFolder(const QStringList& arguments) {
    QString dir;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--data-dir") && i + 1 < arguments.size()) {
            dir = arguments[i + 1];
            break;
        }
        if (a.startsWith(QLatin1String("--data-dir="))) {
            dir = a.mid(11);
            break;
        }
    }
    if (dir.isEmpty()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (!exeDir.isEmpty() &&
            QFileInfo::exists(exeDir + u'/' + QLatin1String(kDatabaseFileName)))
            dir = exeDir;
    }
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    SetAppPath(dir);
    return AppPath();
}

QString AppPath() {
    if (folder().isEmpty())
        SetAppPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder();
}

void SetAppPath(const QString& f) {
    QString abs = QDir(f).absolutePath();
    QDir().mkpath(abs);
    while (abs.size() > 1 && abs.endsWith(u'/')) abs.chop(1);
    folder() = abs;
}

QString AppFile(const QString& name) {
    return AppPath() + u'/' + name;
}

}  // namespace bw
