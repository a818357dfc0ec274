#include "platform/SafeFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace bw {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString causeOf(int err, const QString& folder) {
    switch (err) {
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return QStringLiteral("磁盘空间已满");
        case EACCES:
        case EPERM:
        case EROFS:
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("文件夹“%1”不能写入").arg(native(folder));
        default:
            return QString::fromLocal8Bit(std::strerror(err));
    }
}

}  // namespace

QString WriteFailureCause(const QString& folder, qint64 bytes) {
    const QByteArray probe =
        QFile::encodeName(QDir(folder).filePath(QStringLiteral(".bellweft-probe-XXXXXX")));
    std::vector<char> name(probe.constData(), probe.constData() + probe.size() + 1);
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return causeOf(errno, folder);
    // Writing as much as the failed file needed shows whether the space is there.
    const std::vector<char> block(64 * 1024, 0);
    int err = 0;
    for (qint64 left = std::max<qint64>(bytes, 1); left > 0 && !err;) {
        const ssize_t n =
            ::write(fd, block.data(), size_t(std::min<qint64>(left, qint64(block.size()))));
        if (n < 0) {
            if (errno != EINTR) err = errno;
        } else {
            left -= n;
        }
    }
    if (!err && ::fsync(fd) != 0) err = errno;
    ::close(fd);
    ::unlink(name.data());
    return err ? causeOf(err, folder) : QString();
}

QString CreateTemporaryBeside(const QString& target, QString* why) {
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    QTemporaryFile tmp(
        QDir(folder).filePath(u'.' + info.fileName() + QStringLiteral(".XXXXXX.part")));
    tmp.setAutoRemove(false);
    if (!tmp.open()) {
        if (why) *why = WriteFailureCause(folder, 0);
        if (why && why->isEmpty()) *why = tmp.errorString();
        return QString();
    }
    return tmp.fileName();
}

bool SyncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool ReplaceFile(const QString& tmp, const QString& target) {
    return std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(target).constData()) ==
           0;
}

bool WriteFileSafely(const QString& target, const QByteArray& bytes, QString* why) {
    const QString tmp = CreateTemporaryBeside(target, why);
    if (tmp.isEmpty()) return false;
    QFile out(tmp);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              out.write(bytes) == bytes.size() && out.flush();
    out.close();
    ok = ok && out.error() == QFileDevice::NoError && QFileInfo(tmp).size() == bytes.size() &&
         SyncFile(tmp) && ReplaceFile(tmp, target);
    if (!ok) {
        QFile::remove(tmp);
        if (why) {
            *why = WriteFailureCause(QFileInfo(target).absolutePath(), bytes.size());
            if (why->isEmpty()) *why = QStringLiteral("写入“%1”时出错").arg(native(target));
        }
    }
    return ok;
}

bool CopyFileSafely(const QString& from, const QString& to, QString* why) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        if (why) *why = QStringLiteral("无法读取“%1”").arg(native(from));
        return false;
    }
    const QString folder = QFileInfo(to).absolutePath();
    const QString tmp = CreateTemporaryBeside(to, why);
    if (tmp.isEmpty()) return false;
    QFile out(tmp);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(256 * 1024);
        ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    ok = ok && out.flush();
    out.close();
    ok = ok && out.error() == QFileDevice::NoError && SyncFile(tmp) && ReplaceFile(tmp, to);
    if (!ok) {
        QFile::remove(tmp);
        if (why) {
            *why = WriteFailureCause(folder, in.size());
            if (why->isEmpty()) *why = QStringLiteral("写入“%1”时出错").arg(native(to));
        }
    }
    return ok;
}

}  // namespace bw
