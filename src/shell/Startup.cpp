#include "shell/Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"
#include "platform/Printer.h"
#include "platform/QtTranslations.h"
#include "platform/SafeFiles.h"
#include "printing/SelPrinter.h"
#include "shell/MainWindow.h"
#include "shell/Passwords.h"
#include "store/StoreServices.h"

namespace bw {

namespace {
InstanceLock& lock() {
    static InstanceLock l;
    return l;
}
}  // namespace

void UpgradeFmtSchema() {
    // Cash, RCtl, SumID and SumID1 are doubles from the start in this database; older files
    // may lack the later link columns.
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID1"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("RCtl1"), QStringLiteral("LONG"));
    UpgradeIndexes();
}

QString InstanceLockPath() {
    return AppFile(QStringLiteral("BWF.lock"));
}

bool AcquireInstanceLock(QString* why) {
    const QString path = InstanceLockPath();
    if (lock().IsLocked() && lock().FileName() == path) return true;
    const InstanceLock::Result taken = lock().TryLock(path);
    // Only a lock held by another process means another copy runs; a lock file that cannot
    // be made is named by its cause: a folder that cannot be written, a full disk, ...
    if (taken == InstanceLock::Result::CannotMake && why) {
        bool folderShut = false;
        const QString cause = WriteErrorCause(lock().MakeError(), AppPath(), &folderShut);
        *why = folderShut ? QStringLiteral("数据文件夹“%1”不能写入，程序无法启动！")
                                .arg(QDir::toNativeSeparators(AppPath()))
                          : QStringLiteral("无法建立锁文件“%1”（%2），程序无法启动！")
                                .arg(QDir::toNativeSeparators(path), cause);
    }
    return taken == InstanceLock::Result::Taken;
}

void ReleaseInstanceLock() {
    lock().Unlock();
}

bool Main(const QStringList& arguments) {
    // Qt hands the larger fills of its drawing to its thread pool, by default a thread per
    // core, all started at the first paint (a scroll bar's groove is enough). The program's
    // windows gain nothing from that many; one worker keeps the start from paying for them.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // Qt's standard buttons and dialogs speak the program's language, and write its dates.
    InstallQtTranslations();
    UseChineseLocale();
    // Quick operations (opening a format, loading its defaults) run without flashing a
    // progress window; one that takes longer than half a second shows it.
    SetProgressShowDelay(kProgramProgressShowDelayMs);
    InitAppFolder(arguments);
    // Only the start that holds the lock writes into the data folder: a second start at the
    // same moment ends before it has looked at anything. A folder that takes no lock file
    // takes no data file either: it is named, and nothing is written.
    QString why;
    if (!AcquireInstanceLock(&why)) {
        if (!why.isEmpty()) dlg::MsgBox(why, dlg::OkOnly | dlg::Critical);
        return false;
    }
    // What writes cut off by a crash or a power cut left behind, and no running copy writes:
    // in the data folder, Temp, Output with its sub-folders and the folder of the last PDF
    // file chosen (any other folder is cleaned by the next write into it).
    RemoveStaleTemporaries(AppPath());
    RemoveStaleTemporaries(AppFile(QStringLiteral("Temp")));
    RemoveStaleTemporaries(AppFile(kPdfOutputFolder), true);
    if (const QString pdfFolder = RememberedPdfFolder(); !pdfFolder.isEmpty())
        RemoveStaleTemporaries(pdfFolder);
    // A damaged data file is kept as it is and nothing opens over it; a database made now
    // takes its name with the ready formats in it (the store's door gives them to the
    // check), so that a new user sees a bill whenever this start is cut off.
    InstallStoreServices();
    const DataFileState data = CheckDataFile();
    if (data == DataFileState::Damaged || data == DataFileState::Unusable) {
        ReleaseInstanceLock();
        return false;
    }
    UpgradeFmtSchema();
    ChosenItem.clear();
    if (!GetParam(QStringLiteral("软件密码")).isEmpty()) {
        ShowPasswordPrompt();
    } else {
        ShowMainWindow();
    }
    return true;
}

}  // namespace bw
