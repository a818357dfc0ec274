#pragma once
// The data file held by another program: the command-line tool of the database engine holding
// an exclusive lock on it, as a backup or a database tool may, until Release() or the end.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace bw::test {

class HeldFile {
public:
    // Whether the tool is there at all (tests skip without it).
    static bool Available() { return !QStandardPaths::findExecutable("sqlite3").isEmpty(); }
    // Takes the lock; true once the tool holds it.
    bool Take(const QString& file) {
        tool_.setProcessChannelMode(QProcess::MergedChannels);
        tool_.start(QStandardPaths::findExecutable("sqlite3"), {file});
        if (!tool_.waitForStarted(5000)) return false;
        tool_.write(".timeout 5000\nBEGIN EXCLUSIVE;\nSELECT 'held';\n");
        QByteArray said;
        while (!said.contains("held") && tool_.waitForReadyRead(5000)) said += tool_.readAll();
        return said.contains("held");
    }
    void Release() {
        if (tool_.state() == QProcess::NotRunning) return;
        tool_.write("COMMIT;\n.quit\n");
        tool_.closeWriteChannel();
        tool_.waitForFinished(5000);
    }
    ~HeldFile() { Release(); }

private:
    QProcess tool_;
};

}  // namespace bw::test
