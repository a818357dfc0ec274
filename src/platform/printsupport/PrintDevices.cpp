// The print module: the system's printers and the QPrinter devices (see platform/PrintDevices.h).

#include "platform/PrintDevices.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <type_traits>

namespace bw {

namespace {

std::unique_ptr<QPrinter> open(const QString& name, bool pdf) {
    std::unique_ptr<QPrinter> dev;
    if (pdf) {
        dev = std::make_unique<QPrinter>(QPrinter::HighResolution);
        dev->setOutputFormat(QPrinter::PdfFormat);
        dev->setFullPage(true);
        dev->setPageSize(QPageSize(QPageSize::A4));
        dev->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        dev->setPageOrientation(QPageLayout::Portrait);
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (name.isEmpty() || info.isNull()) return nullptr;
        dev = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    dev->setCreator(QStringLiteral("Bellweft"));
    return dev;
}

int state(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    return info.isNull() ? -1 : int(info.state());
}

QList<QPageSize> paperSizes(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    return info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
}

const PrintDevices kDevices = {
    [] { return QPrinterInfo::availablePrinterNames(); },
    [] { return QPrinterInfo::defaultPrinterName(); },
    open,
    state,
    paperSizes,
    [](QPrinter& device, const QString& name) { device.setDocName(name); },
    [](QPrinter& device, const QString& path) { device.setOutputFileName(path); },
    [](const QPrinter& device) { return device.printerState() == QPrinter::Error; },
    [](QPaintDevice* device) {
        if (auto* printer = dynamic_cast<QPrinter*>(device)) printer->abort();
    },
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PrintDevices* BwPrintDevices() {
    return &kDevices;
}

static_assert(std::is_same_v<decltype(&BwPrintDevices), PrintDevicesEntry>);

}  // namespace bw
