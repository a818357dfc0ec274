#include "filling/FillingServices.h"

#include "common/Services.h"
#include "filling/BoxConversion.h"
#include "filling/DataEntry.h"
#include "filling/NewBill.h"

namespace bw {

void InstallFillingServices() {
    FillingServices& s = Doors().filling;
    s.convertByDataType = [](TextBox* box, const QString& text) {
        return ConvertByDataType(box, text);
    };
    s.fillNewBillValues = [] { FillNewBillValues(); };
    s.attachBox = [](BoxControl* box) { AttachBoxEvents(box); };
}

}  // namespace bw
