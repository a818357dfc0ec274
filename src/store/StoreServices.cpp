#include "store/StoreServices.h"

#include "common/Services.h"
#include "store/MainForm.h"

namespace bw {

void InstallStoreServices() {
    StoreServices& s = Doors().store;
    s.currentFormat = [] { return MF().CurrentFormat(); };
    s.batchGrid = [] { return MF().MSF[1]; };
    s.boxGrid = [] { return MF().MSF[3]; };
}

}  // namespace bw
