#include "library/NewVersion.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "platform/AppFolder.h"
#include "platform/BackupName.h"
#include "platform/Dialogs.h"
#include "platform/Http.h"
#include "platform/VersionNumber.h"
#include "platform/WebRoot.h"

namespace bw {

namespace {

QString& state() {
    static QString s;
    return s;
}

// True while the user is in the middle of something that the check must not run inside:
// a modal dialog, the progress window or a transfer. The check runs on the user-interface
// thread, so starting it then would nest it inside that work, which could not end before
// the check did.
bool programBusy() {
    return QApplication::activeModalWidget() || ProgressShown() || HttpBusy(HttpKind::Page) ||
           HttpBusy(HttpKind::File);
}

// A copy of the data file under a free backup name, compared byte for byte; "" when none
// could be made.
QString backUpDataFile() {
    const QString source = DatabasePath();
    const QString target = ChooseBackupPath(AppPath());
    if (target.isEmpty() || !QFileInfo(source).isFile()) return QString();
    if (!QFile::copy(source, target)) return QString();
    QFile a(source), b(target);
    if (a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll())
        return target;
    return QString();
}

}  // namespace

QString NewVersionState() {
    return state();
}

void ResetNewVersion() {
    state().clear();
}

QString UpdaterPath() {
    return GetRegValue(QStringLiteral("BWF"), QStringLiteral("Para"), QStringLiteral("Updater"),
                       QString())
        .trimmed();
}

QString UpdaterArgument() {
    return QStringLiteral("BWL1") + QStringLiteral("_tb.rar|") +
           QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".exe");
}

VersionCheck CheckNewVersion(const QString& caption, int product) {
    if (!state().isEmpty()) return VersionCheck::NotRun;
    if (programBusy()) return VersionCheck::Deferred;
    state() = QStringLiteral("0");
    const double running = LeadingNumber(RunningVersionText(caption));
    const QString url =
        WebUrl(QStringLiteral("/korvanesoft/downpage/Pro.asp?ID=") + QString::number(product));
    QString reply;
    // A page that never arrived, or an error page, announces nothing.
    if (url.isEmpty() || !HttpGetRetry(url, reply, QStringLiteral("</title>"), 120).isEmpty())
        return VersionCheck::NoAnswer;
    const AnnouncedVersion announced = VersionFromPage(reply);
    if (announced.value == 0 || running == 0) return VersionCheck::NoAnswer;
    if (!IsNewerVersion(announced.value, running)) {
        state() = announced.text;
        return VersionCheck::Current;
    }
    const QString updater = UpdaterPath();
    if (updater.isEmpty() || !QFileInfo(updater).isExecutable()) {
        dlg::MsgBox(QStringLiteral("本软件已有新版本 ") + announced.text +
                        QStringLiteral(" 可供升级，但没有找到自动升级程序，请另行下载安装。"),
                    dlg::OkOnly | dlg::Information);
        return VersionCheck::UpdateRefused;
    }
    if (backUpDataFile().isEmpty()) {
        dlg::MsgBox(QStringLiteral("本软件已有新版本 ") + announced.text +
                        QStringLiteral("，但无法备份数据文件，暂不自动升级。"),
                    dlg::OkOnly | dlg::Exclamation);
        return VersionCheck::UpdateRefused;
    }
    dlg::MsgBox(QStringLiteral("本软件已升级，启动自动升级..."), dlg::OkOnly | dlg::Information);
    if (!QProcess::startDetached(updater, {UpdaterArgument()}, AppPath()))
        return VersionCheck::UpdateRefused;
    return VersionCheck::UpdateStarted;
}

}  // namespace bw
