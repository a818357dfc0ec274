#include "shell/Startup.h"

#include <QMainWindow>

#include "platform/AppFolder.h"
#include "store/Database.h"
#include "store/Globals.h"
#include "store/Schema.h"

namespace bw {

void UpgradeFmtSchema() {
    // Cash, RCtl, SumID and SumID1 are doubles from the start in this database; older files
    // may lack the later link columns.
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("SumID1"), QStringLiteral("LONG"));
    AddColumnIfMissing(QStringLiteral("Fmt"), QStringLiteral("RCtl1"), QStringLiteral("LONG"));
}

bool Main(const QStringList& arguments) {
    InitAppFolder(arguments);
    EnsureDatabase();
    UpgradeFmtSchema();
    ChosenItem.clear();
    auto* w = new QMainWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("Bellweft3.07"));
    w->resize(1024, 700);
    w->show();
    return true;
}

}  // namespace bw
