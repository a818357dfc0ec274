#include "shell/Startup.h"

#include <QFileInfo>
#include <QLockFile>
#include <memory>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/QtTranslations.h"
#include "shell/MainWindow.h"
#include "shell/Passwords.h"
#include "store/SampleFormats.h"

namespace bw {

namespace {
std::unique_ptr<QLockFile>& lock() {
    static std::unique_ptr<QLockFile> l;
    return l;
}
}  // namespace

void UpgradeFmtSchema() {
    // Cash, RCtl, SumID and SumID1 are doubles from the start in this database; older files
    // may lack the later link columns.
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID1"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("RCtl1"), QStringLiteral("LONG"));
}

QString InstanceLockPath() {
    return AppFile(QStringLiteral("BWF.lock"));
}

bool AcquireInstanceLock() {
    const QString path = InstanceLockPath();
    if (lock() && lock()->fileName() == path && lock()->isLocked()) return true;
    auto l = std::make_unique<QLockFile>(path);
    l->setStaleLockTime(0);  // a lock is stale only when its process is gone
    if (!l->tryLock(0)) return false;
    lock() = std::move(l);
    return true;
}

void ReleaseInstanceLock() {
    lock().reset();
}

bool Main(const QStringList& arguments) {
    // Qt's standard buttons and dialogs speak the program's language.
    InstallQtTranslations();
    InitAppFolder(arguments);
    // A database made now starts with the ready formats, so that a new user sees a bill.
    const bool fresh = !QFileInfo::exists(DatabasePath());
    if (EnsureDatabase() && fresh) SeedSampleFormats();
    UpgradeFmtSchema();
    if (!AcquireInstanceLock()) return false;
    ChosenItem.clear();
    if (!GetParam(QStringLiteral("软件密码")).isEmpty()) {
        ShowPasswordPrompt();
    } else {
        ShowMainWindow();
    }
    return true;
}

}  // namespace bw
