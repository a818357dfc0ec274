#include "store/FormatFileNames.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <algorithm>

#include "platform/Printer.h"
#include "platform/SafeFiles.h"
#include "store/BackgroundPicture.h"

namespace bw {

namespace {
// Room for the number of the PDF files of one format begun in one second.
constexpr int kPdfFilesInASecond = 999;
}  // namespace

int LongestFormatFileName(const QString& format) {
    const QString picture = BackgroundPictureFileName(format);
    const QString base = picture.left(picture.size() - 4);  // without ".jpg"
    const QDateTime anyTime(QDate(2000, 12, 31), QTime(23, 59, 59));
    const QStringList names{picture, base + QStringLiteral(".vfm"), base + QStringLiteral(".jpg"),
                            Printer::DefaultOutputName(format, anyTime, kPdfFilesInASecond)};
    // Bytes of the names as the file system is given them.
    qsizetype longest = 0;
    for (const QString& name : names)
        longest = std::max({longest, QFile::encodeName(name).size(),
                            QFile::encodeName(TemporaryFileName(name)).size()});
    return static_cast<int>(longest);
}

bool FormatFileNamesFit(const QString& format) {
    return LongestFormatFileName(format) <= kMaxFileNameBytes;
}

}  // namespace bw
