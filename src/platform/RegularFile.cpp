#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace bw {

namespace {

QString causeOf(mode_t mode) {
    if (S_ISREG(mode)) return QString();
    if (S_ISDIR(mode)) return QStringLiteral("不是文件，而是文件夹");
    if (S_ISFIFO(mode)) return QStringLiteral("不是普通文件，而是管道");
    if (S_ISSOCK(mode)) return QStringLiteral("不是普通文件，而是套接字");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("不是普通文件，而是设备");
    return QStringLiteral("不是普通文件");
}

QString causeOfError(int error) {
    return error == ENOENT || error == ENOTDIR ? QStringLiteral("文件不存在")
                                               : QStringLiteral("文件打不开");
}

}  // namespace

bool IsRegularFile(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

QString NotRegularFileCause(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return causeOfError(path.isEmpty() ? ENOENT : errno);
    return causeOf(st.st_mode);
}

bool OpenRegularFile(QFile& file, const QString& path, QString* why) {
    file.close();
    file.setFileName(path);  // the name stays the file's (a picture's reader reads its ending)
    auto fail = [why](const QString& cause) {
        if (why) *why = cause;
        return false;
    };
    const QString before = NotRegularFileCause(path);
    if (!before.isEmpty()) return fail(before);
    // Whatever took the file's place since, the open does not wait for it.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return fail(causeOfError(errno));
    struct stat st {};
    const QString after = ::fstat(fd, &st) == 0 ? causeOf(st.st_mode) : causeOfError(errno);
    if (!after.isEmpty()) {
        ::close(fd);
        return fail(after);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(QStringLiteral("文件打不开"));
    }
    return true;
}

}  // namespace bw
