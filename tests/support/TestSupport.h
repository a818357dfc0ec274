#pragma once
// Helpers shared by the tests: a data folder of the test's own and scripted dialog answers.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <deque>
#include <memory>

#include "platform/Dialogs.h"

class QProcess;

namespace bw::test {

// Answers dialogs from a queue (front first); when the queue is empty every message box is
// answered with its default (OK, No, Cancel) and every other dialog is cancelled. All
// dialogs land in dlg::ShownLog(). Installing one clears the log; destroying it restores
// the default answerer of the test main.
class ScriptedAnswers {
public:
    ScriptedAnswers();
    ~ScriptedAnswers();
    ScriptedAnswers& operator<<(const QVariant& answer) {
        queue_->push_back(answer);
        return *this;
    }
    // The texts of the message boxes shown so far.
    QStringList messages() const;
    // The last message text, or "" when none was shown.
    QString lastMessage() const;

private:
    std::shared_ptr<std::deque<QVariant>> queue_;
};

// Installs the answerer that answers every dialog with its default (used by the test main).
void InstallDefaultAnswerer();

// A fresh data folder for one test; AppPath() points to it while the object lives.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// A FIFO made at `path` where the program expects a file, for as long as the object lives.
// The program must never open it: an open for reading would wait for a writer for good. So
// that a test of that fails instead of hanging, the FIFO's other end is opened from a thread
// of its own once `boundSeconds` have passed (and again every tenth of a second after that)
// until the object goes; released() then says so.
class FifoInTheWay {
public:
    explicit FifoInTheWay(const QString& path, int boundSeconds = 30);
    ~FifoInTheWay();
    FifoInTheWay(const FifoInTheWay&) = delete;
    FifoInTheWay& operator=(const FifoInTheWay&) = delete;
    // True when the FIFO was there to be made.
    bool made() const { return made_; }
    // True when a wait on it had to be ended by opening its other end.
    bool released() const;

private:
    struct Guard;
    std::unique_ptr<Guard> guard_;
    bool made_ = false;
};

// A folder under the build tree where tests leave pictures and files for people to look at.
QString ArtifactDir();

// ---- Tests in a process of their own -------------------------------------------------------

// Starts this test program again in `child` with one (DISABLED_) test of its own
// ("Suite.DISABLED_Name") working in `folder`, its files limited to `fileLimit` bytes once it
// calls FillTheDisk (0: no limit). With `under` (a command and its arguments) the command
// runs instead, with the test program's command line after its own arguments.
void StartChildTest(QProcess& child, const QString& testName, const QString& folder,
                    qint64 fileLimit = 0, const QStringList& under = {});
// Runs it to its end: true when it ran that test, its checks passed and it exited normally
// with 0 (a crash at its exit fails); `output` receives what it printed.
bool RunChildTest(const QString& testName, const QString& folder, QString* output = nullptr,
                  qint64 fileLimit = 0, const QStringList& under = {});
// In that child: the folder given by the parent ("" when not a child).
QString ChildFolder();

// ---- A disk that fills up -----------------------------------------------------------------
//
// The file-size limit of a process makes every write past `bytes` fail as on a full disk.
// Because the limit cannot be set on one thread alone, the test that needs it runs in a
// child process: the parent starts this test program again with one (DISABLED_) test of its
// own and a folder to work in, the child applies the limit at the moment the disk should be
// full, checks what it sees and exits; the parent then checks what is on the disk.

// Runs the named test ("Suite.DISABLED_Name") in a child process that may apply a file-size
// limit of `bytes` and works in `folder`. True when the child ran that test and its checks
// passed; `output` receives what it printed.
inline bool RunFullDiskChild(const QString& testName, qint64 bytes, const QString& folder,
                             QString* output = nullptr) {
    return RunChildTest(testName, folder, output, bytes);
}
// In that child: from now on no file may grow past the limit; SIGXFSZ is ignored, so the
// write fails with EFBIG instead of ending the process. False when not a child.
bool FillTheDisk();
// In that child: the limit is lifted again (to check what was written).
void FreeTheDisk();

}  // namespace bw::test
