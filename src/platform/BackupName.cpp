#include "platform/BackupName.h"

#include <QDir>
#include <QFileInfo>

namespace bw {

QString BackupFileName(int n) {
    return QStringLiteral("BAK_data%1.DAT").arg(n, 3, 10, QLatin1Char('0'));
}

QString ChooseBackupPath(const QString& folder) {
    const QDir dir(folder);
    for (int n = 0; n <= 1000; ++n) {
        const QString path = dir.filePath(BackupFileName(n));
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink()) return path;
    }
    return {};
}

}  // namespace bw
