#include "store/StoreServices.h"

#include "common/Services.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"

namespace bw {

void InstallStoreServices() {
    StoreServices& s = Doors().store;
    s.currentFormat = [] { return MF().CurrentFormat(); };
    s.batchGrid = [] { return MF().MSF[1]; };
    s.boxGrid = [] { return MF().MSF[3]; };
    s.readyFormats = [](sql::Connection& newFile) { return WriteSampleFormats(newFile); };
}

}  // namespace bw
