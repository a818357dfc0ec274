#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bellweft"));
    QApplication::setOrganizationName(QStringLiteral("Bellweft"));
    if (!bw::Main(QApplication::arguments())) return 0;
    return QApplication::exec();
}
