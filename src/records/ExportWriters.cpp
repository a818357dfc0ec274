#include "records/ExportWriters.h"

#include <QFile>
#include <cstdio>

#include "platform/TextCodec.h"

namespace bw {

QByteArray CsvExportText(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0) text += u',';
            QString cell = row[c] + u'\t';
            cell.replace(u'"', QStringLiteral("\"\""));
            // A lone CR or LF breaks the line as much as CR LF does.
            if (cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\r') ||
                cell.contains(u'\n'))
                cell = u'"' + cell + u'"';
            text += cell;
        }
        text += QStringLiteral("\r\n");
    }
    return ToAnsi(text);
}

bool ReplaceFileWith(const QString& temp, const QString& path) {
    // rename() replaces the target in one step: the old file stays until the new one is in.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    QFile::remove(temp);
    return false;
}

bool WriteGridCsv(const QString& path, const QList<QStringList>& rows) {
    const QString temp = path + QStringLiteral(".TMP");
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = CsvExportText(rows);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(temp);
        return false;
    }
    return ReplaceFileWith(temp, path);
}

}  // namespace bw
