#include "platform/PrintDevices.h"

#include <QtGlobal>

#include "platform/LoadableModule.h"

namespace bw {

const PrintDevices& Devices() {
    static const PrintDevices* devices = [] {
        const auto entry =
            reinterpret_cast<PrintDevicesEntry>(ModuleSymbol("print", kPrintDevicesSymbol));
        const PrintDevices* d = entry ? entry() : nullptr;
        if (!d) qFatal("the print module libbw_print.so is missing: nothing can be printed");
        return d;
    }();
    return *devices;
}

}  // namespace bw
