#include "shell/Startup.h"

#include <QMainWindow>

#include "platform/AppFolder.h"

namespace bw {

bool Main(const QStringList& arguments) {
    InitAppFolder(arguments);
    auto* w = new QMainWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("Bellweft3.07"));
    w->resize(1024, 700);
    w->show();
    return true;
}

}  // namespace bw
