#include "library/WebFormats.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTime>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "library/FormatFile.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Http.h"
#include "platform/HttpText.h"
#include "platform/PreviewFileName.h"
#include "platform/SafeFiles.h"
#include "platform/WebRoot.h"
#include "store/BackgroundPicture.h"
#include "store/FormatFileNames.h"
#include "store/FormatOperations.h"

namespace bw {

namespace {

QDate readDate(const QString& text) {
    const QString t = text.trimmed();
    for (const char* f : {"yyyy-M-d", "yyyy/M/d", "yyyy.M.d", "yyyy-M-d H:m:s", "yyyy/M/d H:m:s"}) {
        const QDateTime d = QDateTime::fromString(t, QLatin1String(f));
        if (d.isValid()) return d.date();
    }
    return QDate();
}

QString tempFolder() {
    return QDir(AppPath()).filePath(QStringLiteral("Temp"));
}

// A request ends when the progress window is closed (Esc) or the caller says so.
HttpCancelHook progressClosedOr(const HttpCancelHook& cancelled) {
    return [cancelled] { return ProgressShown() == 0 || (cancelled && cancelled()); };
}

constexpr char kDownloading[] = "正在下载...";

}  // namespace

QList<WebFormat> ParseWebFormatList(const QString& reply) {
    QList<WebFormat> out;
    QStringList records = reply.split(QStringLiteral("<br>"));
    records.removeLast();  // the text after the last "<br>" is no record
    for (const QString& record : records) {
        if (record.isEmpty()) continue;
        const QStringList f = record.split(u'|');
        if (f.size() != 5) continue;
        out.push_back({f[0], f[1], f[2], f[3], readDate(f[4])});
    }
    return out;
}

bool DownWebFmt(const HttpCancelHook& cancelled, HttpStatus* status) {
    const QString url = WebUrl(QStringLiteral("/bwf/fmt.asp?Time=") +
                               QTime::currentTime().toString(QStringLiteral("H:mm:ss")));
    HttpStatus s = HttpStatus::BadUrl;
    QString reply;
    if (!url.isEmpty()) {
        ShowProgress(QString::fromUtf8(kDownloading), 1, 0, Stoppable::Yes);
        HttpGetRetry(url, reply, QStringLiteral("Finished"), 60, QString(),
                     progressClosedOr(cancelled), &s);
        CloseProgress();
    }
    if (status) *status = s;
    if (s != HttpStatus::Ok) return false;
    const QList<WebFormat> formats = ParseWebFormatList(reply);
    Transaction t;
    bool ok = t.Active() && ExecuteSql(QStringLiteral("DELETE FROM 网站格式"));
    for (const WebFormat& w : formats) {
        if (!ok) break;
        ok = ExecuteSql(
            QStringLiteral(
                "INSERT INTO 网站格式(Clas, Name, fPath, pPath, Dat) VALUES(?, ?, ?, ?, ?)"),
            {w.clas, w.name, w.fPath, w.pPath,
             w.dat.isValid() ? QVariant(w.dat.toString(Qt::ISODate)) : QVariant()});
    }
    return ok && t.Commit();
}

void LoadWebFmtList(Grid& grid) {
    SetupGrid(grid,
              {QStringLiteral("ID"), QStringLiteral("fPath"), QStringLiteral("pPath"), QString(),
               QString(), QStringLiteral("Clas"), QStringLiteral("Name"), QStringLiteral("Dat")},
              {QStringLiteral("ID"), QStringLiteral("格式"), QStringLiteral("图片"),
               QStringLiteral("序号"), QStringLiteral("选择"), QStringLiteral("类别"),
               QStringLiteral("格式名称"), QStringLiteral("更新日期")});
    grid.SetTag(QStringLiteral("网站格式"));
    FillGridFromSql(grid, QString(), QStringLiteral("Clas,Name"));
    grid.SetColAlignment(kWebTickCol, 4);
}

QString WebPreviewFile(const QString& picturePath, bool* requestFailed,
                       const HttpCancelHook& cancelled) {
    if (requestFailed) *requestFailed = false;
    const QString local = PreviewFilePath(tempFolder(), picturePath);
    if (local.isEmpty()) return QString();
    if (QFileInfo(local).isFile()) return local;
    QDir().mkpath(tempFolder());
    const QString url = WebUrl(picturePath);
    HttpStatus s = HttpStatus::BadUrl;
    if (!url.isEmpty()) {
        ShowProgress(QString::fromUtf8(kDownloading), 1, 0, Stoppable::Yes);
        HttpDownloadFile(url, local, 60, progressClosedOr(cancelled), &s);
        CloseProgress();
    }
    if (s == HttpStatus::Ok) return local;
    // A path no request can be made of has no picture to be had; no request failed.
    if (requestFailed) *requestFailed = s != HttpStatus::Cancelled && s != HttpStatus::BadUrl;
    return QString();
}

QString DownloadFailureText(HttpStatus status, const QString& target) {
    if (status != HttpStatus::WriteFailed) return HttpErrorText();
    QString cause = WriteFailureCause(QFileInfo(target).absolutePath(), 64 * 1024);
    if (cause.isEmpty()) cause = QStringLiteral("写入时出错");
    return QStringLiteral("下载的文件无法保存到“") + QDir::toNativeSeparators(target) +
           QStringLiteral("”（") + cause + QStringLiteral("）！");
}

QString UnrequestablePathText(const QString& name, const QString& sitePath) {
    return QStringLiteral("格式“") + name + QStringLiteral("”的文件地址“") + sitePath +
           QStringLiteral("”无效，无法下载！");
}

bool DownInputFmt(const QString& listedName, const QString& fPath, const QString& pPath,
                  const HttpCancelHook& cancelled) {
    // The files in Temp are named after the format: a name too long for them is asked
    // again, as the import asks again for a name that is taken.
    QString name = listedName;
    while (!FormatFileNamesFit(name)) {
        const auto answer =
            dlg::InputBox(kFileNameTooLongMessage, QStringLiteral("格式名输入"), name);
        name = answer ? answer->trimmed() : QString();
        if (name.isEmpty()) return false;
    }
    QDir().mkpath(tempFolder());
    // The picture's name less its own ending: "a.jpg.x" stays "a.jpg.x".
    const QString pictureName = BackgroundPictureFileName(name);
    const QString picture = QDir(tempFolder()).filePath(pictureName);
    const QString formatFile =
        QDir(tempFolder())
            .filePath(pictureName.left(pictureName.size() - 4) + QStringLiteral(".vfm"));

    ShowProgress(QString::fromUtf8(kDownloading), 2, 0, Stoppable::Yes);
    const HttpCancelHook stop = progressClosedOr(cancelled);
    const QString pictureUrl = WebUrl(pPath), formatUrl = WebUrl(fPath);
    // A picture of an earlier download must not pass for this format's. A picture the
    // service lacks is no failure (the format comes without one); one that could not be
    // written is.
    QFile::remove(picture);
    HttpStatus pictureStatus = HttpStatus::BadUrl, formatStatus = HttpStatus::BadUrl;
    if (!pictureUrl.isEmpty()) HttpDownloadFile(pictureUrl, picture, 60, stop, &pictureStatus);
    UpdateProgress(1, QStringLiteral("pages"));
    if (pictureStatus != HttpStatus::WriteFailed && pictureStatus != HttpStatus::Cancelled &&
        !formatUrl.isEmpty())
        HttpDownloadFile(formatUrl, formatFile, 60, stop, &formatStatus);
    CloseProgress();
    if (pictureStatus == HttpStatus::Cancelled || formatStatus == HttpStatus::Cancelled) {
        QFile::remove(picture);
        return false;
    }
    if (pictureStatus == HttpStatus::WriteFailed || formatStatus != HttpStatus::Ok) {
        QFile::remove(picture);
        dlg::MsgBox(pictureStatus == HttpStatus::WriteFailed
                        ? DownloadFailureText(pictureStatus, picture)
                    : formatStatus == HttpStatus::BadUrl  // nothing was asked of the network
                        ? UnrequestablePathText(name, fPath)
                        : DownloadFailureText(formatStatus, formatFile),
                    dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    ImportFormatFile(formatFile);
    return true;
}

}  // namespace bw
