#pragma once
// What the printer (Printer.h) asks of Qt's print support: the system's printers and the
// QPrinter devices over them. The print module answers, so that the print support libraries
// load only when a printer is first needed.

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

class QPaintDevice;
class QPrinter;

namespace bw {

struct PrintDevices {
    // The system's printers in its order, and its default one ("" when none).
    QStringList (*names)();
    QString (*defaultName)();
    // A device for the system printer of that name (null when there is none), or with `pdf`
    // a PDF file device: A4 portrait, no margins, the whole page drawable.
    std::unique_ptr<QPrinter> (*open)(const QString& name, bool pdf);
    // The printer's state (QPrinter::PrinterState), -1 when the system has no such printer.
    int (*state)(const QString& name);
    // The paper sizes the system printer offers.
    QList<QPageSize> (*paperSizes)(const QString& name);
    void (*setDocName)(QPrinter& device, const QString& name);
    void (*setOutputFile)(QPrinter& device, const QString& path);
    // True when the device reports an error.
    bool (*inError)(const QPrinter& device);
    // Abandons the document being printed when the device is a printer.
    void (*abort)(QPaintDevice* device);
};

// The print module's answers, loading it on first use; a program without it stops here.
const PrintDevices& Devices();

// The module's entry, looked up by this name.
using PrintDevicesEntry = const PrintDevices* (*)();
inline constexpr char kPrintDevicesSymbol[] = "BwPrintDevices";

}  // namespace bw
