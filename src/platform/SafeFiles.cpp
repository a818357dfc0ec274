#include "platform/SafeFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/RegularFile.h"

namespace bw {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

QString WriteErrorCause(int error, const QString& folder, bool* folderShut) {
    if (folderShut) *folderShut = false;
    switch (error) {
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return QStringLiteral("磁盘空间已满");
        case EACCES:
        case EPERM:
        case EROFS:
        case ENOENT:
        case ENOTDIR:
            if (folderShut) *folderShut = true;
            return QStringLiteral("文件夹“%1”不能写入").arg(native(folder));
        case ENAMETOOLONG:
            return QStringLiteral("文件名太长");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString WriteFailureCause(const QString& folder, qint64 bytes) {
    const QByteArray probe =
        QFile::encodeName(QDir(folder).filePath(QStringLiteral(".bellweft-probe-XXXXXX")));
    std::vector<char> name(probe.constData(), probe.constData() + probe.size() + 1);
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return WriteErrorCause(errno, folder);
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
    return err ? WriteErrorCause(err, folder) : QString();
}

namespace {

// The temporaries this process holds: each one's name and the open file that keeps its lock.
struct HeldTemporaries {
    std::mutex mutex;
    QHash<QString, int> files;
};

HeldTemporaries& held() {
    static HeldTemporaries h;
    return h;
}

void hold(const QString& tmp, int fd) {
    std::lock_guard<std::mutex> guard(held().mutex);
    held().files.insert(tmp, fd);
}

void release(const QString& tmp) {
    std::lock_guard<std::mutex> guard(held().mutex);
    const auto it = held().files.constFind(tmp);
    if (it == held().files.constEnd()) return;
    ::close(it.value());
    held().files.erase(it);
}

// A temporary's name: ".NAME.bwtmp-" + six letters or digits + ".part"; the mark "bwtmp-"
// tells the program's temporaries from files of the user's that look alike.
const char kMark[] = ".bwtmp-";

QString randomLetters() {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString letters;
    for (int i = 0; i < 6; ++i)
        letters += QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(62)]);
    return letters;
}

QString temporaryName(const QString& fileName, const QString& letters) {
    return u'.' + fileName + QLatin1String(kMark) + letters + QStringLiteral(".part");
}

// Whether `name` is the name of a temporary of CreateTemporaryBeside.
bool isTemporaryName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\..+\\.bwtmp-[A-Za-z0-9]{6}\\.part$"));
    return pattern.match(name).hasMatch();
}

// Removes the file `path` when it is a temporary left behind: a regular file of this user's
// that nobody holds. A database's journal goes with it.
void removeWhenStale(const QByteArray& path) {
    struct stat named {};
    if (::lstat(path.constData(), &named) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid())
        return;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    // Its writer holds the lock until the temporary is put in place or removed: a lock that
    // can be taken is nobody's.
    struct stat open {};
    if (::fstat(fd, &open) == 0 && open.st_dev == named.st_dev && open.st_ino == named.st_ino &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path)) {
        ::unlink(path.constData());
        ::unlink((path + "-journal").constData());
    }
    ::close(fd);
}

}  // namespace

bool StillNamed(int fd, const QByteArray& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

QString TemporaryFileName(const QString& fileName) {
    return temporaryName(fileName, QStringLiteral("XXXXXX"));
}

QString CreateTemporaryBeside(const QString& target, QString* why) {
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    RemoveStaleTemporaries(folder);
    // No more open to others than the file it is to replace, and for a new file what the
    // umask (or the folder's default ACL) gives any new file.
    struct stat old {};
    const mode_t mode =
        ::stat(QFile::encodeName(target).constData(), &old) == 0 ? (old.st_mode & 0666) : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString tmp = QDir(folder).filePath(temporaryName(info.fileName(), randomLetters()));
        const QByteArray name = QFile::encodeName(tmp);
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            const int err = errno;
            if (why) *why = WriteFailureCause(folder, 0);
            if (why && why->isEmpty()) *why = WriteErrorCause(err, folder);
            return QString();
        }
        // A start cleaning up may have taken the new file for a stale one before it was
        // locked: it is then removed, and another name is tried.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, name)) {
            hold(tmp, fd);
            return tmp;
        }
        ::close(fd);
    }
    if (why) *why = QStringLiteral("无法在文件夹“%1”中建立临时文件").arg(native(folder));
    return QString();
}

void RemoveTemporary(const QString& tmp) {
    ::unlink(QFile::encodeName(tmp).constData());
    release(tmp);
}

void RemoveStaleTemporaries(const QString& folder, bool withSubFolders) {
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return;
    QStringList subFolders;
    while (const dirent* entry = ::readdir(dir)) {
        const bool hidden = entry->d_name[0] == '.';
        if (!hidden && !withSubFolders) continue;  // most names of a folder, at no cost
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String("..")) continue;
        const QString path = QDir(folder).filePath(name);
        if (hidden && isTemporaryName(name)) {
            removeWhenStale(QFile::encodeName(path));
        } else if (withSubFolders && (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN)) {
            struct stat st {};
            if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode))
                subFolders << path;
        }
    }
    ::closedir(dir);
    for (const QString& sub : subFolders) RemoveStaleTemporaries(sub, true);
}

bool SyncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool ReplaceFile(const QString& tmp, const QString& target) {
    const QByteArray from = QFile::encodeName(tmp), to = QFile::encodeName(target);
    // Whoever could read or run the old file can do so with the new one.
    struct stat old {};
    if (::stat(to.constData(), &old) == 0) ::chmod(from.constData(), old.st_mode & 07777);
    if (std::rename(from.constData(), to.constData()) != 0) return false;
    release(tmp);
    return true;
}

bool PlaceNewFile(const QString& tmp, const QString& target) {
    const QByteArray from = QFile::encodeName(tmp), to = QFile::encodeName(target);
    int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename without replacing: looked at first, then renamed.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS))
        rc = QFileInfo::exists(target) ? -1 : std::rename(from.constData(), to.constData());
    if (rc != 0) return false;
    release(tmp);
    return true;
}

namespace {

// Why writing `bytes` bytes in place of `target` failed, as the user is told.
QString failureOf(const QString& target, qint64 bytes) {
    const QString cause = WriteFailureCause(QFileInfo(target).absolutePath(), bytes);
    return cause.isEmpty() ? QStringLiteral("写入“%1”时出错").arg(native(target)) : cause;
}

}  // namespace

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
        RemoveTemporary(tmp);
        if (why) *why = failureOf(target, bytes.size());
    }
    return ok;
}

QString CopyToTemporaryBeside(const QString& from, const QString& to, QString* why) {
    // Only a regular file is copied, and its open never waits (as one of a FIFO would).
    QFile in;
    QString notRead;
    if (!OpenRegularFile(in, from, &notRead)) {
        if (why) *why = QStringLiteral("无法读取“%1”：%2").arg(native(from), notRead);
        return QString();
    }
    const QString tmp = CreateTemporaryBeside(to, why);
    if (tmp.isEmpty()) return QString();
    QFile out(tmp);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(256 * 1024);
        ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    ok = ok && out.flush();
    out.close();
    if (ok && out.error() == QFileDevice::NoError && SyncFile(tmp)) return tmp;
    RemoveTemporary(tmp);
    if (why) *why = failureOf(to, in.size());
    return QString();
}

bool CopyFileSafely(const QString& from, const QString& to, QString* why) {
    const QString tmp = CopyToTemporaryBeside(from, to, why);
    if (tmp.isEmpty()) return false;
    if (ReplaceFile(tmp, to)) return true;
    RemoveTemporary(tmp);
    if (why) *why = failureOf(to, QFileInfo(from).size());
    return false;
}

}  // namespace bw
