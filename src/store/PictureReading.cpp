#include "store/PictureReading.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "platform/Dialogs.h"
#include "platform/PictureFile.h"

namespace bw {

QImage ReadShownPicture(const QString& path, QSize fit, bool* reduced) {
    const PictureRead read = ReadPicture(path, fit);
    if (reduced) *reduced = read.reduced;
    const QFileInfo info(path);
    // Anything in the file's place is named: a damaged file as a FIFO or a folder.
    if (read.image.isNull() && info.exists()) {
        static QSet<QString> told;
        const QString state = info.absoluteFilePath() + u'|' + QString::number(info.size()) + u'|' +
                              QString::number(info.lastModified().toMSecsSinceEpoch());
        if (!told.contains(state)) {
            told.insert(state);
            dlg::MsgBox(QStringLiteral("无法读取图片“") + QDir::toNativeSeparators(path) +
                            QStringLiteral("”：") + read.cause,
                        dlg::OkOnly | dlg::Exclamation);
        }
    }
    return read.image;
}

}  // namespace bw
