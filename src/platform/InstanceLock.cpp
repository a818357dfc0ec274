#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>

#include "platform/SafeFiles.h"

namespace bw {

namespace {

QByteArray contents() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

}  // namespace

InstanceLock::~InstanceLock() {
    Unlock();
}

InstanceLock::Result InstanceLock::TryLock(const QString& path) {
    Unlock();
    makeError_ = 0;
    const QByteArray name = QFile::encodeName(path);
    // A lock file left in a folder that cannot be written could still be opened: the folder
    // is what counts.
    if (::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) != 0) {
        makeError_ = errno;
        return Result::CannotMake;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            makeError_ = errno;
            return Result::CannotMake;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return Result::HeldElsewhere;
            makeError_ = error;
            return Result::CannotMake;
        }
        // A holder that gives the lock up removes the file first, and a lock taken on the
        // file it removed holds nothing.
        if (!StillNamed(fd, name)) {
            ::close(fd);
            continue;
        }
        // The text is for people; when the disk has no room for it, the file stays empty
        // rather than cut short, and the lock holds.
        const QByteArray text = contents();
        if (::ftruncate(fd, 0) != 0 || ::write(fd, text.constData(), text.size()) != text.size()) {
            [[maybe_unused]] const int emptied = ::ftruncate(fd, 0);
        }
        fd_ = fd;
        path_ = path;
        return Result::Taken;
    }
    return Result::HeldElsewhere;
}

void InstanceLock::Unlock() {
    if (fd_ < 0) return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

}  // namespace bw
