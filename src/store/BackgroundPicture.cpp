#include "store/BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/SafeFiles.h"
#include "store/CanvasOptions.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureReading.h"

namespace bw {

namespace {

const QString kJpegFilter = QStringLiteral("JPEG格式(*.jpg)|*.jpg");

void emptyHolder() {
    PictureBox* tp = MF().TP;
    tp->SetPicture(QImage());
    tp->Cls();
}

// The scan is held at its own size, for the paper; only one too large to hold is reduced. A
// damaged file leaves the holder empty, and the user is told.
void loadHolder(const QString& file) {
    MF().TP->SetPicture(ReadShownPicture(file, QSize()));
}

}  // namespace

QString BackgroundPictureFileName(const QString& format) {
    QString name = format;
    const QString from = QStringLiteral("*?<>/\\:|\"");
    for (int i = 0; i < from.size(); ++i) name.replace(from[i], QChar(u'0' + i));
    return name + QStringLiteral(".jpg");
}

QString BackgroundPicturePath(const QString& format) {
    return AppFile(BackgroundPictureFileName(format));
}

void SetBackgroundPicture(const QString& format) {
    const QString chosen = dlg::OpenFileName(kJpegFilter);
    if (chosen.isEmpty() || !chosen.toLower().endsWith(QLatin1String(".jpg")) ||
        !QFileInfo::exists(chosen))
        return;
    // A picture that cannot be read is told about and replaces nothing.
    const QImage picture = ReadShownPicture(chosen, QSize());
    if (picture.isNull()) return;
    const QString dest = BackgroundPicturePath(format);
    // Choosing the format's own file again keeps it as it is.
    const bool same = QFileInfo(chosen).canonicalFilePath() == QFileInfo(dest).canonicalFilePath();
    if (QFileInfo::exists(dest) && dlg::MsgBox(QStringLiteral("当前格式已有底图，是否要替换？"),
                                               dlg::YesNo | dlg::Question) != dlg::Yes)
        return;
    // The new picture is copied whole beside the old one before it takes its place: a copy
    // that fails leaves the old picture as it was.
    QString why;
    if (!same && !CopyFileSafely(chosen, dest, &why)) {
        dlg::MsgBox(QStringLiteral("底图没有换成“") + QDir::toNativeSeparators(chosen) +
                        QStringLiteral("”（") + why + QStringLiteral("），原有底图未作改动！"),
                    dlg::OkOnly | dlg::Exclamation);
        return;
    }
    // The copy holds the same picture as the one just read.
    emptyHolder();
    MF().TP->SetPicture(picture);
    MainForm& mf = MF();
    if (mf.O2Value(4) == 1) {
        O2_Click(4);
    } else {
        mf.SetO2Value(4, 1);
    }
}

void LoadBackgroundPicture(const QString& format) {
    emptyHolder();
    const QString file = BackgroundPicturePath(format);
    if (QFileInfo::exists(file)) loadHolder(file);
}

bool ClearBackgroundPicture(const QString& format) {
    if (dlg::MsgBox(QStringLiteral("您确定要清除背景图？"), dlg::YesNo | dlg::Question) != dlg::Yes)
        return true;
    const QString file = BackgroundPicturePath(format);
    if (!QFileInfo::exists(file)) return true;
    if (!QFile::remove(file)) return false;
    emptyHolder();
    O2_Click(4);
    return true;
}

}  // namespace bw
