#include "TestSupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include "platform/AppFolder.h"

#ifndef BW_TEST_BINARY_DIR
#define BW_TEST_BINARY_DIR "."
#endif

namespace bw::test {

namespace {
QVariant defaultAnswer(const dlg::Shown& s) {
    if (s.kind == dlg::Shown::Message) {
        switch (s.style & 7) {
            case dlg::OkOnly:
                return int(dlg::Ok);
            case dlg::YesNo:
                return int(dlg::No);
            default:
                return int(dlg::Cancel);
        }
    }
    return QVariant();
}
}  // namespace

void InstallDefaultAnswerer() {
    dlg::SetAnswerer(defaultAnswer);
}

ScriptedAnswers::ScriptedAnswers() : queue_(std::make_shared<std::deque<QVariant>>()) {
    dlg::ClearShown();
    auto q = queue_;
    dlg::SetAnswerer([q](const dlg::Shown& s) -> QVariant {
        if (q->empty()) return defaultAnswer(s);
        QVariant a = q->front();
        q->pop_front();
        return a;
    });
}

ScriptedAnswers::~ScriptedAnswers() {
    InstallDefaultAnswerer();
}

struct FifoInTheWay::Guard {
    QByteArray path;
    std::mutex mutex;
    std::condition_variable done;
    bool over = false;
    std::atomic<bool> released{false};
    std::thread thread;
};

FifoInTheWay::FifoInTheWay(const QString& path, int boundSeconds) : guard_(new Guard) {
    guard_->path = QFile::encodeName(path);
    made_ = ::mkfifo(guard_->path.constData(), 0600) == 0;
    if (!made_) return;
    Guard* g = guard_.get();
    g->thread = std::thread([g, boundSeconds] {
        std::unique_lock<std::mutex> lock(g->mutex);
        if (g->done.wait_for(lock, std::chrono::seconds(boundSeconds), [g] { return g->over; }))
            return;
        // Read-write opens at once and counts as a writer for whoever waits to read.
        while (!g->done.wait_for(lock, std::chrono::milliseconds(100), [g] { return g->over; })) {
            const int fd = ::open(g->path.constData(), O_RDWR | O_NONBLOCK);
            if (fd >= 0) {
                g->released = true;
                ::close(fd);
            }
        }
    });
}

FifoInTheWay::~FifoInTheWay() {
    if (!made_) return;
    {
        std::lock_guard<std::mutex> lock(guard_->mutex);
        guard_->over = true;
    }
    guard_->done.notify_all();
    guard_->thread.join();
    ::unlink(guard_->path.constData());
}

bool FifoInTheWay::released() const {
    return guard_->released;
}

QStringList ScriptedAnswers::messages() const {
    QStringList out;
    for (const auto& s : dlg::ShownLog())
        if (s.kind == dlg::Shown::Message) out << s.text;
    return out;
}

QString ScriptedAnswers::lastMessage() const {
    QStringList m = messages();
    return m.isEmpty() ? QString() : m.last();
}

TempDataFolder::TempDataFolder() : previous_(AppPath()) {
    SetAppPath(dir_.path());
}
TempDataFolder::~TempDataFolder() {
    SetAppPath(previous_);
}

QString ArtifactDir() {
    QString d = QStringLiteral(BW_TEST_BINARY_DIR) + QStringLiteral("/artifacts");
    QDir().mkpath(d);
    return d;
}

namespace {
const char* const kLimitVar = "BW_CHILD_FILE_LIMIT";
const char* const kFolderVar = "BW_CHILD_FOLDER";
rlimit& savedLimit() {
    static rlimit saved{RLIM_INFINITY, RLIM_INFINITY};
    return saved;
}
}  // namespace

void StartChildTest(QProcess& child, const QString& testName, const QString& folder,
                    qint64 fileLimit, const QStringList& under) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kLimitVar), QString::number(fileLimit));
    env.insert(QString::fromLatin1(kFolderVar), folder);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList command{QCoreApplication::applicationFilePath(),
                              QStringLiteral("--gtest_also_run_disabled_tests"),
                              QStringLiteral("--gtest_filter=") + testName};
    if (under.isEmpty())
        child.start(command.first(), command.mid(1));
    else
        child.start(under.first(), under.mid(1) + command);
}

bool RunChildTest(const QString& testName, const QString& folder, QString* output, qint64 fileLimit,
                  const QStringList& under) {
    QProcess child;
    StartChildTest(child, testName, folder, fileLimit, under);
    const bool finished = child.waitForFinished(120000);
    const QString out = QString::fromUtf8(child.readAll());
    if (output) *output = out;
    return finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
           out.contains(QLatin1String("[  PASSED  ] 1 test"));
}

QString ChildFolder() {
    return qEnvironmentVariable(kFolderVar);
}

bool FillTheDisk() {
    bool ok = false;
    const qint64 bytes = qEnvironmentVariable(kLimitVar).toLongLong(&ok);
    if (!ok || bytes <= 0) return false;
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &savedLimit());
    rlimit limit = savedLimit();
    limit.rlim_cur = rlim_t(bytes);
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

void FreeTheDisk() {
    setrlimit(RLIMIT_FSIZE, &savedLimit());
}

}  // namespace bw::test
