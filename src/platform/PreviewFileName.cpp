#include "platform/PreviewFileName.h"

#include <QCryptographicHash>
#include <QDir>

#include "platform/SafeFiles.h"

namespace bw {

namespace {

constexpr qsizetype kMaxNameLength = 80;
constexpr qsizetype kMaxFileBytes = 255;  // NAME_MAX

bool allowed(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
        return true;
    if (u == u'.' || u == u'_' || u == u'-') return true;
    return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) ||
           (u >= 0xF900 && u <= 0xFAFF);
}

}  // namespace

QString PreviewFilePath(const QString& folder, const QString& serverPath) {
    if (folder.isEmpty()) return {};
    QString name = serverPath;
    const qsizetype query = name.indexOf(u'?');
    const qsizetype fragment = name.indexOf(u'#');
    qsizetype end = name.size();
    if (query >= 0) end = query;
    if (fragment >= 0 && fragment < end) end = fragment;
    name.truncate(end);
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    name = name.mid(slash + 1);

    QString clean;
    for (QChar c : name)
        if (allowed(c)) clean += c;
    while (clean.startsWith(u'.')) clean.remove(0, 1);
    while (clean.endsWith(u'.')) clean.chop(1);
    if (clean.size() > kMaxNameLength) clean = clean.right(kMaxNameLength);
    while (clean.startsWith(u'.')) clean.remove(0, 1);

    const QByteArray hash =
        QCryptographicHash::hash(serverPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    const QString stem = QString::fromLatin1(hash);
    const auto withName = [&stem](const QString& part) {
        return part.isEmpty() ? stem : stem + u'_' + part;
    };
    // The file, and the temporary it is downloaded through, must fit in a file name.
    while (!clean.isEmpty() && TemporaryFileName(withName(clean)).toUtf8().size() > kMaxFileBytes) {
        clean.remove(0, 1);
        while (clean.startsWith(u'.')) clean.remove(0, 1);
    }
    return QDir(folder).filePath(withName(clean));
}

}  // namespace bw
