#include "common/Services.h"

namespace bw {

Services& Doors() {
    static Services services;
    return services;
}

QStringList UnfilledDoors() {
    const Services& d = Doors();
    QStringList missing;
    auto check = [&missing](bool filled, const char* name) {
        if (!filled) missing << QString::fromLatin1(name);
    };
    check(bool(d.store.currentFormat), "store.currentFormat");
    check(bool(d.store.batchGrid), "store.batchGrid");
    check(bool(d.store.boxGrid), "store.boxGrid");
    check(bool(d.store.readyFormats), "store.readyFormats");
    check(bool(d.filling.convertByDataType), "filling.convertByDataType");
    check(bool(d.filling.fillNewBillValues), "filling.fillNewBillValues");
    check(bool(d.filling.attachBox), "filling.attachBox");
    check(bool(d.records.loadDefaultData), "records.loadDefaultData");
    check(bool(d.records.saveDefaultData), "records.saveDefaultData");
    check(bool(d.records.setupBatchRows), "records.setupBatchRows");
    check(bool(d.library.formatList), "library.formatList");
    check(bool(d.library.addFormatNode), "library.addFormatNode");
    check(bool(d.library.removeTreeNode), "library.removeTreeNode");
    check(bool(d.library.markCurrentFormatNode), "library.markCurrentFormatNode");
    return missing;
}

}  // namespace bw
