#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv) {
    // Without TZ the C library looks at the time-zone file for every date it converts.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bellweft"));
    QApplication::setOrganizationName(QStringLiteral("Bellweft"));
    if (!bw::Main(QApplication::arguments())) return 0;
    return QApplication::exec();
}
