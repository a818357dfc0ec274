#include "platform/FileNameBytes.h"

#include <dirent.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bw {

namespace {

// The length of the whole UTF-8 character at `at`; 0 when none starts there.
int utf8Length(const QByteArray& s, qsizetype at) {
    const auto byte = [&s](qsizetype i) { return static_cast<unsigned char>(s[i]); };
    const unsigned c = byte(at);
    int n = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if ((c & 0xF0) == 0xE0)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    else
        return 0;
    if (at + n > s.size()) return 0;
    for (int i = 1; i < n; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    // Neither a longer form than needed, nor a surrogate, nor past U+10FFFF.
    const unsigned d = byte(at + 1);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
        (c == 0xF4 && d >= 0x90))
        return 0;
    return n;
}

}  // namespace

QString NameWithBytesShown(const QByteArray& name) {
    QString out;
    qsizetype at = 0;
    while (at < name.size()) {
        qsizetype end = at;
        while (end < name.size()) {
            const int n = utf8Length(name, end);
            if (n == 0) break;
            end += n;
        }
        out += QString::fromUtf8(name.mid(at, end - at));
        if (end < name.size()) {
            const auto c = static_cast<unsigned char>(name[end]);
            out += QStringLiteral("\\x") + QString::number(c, 16).toUpper().rightJustified(2, u'0');
            ++end;
        }
        at = end;
    }
    return out;
}

bool NameNotDecodable(const QString& path) {
    return QFileInfo(path).fileName().contains(QChar::ReplacementCharacter) &&
           !QFileInfo::exists(path);
}

QString PathForMessage(const QString& path) {
    if (!NameNotDecodable(path)) return QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    const QString folder = info.path();
    QString shown;
    if (DIR* dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray bytes(entry->d_name);
            if (QFile::decodeName(bytes) == info.fileName()) {
                shown = NameWithBytesShown(bytes);
                break;
            }
        }
        ::closedir(dir);
    }
    if (shown.isEmpty()) shown = info.fileName();
    return QDir::toNativeSeparators(QDir(folder).filePath(shown));
}

}  // namespace bw
