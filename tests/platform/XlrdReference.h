#pragma once
// The reference reader of the workbook tests: python3's xlrd, run on a file through
// fixtures/xls/xls_dump.py, which prints the workbook as JSON.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <optional>

namespace bw::test {

// The dump of the workbook (with formatting when `format`), or nothing when python3 or
// xlrd is not installed or the dump failed (`why` then says what happened).
inline std::optional<QJsonObject> XlrdDump(const QString& path, bool format, QString* why) {
    QProcess p;
    QStringList args{QStringLiteral(BW_TEST_SOURCE_DIR "/fixtures/xls/xls_dump.py"), path};
    if (format) args << QStringLiteral("--format");
    p.start(QStringLiteral("/usr/bin/python3"), args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *why = QString::fromUtf8(p.readAllStandardError()).right(400);
        if (why->isEmpty()) *why = QStringLiteral("python3 did not run");
        return std::nullopt;
    }
    QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput());
    return doc.object();
}

// True when python3 with xlrd can run the dump at all.
inline bool HaveXlrd() {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QStringLiteral("import xlrd")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace bw::test
